#include "view/wheel_notches.h"

namespace corvane {

int32_t WheelNotches::Add(int32_t delta) {
  if ((delta > 0 && remainder_ < 0) || (delta < 0 && remainder_ > 0)) remainder_ = 0;
  // In 64 bits: the rest and any 32-bit delta add up without overflow, and
  // the notches of one delta always fit 32 bits.
  const int64_t total = remainder_ + delta;
  const int64_t notches = total / kWheelNotch;  // toward zero
  remainder_ = total - notches * kWheelNotch;
  return static_cast<int32_t>(notches);
}

}  // namespace corvane
