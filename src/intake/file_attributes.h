#pragma once

// The X2 file attributes of a file's header, and the function they state.
// Gerber writes them as %TF.Name,value*% or, for readers of before, inside
// comments (G04 #@! TF.Name,value*); Excellon writes the comment form after a
// semicolon (; #@! TF.Name,value).

#include <optional>
#include <string>
#include <string_view>

#include "document/layer_function.h"

namespace corvane {

struct FileAttributes {
  std::string fileFunction;  // ".FileFunction"'s value, "Copper,L1,Top,Signal"
  std::string filePolarity;  // "Positive" or "Negative"
  int32_t layerCount = 0;    // the highest copper layer number the set is said to have; 0 unknown
  bool x2 = false;           // any X2 attribute or object attribute at all
  bool metric = false;       // %MOMM*% or Excellon's METRIC header: today's files
};

// Reads the header of a file's text (its first 16 KiB).
FileAttributes ReadFileAttributes(std::string_view head);

// The function a .FileFunction value (with its .FilePolarity) states for a
// file of `kind`, taken as from `from`; nothing for a value it does not
// know. `layerCount`, when known, tells a bottom layer written by number
// (L4 of 4) from an inner one.
std::optional<LayerFunction> FunctionFromAttribute(std::string_view fileFunction,
                                                   std::string_view filePolarity, FileKind kind,
                                                   FunctionSource from = FunctionSource::kAttributes,
                                                   int32_t layerCount = 0);

}  // namespace corvane
