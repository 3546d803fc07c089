#include "app/export_run.h"

#include <optional>

#include "app/dump_run.h"
#include "app/working_set.h"
#include "document/corvane_doc.h"
#include "platform/settings_store.h"

namespace corvane {

int RunExport(std::span<const std::string> args, const ExportEnvironment& environment) {
  const ExportParseResult options = ParseExportArguments(args);
  WorkingSetArguments parsed;
  std::string error;
  if (!options.ok ||
      !ParseWorkingSetArguments(options.options.workingSetArguments, {}, parsed, error)) {
    environment.writeError(kExportUsage);
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
    environment.writeError("corvane export: " + load.error);
    return kExitFailure;
  }
  if (!environment.writePicture(doc, options.options, error)) {
    environment.writeError("corvane export: cannot write " + options.options.output + ": " + error);
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace corvane
