#pragma once

#include <cstdint>

#include "document/format_settings.h"

namespace corvane {

class ReadTarget;

// The NC drill reader's modal state.
struct DrillReaderState {
  int32_t currentTool = 0;  // kept across files; only a clear of the document resets it
  double lastDrillX = 0.0;  // raw, after zero filling; reset per file by the loader
  double lastDrillY = 0.0;
};

// One line of an NC drill file (NUL-terminated, without its line end). A line
// starting with T selects the tool and nothing else; otherwise every upper-case
// X and Y word sets that axis (modal: a missing axis keeps its last raw value)
// and a line with either appends one hit with the current tool.
void ReadDrillLine(ReadTarget& target, DrillReaderState& state, const char* line);

// One X or Y word after its letter, as DecodeDrillCoordinate decodes it (blanks,
// sign, digits wrapping modulo 2^32, trailing-zero padding in mode 2) in a
// single pass over the digits: the drill reader runs it for every hole.
const char* ReadDrillWord(const char* p, NumberFormat format, ZeroSuppression mode, double& raw);

}  // namespace corvane
