#pragma once

// Numeric decoding of coordinates: digit counts, powers of ten, and the X and
// Y words of Gerber and NC drill files. The lenient field readers every reader
// uses with them (ReadIntField, SkipBlanks, ...) live in text/fields.h and come
// with this header; ReadNumberFormat comes with document/format_settings.h.

#include <cstdint>

#include "document/format_settings.h"
#include "text/fields.h"

namespace corvane {

// A real truncated toward zero and held inside the 32-bit range first, so that
// the conversion is always defined; NaN gives 0.
int32_t TruncateToInt32(double value);

// base^exponent in 32-bit integers, wrapping on overflow. A negative exponent
// gives 1 / base^-exponent in integer arithmetic (0 unless the power is 1 or
// -1); a zero power there yields 0 instead of a division by zero.
int32_t IntPower(int32_t base, int32_t exponent);

// Digit counts are taken as 0 to 9 wherever they scale or pad a coordinate:
// 10^10 does not fit the 32-bit power and a negative count would divide by
// zero. Counts from FS blocks and from the stored settings go through this.
int32_t DecodingDigits(int32_t digits);
// 1 / 10^decDigits with the count held to 0..9.
double DecimalFactor(int32_t decDigits);

// One Gerber X or Y word after its letter: raw digits, trailing-zero padding in
// 32-bit arithmetic (mode 2), the offset in last-digit units, times `factor`
// (multiplier / 10^decDigits, computed once per statement by the caller).
const char* DecodeGerberCoordinate(const char* p, NumberFormat format, ZeroSuppression mode,
                                   double offset, double factor, double& value);
// One NC drill X or Y word after its letter: the raw value as a real, padded
// with real multiplications by 10 in mode 2. Scaling and offsets are the
// reader's, after this.
const char* DecodeDrillCoordinate(const char* p, NumberFormat format, ZeroSuppression mode,
                                  double& raw);

}  // namespace corvane
