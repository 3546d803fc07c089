#include "app/file_filter.h"

#include <algorithm>

#include "text/ascii.h"
#include "text/path_parts.h"

namespace corvane {
namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find(separator, start);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end;
    parts.emplace_back(text.substr(start, stop - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return parts;
}

}  // namespace

std::vector<FileFilterEntry> ParseFileFilter(std::string_view filter) {
  std::vector<FileFilterEntry> entries;
  const std::vector<std::string> parts = Split(filter, '|');
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty() || parts[i + 1].empty()) break;  // "||" ends the list
    FileFilterEntry entry{parts[i], {}};
    for (std::string& pattern : Split(parts[i + 1], ';')) {
      if (!pattern.empty()) entry.patterns.push_back(std::move(pattern));
    }
    if (!entry.patterns.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<std::string> ChooserPatterns(const std::vector<std::string>& patterns) {
  std::vector<std::string> result;
  const auto add = [&result](std::string pattern) {
    if (std::find(result.begin(), result.end(), pattern) == result.end()) {
      result.push_back(std::move(pattern));
    }
  };
  for (const std::string& pattern : patterns) {
    if (pattern == "*.*") {
      add("*");
      continue;
    }
    std::string upper = pattern;
    std::string lower = pattern;
    for (char& c : upper) c = UpperAscii(c);
    for (char& c : lower) c = LowerAscii(c);
    add(pattern);
    add(std::move(lower));
    add(std::move(upper));
  }
  return result;
}

std::string MakeFileFilter(std::string_view kindName, std::string_view extension) {
  const std::string ext(extension);
  return std::string(kindName) + " (*." + ext + ")|*." + ext + "|All Files (*.*)|*.*||";
}

std::string WithDefaultExtension(std::string_view path, std::string_view extension) {
  const std::string_view name = PathFileName(path);
  if (name.empty() || extension.empty() || name.find('.') != std::string_view::npos) {
    return std::string(path);
  }
  return std::string(path) + "." + std::string(extension);
}

}  // namespace corvane
