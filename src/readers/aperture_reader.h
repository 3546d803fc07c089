#pragma once

namespace corvane {

class ReadTarget;

// One line of an aperture table (NUL-terminated, without its line end), read
// by the target's format settings. The line's type is the first of the five aperture formats whose
// identifier occurs in it; that format's field order gives the columns. Appends at most one
// aperture (layer -1) when the line has a positive D code and width.
void ReadApertureLine(ReadTarget& target, const char* line);

}  // namespace corvane
