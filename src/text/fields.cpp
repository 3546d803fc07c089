#include "text/fields.h"

#include <charconv>
#include <cstddef>

namespace corvane {
namespace {

// Accumulates a run of digits modulo 2^32; the caller applies the sign.
const char* AccumulateDigits(const char* p, uint32_t& magnitude) {
  magnitude = 0;
  while (IsDigit(*p)) {
    magnitude = magnitude * 10u + static_cast<uint32_t>(*p - '0');
    ++p;
  }
  return p;
}

int32_t ApplySign(uint32_t magnitude, bool negative) {
  return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

// Converts a sign and digits; `p` must already stand at the sign or first digit.
int32_t ConvertSignedDigits(const char* p) {
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  uint32_t magnitude = 0;
  AccumulateDigits(p, magnitude);
  return ApplySign(magnitude, negative);
}

// Steps 1 to 5 of the field readers: skip to the number and copy its sign and
// characters into `buffer`. Returns nullptr when the field holds no number
// (the scan stopped at a blank), in which case `stop` is that blank.
template <bool kAcceptPoint>
const char* CopyNumber(const char* p, char* buffer, std::size_t capacity, std::size_t& length,
                       const char*& stop) {
  while (*p == ' ') ++p;
  while (*p != '\0' && !IsDigit(*p) && *p != '-' && *p != '+' && *p != ' ') ++p;
  if (*p == ' ') {
    stop = p;
    return nullptr;
  }
  length = 0;
  if (*p == '-') {
    buffer[length++] = '-';
    ++p;
  } else if (*p == '+') {
    ++p;
  }
  while (IsDigit(*p) || (kAcceptPoint && *p == '.')) {
    if (length < capacity) buffer[length++] = *p;
    ++p;
  }
  return p;
}

const char* SkipFieldSeparator(const char* p) {
  while (*p != '\0' && !IsSeparator(*p)) ++p;
  while (IsSeparator(*p)) ++p;
  return p;
}

}  // namespace

bool IsFieldEnd(const char* p) { return *p == '\r' || *p == '\n' || *p == ';' || *p == '\0'; }

bool IsSeparator(char c) { return c == '\t' || c == ' ' || c == ','; }

const char* SkipBlanks(const char* p) {
  while (IsBlankOrTab(*p)) ++p;
  return p;
}

const char* SkipToBlank(const char* p) {
  while (*p != '\0' && !IsBlankOrTab(*p)) ++p;
  return p;
}

const char* ScanTo(const char* p, char c) {
  while (*p != c && !IsFieldEnd(p)) ++p;
  return p;
}

const char* SkipSignedDigits(const char* p, int& count) {
  p = SkipBlanks(p);
  if (*p == '+' || *p == '-') ++p;
  count = 0;
  while (IsDigit(*p)) {
    ++count;
    ++p;
  }
  return p;
}

int32_t ParseInt32(const char* p) { return ConvertSignedDigits(SkipBlanks(p)); }

int32_t ParseCInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  uint32_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = magnitude * 10u + static_cast<uint32_t>(text[i] - '0');
  }
  return ApplySign(magnitude, negative);
}

double ParseCDouble(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  if (i < text.size() && text[i] == '+') {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) return 0.0;
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value);
  // Out-of-range text still yields the clamped value strtod would give.
  if (error == std::errc::result_out_of_range) return value;
  return error == std::errc() ? value : 0.0;
}

const char* ReadIntField(const char* p, int32_t& value, int32_t fallback, bool skipSeparator) {
  char buffer[18];
  std::size_t length = 0;
  const char* stop = p;
  p = CopyNumber<false>(p, buffer, sizeof buffer, length, stop);
  if (p == nullptr) return stop;
  if (skipSeparator) p = SkipFieldSeparator(p);
  if (length == 0) {
    value = fallback;
  } else {
    const bool negative = buffer[0] == '-';
    uint32_t magnitude = 0;
    for (std::size_t i = negative ? 1 : 0; i < length; ++i) {
      magnitude = magnitude * 10u + static_cast<uint32_t>(buffer[i] - '0');
    }
    value = ApplySign(magnitude, negative);
  }
  return p;
}

const char* ReadRealField(const char* p, double& value, double fallback, bool skipSeparator) {
  char buffer[62];
  std::size_t length = 0;
  const char* stop = p;
  p = CopyNumber<true>(p, buffer, sizeof buffer, length, stop);
  if (p == nullptr) return stop;
  if (skipSeparator) p = SkipFieldSeparator(p);
  if (length == 0) {
    value = fallback;
  } else {
    value = ParseCDouble(std::string_view(buffer, length));
  }
  return p;
}

const char* ReadTextField(const char* p, std::string& text) {
  text.clear();
  while (*p != '\0' && !IsSeparator(*p)) text.push_back(*p++);
  if (*p != '\0') ++p;
  return p;
}

}  // namespace corvane
