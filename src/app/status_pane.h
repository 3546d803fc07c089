#pragma once

#include <string>
#include <string_view>

namespace corvane {

// What the status bar's message pane shows: the prompt of the menu item or
// toolbar button under the pointer while it rests there; otherwise the last
// text the program wrote (a tool's prompt or result), so that passing over
// the toolbar on the way to the view does not lose it; otherwise the idle
// text.
class StatusPane {
 public:
  StatusPane();

  // The program writes the pane (SetStatusText); an empty text clears it.
  // `fullText`, when the pane shows a shortened text, is its tooltip.
  void SetMessage(std::string_view text, std::string_view fullText = {});
  // A prompt while the pointer rests on an item; empty when it leaves.
  void SetHoverPrompt(std::string_view prompt);
  const std::string& Text() const { return text_; }
  // The full text of the message while the pane shows it; empty otherwise.
  std::string ToolTip() const;

 private:
  std::string message_;
  std::string fullText_;
  bool showingMessage_ = false;
  std::string text_;
};

}  // namespace corvane
