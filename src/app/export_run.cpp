#include "app/export_run.h"

#include "app/dump_run.h"
#include "app/headless_document.h"
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

  const auto loaded = HeadlessDocument::Load(
      parsed, environment.openUserSettings, environment.prompter, environment.writeError, "export");
  if (loaded == nullptr) return kExitFailure;
  CCorvaneDoc& doc = loaded->Doc();
  if (!environment.writePicture(doc, options.options, error)) {
    environment.writeError("corvane export: cannot write " + options.options.output + ": " + error);
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace corvane
