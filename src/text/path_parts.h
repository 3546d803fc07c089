#pragma once

// Splitting file paths. Work files written on other systems hold backslashes,
// so both '/' and '\' count as folder separators.

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::string_view kPathSeparators = "/\\";

// Position of the last separator, or npos.
inline std::size_t LastSeparator(std::string_view path) {
  return path.find_last_of(kPathSeparators);
}
// Everything before the last separator; empty when there is none.
std::string_view PathFolder(std::string_view path);
// Everything after the last separator; the whole path when there is none.
std::string_view PathFileName(std::string_view path);
// The path with every backslash turned into a slash.
std::string WithForwardSlashes(std::string_view path);

}  // namespace corvane
