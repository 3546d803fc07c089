#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class Prompter;

inline constexpr std::string_view kEnterIntegerMessage = "Please enter an integer.";
inline constexpr std::string_view kEnterNumberMessage = "Please enter a number.";

// An edit field's text as an integer: blanks around an optional sign and
// decimal digits, nothing else; the value must fit in 32 bits. Nothing for
// any other text, the empty text included.
std::optional<int32_t> ParseIntegerField(std::string_view text);

// An edit field's text as a real: blanks around an optional sign, digits with
// at most one decimal point (at least one digit), and an optional exponent.
// The decimal point is '.', whatever the process locale says. Infinities,
// NaNs and hexadecimal forms are not numbers a user types and are refused; so
// is a value too large for a double.
std::optional<double> ParseRealField(std::string_view text);

// A real as an edit field shows it: up to 15 significant digits, the shortest
// of fixed and exponent notation ("%.15g"), read back equal by ParseRealField.
std::string FormatRealField(double value);

// Reads a dialog's fields into its values the way the platform's data exchange
// does: the first field that is not what it must be shows its message, becomes
// the field to give the focus to, and ends the read; the values of that field
// and of every field after it are left as they were. The dialog then stays
// open.
class DataExchange {
 public:
  // `prompter` may be null: the message is then dropped.
  explicit DataExchange(Prompter* prompter) : prompter_(prompter) {}

  bool Integer(int32_t controlId, std::string_view text, int32_t& value);
  bool Real(int32_t controlId, std::string_view text, double& value);

  bool Failed() const { return failedControl_.has_value(); }
  // The control that refused its text, for the focus.
  std::optional<int32_t> FailedControl() const { return failedControl_; }

 private:
  void Fail(int32_t controlId, std::string_view message);

  Prompter* prompter_;
  std::optional<int32_t> failedControl_;
};

}  // namespace corvane
