#pragma once

namespace corvane {

class ReadTarget;

// One line of a drill tool table (NUL-terminated, without its line end). A
// line whose very first character is ';' is a comment. The columns follow the
// drill tool field order; appends at most one tool when the line has a
// positive tool number and diameter.
void ReadDrillToolLine(ReadTarget& target, const char* line);

}  // namespace corvane
