#include "readers/nc_drill_reader.h"

#include <cstring>
#include <string_view>

#include "document/corvane_doc.h"
#include "readers/numeric_fields.h"

namespace corvane {

void ReadDrillLine(CCorvaneDoc& doc, const char* line) {
  DrillReaderState& state = doc.DrillState();
  const char* p = SkipBlanks(line);
  if (*p == 'T' || *p == 't') {
    ++p;
    state.currentTool = ParseCInt(std::string_view(p, std::strlen(p)));
    return;
  }
  if (*p == '\0') return;

  const FormatSettings& settings = doc.Settings();
  double x = state.lastDrillX;
  double y = state.lastDrillY;
  bool seen = false;
  while (*p != '\0') {
    if (*p == 'X') {
      p = DecodeDrillCoordinate(p + 1, settings.drillFormat, settings.drillCompression, x);
      seen = true;
    } else if (*p == 'Y') {
      p = DecodeDrillCoordinate(p + 1, settings.drillFormat, settings.drillCompression, y);
      seen = true;
    } else {
      ++p;
    }
  }
  if (!seen) return;

  state.lastDrillX = x;
  state.lastDrillY = y;
  const double scale = settings.drillMultiplier * DecimalFactor(settings.drillFormat.decDigits);
  doc.AddDrillHit(DrillHit{state.currentTool, x * scale + settings.drillOffsetX,
                           y * scale + settings.drillOffsetY});
}

}  // namespace corvane
