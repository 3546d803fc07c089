#include "view/highlight_overlay.h"

#include <algorithm>

namespace corvane {

void HighlightOverlay::Add(const GeoPaths& polygons) {
  // A lit net can be hundreds of thousands of points: room for them at once.
  std::size_t points = 0;
  for (const GeoPath& path : polygons) points += path.size() >= 3 ? path.size() : 0;
  xy_.reserve(xy_.size() + 2 * points);
  contours_.reserve(contours_.size() + polygons.size());
  for (const GeoPath& path : polygons) {
    if (path.size() < 3) continue;
    const Contour contour{static_cast<uint32_t>(xy_.size() / 2),
                          static_cast<uint32_t>(path.size())};
    for (const GeoPoint& p : path) {
      const double x = NanometresToInches(static_cast<double>(p.x));
      const double y = NanometresToInches(static_cast<double>(p.y));
      xy_.push_back(x);
      xy_.push_back(y);
      if (contours_.empty() && xy_.size() == 2) {
        minX_ = maxX_ = x;
        minY_ = maxY_ = y;
      }
      minX_ = std::min(minX_, x);
      maxX_ = std::max(maxX_, x);
      minY_ = std::min(minY_, y);
      maxY_ = std::max(maxY_, y);
    }
    contours_.push_back(contour);
  }
}

void HighlightOverlay::Clear() {
  xy_.clear();
  contours_.clear();
  minX_ = minY_ = 0.0;
  maxX_ = maxY_ = -1.0;
}

// A lit net can be millions of points; at the scale shown, points that fall
// in the pixel of the point before add nothing to the fill and are left out.
void HighlightOverlay::Draw(DrawingSurface& dc, const PlotMapping& map) {
  if (!contours_.empty()) {
    DevicePath path;
    for (const Contour& contour : contours_) {
      const std::size_t first = path.points.size();
      DevicePoint last{};
      for (uint32_t i = 0; i < contour.count; ++i) {
        const std::size_t at = 2 * (contour.first + i);
        const SubPoint p = map.Map(xy_[at], xy_[at + 1]);
        const DevicePoint pixel{p.x / kSubUnits, p.y / kSubUnits};
        if (path.points.size() > first && pixel == last) continue;
        last = pixel;
        path.points.push_back(p);
      }
      if (path.points.size() - first >= 3)
        path.CloseContour();
      else
        path.points.resize(first);
    }
    if (!path.Empty()) {
      // The rest fades, so that what is lit stands out on every layer.
      dc.FadeRect(dc.GetClipBox(), dc.GetBackgroundColor(), kDimOpacity);
      dc.BeginLayer(kHighlightColor, false);
      dc.FillPath(path, FillMode::kDark);
      dc.EndLayer();
    }
  }
  DrawSnap(dc, map);
}

void HighlightOverlay::DrawSnap(DrawingSurface& dc, const PlotMapping& map) const {
  if (!snap_ || !dc.SelectPen(kSnapMarkerColor, 2)) return;
  const SubPoint p = map.Map(snap_->first, snap_->second);
  const int32_t x = p.x / kSubUnits;
  const int32_t y = p.y / kSubUnits;
  const int32_t r = kSnapMarkerPixels;
  dc.MoveTo({x - r, y - r});
  dc.LineTo({x + r, y - r});
  dc.LineTo({x + r, y + r});
  dc.LineTo({x - r, y + r});
  dc.LineTo({x - r, y - r});
  dc.RestorePen();
}

}  // namespace corvane
