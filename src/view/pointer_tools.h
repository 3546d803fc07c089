#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/drawing_surface.h"
#include "view/key_scroll.h"
#include "view/pointer_probe.h"

namespace corvane {

class CCorvaneView;

// kNone: a movement with no button held.
enum class PointerButton { kLeft, kRight, kMiddle, kOther, kNone };

// A button press or release, or a movement, as the window delivers it: client
// pixels, the button (for a movement the one held, left before right before
// middle) and the modifier keys held at the time.
struct PointerEvent {
  PointerButton button = PointerButton::kLeft;
  DevicePoint point;
  bool shiftDown = false;
  bool ctrlDown = false;
};

// States of the measuring and offset tools.
inline constexpr int32_t kToolIdle = 0;
inline constexpr int32_t kToolWantsFirstPoint = 1;
inline constexpr int32_t kToolWantsSecondPoint = 2;
inline constexpr int32_t kToolFinished = 3;  // acts as idle

inline constexpr double kZoomInFactor = 1.1;
inline constexpr double kZoomOutFactor = 0.9;
// A zoom drag this small or smaller on either side counts as a click.
inline constexpr int32_t kZoomDragThreshold = 10;

inline constexpr char kSelectFirstMeasurePoint[] = "Select first measurement point.";
inline constexpr char kSelectSecondMeasurePoint[] = "Select second measurement point.";
inline constexpr char kSelectFirstOffsetPoint[] = "Select first offset point.";
inline constexpr char kSelectSecondOffsetPoint[] = "Select second offset point.";

// "X = %0.04f, Y = %0.04f, Diag = %0.04f", whatever the process locale.
std::string FormatMeasurement(double dx, double dy, double diagonal);
// The pointer's position pane: "X 1.2345  Y 0.5000", whatever the process
// locale; a coordinate that rounds to zero shows no minus sign. Empty when
// either coordinate is not a finite number.
std::string FormatPointerPosition(double x, double y);

// The view's pointer tools: the zoom tool with its rubber-band drag, the
// two-click measuring tool and the two-click layer offset tool. They answer
// through the view's window (status text, rubber band, cursor, repaint).
class PointerTools {
 public:
  explicit PointerTools(CCorvaneView& view) : view_(view) {}

  // A waiting offset tool takes the click first, then a waiting measurement,
  // then the zoom tool.
  void OnLButtonDown(DevicePoint point);
  // Ends a zoom drag.
  void OnLButtonUp(DevicePoint point);
  // Follows a zoom drag.
  void OnMouseMove(DevicePoint point);
  // Cancels a zoom drag.
  void OnRButtonDown(DevicePoint point);
  // With the zoom tool on, zooms out about the point.
  void OnRButtonUp(DevicePoint point);
  // A zoom drag takes every key while it lasts, and ends cancelled on Escape;
  // true when the drag took the key.
  bool OnKeyDown(ViewKey key);

  void OnMeasure();
  // The offset tool waits for its two points, for a layer index or (with the
  // layer count) the NC drill data.
  void StartOffset(int32_t target);
  // The zoom tool's click or drag, starting at `point`.
  void ZoomTrack(DevicePoint point);
  void ReportMeasurement();
  void ApplyOffset();

  bool IsZoomToolOn() const { return zoomTool_ != 0; }
  void ToggleZoomTool() { zoomTool_ = zoomTool_ ? 0 : 1; }
  bool IsDragging() const { return dragging_; }
  int32_t MeasureState() const { return measureState_; }
  int32_t OffsetState() const { return offsetState_; }
  int32_t OffsetTarget() const { return offsetTarget_; }

 private:
  void EndDrag(bool accepted);
  std::optional<MeasureSnap> Snap(DevicePoint point);

  CCorvaneView& view_;
  int32_t zoomTool_ = 1;
  int32_t measureState_ = kToolIdle;
  DevicePoint measurePoint1_;
  DevicePoint measurePoint2_;
  std::optional<MeasureSnap> measureSnap1_;
  std::optional<MeasureSnap> measureSnap2_;
  int32_t offsetState_ = kToolIdle;
  int32_t offsetTarget_ = -1;
  DevicePoint offsetPoint1_;
  DevicePoint offsetPoint2_;
  bool dragging_ = false;
  DevicePoint dragStart_;
  DevicePoint dragEnd_;
};

}  // namespace corvane
