#include "app/status_texts.h"

#include "app/command_table.h"

namespace corvane {

std::string_view IndicatorText(KeyIndicator indicator) {
  switch (indicator) {
    case KeyIndicator::kCapsLock:
      return "CAP";
    case KeyIndicator::kNumLock:
      return "NUM";
    case KeyIndicator::kScrollLock:
      return "SCRL";
  }
  return {};
}

std::string_view IndicatorPaneText(KeyIndicator indicator, bool on) {
  return on ? IndicatorText(indicator) : std::string_view();
}

std::string StatusPrompt(int32_t id) {
  const CommandInfo* info = FindCommand(id);
  return info == nullptr ? std::string() : std::string(info->prompt);
}

std::string ToolTipText(int32_t id) {
  const CommandInfo* info = FindCommand(id);
  return info == nullptr ? std::string() : std::string(info->tooltip);
}

}  // namespace corvane
