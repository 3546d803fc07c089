#include "readers/nc_drill_reader.h"

#include <cstring>
#include <string_view>

#include "document/read_target.h"
#include "readers/numeric_fields.h"
#include "text/ascii.h"

namespace corvane {
namespace {

// 1 / 10^digits for the counts DecodingDigits allows, without a power per hole.
double DrillScale(const FormatSettings& settings) {
  static constexpr double kPowersOfTen[10] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
  return settings.drillMultiplier *
         (1.0 / kPowersOfTen[DecodingDigits(settings.drillFormat.decDigits)]);
}

// Inlined into the line loop; ReadDrillWord is its public face for the tests.
inline const char* DrillWord(const char* p, NumberFormat format, ZeroSuppression mode,
                             double& raw) {
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  uint32_t magnitude = 0;
  int digits = 0;
  for (; IsDigit(*p); ++p, ++digits) magnitude = magnitude * 10u + static_cast<uint32_t>(*p - '0');
  raw = static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
  if (mode == kTrailingZerosOmitted) {
    const int wanted = DecodingDigits(format.intDigits) + DecodingDigits(format.decDigits);
    for (; digits < wanted; ++digits) raw *= 10.0;
  }
  return p;
}

}  // namespace

const char* ReadDrillWord(const char* p, NumberFormat format, ZeroSuppression mode, double& raw) {
  return DrillWord(p, format, mode, raw);
}

void ReadDrillLine(ReadTarget& target, DrillReaderState& state, const char* line) {
  const char* p = SkipBlanks(line);
  if (*p == 'T' || *p == 't') {
    ++p;
    state.currentTool = ParseCInt(std::string_view(p, std::strlen(p)));
    return;
  }
  if (*p == '\0') return;

  const FormatSettings& settings = target.Settings();
  double x = state.lastDrillX;
  double y = state.lastDrillY;
  bool seen = false;
  while (*p != '\0') {
    if (*p == 'X') {
      p = DrillWord(p + 1, settings.drillFormat, settings.drillCompression, x);
      seen = true;
    } else if (*p == 'Y') {
      p = DrillWord(p + 1, settings.drillFormat, settings.drillCompression, y);
      seen = true;
    } else {
      ++p;
    }
  }
  if (!seen) return;

  state.lastDrillX = x;
  state.lastDrillY = y;
  const double scale = DrillScale(settings);
  target.AddDrillHit(DrillHit{state.currentTool, x * scale + settings.drillOffsetX,
                              y * scale + settings.drillOffsetY});
}

}  // namespace corvane
