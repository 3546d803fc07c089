#pragma once

// What the view asks of whoever inspects the objects under the pointer: the
// view knows pixels and tools, the inspector knows the objects. The view
// reports every free movement, a left click that no tool takes, and Escape;
// the measuring tool asks where a point snaps and how far apart two
// snapped objects are.

#include <optional>
#include <string>

#include "platform/drawing_surface.h"
#include "view/viewport.h"

namespace corvane {

// A measurement's point after snapping, in plot units, and the object there.
struct MeasureSnap {
  PlotPoint at;
  bool onObject = false;
  std::size_t layer = 0;
  uint32_t object = 0;
};

class PointerInspector {
 public:
  virtual ~PointerInspector() = default;
  virtual void PointerAt(DevicePoint pixel) = 0;
  // True when the click chose or cleared something.
  virtual bool Choose(DevicePoint pixel) = 0;
  // True when Escape ended a choice or a highlight.
  virtual bool EndChoice() = 0;
  // Where a measurement's point at `pixel` lands: snapped to the nearest
  // pad centre, line end, arc centre or region corner nearby, or the pixel's
  // own plot point when nothing is near.
  virtual MeasureSnap SnapAt(DevicePoint pixel) = 0;
  // The status text of a measurement between two snapped points.
  virtual std::string MeasurementText(const MeasureSnap& first, const MeasureSnap& second) = 0;
  // Shows or hides the marker of a snap.
  virtual void ShowSnap(const std::optional<MeasureSnap>& snap) = 0;
};

}  // namespace corvane
