#pragma once

namespace corvane {

class CCorvaneDoc;

// One line of an NC drill file (NUL-terminated, without its line end). A line
// starting with T selects the tool and nothing else; otherwise every upper-case
// X and Y word sets that axis (modal: a missing axis keeps its last raw value)
// and a line with either appends one hit with the current tool.
void ReadDrillLine(CCorvaneDoc& doc, const char* line);

}  // namespace corvane
