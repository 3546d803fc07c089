#include "app/status_pane.h"

#include "app/status_texts.h"

namespace corvane {

StatusPane::StatusPane() : text_(kIdleStatusText) {}

void StatusPane::SetMessage(std::string_view text, std::string_view fullText) {
  message_ = text;
  fullText_ = fullText;
  text_ = message_;
  showingMessage_ = !message_.empty();
}

std::string StatusPane::ToolTip() const { return showingMessage_ ? fullText_ : std::string(); }

void StatusPane::SetHoverPrompt(std::string_view prompt) {
  showingMessage_ = prompt.empty() && !message_.empty();
  if (!prompt.empty()) {
    text_ = prompt;
  } else {
    text_ = message_.empty() ? std::string(kIdleStatusText) : message_;
  }
}

}  // namespace corvane
