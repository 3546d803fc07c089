#pragma once

// The rules of the headless "dump" command: arguments, which settings are
// read, what goes to standard output and standard error, the exit status. The
// Qt side only opens the user's settings and connects the two streams.

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

class Prompter;
class SettingsStore;

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

inline constexpr std::string_view kDumpUsage =
    "usage: corvane dump [--items] [--standard] [--defaults] [--aperture-file F] "
    "[--drill-tool-file F] [--drill-file F] FILE...";

struct DumpEnvironment {
  // Opens the user's settings; called only when --defaults is not given. The
  // store is only read.
  std::function<std::unique_ptr<SettingsStore>()> openUserSettings;
  // Receives the messages of the load (the mixed-units warning); may be null.
  Prompter* prompter = nullptr;
  // One line each, without its line end.
  std::function<void(std::string_view)> writeOutput;
  std::function<void(std::string_view)> writeError;
};

// `args` are the arguments after "dump"; with --standard the records are those
// of the standard model (standard/standard_dump.h) instead of the document's.
// Returns the exit status: 0 after the dump, 2 with the usage line on bad
// arguments, 1 when the working set cannot be loaded at all (nothing is
// dumped) or, after the dump, when a file the arguments name could not be
// opened.
int RunDump(std::span<const std::string> args, const DumpEnvironment& environment);

// How a warning reads on standard error.
std::string WarningLine(std::string_view text);

}  // namespace corvane
