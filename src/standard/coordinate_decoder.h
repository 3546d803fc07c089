#pragma once

// The digits of one coordinate as a number: with an implied decimal point by
// the file's format (leading or trailing zeros omitted), or, where a writer
// put a decimal point, as written.

#include <cstdint>

#include "document/format_settings.h"

namespace corvane {

struct AxisFormat {
  int32_t intDigits = 2;
  int32_t decDigits = 4;
  // Trailing zeros omitted: the digits are padded on the right to
  // intDigits + decDigits before the decimals are counted off.
  bool trailingOmitted = false;
  // Added to the padded digits, in units of the last digit (the document's
  // Gerber offsets for RS-274-D files).
  int64_t offset = 0;
  // multiplier / 10^decDigits.
  double factor = 1e-4;

  // The format of one axis: digit counts held to 0..9, as everywhere.
  static AxisFormat Make(NumberFormat format, bool trailingOmitted, double multiplier = 1.0,
                         double offset = 0.0);
};

// Reads an optional sign, digits and an optional decimal point with more
// digits at `p` (never past `end`) and returns the position after them.
// `found` is false when there are no digits; `value` is then left as it was.
// Offsets apply to absolute coordinates only (`withOffset`).
const char* ReadCoordinate(const char* p, const char* end, const AxisFormat& format,
                           bool withOffset, double& value, bool& found);

}  // namespace corvane
