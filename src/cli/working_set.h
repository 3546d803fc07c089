#pragma once

// The working set a headless command loads, taken from its arguments:
//
//   [--defaults] [--aperture-file F] [--drill-tool-file F] [--drill-file F] FILE...
//
// plus the command's own options (dump's --items, say). Each FILE (a PATH) is
// a work file when its name ends in ".wrk" in any case, a folder, an archive,
// a job file, or a plot, drill or table file known by its content
// (intake/intake_set.h).

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/argument_parser.h"
#include "intake/intake_set.h"

namespace corvane {

class DocumentLoader;

struct WorkingSetArguments {
  bool useDefaults = false;
  std::string apertureFile;
  std::string drillToolFile;
  std::string drillFile;
  std::vector<std::string> files;
  std::vector<std::string> flags;  // the command's own flags that were given

  bool HasFlag(std::string_view flag) const;
};

// The options every headless command shares.
inline constexpr OptionSpec kWorkingSetOptions[] = {
    {"--defaults"},
    {"--aperture-file", {}, true, "a file name"},
    {"--drill-tool-file", {}, true, "a file name"},
    {"--drill-file", {}, true, "a file name"},
};

// The working set of parsed arguments (the last value of an option given
// twice). At least one file of any kind must be named, and no file option may
// be empty; otherwise returns false with `error` saying why.
bool TakeWorkingSet(const ParsedArguments& parsed, WorkingSetArguments& set, std::string& error);

// Parses the arguments after the command's name for the shared options and
// the command's own flags, which land in `parsed.flags`.
bool ParseWorkingSetArguments(std::span<const std::string> args,
                              std::span<const std::string_view> commandFlags,
                              WorkingSetArguments& parsed, std::string& error);

struct WorkingSetLoad {
  std::vector<std::string> unopened;  // names of files that could not be opened, in order
  // Whole lines about what could not be read: refused archives, files found
  // in a folder or archive that could not be read, with the reason.
  std::vector<std::string> problems;
  // A file the arguments name (not one a work file names) could not be opened.
  bool namedFileUnopened = false;
  std::string error;  // set when the working set cannot be loaded at all
  bool Succeeded() const { return error.empty(); }
};

// Loads the working set into the loader's document: first the work file, when
// one is named, opened as the window opens it (its lines over the settings the
// document already has); then the other PATHs as one set (LoadIntakeSet): a
// plain list of files keeps its order, each plot file a visible layer in the
// default colour of its position, without mirroring or offsets, after the
// work file's layers, while a folder, archive or job file brings its files
// stacked and coloured by function; then the aperture file, the drill tool
// file and the NC drill file of the options, in that order (as a reload
// does), replacing the work file's. A file that cannot be opened is skipped
// and listed; a work file that cannot be opened, or a second one, fails the
// load before anything is read.
WorkingSetLoad LoadWorkingSet(DocumentLoader& loader, const WorkingSetArguments& args);

// The work file, aperture, drill tool and NC drill parts of LoadWorkingSet,
// kept in their own source file (working_set_tables.cpp) beside the loaders.
void LoadWorkFileOfSet(DocumentLoader& loader, const WorkingSetArguments& args,
                       WorkingSetLoad& load);
void LoadTableFiles(DocumentLoader& loader, const WorkingSetArguments& args, WorkingSetLoad& load);
// The PATHs that are no work file, gathered and loaded as one set.
void LoadPathsOfSet(DocumentLoader& loader, const std::vector<std::string>& paths,
                    const WorkingSetArguments& args, WorkingSetLoad& load);

}  // namespace corvane
