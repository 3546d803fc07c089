#include "readers/drill_tool_reader.h"

#include <string>
#include <string_view>

#include "document/read_target.h"
#include "text/ascii.h"
#include "text/fields.h"

namespace corvane {
namespace {

const char* ReadToolColumn(const char* p, int32_t& tool) {
  p = SkipBlanks(p);
  if (p[0] != '\0' && p[1] != '\0' && !IsDigit(p[0])) ++p;  // the T of T01
  return ReadIntField(p, tool, 0, true);
}

// A word that is neither hole-type text keeps the plating as it was.
const char* ReadHoleTypeColumn(const char* p, const FormatSettings& settings, uint8_t& plating) {
  std::string word;
  p = ReadTextField(SkipBlanks(p), word);
  if (EqualNoCase(word, settings.platedFieldName)) {
    plating = kPlatingPlated;
  } else if (EqualNoCase(word, settings.unplatedFieldName)) {
    plating = kPlatingUnplated;
  }
  return p;
}

const char* ReadDrillToolColumn(const char* p, uint8_t field, const FormatSettings& settings,
                                DrillTool& tool) {
  switch (field) {
    case kDrillToolFieldToolCode:
      return ReadToolColumn(p, tool.tool);
    case kDrillToolFieldHoleType:
      return ReadHoleTypeColumn(p, settings, tool.plating);
    case kDrillToolFieldDiameter:
      p = ReadRealField(p, tool.diameter, 0.0, true);
      tool.diameter *= settings.drillToolMultiplier * 0.001;
      return p;
    case kDrillToolFieldQuantity:
      return ReadIntField(p, tool.quantity, 0, true);
    case kDrillToolFieldSkip:
      // Only a space (or a field end) ends a skipped column, not a tab or comma.
      return ScanTo(SkipBlanks(p), ' ');
    default:
      return p;
  }
}

}  // namespace

void ReadDrillToolLine(ReadTarget& target, const char* line) {
  if (line[0] == ';') return;
  const FormatSettings& settings = target.Settings();
  DrillTool tool;
  tool.tool = -1;
  tool.plating = kPlatingUnknown;
  tool.diameter = -1.0;
  tool.quantity = 0;
  const char* p = SkipBlanks(line);
  for (const uint8_t field : settings.drillToolFieldOrder) {
    p = ReadDrillToolColumn(p, field, settings, tool);
  }
  if (tool.tool > 0 && tool.diameter > 0.0) target.AddDrillTool(tool);
}

}  // namespace corvane
