#include "standard/coordinate_decoder.h"

#include <cmath>

#include "readers/numeric_fields.h"
#include "text/ascii.h"

namespace corvane {
namespace {

// Digits kept of one number: 10^18 still fits 63 bits with room for padding.
constexpr int kMaxDigits = 18;

constexpr uint64_t kPowers[kMaxDigits + 1] = {1ull,
                                              10ull,
                                              100ull,
                                              1000ull,
                                              10000ull,
                                              100000ull,
                                              1000000ull,
                                              10000000ull,
                                              100000000ull,
                                              1000000000ull,
                                              10000000000ull,
                                              100000000000ull,
                                              1000000000000ull,
                                              10000000000000ull,
                                              100000000000000ull,
                                              1000000000000000ull,
                                              10000000000000000ull,
                                              100000000000000000ull,
                                              1000000000000000000ull};

}  // namespace

AxisFormat AxisFormat::Make(NumberFormat format, bool trailingOmitted, double multiplier,
                            double offset) {
  AxisFormat axis;
  axis.intDigits = DecodingDigits(format.intDigits);
  axis.decDigits = DecodingDigits(format.decDigits);
  axis.trailingOmitted = trailingOmitted;
  // Truncated toward zero as the classic reading does, held where it cannot overflow.
  const double whole = std::trunc(offset);
  axis.offset =
      std::isfinite(whole) ? static_cast<int64_t>(std::fmax(-1e15, std::fmin(1e15, whole))) : 0;
  axis.factor = multiplier / static_cast<double>(kPowers[axis.decDigits]);
  return axis;
}

const char* ReadCoordinate(const char* p, const char* end, const AxisFormat& format,
                           bool withOffset, double& value, bool& found) {
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  uint64_t digits = 0;
  int count = 0;
  for (; p < end && IsDigit(*p); ++p) {
    if (count < kMaxDigits) {
      digits = digits * 10 + static_cast<uint64_t>(*p - '0');
      ++count;
    }
  }
  if (p < end && *p == '.') {
    uint64_t fraction = 0;
    int fractionCount = 0;
    for (++p; p < end && IsDigit(*p); ++p) {
      if (fractionCount < kMaxDigits) {
        fraction = fraction * 10 + static_cast<uint64_t>(*p - '0');
        ++fractionCount;
      }
    }
    found = count + fractionCount > 0;
    if (!found) return p;
    const double number =
        static_cast<double>(digits) +
        static_cast<double>(fraction) / static_cast<double>(kPowers[fractionCount]);
    value = negative ? -number : number;
    return p;
  }
  found = count > 0;
  if (!found) return p;
  const int total = format.intDigits + format.decDigits;
  if (format.trailingOmitted && count < total) digits *= kPowers[total - count];
  int64_t raw = negative ? -static_cast<int64_t>(digits) : static_cast<int64_t>(digits);
  if (withOffset) raw += format.offset;
  value = static_cast<double>(raw) * format.factor;
  return p;
}

}  // namespace corvane
