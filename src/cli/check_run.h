#pragma once

// The rules of the headless "check" command: the fabrication rules given on
// the command line or in a rules file, run over the working set's geometry,
// one line per finding (or JSON with --json). The Qt side only opens the
// user's settings and connects the two streams.

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "analysis/fabrication_checks.h"
#include "cli/working_set.h"

namespace corvane {

class SettingsStore;

inline constexpr std::string_view kCheckUsage =
    "usage: corvane check [--json] [--rules FILE] [--min-width MM] [--min-clearance MM] "
    "[--min-annular-ring MM] [--min-drill MM] [--min-hole-spacing MM] "
    "[--min-drill-to-copper MM] [--min-mask-web MM] [--min-silk-clearance MM] [--defaults] "
    "[--aperture-file F] [--drill-tool-file F] [--drill-file F] PATH...";

struct CheckEnvironment {
  // Opens the user's settings; called only without --defaults. Only read.
  std::function<std::unique_ptr<SettingsStore>()> openUserSettings;
  // One line each, without its line end.
  std::function<void(std::string_view)> writeOutput;
  std::function<void(std::string_view)> writeError;
  unsigned threads = 0;  // 0 for one per core
};

struct CheckArguments {
  FabricationRules rules;
  bool json = false;
  WorkingSetArguments workingSet;
};

// Reads the arguments after "check": a rules file sets every rule (the
// shop's values for those it leaves out), each --min- option then sets its
// own. Returns false with `error` naming the option or the file when a value
// is no positive length, the file cannot be read, or no rule has a value.
bool ParseCheckArguments(std::span<const std::string> args, CheckArguments& parsed,
                         std::string& error);

// `args` are the arguments after "check". Returns 0 when nothing is found, 1
// when something is (or a file could not be read, or a layer's geometry
// could not be built), 2 with a line saying why on bad arguments.
int RunCheck(std::span<const std::string> args, const CheckEnvironment& environment);

// "<rule> <layers>: at <x> <y> mm, measured <m> mm, required <r> mm[, <detail>]".
std::string FindingLine(const Finding& finding);
// The findings, the counts per rule, the unlisted count and the notes, as JSON.
std::string CheckJson(const FabricationCheckResult& result);

}  // namespace corvane
