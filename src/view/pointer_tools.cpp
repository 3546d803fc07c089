#include "view/pointer_tools.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "loading/document_loader.h"
#include "platform/prompter.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

void AppendFixed4(std::string& text, double value) {
  std::array<char, 400> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 4);
  text.append(buffer.data(), result.ptr);
}

// Four decimals, where "-0.0000" would only puzzle the reader.
void AppendCoordinate(std::string& text, double value) {
  const std::size_t start = text.size();
  AppendFixed4(text, value);
  if (text.compare(start, std::string::npos, "-0.0000") == 0) text.erase(start, 1);
}

DeviceRect Normalized(DevicePoint a, DevicePoint b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// A layer offset in thousandths of a plot unit, moved by `pixels` at `scale`
// truncated toward zero; held inside 32 bits rather than overflowing. Scaled
// before dividing, so 7 pixels at scale 1000 are 7 thousandths, not 6.999...
int32_t MovedOffset(int32_t offset, int64_t pixels, double scale) {
  const double moved =
      static_cast<double>(offset) + std::trunc(static_cast<double>(pixels) * 1000.0 / scale);
  constexpr double kLow = std::numeric_limits<int32_t>::min();
  constexpr double kHigh = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(moved, kLow, kHigh));
}

}  // namespace

std::string FormatMeasurement(double dx, double dy, double diagonal) {
  std::string text = "X = ";
  AppendFixed4(text, dx);
  text += ", Y = ";
  AppendFixed4(text, dy);
  text += ", Diag = ";
  AppendFixed4(text, diagonal);
  return text;
}

std::string FormatPointerPosition(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return {};
  std::string text = "X ";
  AppendCoordinate(text, x);
  text += "  Y ";
  AppendCoordinate(text, y);
  return text;
}

void PointerTools::OnLButtonDown(DevicePoint point) {
  ViewHost& host = view_.Host();
  // A drag whose release never came (the window lost the pointer) is dropped.
  if (dragging_) {
    dragging_ = false;
    host.HideRubberBand();
  }
  if (offsetState_ == kToolWantsFirstPoint) {
    offsetPoint1_ = point;
    offsetState_ = kToolWantsSecondPoint;
    host.SetStatusText(kSelectSecondOffsetPoint);
  } else if (offsetState_ == kToolWantsSecondPoint) {
    offsetPoint2_ = point;
    offsetState_ = kToolFinished;
    host.SetStatusText("");
    ApplyOffset();
  } else if (measureState_ == kToolWantsFirstPoint) {
    measurePoint1_ = point;
    measureSnap1_ = Snap(point);
    measureState_ = kToolWantsSecondPoint;
    host.SetStatusText(kSelectSecondMeasurePoint);
  } else if (measureState_ == kToolWantsSecondPoint) {
    measurePoint2_ = point;
    measureSnap2_ = Snap(point);
    measureState_ = kToolFinished;
    ReportMeasurement();
  } else if (zoomTool_) {
    ZoomTrack(point);
  } else if (PointerInspector* inspector = view_.Inspector()) {
    inspector->Choose(point);
  }
}

// In the standard reading a measurement snaps to the objects unless Shift is
// held, and is reported in the Inspector's unit either way.
std::optional<MeasureSnap> PointerTools::Snap(DevicePoint point) {
  PointerInspector* inspector = view_.Inspector();
  if (inspector == nullptr || !view_.DrawsStandard()) return std::nullopt;
  if (view_.Host().IsShiftDown()) {
    inspector->ShowSnap(std::nullopt);
    return MeasureSnap{view_.GetViewport().PlotPointAt(point)};
  }
  const MeasureSnap snap = inspector->SnapAt(point);
  inspector->ShowSnap(snap);
  return snap;
}

void PointerTools::ZoomTrack(DevicePoint point) {
  // The drag runs until the button comes up (OnLButtonUp) or is cancelled.
  dragging_ = true;
  dragStart_ = point;
  dragEnd_ = point;
}

void PointerTools::OnMouseMove(DevicePoint point) {
  if (!dragging_) return;
  dragEnd_ = point;
  view_.Host().ShowRubberBand(Normalized(dragStart_, dragEnd_));
}

void PointerTools::OnLButtonUp(DevicePoint point) {
  if (!dragging_) return;
  dragEnd_ = point;
  EndDrag(true);
}

void PointerTools::OnRButtonDown(DevicePoint) {
  if (dragging_) EndDrag(false);
}

bool PointerTools::OnKeyDown(ViewKey key) {
  if (!dragging_) return false;
  if (key == ViewKey::kEscape) EndDrag(false);
  return true;
}

void PointerTools::EndDrag(bool accepted) {
  dragging_ = false;
  Viewport& viewport = view_.GetViewport();
  view_.Host().HideRubberBand();
  const DeviceRect tracked{dragStart_.x, dragStart_.y, dragEnd_.x, dragEnd_.y};
  const int64_t width = std::abs(int64_t{tracked.right} - tracked.left);
  const int64_t height = std::abs(int64_t{tracked.bottom} - tracked.top);
  // A cancelled drag, or one too small on either side, is a click: zoom in
  // about the point where it started.
  if (!accepted || width <= kZoomDragThreshold || height <= kZoomDragThreshold) {
    viewport.ZoomAt(dragStart_.x, dragStart_.y, kZoomInFactor);
  } else {
    viewport.ZoomToRect(tracked);
  }
  view_.RedrawView();
}

void PointerTools::OnRButtonUp(DevicePoint point) {
  if (!zoomTool_) return;
  view_.GetViewport().ZoomAt(point.x, point.y, kZoomOutFactor);
  view_.RedrawView();
}

void PointerTools::OnMeasure() {
  measureState_ = kToolWantsFirstPoint;
  view_.Host().SetStatusText(kSelectFirstMeasurePoint);
}

void PointerTools::StartOffset(int32_t target) {
  offsetTarget_ = target;
  offsetState_ = kToolWantsFirstPoint;
  view_.Host().SetStatusText(kSelectFirstOffsetPoint);
}

void PointerTools::ReportMeasurement() {
  PointerInspector* inspector = view_.Inspector();
  if (inspector != nullptr && measureSnap1_ && measureSnap2_) {
    view_.Host().SetStatusText(inspector->MeasurementText(*measureSnap1_, *measureSnap2_));
    return;
  }
  const PlotDelta d = view_.GetViewport().WindowDistance(measurePoint1_, measurePoint2_);
  const double diagonal = std::sqrt(d.dx * d.dx + d.dy * d.dy);
  view_.Host().SetStatusText(FormatMeasurement(std::abs(d.dx), std::abs(d.dy), diagonal));
}

void PointerTools::ApplyOffset() {
  CCorvaneDoc& doc = view_.GetDocument();
  const Viewport& viewport = view_.GetViewport();
  const PlotDelta d = viewport.WindowDistance(offsetPoint1_, offsetPoint2_);
  // At a scale near zero a pixel is more plot units than a real can hold.
  const bool finite = std::isfinite(d.dx) && std::isfinite(d.dy);
  bool changed = false;
  PlotLayer layer;
  if (finite && offsetTarget_ < doc.GetLayerCount() && doc.GetLayer(offsetTarget_, layer)) {
    // Up the screen is positive, as for the measurement.
    const int64_t right = int64_t{offsetPoint2_.x} - offsetPoint1_.x;
    const int64_t up = int64_t{offsetPoint1_.y} - offsetPoint2_.y;
    layer.offsetX = MovedOffset(layer.offsetX, right, viewport.GetScale());
    layer.offsetY = MovedOffset(layer.offsetY, up, viewport.GetScale());
    changed = doc.SetLayer(offsetTarget_, layer);
  } else if (finite && offsetTarget_ == doc.GetLayerCount()) {
    doc.Settings().drillOffsetX += d.dx;
    doc.Settings().drillOffsetY += d.dy;
    changed = true;
  }
  if (DocumentLoader* loader = view_.GetLoader()) {
    WaitCursor wait(loader->GetPrompter());
    loader->ReloadAll();
  }
  // The reload marks the document modified only when a file loads; an offset
  // belongs to the work file even when none does.
  if (changed) doc.SetModified(true);
  view_.RedrawView();
}

}  // namespace corvane
