#pragma once

// The small set of scanners and field readers that give every reader its
// tolerance: letters before numbers are passed over, missing fields take a
// fallback, and nothing here allocates (except ReadTextField's text) or
// reports. All of them work on NUL-terminated 8-bit text and return the
// position where scanning stopped.

#include <cstdint>
#include <string>
#include <string_view>

#include "document/format_settings.h"

namespace corvane {

// Carriage return, line feed, ';' or the terminating NUL.
bool IsFieldEnd(const char* p);
// Tab, blank or ','.
bool IsSeparator(char c);
const char* SkipBlanks(const char* p);
const char* SkipToBlank(const char* p);
const char* ScanTo(const char* p, char c);
// Blanks and tabs, one optional sign, then digits; `count` gets the digit count.
const char* SkipSignedDigits(const char* p, int& count);
// First case-insensitive occurrence of `word` in `text`, or nullptr. An empty
// word matches at the start of a non-empty text; an empty text matches nothing.
const char* FindNoCase(const char* text, const char* word);

// base^exponent in 32-bit integers, wrapping on overflow. A negative exponent
// gives 1 / base^-exponent in integer arithmetic (0 unless the power is 1 or
// -1); a zero power there yields 0 instead of a division by zero.
int32_t IntPower(int32_t base, int32_t exponent);

// Signed 32-bit conversion of blanks, an optional sign and digits, stopping at
// the first other character; 0 without digits. Long digit runs wrap modulo 2^32.
int32_t ParseInt32(const char* p);
// The C library's text-to-integer and text-to-double conversions (leading white
// space, sign, digits, for reals a fraction and exponent), independent of the
// process locale; 0 when the text holds no number.
int32_t ParseCInt(std::string_view text);
double ParseCDouble(std::string_view text);

const char* ReadIntField(const char* p, int32_t& value, int32_t fallback, bool skipSeparator);
const char* ReadRealField(const char* p, double& value, double fallback, bool skipSeparator);
const char* ReadTextField(const char* p, std::string& text);

// "3,5", "3 5" or "3, 5"; a missing count falls back to 2 and 4.
NumberFormat ReadNumberFormat(const char* text);

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
