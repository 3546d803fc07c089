#pragma once

// The kind of a file by its first bytes, never by its name: a fab's folder
// holds drill files named .txt and plot files named anything.

#include <cstddef>
#include <string_view>

#include "document/layer_function.h"

namespace corvane {

// How much of a file the identification reads: headers, file attributes and
// the first statements all lie well within it.
inline constexpr std::size_t kSniffBytes = 64 * 1024;

// Gerber (statements ended by '*', parameter blocks), Excellon (an M48 header
// or drill words), a drill tool table ("T01 Plated 0.035" rows), an aperture
// table ("D10 CIRCLE 10" rows), a job file (a JSON object with a header or a
// list of files), an IPC-D-356 netlist (parameter and 3x7 records) or unknown
// (binary, empty, or none of these). Looks at the first kSniffBytes only.
FileKind SniffFileKind(std::string_view head);

// Where the line starting at `pos` ends: its carriage return or line feed,
// or the end of the text. (A plain loop: find_first_of calls memchr for
// every character.)
inline std::size_t LineEnd(std::string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
  return pos;
}

// An archive by its signature: zip, 7z, gzip, bzip2, xz or a POSIX tar header.
bool LooksLikeArchive(std::string_view head);

}  // namespace corvane
