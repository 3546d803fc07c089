#include "view/viewport.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane {
namespace {

bool IsUsableScale(double scale) { return std::isfinite(scale) && scale > 0.0; }

// Scroll arithmetic in 64 bits, then back into the safe range.
int32_t Step(int32_t position, int64_t delta) {
  return ToScroll(static_cast<double>(static_cast<int64_t>(position) + delta));
}

}  // namespace

void Viewport::SetExtents(const Extents& extents) {
  maxX_ = extents.maxX;
  minX_ = extents.minX;
  maxY_ = extents.maxY;
  minY_ = extents.minY;
}

void Viewport::UpdateOrigin(bool printing) {
  originX_ = autoOrigin_ ? minX_ : 0.0;
  originY_ = autoOrigin_ ? minY_ : 0.0;
  if (!printing && scale_ != 0.0) {
    originX_ += scrollPos_.x / scale_;
    originY_ += scrollPos_.y / scale_;
  }
}

PlotDelta Viewport::WindowDistance(DevicePoint p1, DevicePoint p2) const {
  return {(static_cast<double>(p2.x) - p1.x) / scale_, (static_cast<double>(p1.y) - p2.y) / scale_};
}

PlotPoint Viewport::PlotPointAt(DevicePoint pixel) const {
  // No point lies under a pixel at an unusable scale; the caller shows nothing.
  if (!IsUsableScale(scale_)) {
    return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
  }
  // The origin as a screen paint computes it, from the state as it is now.
  const double viewX = (static_cast<double>(pixel.x) + scrollPos_.x) / scale_;
  const double viewY = (static_cast<double>(pixel.y) + scrollPos_.y) / scale_;
  const double x = viewX + (autoOrigin_ ? minX_ : 0.0);
  const double y = viewY + (autoOrigin_ ? minY_ : 0.0);
  return {mirrorY_ ? maxX_ - x + minX_ : x, mirrorX_ ? maxY_ - y + minY_ : y};
}

void Viewport::UpdateScrollBars() {
  const ClientSize client = host_.GetClientSize();
  scrollRange_ = {ToScroll(scale_ * kCanvasWidth), ToScroll(scale_ * kCanvasHeight)};
  pageStep_ = {Step(client.width, 2), Step(client.height, 2)};
  lineStep_ = {pageStep_.x / 10, pageStep_.y / 10};
  host_.SetScrollBar(ScrollBarId::kVertical, {0, scrollRange_.y, pageStep_.y, 0});
  host_.SetScrollBar(ScrollBarId::kHorizontal, {0, scrollRange_.x, pageStep_.x, 0});
}

void Viewport::SetScrollPosition(int32_t x, int32_t y) {
  scrollPos_ = {x, y};
  SyncScrollThumbs();
}

void Viewport::SyncScrollThumbs() {
  host_.SetScrollThumb(ScrollBarId::kVertical, scrollPos_.y);
  host_.SetScrollThumb(ScrollBarId::kHorizontal, scrollPos_.x);
}

void Viewport::ZoomAt(int32_t x, int32_t y, double factor) {
  // A zoom that would leave no usable scale (overflow to infinity, underflow
  // to zero, a bad factor) is refused: the view must stay drawable.
  if (!IsUsableScale(scale_ * factor)) return;
  const DevicePoint old = scrollPos_;
  scale_ *= factor;
  UpdateScrollBars();
  SetScrollPosition(ToScroll((static_cast<double>(old.x) + x) * factor - x),
                    ToScroll((static_cast<double>(old.y) + y) * factor - y));
}

bool Viewport::ZoomToRect(DeviceRect rect) {
  if (rect.left > rect.right) std::swap(rect.left, rect.right);
  if (rect.top > rect.bottom) std::swap(rect.top, rect.bottom);
  const double width = static_cast<double>(rect.right) - rect.left;
  const double height = static_cast<double>(rect.bottom) - rect.top;
  if (width <= 0.0 || height <= 0.0) return false;
  const ClientSize client = host_.GetClientSize();
  const double f = std::min(client.height / height, client.width / width);
  if (!IsUsableScale(scale_ * f)) return false;
  const DevicePoint old = scrollPos_;
  scale_ *= f;
  UpdateScrollBars();
  SetScrollPosition(ToScroll((static_cast<double>(old.x) + rect.left) * f),
                    ToScroll((static_cast<double>(old.y) + rect.top) * f));
  return true;
}

DevicePoint Viewport::ZoomToExtents(const Extents& extents, bool documentAutoOrigin) {
  SetExtents(extents);
  const ClientSize client = host_.GetClientSize();
  // Only an axis with a positive size (and a client side to fit it into)
  // gives a scale; with neither, the view stays where it is.
  const double height = maxY_ - minY_;
  const double width = maxX_ - minX_;
  const double fitY = height > 0.0 ? client.height / height : 0.0;
  const double fitX = width > 0.0 ? client.width / width : 0.0;
  const bool useY = IsUsableScale(fitY);
  const bool useX = IsUsableScale(fitX);
  if (!useX && !useY) {
    UpdateScrollBars();
    return scrollPos_;
  }
  scale_ = useX && useY ? std::min(fitY, fitX) : (useX ? fitX : fitY);
  UpdateScrollBars();
  if (documentAutoOrigin) return {0, 0};
  return {ToScroll(scale_ * minX_), ToScroll(scale_ * minY_)};
}

bool Viewport::FitPlotBox(PlotPoint low, PlotPoint high) {
  const ClientSize client = host_.GetClientSize();
  const double width = std::fabs(high.x - low.x);
  const double height = std::fabs(high.y - low.y);
  const double scale = std::min(width > 0.0 ? client.width / width : 0.0,
                                height > 0.0 ? client.height / height : 0.0);
  if (!IsUsableScale(scale)) return false;
  // PlotPointAt undone for the box's centre, which lands mid-window.
  const double x = low.x / 2 + high.x / 2;
  const double y = low.y / 2 + high.y / 2;
  const double viewX = (mirrorY_ ? maxX_ - x + minX_ : x) - (autoOrigin_ ? minX_ : 0.0);
  const double viewY = (mirrorX_ ? maxY_ - y + minY_ : y) - (autoOrigin_ ? minY_ : 0.0);
  scale_ = scale;
  UpdateScrollBars();
  SetScrollPosition(ToScroll(viewX * scale - client.width / 2.0),
                    ToScroll(viewY * scale - client.height / 2.0));
  return true;
}

bool Viewport::OnScroll(ScrollBarId bar, ScrollCode code, int32_t thumbPos) {
  const bool horizontal = bar == ScrollBarId::kHorizontal;
  int32_t& position = horizontal ? scrollPos_.x : scrollPos_.y;
  const int32_t line = horizontal ? lineStep_.x : lineStep_.y;
  const int32_t page = horizontal ? pageStep_.x : pageStep_.y;
  const int32_t range = horizontal ? scrollRange_.x : scrollRange_.y;
  const int32_t before = position;
  switch (code) {
    case ScrollCode::kLineUp:
      position = Step(position, -static_cast<int64_t>(line));
      break;
    case ScrollCode::kLineDown:
      position = Step(position, line);
      break;
    case ScrollCode::kPageUp:
      position = Step(position, -static_cast<int64_t>(page));
      break;
    case ScrollCode::kPageDown:
      position = Step(position, page);
      break;
    case ScrollCode::kThumbPosition:
    case ScrollCode::kThumbTrack:
      position = thumbPos;
      break;
    case ScrollCode::kTop:
      position = 0;
      break;
    case ScrollCode::kBottom:
      position = Step(range, -static_cast<int64_t>(page));
      break;
    case ScrollCode::kEndScroll:
      break;
  }
  host_.SetScrollThumb(bar, position);
  return position != before;
}

}  // namespace corvane
