#include "app/save_run.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "app/headless_document.h"
#include "app/working_set.h"
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

bool TakeOutputOption(std::vector<std::string>& args, std::string& output) {
  output.clear();
  bool found = false;
  for (std::size_t i = 0; i < args.size() && args[i] != "--";) {
    std::string value;
    std::size_t taken = 1;
    if (args[i] == "-o") {
      if (i + 1 >= args.size()) return false;
      value = args[i + 1];
      taken = 2;
    } else if (args[i].starts_with("-o=")) {
      value = args[i].substr(3);
    } else {
      ++i;
      continue;
    }
    if (found || value.empty()) return false;
    found = true;
    output = value;
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
               args.begin() + static_cast<std::ptrdiff_t>(i + taken));
  }
  return found;
}

int RunSave(std::span<const std::string> args, const DumpEnvironment& environment) {
  std::vector<std::string> rest(args.begin(), args.end());
  std::string output;
  WorkingSetArguments parsed;
  std::string error;
  if (!TakeOutputOption(rest, output) || !ParseWorkingSetArguments(rest, {}, parsed, error)) {
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
  return kExitSuccess;
}

}  // namespace corvane
