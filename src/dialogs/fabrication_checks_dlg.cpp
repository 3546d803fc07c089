#include "dialogs/fabrication_checks_dlg.h"

#include <cstdio>

#include "platform/prompter.h"

namespace corvane {
namespace {

constexpr std::array<std::string_view, kRuleValueCount> kLabels{
    "Minimum width (mm)",           "Minimum clearance (mm)",
    "Minimum annular ring (mm)",    "Minimum drill (mm)",
    "Minimum hole spacing (mm)",    "Minimum drill to copper (mm)",
    "Minimum mask web (mm)",        "Minimum silkscreen clearance (mm)"};

}  // namespace

std::string_view CFabricationChecksDlg::Label(RuleValue value) {
  return kLabels[static_cast<std::size_t>(value)];
}

void CFabricationChecksDlg::OnInitDialog() {
  for (std::size_t i = 0; i < kRuleValueCount; ++i) {
    char text[32] = "";
    if (rules.values[i]) std::snprintf(text, sizeof text, "%.6g", *rules.values[i]);
    texts[i] = text;
  }
}

bool CFabricationChecksDlg::OnOK() {
  FabricationRules read;
  for (std::size_t i = 0; i < kRuleValueCount; ++i) {
    if (texts[i].find_first_not_of(" \t") == std::string::npos) continue;
    const auto mm = ParseRuleLength(texts[i]);
    if (!mm) {
      focusField_ = i;
      if (prompter_ != nullptr) {
        prompter_->ShowMessage(std::string(kLabels[i]) +
                                   ": enter a positive length, or nothing to leave the rule off.",
                               Prompter::Buttons::kOk);
      }
      return false;
    }
    read.values[i] = *mm;
  }
  focusField_.reset();
  rules = read;
  return true;
}

}  // namespace corvane
