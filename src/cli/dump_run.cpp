#include "cli/dump_run.h"

#include <array>

#include "cli/document_dump.h"
#include "cli/headless_document.h"
#include "cli/working_set.h"
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

  const auto loaded = HeadlessDocument::Load(parsed, environment.openUserSettings,
                                             environment.prompter, environment.writeError, "dump");
  if (loaded == nullptr) return kExitFailure;
  CCorvaneDoc& doc = loaded->Doc();
  DumpDocument(doc, DumpOptions{parsed.HasFlag(kItemsFlag)}, environment.writeOutput);
  return loaded->NamedFileUnopened() ? kExitFailure : kExitSuccess;
}

}  // namespace corvane
