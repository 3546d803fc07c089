#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/dialog_runner.h"

namespace corvane {

class Prompter;

// The Print Magnification dialog: one real, the multiplier of plot units to
// inches on paper. No range check: 0 prints as 1, a negative value maps the
// plot off the page, and both are the user's to choose.
class CPrintMagnificationDlg : public ModalDialog {
 public:
  static constexpr int32_t kResourceId = 154;
  static constexpr int32_t kIdMultiplier = 1029;

  // `prompter` shows the data-exchange message; may be null.
  explicit CPrintMagnificationDlg(Prompter* prompter = nullptr) : prompter_(prompter) {}
  int32_t ResourceId() const override { return kResourceId; }

  // The window opens: the edit shows `multiplier` with up to 15 significant
  // digits.
  void OnInitDialog();
  // OK: reads the edit's text into `multiplier`. False after "Please enter a
  // number." when the text is not a number; the dialog then stays open with
  // the focus on the edit and `multiplier` unchanged.
  bool OnOK();
  // The control to give the focus to after a refused OK.
  std::optional<int32_t> FocusControl() const { return focusControl_; }

  double multiplier = 0.0;
  std::string multiplierText;  // the edit's text as the user left it

 private:
  Prompter* prompter_;
  std::optional<int32_t> focusControl_;
};

}  // namespace corvane
