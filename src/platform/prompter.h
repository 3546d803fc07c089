#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// What an open-file or save-file chooser is asked to show.
struct FileChooserRequest {
  enum class Mode { kOpen, kSave, kFolder };  // kFolder: an existing folder
  Mode mode = Mode::kOpen;
  std::string title;          // "Open", "Save As"; empty for the platform's own
  std::string filter;         // "Name (*.ext)|*.ext|All Files (*.*)|*.*||"
  std::string defaultExt;     // without the dot; appended to a typed name that has none
  std::string initialDir;     // empty: the platform's choice
  std::string initialName;    // file name proposed in a save chooser
  bool pathMustExist = true;  // open choosers only offer existing files
};

// The colour chooser's sixteen custom colours, 0x00BBGGRR each.
using CustomColors = std::array<uint32_t, 16>;

// Message boxes and the other questions the program puts to the user. The core
// reaches the user only through this (and the status bar).
class Prompter {
 public:
  enum class Answer { kOk, kYes, kNo, kCancel };
  enum class Buttons { kOk, kYesNoCancel };

  virtual ~Prompter() = default;
  virtual Answer ShowMessage(std::string_view text, Buttons buttons) = 0;

  // The chosen path, or nothing when the user cancels. A prompter that cannot
  // show a chooser cancels.
  virtual std::optional<std::string> ChooseFile(const FileChooserRequest& /*request*/) {
    return std::nullopt;
  }
  // The colour chooser, offering `customColors`, which the user may edit
  // there: the chosen colour, or nothing when the user cancels (the custom
  // colours are then left as they were). A prompter that cannot show a
  // chooser cancels.
  virtual std::optional<uint32_t> ChooseColor(CustomColors& /*customColors*/) {
    return std::nullopt;
  }
  // Nested calls: the wait cursor shows from the first begin to the last end.
  virtual void BeginWaitCursor() {}
  virtual void EndWaitCursor() {}
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
 public:
  explicit WaitCursor(Prompter* prompter) : prompter_(prompter) {
    if (prompter_ != nullptr) prompter_->BeginWaitCursor();
  }
  ~WaitCursor() {
    if (prompter_ != nullptr) prompter_->EndWaitCursor();
  }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  Prompter* prompter_;
};

// Records every message and answers with a preset reply; for tests and for the
// headless commands, which print what they record.
class RecordingPrompter : public Prompter {
 public:
  Answer ShowMessage(std::string_view text, Buttons buttons) override {
    messages.emplace_back(text);
    return buttons == Buttons::kOk ? Answer::kOk : reply;
  }

  // Answers each chooser with the next queued path; cancels when none is left.
  std::optional<std::string> ChooseFile(const FileChooserRequest& request) override {
    fileRequests.push_back(request);
    if (chosenFiles.empty()) return std::nullopt;
    std::string path = chosenFiles.front();
    chosenFiles.pop_front();
    return path;
  }
  // Answers each colour chooser with the next queued choice (nothing:
  // cancel); cancels when none is left.
  struct ColorChoice {
    uint32_t color = 0;
    std::optional<CustomColors> customColors;  // as the user leaves them
  };
  std::optional<uint32_t> ChooseColor(CustomColors& customColors) override {
    colorRequests.push_back(customColors);
    if (colorChoices.empty()) return std::nullopt;
    const std::optional<ColorChoice> choice = colorChoices.front();
    colorChoices.pop_front();
    if (!choice) return std::nullopt;
    if (choice->customColors) customColors = *choice->customColors;
    return choice->color;
  }
  void BeginWaitCursor() override {
    ++waitCursorDepth;
    ++waitCursorCount;
  }
  void EndWaitCursor() override { --waitCursorDepth; }

  std::vector<std::string> messages;
  Answer reply = Answer::kYes;
  std::vector<FileChooserRequest> fileRequests;
  std::deque<std::string> chosenFiles;
  std::vector<CustomColors> colorRequests;  // the custom colours each chooser was offered
  std::deque<std::optional<ColorChoice>> colorChoices;
  int waitCursorDepth = 0;  // currently open begin/end pairs
  int waitCursorCount = 0;  // begins seen
};

}  // namespace corvane
