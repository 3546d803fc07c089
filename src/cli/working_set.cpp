#include "cli/working_set.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "loading/intake_loader.h"
#include "text/ascii.h"

namespace corvane {
namespace {

struct FileOption {
  std::string_view name;
  std::string WorkingSetArguments::*field;
};

constexpr std::array<FileOption, 3> kFileOptions{{
    {"--aperture-file", &WorkingSetArguments::apertureFile},
    {"--drill-tool-file", &WorkingSetArguments::drillToolFile},
    {"--drill-file", &WorkingSetArguments::drillFile},
}};

}  // namespace

bool WorkingSetArguments::HasFlag(std::string_view flag) const {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

bool TakeWorkingSet(const ParsedArguments& parsed, WorkingSetArguments& set, std::string& error) {
  set = WorkingSetArguments{};
  set.useDefaults = parsed.Has("--defaults");
  for (const FileOption& option : kFileOptions) {
    const std::string* value = parsed.Value(option.name);
    if (value == nullptr) continue;
    if (value->empty()) {
      error = std::string(option.name) + " needs a file name";
      return false;
    }
    set.*(option.field) = *value;
  }
  set.files = parsed.operands;
  if (set.files.empty() && set.apertureFile.empty() && set.drillToolFile.empty() &&
      set.drillFile.empty()) {
    error = "no file given";
    return false;
  }
  return true;
}

bool ParseWorkingSetArguments(std::span<const std::string> args,
                              std::span<const std::string_view> commandFlags,
                              WorkingSetArguments& parsed, std::string& error) {
  std::vector<OptionSpec> options(std::begin(kWorkingSetOptions), std::end(kWorkingSetOptions));
  for (const std::string_view flag : commandFlags) options.push_back({flag});
  ParsedArguments given;
  if (!ParseArguments(args, options, given, error) || !TakeWorkingSet(given, parsed, error)) {
    return false;
  }
  for (const std::string_view flag : commandFlags) {
    if (given.Has(flag)) parsed.flags.emplace_back(flag);
  }
  return true;
}

WorkingSetLoad LoadWorkingSet(DocumentLoader& loader, const WorkingSetArguments& args) {
  WorkingSetLoad load;
  // First, since opening a work file clears the document.
  LoadWorkFileOfSet(loader, args, load);
  if (!load.Succeeded()) return load;
  std::vector<std::string> paths;
  for (const std::string& file : args.files) {
    if (!IsWorkFileName(file)) paths.push_back(file);
  }
  if (!paths.empty()) LoadPathsOfSet(loader, paths, args, load);
  LoadTableFiles(loader, args, load);
  return load;
}

void LoadPathsOfSet(DocumentLoader& loader, const std::vector<std::string>& paths,
                    const WorkingSetArguments& args, WorkingSetLoad& load) {
  const IntakeSet set = GatherIntake(paths);
  for (const std::string& refusal : set.refusals) load.problems.push_back(refusal);
  IntakeLoadOptions options;
  options.ncDrillGiven = !args.drillFile.empty();
  LoadIntakeSet(loader, set, options);
  for (const IntakeFile& file : set.files) {
    if (file.problem.empty()) continue;
    // A missing file reads as it always did.
    if (file.problem == std::strerror(ENOENT)) {
      load.unopened.push_back(file.path);
    } else {
      load.problems.push_back("cannot open " + file.path + ": " + file.problem);
    }
  }
  if (set.HasProblems()) load.namedFileUnopened = true;
}

}  // namespace corvane
