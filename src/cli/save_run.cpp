#include "cli/save_run.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "cli/headless_document.h"
#include "cli/working_set.h"
#include "document/corvane_doc.h"
#include "document/work_file.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

// The work file keeps bare names only for files beside it and every other
// name as it was loaded, so each name is made absolute first: a relative path
// would otherwise be read back against the current folder of whoever opens it.
std::string Absolute(const std::string& name) {
  if (name.empty()) return name;
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(name, error);
  return error ? name : path.lexically_normal().string();
}

void MakeNamesAbsolute(WorkingSetArguments& parsed) {
  for (std::string& file : parsed.files) file = Absolute(file);
  parsed.apertureFile = Absolute(parsed.apertureFile);
  parsed.drillToolFile = Absolute(parsed.drillToolFile);
  parsed.drillFile = Absolute(parsed.drillFile);
}

}  // namespace

bool ParseSaveArguments(std::span<const std::string> args, std::string& output,
                        WorkingSetArguments& set) {
  static constexpr OptionSpec kOutput[] = {{"-o", {}, true, "a work file name"}};
  ParsedArguments parsed;
  std::string error;  // the usage line says enough for a command line
  if (!ParseArguments(args, JoinOptions({kWorkingSetOptions, kOutput}), parsed, error) ||
      !TakeWorkingSet(parsed, set, error) || parsed.Count("-o") != 1) {
    return false;
  }
  output = *parsed.Value("-o");
  return !output.empty();
}

int RunSave(std::span<const std::string> args, const DumpEnvironment& environment) {
  std::string output;
  WorkingSetArguments parsed;
  if (!ParseSaveArguments(args, output, parsed)) {
    environment.writeError(kSaveUsage);
    return kExitUsage;
  }
  MakeNamesAbsolute(parsed);
  output = Absolute(output);

  const auto loaded = HeadlessDocument::Load(parsed, environment.openUserSettings,
                                             environment.prompter, environment.writeError, "save");
  if (loaded == nullptr) return kExitFailure;
  CCorvaneDoc& doc = loaded->Doc();
  const FileResult saved = WriteWorkFile(doc, output);
  if (!saved.ok) {
    environment.writeError("corvane save: " + saved.message);
    return kExitFailure;
  }
  return loaded->NamedFileUnopened() ? kExitFailure : kExitSuccess;
}

}  // namespace corvane
