#include "app/working_set.h"

#include <algorithm>
#include <array>

#include "document/corvane_doc.h"

namespace corvane {
namespace {

struct ValueOption {
  std::string_view name;
  std::string WorkingSetArguments::*field;
};

constexpr std::array<ValueOption, 3> kValueOptions{{
    {"--aperture-file", &WorkingSetArguments::apertureFile},
    {"--drill-tool-file", &WorkingSetArguments::drillToolFile},
    {"--drill-file", &WorkingSetArguments::drillFile},
}};

const ValueOption* FindValueOption(std::string_view name) {
  for (const ValueOption& option : kValueOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// One option at args[index]; moves index past a separate value. Returns false
// with `error` set when the option is unknown or its value is missing.
bool ParseOption(std::span<const std::string> args, std::size_t& index,
                 std::span<const std::string_view> commandFlags, WorkingSetArguments& parsed,
                 std::string& error) {
  const std::string_view arg = args[index];
  const std::size_t equals = arg.find('=');
  const std::string_view name = arg.substr(0, equals);
  if (const ValueOption* option = FindValueOption(name)) {
    if (equals != std::string_view::npos) {
      parsed.*(option->field) = std::string(arg.substr(equals + 1));
    } else if (index + 1 < args.size()) {
      parsed.*(option->field) = args[++index];
    } else {
      error = std::string(name) + " needs a file name";
      return false;
    }
    if ((parsed.*(option->field)).empty()) {
      error = std::string(name) + " needs a file name";
      return false;
    }
    return true;
  }
  if (arg == "--defaults") {
    parsed.useDefaults = true;
    return true;
  }
  if (std::find(commandFlags.begin(), commandFlags.end(), arg) != commandFlags.end()) {
    parsed.flags.emplace_back(arg);
    return true;
  }
  error = "unknown option " + std::string(arg);
  return false;
}

}  // namespace

bool WorkingSetArguments::HasFlag(std::string_view flag) const {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

bool ParseWorkingSetArguments(std::span<const std::string> args,
                              std::span<const std::string_view> commandFlags,
                              WorkingSetArguments& parsed, std::string& error) {
  parsed = WorkingSetArguments{};
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      if (!ParseOption(args, i, commandFlags, parsed, error)) return false;
    } else {
      parsed.files.push_back(arg);
    }
  }
  if (parsed.files.empty() && parsed.apertureFile.empty() && parsed.drillToolFile.empty() &&
      parsed.drillFile.empty()) {
    error = "no file given";
    return false;
  }
  return true;
}

bool IsWorkFileName(std::string_view name) {
  constexpr std::string_view kExtension = ".wrk";
  if (name.size() < kExtension.size()) return false;
  const std::string_view tail = name.substr(name.size() - kExtension.size());
  return std::equal(tail.begin(), tail.end(), kExtension.begin(),
                    [](char a, char b) { return LowerAscii(a) == b; });
}

WorkingSetLoad LoadWorkingSet(CCorvaneDoc& doc, const WorkingSetArguments& args) {
  WorkingSetLoad load;
  // First, since opening a work file clears the document.
  LoadWorkFileOfSet(doc, args, load);
  if (!load.Succeeded()) return load;
  for (const std::string& file : args.files) {
    if (IsWorkFileName(file)) continue;
    PlotLayer layer;
    layer.fileName = file;
    layer.color = CCorvaneDoc::DefaultLayerColor(doc.GetLayerCount());
    if (!doc.LoadGerberLayer(layer)) load.unopened.push_back(file);
  }
  LoadTableFiles(doc, args, load);
  return load;
}

}  // namespace corvane
