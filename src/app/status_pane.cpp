#include "app/status_pane.h"

#include "app/status_texts.h"

namespace corvane {

StatusPane::StatusPane() : text_(kIdleStatusText) {}

void StatusPane::SetMessage(std::string_view text) {
  message_ = text;
  text_ = message_;
}

void StatusPane::SetHoverPrompt(std::string_view prompt) {
  if (!prompt.empty()) {
    text_ = prompt;
  } else {
    text_ = message_.empty() ? std::string(kIdleStatusText) : message_;
  }
}

}  // namespace corvane
