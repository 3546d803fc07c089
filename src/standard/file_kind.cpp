#include "standard/file_kind.h"

#include "text/ascii.h"

namespace corvane {
namespace {

// Enough to see the header or the first statements of any file.
constexpr std::size_t kSniffBytes = 64 * 1024;

bool StartsWith(std::string_view line, std::string_view prefix) {
  return line.size() >= prefix.size() && line.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool LooksLikeExcellon(std::string_view text) {
  text = text.substr(0, kSniffBytes);
  bool drillWords = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.empty() || line.front() == ';') continue;  // Excellon comments say anything
    // A Gerber statement or parameter block anywhere settles it.
    if (line.find('*') != std::string_view::npos || line.front() == '%') {
      if (line != "%") return false;  // a lone "%" is Excellon's rewind stop
      continue;
    }
    if (StartsWith(line, "M48")) return true;
    const char c = line.front();
    if ((c == 'T' || c == 'X' || c == 'Y') && line.size() > 1 && IsDigit(line[1])) {
      drillWords = true;
    }
  }
  return drillWords;
}

}  // namespace corvane
