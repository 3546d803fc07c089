#include "cli/headless_document.h"

#include <string>

#include "cli/dump_run.h"

namespace corvane {

Prompter::Answer WarningLinePrompter::ShowMessage(std::string_view text, Buttons) {
  writeError_(WarningLine(text));
  return Answer::kOk;
}

std::unique_ptr<HeadlessDocument> HeadlessDocument::Load(const WorkingSetArguments& arguments,
                                                         const OpenSettings& openUserSettings,
                                                         Prompter* prompter,
                                                         const WriteLine& writeError,
                                                         std::string_view command) {
  auto loaded = std::make_unique<HeadlessDocument>();
  if (!arguments.useDefaults && openUserSettings) {
    loaded->userSettings_ = openUserSettings();
    if (loaded->userSettings_ != nullptr) loaded->readOnly_.emplace(*loaded->userSettings_);
  }
  loaded->loader_ = std::make_unique<DocumentLoader>(
      loaded->doc_, loaded->readOnly_ ? &*loaded->readOnly_ : nullptr, prompter);
  loaded->loader_->LoadStoredDefaults();

  const WorkingSetLoad load = LoadWorkingSet(*loaded->loader_, arguments);
  loaded->namedFileUnopened_ = load.namedFileUnopened;
  for (const std::string& name : load.unopened) writeError(WarningLine("cannot open " + name));
  for (const std::string& problem : load.problems) writeError(WarningLine(problem));
  if (!load.Succeeded()) {
    writeError("corvane " + std::string(command) + ": " + load.error);
    return nullptr;
  }
  return loaded;
}

}  // namespace corvane
