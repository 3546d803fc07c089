#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace corvane {

enum class DialogResult { kOk, kCancel };

// A dialog's state and rules without its window. The command that needs it
// fills it, runs it through a DialogRunner and reads it back after OK; the
// dialog's window binds its controls to it and calls its rules on every event.
class ModalDialog {
 public:
  virtual ~ModalDialog() = default;
  // The dialog's resource number; its Help button opens the topic
  // 0x20000 + this number.
  virtual int32_t ResourceId() const = 0;
};

// Runs a dialog modally: the window of the dialog's kind is built over it,
// shown, and torn down before this returns.
class DialogRunner {
 public:
  virtual ~DialogRunner() = default;
  // How the dialog ended. A runner that has no window for the dialog's kind
  // cancels, so the command changes nothing.
  virtual DialogResult RunModal(ModalDialog& dialog) = 0;
};

// Plays each run with the next queued script, as a user would click through
// the dialog; cancels when no script is left. For tests.
class ScriptedDialogRunner : public DialogRunner {
 public:
  using Script = std::function<DialogResult(ModalDialog&)>;

  // Queues a script for a dialog of type Dialog; a run of any other kind
  // cancels and is counted in `mismatches`.
  template <typename Dialog>
  void Then(std::function<DialogResult(Dialog&)> script) {
    scripts_.push_back([this, script](ModalDialog& dialog) {
      auto* typed = dynamic_cast<Dialog*>(&dialog);
      if (typed == nullptr) {
        ++mismatches;
        return DialogResult::kCancel;
      }
      return script(*typed);
    });
  }

  DialogResult RunModal(ModalDialog& dialog) override {
    ranIds.push_back(dialog.ResourceId());
    if (scripts_.empty()) return DialogResult::kCancel;
    Script script = std::move(scripts_.front());
    scripts_.pop_front();
    return script(dialog);
  }

  std::size_t Pending() const { return scripts_.size(); }

  std::vector<int32_t> ranIds;  // resource numbers of every run, in order
  int mismatches = 0;

 private:
  std::deque<Script> scripts_;
};

}  // namespace corvane
