#include "view/view_navigation.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "view/corvane_view.h"
#include "view/device_coordinates.h"

namespace corvane {
namespace {

// `notches` line steps back from `position` (a notch away from the user
// scrolls up or left), in 64 bits and then into the safe range.
int32_t ScrolledBy(int32_t position, int32_t notches, int32_t lineStep) {
  return ToScroll(static_cast<double>(int64_t{position} - int64_t{notches} * lineStep));
}

int32_t ClampToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

void ViewNavigation::OnWheel(const WheelEvent& event) {
  pointerKnown_ = true;
  pointer_ = event.point;
  // The rubber band's corner is a client pixel; the picture keeps still under it.
  if (view_.Tools().IsDragging()) return;
  const bool plain = !event.shiftDown && !event.ctrlDown;
  const int32_t zoomDelta = plain ? event.deltaY : 0;
  const int32_t verticalDelta = event.ctrlDown && !event.shiftDown ? event.deltaY : 0;
  const int32_t horizontalDelta =
      ClampToInt32(int64_t{event.deltaX} + (event.shiftDown ? event.deltaY : 0));
  // A part-notch lasts only while the same kind of turn goes on.
  if (zoomDelta == 0) zoomNotches_.Reset();
  if (verticalDelta == 0) verticalNotches_.Reset();
  if (horizontalDelta == 0) horizontalNotches_.Reset();
  const int32_t zoom = zoomNotches_.Add(zoomDelta);
  const int32_t up = verticalNotches_.Add(verticalDelta);
  const int32_t left = horizontalNotches_.Add(horizontalDelta);

  Viewport& viewport = view_.GetViewport();
  const bool zoomed = zoom != 0 && ZoomNotches(event.point, zoom);
  const DevicePoint scroll = viewport.GetScrollPos();
  const DevicePoint line = viewport.GetLineStep();
  const DevicePoint target{ScrolledBy(scroll.x, left, line.x), ScrolledBy(scroll.y, up, line.y)};
  if (!zoomed) {
    if (!view_.ScrollTo(target)) ShowPointerPosition();
    return;
  }
  // A zoom repaints everything anyway; a scroll with it needs no paint of its own.
  viewport.SetScrollPosition(target.x, target.y);
  view_.RedrawView();
}

bool ViewNavigation::ZoomNotches(DevicePoint point, int64_t notches) {
  Viewport& viewport = view_.GetViewport();
  const double factor = notches > 0 ? kZoomInFactor : kZoomOutFactor;
  bool changed = false;
  // Notch by notch, as the same number of zoom-tool clicks would go.
  for (int64_t i = std::abs(notches); i > 0; --i) {
    const double before = viewport.GetScale();
    viewport.ZoomAt(point.x, point.y, factor);
    if (viewport.GetScale() == before) break;
    changed = true;
  }
  return changed;
}

void ViewNavigation::OnMButtonDown(DevicePoint point) {
  pointerKnown_ = true;
  pointer_ = point;
  if (view_.Tools().IsDragging()) return;
  panning_ = true;
  panLast_ = point;
  view_.Host().SetCursorShape(CursorShape::kPan);
}

void ViewNavigation::OnMButtonUp(DevicePoint point) {
  if (!panning_) return;
  OnMouseMove(point, PointerButton::kMiddle);
  EndPan();
}

void ViewNavigation::OnMouseMove(DevicePoint point, PointerButton held) {
  pointerKnown_ = true;
  pointer_ = point;
  if (!panning_) {
    ShowPointerPosition();
    return;
  }
  // No button held: the release went elsewhere (a dialog took the pointer).
  if (held == PointerButton::kNone) {
    EndPan();
    ShowPointerPosition();
    return;
  }
  // The picture follows the pointer, so the plot point under it stays there.
  const DevicePoint scroll = view_.GetViewport().GetScrollPos();
  const DevicePoint target{
      ToScroll(static_cast<double>(int64_t{scroll.x} - (int64_t{point.x} - panLast_.x))),
      ToScroll(static_cast<double>(int64_t{scroll.y} - (int64_t{point.y} - panLast_.y)))};
  panLast_ = point;
  if (!view_.ScrollTo(target)) ShowPointerPosition();
}

void ViewNavigation::OnMouseLeave() {
  pointerKnown_ = false;
  ShowPointerPosition();
}

void ViewNavigation::EndPan() {
  if (!panning_) return;
  panning_ = false;
  view_.Host().SetCursorShape(view_.OnSetCursor());
}

void ViewNavigation::ShowPointerPosition() {
  const ClientSize client = view_.Host().GetClientSize();
  const bool inside = pointerKnown_ && pointer_.x >= 0 && pointer_.y >= 0 &&
                      pointer_.x < client.width && pointer_.y < client.height;
  std::string text;
  if (inside) {
    const PlotPoint p = view_.GetViewport().PlotPointAt(pointer_);
    text = FormatPointerPosition(p.x, p.y);
  }
  if (text == positionShown_) return;
  positionShown_ = text;
  view_.Host().SetPositionText(positionShown_);
}

}  // namespace corvane
