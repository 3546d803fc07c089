#include "cli/export_run.h"

#include "analysis/board_picture.h"
#include "loading/standard_loader.h"
#include "view/board_style_store.h"

#include "cli/dump_run.h"
#include "cli/headless_document.h"
#include "cli/working_set.h"
#include "document/corvane_doc.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

// The board picture of the loaded set, its notes said once; false when the
// set draws no board at all.
bool ComposeBoard(HeadlessDocument& loaded, ExportOptions& chosen,
                  const ExportEnvironment& environment) {
  BoardStyle style = StoredBoardStyle(loaded.UserSettings());
  for (int paint = 0; paint < 3; ++paint) {
    if (chosen.paints[paint]) style.Choice(static_cast<BoardPaint>(paint)) = *chosen.paints[paint];
  }
  const StandardLoad load =
      LoadStandardModel(loaded.Doc(), loaded.Loader().SettingsBeforeGerberFiles());
  GeometryBuildOptions options;
  options.threads = environment.threads;
  auto picture = std::make_shared<BoardPicture>(
      BuildBoardPicture(load.model, *chosen.board, style, options));
  for (const std::string& note : picture->notes) environment.writeError(WarningLine(note));
  if (picture->Empty()) return false;
  chosen.boardPicture = std::move(picture);
  return true;
}

}  // namespace

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
  if (chosen.board && !ComposeBoard(*loaded, chosen, environment)) {
    environment.writeError("corvane export: cannot write " + options.options.output +
                           ": the working set draws no board");
    return kExitFailure;
  }
  if (!environment.writePicture(*loaded, chosen, error)) {
    environment.writeError("corvane export: cannot write " + options.options.output + ": " + error);
    return kExitFailure;
  }
  return loaded->NamedFileUnopened() ? kExitFailure : kExitSuccess;
}

}  // namespace corvane
