#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Message boxes and the other questions the program puts to the user. The core
// reaches the user only through this (and the status bar).
class Prompter {
 public:
  enum class Answer { kOk, kYes, kNo, kCancel };
  enum class Buttons { kOk, kYesNoCancel };

  virtual ~Prompter() = default;
  virtual Answer ShowMessage(std::string_view text, Buttons buttons) = 0;
};

// Records every message and answers with a preset reply; for tests and for the
// headless commands, which print what they record.
class RecordingPrompter : public Prompter {
 public:
  Answer ShowMessage(std::string_view text, Buttons buttons) override {
    messages.emplace_back(text);
    return buttons == Buttons::kOk ? Answer::kOk : reply;
  }

  std::vector<std::string> messages;
  Answer reply = Answer::kYes;
};

}  // namespace corvane
