#pragma once

#include "platform/drawing_surface.h"
#include "view/device_coordinates.h"
#include "view/viewport.h"

namespace corvane {

// Plot coordinates to device sub-units (1/kSubUnits of a logical unit), the
// mapping of Viewport::ViewX and ViewY scaled: what the standard renderer
// fills with, and what overlays draw on top with. Take it during a paint,
// after the viewport's origin has been updated for that paint.
struct PlotMapping {
  double kx = 1.0;
  double cx = 0.0;
  double ky = 1.0;
  double cy = 0.0;

  static PlotMapping Of(const Viewport& viewport);

  SubPoint Map(double x, double y) const;
  // A plot length as sub-units, clamped like every device value.
  int32_t Length(double size) const;
  double Scale() const { return kx < 0 ? -kx : kx; }
  bool Mirrors() const { return (kx < 0) != (ky < 0); }
};

// Sub-unit coordinates stay within this bound: the device bound in sub-units.
inline constexpr double kSubLimit = kDeviceLimit * kSubUnits;

inline int32_t ToSub(double value) { return ClampTrunc(value, kSubLimit); }

}  // namespace corvane
