#pragma once

// The rules of the headless "netlist" command: the working set's copper
// turned into nets, compared with the reference netlist (--reference FILE,
// else the set's own netlist file, else the copper's net attributes), the
// counts and each open, short and unconnected point printed, or as JSON;
// --write-ipc writes the extracted nets as a netlist file.

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

class SettingsStore;

inline constexpr std::string_view kNetlistUsage =
    "usage: corvane netlist [--json] [--reference FILE] [--write-ipc FILE] [--defaults] "
    "[--aperture-file F] [--drill-tool-file F] [--drill-file F] PATH...";

struct NetlistEnvironment {
  std::function<std::unique_ptr<SettingsStore>()> openUserSettings;
  std::function<void(std::string_view)> writeOutput;  // one line each, without its end
  std::function<void(std::string_view)> writeError;
  unsigned threads = 0;  // for each layer's geometry; 0 for one per core
};

// Returns 0 when there is no open and no short, 1 when there are, 2 for bad
// arguments, a working set that cannot be loaded or has no copper, a
// reference that cannot be read or matches almost nothing, or an extracted
// netlist that cannot be written.
int RunNetlist(std::span<const std::string> args, const NetlistEnvironment& environment);

// The text of a netlist file (a path on disk or inside an archive); nothing
// when it cannot be read.
std::optional<std::string> ReadNetlistText(const std::string& path);

}  // namespace corvane
