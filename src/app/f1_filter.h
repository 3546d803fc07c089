#pragma once

namespace corvane {

// A key-down as the message pre-filter sees it.
struct KeyPress {
  enum class Key { kF1, kOther };
  Key key = Key::kOther;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool autoRepeat = false;
};

// F1 alone, not auto-repeated, is swallowed in the main window and in every
// dialog: help is reached through Help > Help Topics and the dialogs' Help
// buttons. Shift+F1, Ctrl+F1 and Alt+F1 pass on.
inline bool IsConsumedByF1Filter(const KeyPress& press) {
  return press.key == KeyPress::Key::kF1 && !press.autoRepeat && !press.shift && !press.ctrl &&
         !press.alt;
}

}  // namespace corvane
