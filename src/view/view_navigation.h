#pragma once

#include <cstdint>
#include <string>

#include "platform/drawing_surface.h"
#include "view/pointer_tools.h"
#include "view/wheel_notches.h"

namespace corvane {

class CCorvaneView;

// A turn of the wheel as the window delivers it: the client pixel under the
// pointer, the angle deltas in eighths of a degree (vertical: positive away
// from the user; horizontal: positive to the left) and the modifier keys.
struct WheelEvent {
  DevicePoint point;
  int32_t deltaX = 0;
  int32_t deltaY = 0;
  bool shiftDown = false;
  bool ctrlDown = false;
};

// What the wheel and the middle button do, and the pointer's position in plot
// units. The wheel zooms about the pointer by the zoom tool's factors, one per
// notch; with Ctrl held it scrolls up and down, with Shift held (and a
// horizontal wheel always) left and right, a line step per notch. The middle
// button drags the picture. Scrolling and panning move the scroll position
// only. None of it changes what the left and right buttons and the keys do.
class ViewNavigation {
 public:
  explicit ViewNavigation(CCorvaneView& view) : view_(view) {}

  void OnWheel(const WheelEvent& event);
  // Starts dragging the picture (not while a zoom drag runs).
  void OnMButtonDown(DevicePoint point);
  // The picture follows to the point, and the drag ends.
  void OnMButtonUp(DevicePoint point);
  // Every movement over the view, with the button held (kNone for none).
  void OnMouseMove(DevicePoint point, PointerButton held);
  // The pointer left the client area: the position pane empties.
  void OnMouseLeave();
  // Ends a pan where it is; the left and right buttons end it before they act.
  void EndPan();
  bool IsPanning() const { return panning_; }

  // Shows the plot point under the pointer again, or nothing while the pointer
  // is outside the client area; after anything that changed the mapping.
  void ShowPointerPosition();

 private:
  // Zooms about the point by one factor per notch; false when the scale could
  // not change (the zoom is refused at either end).
  bool ZoomNotches(DevicePoint point, int64_t notches);

  CCorvaneView& view_;
  WheelNotches zoomNotches_;
  WheelNotches verticalNotches_;
  WheelNotches horizontalNotches_;
  bool panning_ = false;
  DevicePoint panLast_;
  bool pointerKnown_ = false;  // a movement or the wheel said where it is
  DevicePoint pointer_;
  std::string positionShown_;
};

}  // namespace corvane
