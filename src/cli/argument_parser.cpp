#include "cli/argument_parser.h"

namespace corvane {
namespace {

const OptionSpec* FindOption(std::span<const OptionSpec> options, std::string_view name) {
  for (const OptionSpec& option : options) {
    if (option.name == name || (!option.otherName.empty() && option.otherName == name)) {
      return &option;
    }
  }
  return nullptr;
}

bool IsOption(std::string_view arg) { return arg.size() > 1 && arg[0] == '-'; }

// One option at args[index]; moves index past a separate value.
bool TakeOption(std::span<const std::string> args, std::size_t& index,
                std::span<const OptionSpec> options, ParsedArguments& parsed, std::string& error) {
  const std::string_view arg = args[index];
  const std::size_t equals = arg.find('=');
  const std::string_view name = arg.substr(0, equals);
  const OptionSpec* option = FindOption(options, name);
  if (option == nullptr) {
    error = "unknown option " + std::string(arg);
    return false;
  }
  ParsedArguments::Option given{option->name, {}};
  if (!option->takesValue) {
    if (equals != std::string_view::npos) {
      error = std::string(name) + " takes no value";
      return false;
    }
  } else if (equals != std::string_view::npos) {
    given.value = std::string(arg.substr(equals + 1));
  } else if (index + 1 < args.size()) {
    given.value = args[++index];
  } else {
    error = std::string(name) + " needs " + std::string(option->valueName);
    return false;
  }
  parsed.options.push_back(std::move(given));
  return true;
}

}  // namespace

int ParsedArguments::Count(std::string_view name) const {
  int count = 0;
  for (const Option& option : options) count += option.name == name ? 1 : 0;
  return count;
}

const std::string* ParsedArguments::Value(std::string_view name) const {
  const std::string* value = nullptr;
  for (const Option& option : options) {
    if (option.name == name) value = &option.value;
  }
  return value;
}

bool ParseArguments(std::span<const std::string> args, std::span<const OptionSpec> options,
                    ParsedArguments& parsed, std::string& error) {
  parsed = ParsedArguments{};
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (!optionsEnded && args[i] == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && IsOption(args[i])) {
      if (!TakeOption(args, i, options, parsed, error)) return false;
    } else {
      parsed.operands.push_back(args[i]);
    }
  }
  return true;
}

std::vector<OptionSpec> JoinOptions(std::initializer_list<std::span<const OptionSpec>> lists) {
  std::vector<OptionSpec> joined;
  for (const std::span<const OptionSpec> list : lists)
    joined.insert(joined.end(), list.begin(), list.end());
  return joined;
}

}  // namespace corvane
