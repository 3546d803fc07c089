#include "cli/export_run.h"

#include "cli/dump_run.h"
#include "cli/headless_document.h"
#include "cli/working_set.h"
#include "document/corvane_doc.h"
#include "platform/settings_store.h"

namespace corvane {

int RunExport(std::span<const std::string> args, const ExportEnvironment& environment) {
  const ExportParseResult options = ParseExportArguments(args);
  if (!options.ok) {
    environment.writeError(kExportUsage);
    return kExitUsage;
  }

  // The classic reading's warning about mixed units says nothing of the standard one.
  const auto loaded = HeadlessDocument::Load(
      options.options.workingSet, environment.openUserSettings,
      options.options.standard ? nullptr : environment.prompter, environment.writeError, "export");
  if (loaded == nullptr) return kExitFailure;
  // Without --standard the picture shows the reading the set asks for.
  ExportOptions chosen = options.options;
  if (loaded->Doc().GetReading() == Reading::kStandard) chosen.standard = true;
  std::string error;
  if (!environment.writePicture(*loaded, chosen, error)) {
    environment.writeError("corvane export: cannot write " + options.options.output + ": " + error);
    return kExitFailure;
  }
  return loaded->NamedFileUnopened() ? kExitFailure : kExitSuccess;
}

}  // namespace corvane
