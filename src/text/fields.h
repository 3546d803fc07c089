#pragma once

// The lenient field readers and scanners that the file readers, the work file
// and the stored settings share: letters before numbers are passed over,
// missing fields take a fallback, and nothing here allocates (except
// ReadTextField's text) or reports. All of them work on NUL-terminated 8-bit
// text and return the position where scanning stopped.

#include <cstdint>
#include <string>
#include <string_view>

#include "text/ascii.h"

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

}  // namespace corvane
