#pragma once

// The rules of the headless "layers" command: every file the PATHs hold, one
// line each (`<kind> <side> <type> <path>`), or with --json an array of
// objects with path, kind, side, type, inner, plating and from.

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::string_view kLayersUsage = "usage: corvane layers [--json] PATH...";

struct LayersEnvironment {
  // One line each, without its line end.
  std::function<void(std::string_view)> writeOutput;
  std::function<void(std::string_view)> writeError;
};

// `args` are the arguments after "layers". Returns 0 when every file could be
// read, 1 (after the listing, with a line on standard error for each) when a
// file could not be read or an archive was refused, 2 with the usage line on
// bad arguments.
int RunLayers(std::span<const std::string> args, const LayersEnvironment& environment);

// The command with the program's standard streams.
int RunLayersCommand(int argc, char** argv);

}  // namespace corvane
