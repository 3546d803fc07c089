#pragma once

// The rules of the headless "stats" command: each layer of the working set
// as exact geometry, one line per layer (or a JSON array) with its dark area,
// islands, holes, extents and object count. The Qt side only opens the
// user's settings and connects the two streams.

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "geometry/layer_geometry.h"

namespace corvane {

class Prompter;
class SettingsStore;

inline constexpr std::string_view kStatsUsage =
    "usage: corvane stats [--json] [--defaults] [--aperture-file F] [--drill-tool-file F] "
    "[--drill-file F] FILE...";

struct StatsEnvironment {
  // Opens the user's settings; called only without --defaults. Only read.
  std::function<std::unique_ptr<SettingsStore>()> openUserSettings;
  // One line each, without its line end.
  std::function<void(std::string_view)> writeOutput;
  std::function<void(std::string_view)> writeError;
  // Threads for each layer's geometry; 0 for one per core.
  unsigned threads = 0;
};

// `args` are the arguments after "stats". Returns 0 after the report, 2 with
// the usage line on bad arguments, 1 when the working set cannot be loaded,
// or, after the report, when a file could not be read or a layer's geometry
// could not be built within its bound.
int RunStats(std::span<const std::string> args, const StatsEnvironment& environment);

// One layer's line: "<path>: <area> mm², <n> islands, <n> holes, extents
// <x0> <y0> <x1> <y1> mm, <n> objects" (areas and lengths to 1e-6 mm).
std::string StatsLine(const std::string& path, const LayerGeometry& geometry);

}  // namespace corvane
