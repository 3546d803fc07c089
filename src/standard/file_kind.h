#pragma once

#include <string_view>

namespace corvane {

// Whether a file named as a plot file is in truth an Excellon drill file, by
// its content: an M48 header, or drill words without a single Gerber
// statement ending (`*`) or parameter block in the first part of the file.
bool LooksLikeExcellon(std::string_view text);

}  // namespace corvane
