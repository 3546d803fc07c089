#include "readers/numeric_fields.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane {
int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLow = std::numeric_limits<int32_t>::min();
  constexpr double kHigh = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(std::trunc(value), kLow, kHigh));
}

int32_t IntPower(int32_t base, int32_t exponent) {
  const bool negative = exponent < 0;
  // The magnitude of the exponent as unsigned, so that INT32_MIN is no special case.
  uint32_t remaining =
      negative ? 0u - static_cast<uint32_t>(exponent) : static_cast<uint32_t>(exponent);
  uint32_t result = 1;
  uint32_t square = static_cast<uint32_t>(base);
  while (remaining != 0) {
    if (remaining & 1u) result *= square;
    square *= square;
    remaining >>= 1;
  }
  const auto power = static_cast<int32_t>(result);
  if (!negative) return power;
  return power == 0 ? 0 : 1 / power;
}

int32_t DecodingDigits(int32_t digits) { return std::clamp<int32_t>(digits, 0, 9); }

double DecimalFactor(int32_t decDigits) { return 1.0 / IntPower(10, DecodingDigits(decDigits)); }

const char* DecodeGerberCoordinate(const char* p, NumberFormat format, ZeroSuppression mode,
                                   double offset, double factor, double& value) {
  auto raw = static_cast<uint32_t>(ParseInt32(p));
  int digits = 0;
  p = SkipSignedDigits(p, digits);
  if (mode == kTrailingZerosOmitted) {
    const int wanted = DecodingDigits(format.intDigits) + DecodingDigits(format.decDigits);
    for (; digits < wanted; ++digits) raw *= 10u;
  }
  raw += static_cast<uint32_t>(TruncateToInt32(offset));
  value = static_cast<int32_t>(raw) * factor;
  return p;
}

const char* DecodeDrillCoordinate(const char* p, NumberFormat format, ZeroSuppression mode,
                                  double& raw) {
  raw = ParseInt32(p);
  int digits = 0;
  p = SkipSignedDigits(p, digits);
  if (mode == kTrailingZerosOmitted) {
    const int wanted = DecodingDigits(format.intDigits) + DecodingDigits(format.decDigits);
    for (; digits < wanted; ++digits) raw *= 10.0;
  }
  return p;
}

}  // namespace corvane
