#pragma once

#include <cstdint>

namespace corvane {

// One notch of an ordinary mouse wheel, in the eighths of a degree that wheel
// events count in.
inline constexpr int32_t kWheelNotch = 120;

// Turns the angle deltas of a wheel into whole notches. A high-resolution
// wheel or a touchpad sends small deltas; they add up until they make a
// notch, and the rest waits for the next event. Turning back drops what was
// left of the other direction, so the wheel answers at once.
class WheelNotches {
 public:
  // The whole notches this delta completes; positive away from the user.
  int32_t Add(int32_t delta);
  // Forgets the part-notch left over.
  void Reset() { remainder_ = 0; }
  int32_t Remainder() const { return static_cast<int32_t>(remainder_); }

 private:
  int64_t remainder_ = 0;  // always within one notch of zero
};

}  // namespace corvane
