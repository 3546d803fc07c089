#include "cli/dump_run.h"

#include <array>

#include "cli/document_dump.h"
#include "cli/headless_document.h"
#include "cli/working_set.h"
#include "document/corvane_doc.h"
#include "loading/standard_loader.h"
#include "platform/settings_store.h"
#include "standard/standard_dump.h"

namespace corvane {
namespace {

constexpr std::string_view kItemsFlag = "--items";
constexpr std::string_view kStandardFlag = "--standard";
constexpr std::array<std::string_view, 2> kDumpFlags{kItemsFlag, kStandardFlag};

// The standard model of the loaded working set, its records after it.
int DumpStandard(HeadlessDocument& loaded, bool items, const DumpEnvironment& environment) {
  const StandardLoad load =
      LoadStandardModel(loaded.Doc(), loaded.Loader().SettingsBeforeGerberFiles());
  for (const std::string& path : load.unopened)
    environment.writeError(WarningLine("cannot open " + path));
  DumpStandardModel(load.model, StandardDumpOptions{items}, environment.writeOutput);
  return loaded.NamedFileUnopened() || !load.unopened.empty() ? kExitFailure : kExitSuccess;
}

}  // namespace

std::string WarningLine(std::string_view text) { return "warning: " + std::string(text); }

int RunDump(std::span<const std::string> args, const DumpEnvironment& environment) {
  WorkingSetArguments parsed;
  std::string error;  // the usage line says enough for a command line
  if (!ParseWorkingSetArguments(args, kDumpFlags, parsed, error)) {
    environment.writeError(kDumpUsage);
    return kExitUsage;
  }

  // The classic reading's warning about mixed units says nothing of the standard one.
  const bool standard = parsed.HasFlag(kStandardFlag);
  const auto loaded = HeadlessDocument::Load(parsed, environment.openUserSettings,
                                             standard ? nullptr : environment.prompter,
                                             environment.writeError, "dump");
  if (loaded == nullptr) return kExitFailure;
  if (standard) return DumpStandard(*loaded, parsed.HasFlag(kItemsFlag), environment);
  CCorvaneDoc& doc = loaded->Doc();
  DumpDocument(doc, DumpOptions{parsed.HasFlag(kItemsFlag)}, environment.writeOutput);
  return loaded->NamedFileUnopened() ? kExitFailure : kExitSuccess;
}

}  // namespace corvane
