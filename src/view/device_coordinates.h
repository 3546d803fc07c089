#pragma once

#include <cmath>
#include <cstdint>

#include "platform/drawing_surface.h"

namespace corvane {

// Device coordinates and sizes are kept within this bound before they become
// integers: far beyond any window or page, far inside what the drawing
// back ends and 32-bit arithmetic on differences can take.
inline constexpr double kDeviceLimit = 4194304.0;  // 2^22
// Scroll positions and ranges live in a wider, still safe, range.
inline constexpr double kScrollLimit = 1073741824.0;  // 2^30

// Truncates toward zero after clamping to [-limit, limit]; NaN becomes 0.
inline int32_t ClampTrunc(double value, double limit) {
  if (!(value == value)) return 0;
  if (value > limit) value = limit;
  if (value < -limit) value = -limit;
  return static_cast<int32_t>(value);
}

inline int32_t ToDevice(double value) { return ClampTrunc(value, kDeviceLimit); }
inline int32_t ToScroll(double value) { return ClampTrunc(value, kScrollLimit); }

}  // namespace corvane
