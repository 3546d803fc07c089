#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// One entry of a chooser's filter list: "NC Drill Files (*.drl)" with "*.drl".
struct FileFilterEntry {
  std::string name;
  std::vector<std::string> patterns;
  friend bool operator==(const FileFilterEntry&, const FileFilterEntry&) = default;
};

// Splits "Name|pattern;pattern|Name|pattern||" into entries; a name without a
// pattern list is dropped, "*.*" is kept as written.
std::vector<FileFilterEntry> ParseFileFilter(std::string_view filter);

// The patterns a file chooser on this system matches for an entry's: "*.*"
// becomes "*", because a file name without a dot has no extension to match;
// a pattern with letters also comes in capitals and in small letters, because
// a board's files are often named in capitals (*.ger finds TOP.GER).
std::vector<std::string> ChooserPatterns(const std::vector<std::string>& patterns);

// "NC Drill Files (*.%s)|*.%s|All Files (*.*)|*.*||" with the extension in both places.
std::string MakeFileFilter(std::string_view kindName, std::string_view extension);

// The path with ".ext" appended when its file name has no extension of its own.
std::string WithDefaultExtension(std::string_view path, std::string_view extension);

}  // namespace corvane
