#pragma once

#include <string>
#include <string_view>

namespace corvane {

// What a save or an open reports: on failure a text naming the file and the
// cause, fit to be shown to the user as it stands.
struct FileResult {
  bool ok = true;
  std::string message;
};

// Replaces the file at `path` with `contents` so that the old file survives
// any failure: the text goes to a new file in the same folder, is flushed to
// disk, and only then renamed over the target. An existing target keeps its
// permissions; a symbolic link is followed and the file it names replaced.
FileResult WriteFileAtomically(const std::string& path, std::string_view contents);

}  // namespace corvane
