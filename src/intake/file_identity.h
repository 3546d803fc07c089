#pragma once

// What one file of a set is: its kind by content, then its function from the
// strongest evidence there is. X2 file attributes win over the job file, the
// job file over the file's name, the name over what the drawing looks like.

#include <cstddef>
#include <string_view>

#include "document/layer_function.h"

namespace corvane {

struct JobFile;

struct FileIdentity {
  LayerFunction function;
  // The file uses what only the standard reading draws or reads as written:
  // X2 attributes, millimetres, regions, clear polarity, macros, blocks,
  // step and repeat, Excellon routing.
  bool usesTodaysFormats = false;
};

// `name` is the file's path or name, `head` its first kSniffBytes (or all of
// it), `size` its whole length. `job` is the set's job file, when it has one.
FileIdentity IdentifyFile(std::string_view name, std::string_view head, std::size_t size,
                          const JobFile* job);

}  // namespace corvane
