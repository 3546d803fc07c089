#pragma once

// The rules of the headless "save" command: it loads a working set as "dump"
// does and writes it as a work file, so that scripts and CAM pipelines can
// prepare work files for the viewer. Exit statuses are those of dump.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/dump_run.h"

namespace corvane {

inline constexpr std::string_view kSaveUsage =
    "usage: corvane save [--defaults] [--aperture-file F] [--drill-tool-file F] "
    "[--drill-file F] -o OUT.wrk FILE...";

struct WorkingSetArguments;

// The arguments after "save": the working set and "-o OUT" (or "-o=OUT") once,
// with a name. False when they do not parse or -o is missing, given twice or
// empty.
bool ParseSaveArguments(std::span<const std::string> args, std::string& output,
                        WorkingSetArguments& set);

// `args` are the arguments after "save". Returns 0 once the work file is
// written, 2 with the usage line on bad arguments, 1 when the working set
// cannot be loaded or the work file cannot be written (an existing output
// file is then left as it was), and 1 after writing it when a file the
// arguments name could not be opened. Uses the environment's error stream only.
int RunSave(std::span<const std::string> args, const DumpEnvironment& environment);

}  // namespace corvane
