#include "dialogs/data_exchange.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <system_error>

#include "platform/prompter.h"

namespace corvane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Takes one leading sign off `text`; true for '-'.
bool TakeSign(std::string_view& text) {
  if (text.empty() || (text.front() != '+' && text.front() != '-')) return false;
  const bool negative = text.front() == '-';
  text.remove_prefix(1);
  return negative;
}

// Digits, at most one point, at least one digit, then an optional exponent
// with its own optional sign and at least one digit.
bool IsPlainDecimal(std::string_view text) {
  std::size_t i = 0;
  int digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (IsDecimalDigit(text[i])) {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i == text.size()) return true;
  if (text[i] != 'e' && text[i] != 'E') return false;
  ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i)
    if (!IsDecimalDigit(text[i])) return false;
  return true;
}

// The power of ten of the first significant digit of a plain decimal, so that
// a value out of a double's range can be told too large from too small.
int64_t DecimalMagnitude(std::string_view text) {
  int64_t position = 0;  // digits before the point, less the leading zeros
  bool seenPoint = false;
  bool seenSignificant = false;
  int64_t magnitude = 0;
  std::size_t i = 0;
  for (; i < text.size() && (IsDecimalDigit(text[i]) || text[i] == '.'); ++i) {
    if (text[i] == '.') {
      seenPoint = true;
      continue;
    }
    if (!seenPoint) ++position;
    if (!seenSignificant && text[i] != '0') {
      seenSignificant = true;
      magnitude = seenPoint ? position - static_cast<int64_t>(i) : position - 1;
    }
  }
  if (!seenSignificant) return 0;
  int64_t exponent = 0;
  if (i < text.size()) {
    std::string_view rest = text.substr(i + 1);
    const bool negative = TakeSign(rest);
    for (char c : rest) exponent = std::min<int64_t>(exponent * 10 + (c - '0'), 1'000'000'000);
    if (negative) exponent = -exponent;
  }
  return magnitude + exponent;
}

}  // namespace

std::optional<int32_t> ParseIntegerField(std::string_view text) {
  text = TrimBlanks(text);
  const bool negative = TakeSign(text);
  if (text.empty()) return std::nullopt;
  for (char c : text)
    if (!IsDecimalDigit(c)) return std::nullopt;
  // Accumulate in 64 bits and stop once past the 32-bit range, so that any
  // number of digits is refused rather than wrapped.
  int64_t magnitude = 0;
  for (char c : text) {
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > int64_t{INT32_MAX} + 1) return std::nullopt;
  }
  const int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::optional<double> ParseRealField(std::string_view text) {
  text = TrimBlanks(text);
  const bool negative = TakeSign(text);
  if (!IsPlainDecimal(text)) return std::nullopt;
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (end != text.data() + text.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    // A value too small for a double is still the number the user meant,
    // which is zero here; only one too large is refused.
    if (DecimalMagnitude(text) > 0) return std::nullopt;
    value = 0.0;
  } else if (error != std::errc{}) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::string FormatRealField(double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 15);
  return std::string(buffer.data(), result.ptr);
}

bool DataExchange::Integer(int32_t controlId, std::string_view text, int32_t& value) {
  if (Failed()) return false;
  const auto parsed = ParseIntegerField(text);
  if (!parsed) {
    Fail(controlId, kEnterIntegerMessage);
    return false;
  }
  value = *parsed;
  return true;
}

bool DataExchange::Real(int32_t controlId, std::string_view text, double& value) {
  if (Failed()) return false;
  const auto parsed = ParseRealField(text);
  if (!parsed) {
    Fail(controlId, kEnterNumberMessage);
    return false;
  }
  value = *parsed;
  return true;
}

void DataExchange::Fail(int32_t controlId, std::string_view message) {
  failedControl_ = controlId;
  if (prompter_ != nullptr) prompter_->ShowMessage(message, Prompter::Buttons::kOk);
}

}  // namespace corvane
