#pragma once

// The Fabrication Checks dialog: one edit per rule value in millimetres, an
// empty edit leaving its rule off. OK takes the values when every edit is
// empty or a positive length; otherwise it names the first that is not,
// and the dialog stays open on it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/fabrication_rules.h"
#include "platform/dialog_runner.h"

namespace corvane {

class Prompter;

class CFabricationChecksDlg : public ModalDialog {
 public:
  static constexpr int32_t kResourceId = 160;

  // `prompter` says which value was refused; may be null.
  explicit CFabricationChecksDlg(Prompter* prompter = nullptr) : prompter_(prompter) {}
  int32_t ResourceId() const override { return kResourceId; }

  // The edits' label: "Minimum width (mm)".
  static std::string_view Label(RuleValue value);

  // The window opens: each edit shows its rule's value, or nothing when off.
  void OnInitDialog();
  // OK: reads every edit into `rules`. False, with the message naming the
  // value, when an edit holds no positive length; `rules` is then unchanged.
  bool OnOK();
  std::optional<std::size_t> FocusField() const { return focusField_; }

  FabricationRules rules;
  std::array<std::string, kRuleValueCount> texts;  // the edits as the user left them

 private:
  Prompter* prompter_;
  std::optional<std::size_t> focusField_;
};

}  // namespace corvane
