#pragma once

// The document of a headless command (dump, save, export), loaded the same
// way for all of them: the user's settings read but never written (none with
// --defaults), a warning line for every file that cannot be opened, and one
// failure line when the working set cannot be loaded at all. A command that
// got its document does the rest of its work, then ends with kExitFailure when
// a file its command line names could not be opened.

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "cli/working_set.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"

namespace corvane {

// A headless command has no message boxes: each message becomes a
// "warning: <text>" line on its error stream.
class WarningLinePrompter : public Prompter {
 public:
  explicit WarningLinePrompter(std::function<void(std::string_view)> writeError)
      : writeError_(std::move(writeError)) {}
  Answer ShowMessage(std::string_view text, Buttons) override;

 private:
  std::function<void(std::string_view)> writeError_;
};

class HeadlessDocument {
 public:
  HeadlessDocument() = default;
  HeadlessDocument(const HeadlessDocument&) = delete;
  HeadlessDocument& operator=(const HeadlessDocument&) = delete;

  using OpenSettings = std::function<std::unique_ptr<SettingsStore>()>;
  using WriteLine = std::function<void(std::string_view)>;

  // Returns null after writing "corvane <command>: <cause>" when the working
  // set cannot be loaded.
  static std::unique_ptr<HeadlessDocument> Load(const WorkingSetArguments& arguments,
                                                const OpenSettings& openUserSettings,
                                                Prompter* prompter, const WriteLine& writeError,
                                                std::string_view command);

  CCorvaneDoc& Doc() { return doc_; }
  DocumentLoader& Loader() { return *loader_; }
  // The user's settings as read (none with --defaults); only read.
  const SettingsStore* UserSettings() const { return readOnly_ ? &*readOnly_ : nullptr; }
  // A file named on the command line (not in a work file) could not be opened.
  bool NamedFileUnopened() const { return namedFileUnopened_; }

 private:
  // Declared before the document, which reads through them.
  std::unique_ptr<SettingsStore> userSettings_;
  std::optional<ReadOnlySettingsStore> readOnly_;
  CCorvaneDoc doc_;
  std::unique_ptr<DocumentLoader> loader_;
  bool namedFileUnopened_ = false;
};

}  // namespace corvane
