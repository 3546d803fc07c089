#pragma once

// The rules of the headless "diff" command: two working sets (any PATH the
// program opens) compared as made, one line per place that differs, or with
// --json one object of the layers and what is unmatched. The exit status
// gates a script: 0 when nothing differs beyond the tolerance and every layer
// is paired, 1 when something differs or a layer is unmatched, 2 for bad
// arguments or a set that cannot be read. The Qt side only opens the user's
// settings and connects the two streams.

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "analysis/board_comparison.h"

namespace corvane {

class SettingsStore;

inline constexpr std::string_view kDiffUsage =
    "usage: corvane diff [--json] [--tolerance MM] [--png DIR] [--defaults] OLD NEW";

struct DiffEnvironment {
  // Opens the user's settings; called only without --defaults. Only read.
  std::function<std::unique_ptr<SettingsStore>()> openUserSettings;
  // One line each, without its line end.
  std::function<void(std::string_view)> writeOutput;
  std::function<void(std::string_view)> writeError;
  unsigned threads = 0;  // 0 for one per core
};

// `args` are the arguments after "diff".
int RunDiff(std::span<const std::string> args, const DiffEnvironment& environment);

// A tolerance as typed, in millimetres: a finite number, zero or more, up to
// a metre; nothing for any other text.
std::optional<double> ParseTolerance(std::string_view text);

// One place's line: "<path> <added|removed> <area> mm² <x0> <y0> <x1> <y1> mm"
// (to 1e-6 mm).
std::string DiffLine(const std::string& path, const DifferencePlace& place);

}  // namespace corvane
