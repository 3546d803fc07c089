#include "app/dump_run.h"

#include <array>
#include <optional>

#include "app/document_dump.h"
#include "app/working_set.h"
#include "document/corvane_doc.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

constexpr std::string_view kItemsFlag = "--items";
constexpr std::array<std::string_view, 1> kDumpFlags{kItemsFlag};

}  // namespace

std::string WarningLine(std::string_view text) { return "warning: " + std::string(text); }

int RunDump(std::span<const std::string> args, const DumpEnvironment& environment) {
  WorkingSetArguments parsed;
  std::string error;  // the usage line says enough for a command line
  if (!ParseWorkingSetArguments(args, kDumpFlags, parsed, error)) {
    environment.writeError(kDumpUsage);
    return kExitUsage;
  }

  // The user's settings are read through a store that drops every write.
  std::unique_ptr<SettingsStore> userSettings;
  std::optional<ReadOnlySettingsStore> readOnly;
  if (!parsed.useDefaults && environment.openUserSettings) {
    userSettings = environment.openUserSettings();
    if (userSettings != nullptr) readOnly.emplace(*userSettings);
  }
  CCorvaneDoc doc(readOnly ? &*readOnly : nullptr, environment.prompter);

  const WorkingSetLoad load = LoadWorkingSet(doc, parsed);
  for (const std::string& name : load.unopened) {
    environment.writeError(WarningLine("cannot open " + name));
  }
  if (!load.Succeeded()) {
    environment.writeError("corvane dump: " + load.error);
    return kExitFailure;
  }
  DumpDocument(doc, DumpOptions{parsed.HasFlag(kItemsFlag)}, environment.writeOutput);
  return kExitSuccess;
}

}  // namespace corvane
