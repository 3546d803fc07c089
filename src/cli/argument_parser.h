#pragma once

// The one reader of command lines, for the window and every headless command:
// "NAME VALUE" or "NAME=VALUE" for an option that takes a value, "NAME" for
// one that does not, "--" ends the options, and "-" alone is an operand. Each
// command line is a list of OptionSpec; a new option is one more entry, a new
// command one more list.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct OptionSpec {
  constexpr OptionSpec(std::string_view optionName, std::string_view secondName = {},
                       bool withValue = false, std::string_view nameOfValue = "a value")
      : name(optionName), otherName(secondName), takesValue(withValue), valueName(nameOfValue) {}

  std::string_view name;       // as typed: "--drill-file", "-o", "-pt"
  std::string_view otherName;  // a second spelling ("--print-to" for "-pt"), or empty
  bool takesValue;
  std::string_view valueName;  // for the message when the value is missing
};

// A command line taken apart: the options in the order given, each under its
// first name, and the operands.
struct ParsedArguments {
  struct Option {
    std::string_view name;
    std::string value;  // empty for an option without a value
  };
  std::vector<Option> options;
  std::vector<std::string> operands;

  bool Has(std::string_view name) const { return Count(name) > 0; }
  int Count(std::string_view name) const;
  // The value given last, or nullptr when the option was not given.
  const std::string* Value(std::string_view name) const;
};

// Parses the arguments after the program's or the command's name. Returns
// false with `error` saying why when an option is unknown, lacks its value or
// is given a value it does not take.
bool ParseArguments(std::span<const std::string> args, std::span<const OptionSpec> options,
                    ParsedArguments& parsed, std::string& error);

// The option lists of a command line that is made of several, in order.
std::vector<OptionSpec> JoinOptions(std::initializer_list<std::span<const OptionSpec>> lists);

}  // namespace corvane
