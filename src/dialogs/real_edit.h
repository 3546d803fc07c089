#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace corvane {

class DataExchange;

// A real edit field: the text the user sees and edits, and the value it was
// last shown with. Fifteen digits do not carry every bit of every double, so a
// text left exactly as shown reads back as the value it shows rather than as
// its rounding; that also lets a value no text can hold (an infinity read from
// a settings file) pass a dialog the user did not touch.
class RealEdit {
 public:
  RealEdit() { Show(0.0); }

  void Show(double value);
  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }

  // The field's value through `exchange`, which shows "Please enter a number."
  // and remembers `controlId` when the text is not one; `value` is then left
  // as it was.
  bool Read(DataExchange& exchange, int32_t controlId, double& value) const;

 private:
  double shownValue_ = 0.0;
  std::string shownText_;
  std::string text_;
};

// Equal reals, two NaNs included: a value only a hand-edited settings file
// holds, left alone in a dialog, is no change.
bool SameReal(double a, double b);

}  // namespace corvane
