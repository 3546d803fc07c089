#include "cli/working_set.h"

#include <algorithm>
#include <array>

#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "text/ascii.h"

namespace corvane {
namespace {

struct FileOption {
  std::string_view name;
  std::string WorkingSetArguments::*field;
};

constexpr std::array<FileOption, 3> kFileOptions{{
    {"--aperture-file", &WorkingSetArguments::apertureFile},
    {"--drill-tool-file", &WorkingSetArguments::drillToolFile},
    {"--drill-file", &WorkingSetArguments::drillFile},
}};

}  // namespace

bool WorkingSetArguments::HasFlag(std::string_view flag) const {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

bool TakeWorkingSet(const ParsedArguments& parsed, WorkingSetArguments& set, std::string& error) {
  set = WorkingSetArguments{};
  set.useDefaults = parsed.Has("--defaults");
  for (const FileOption& option : kFileOptions) {
    const std::string* value = parsed.Value(option.name);
    if (value == nullptr) continue;
    if (value->empty()) {
      error = std::string(option.name) + " needs a file name";
      return false;
    }
    set.*(option.field) = *value;
  }
  set.files = parsed.operands;
  if (set.files.empty() && set.apertureFile.empty() && set.drillToolFile.empty() &&
      set.drillFile.empty()) {
    error = "no file given";
    return false;
  }
  return true;
}

bool ParseWorkingSetArguments(std::span<const std::string> args,
                              std::span<const std::string_view> commandFlags,
                              WorkingSetArguments& parsed, std::string& error) {
  std::vector<OptionSpec> options(std::begin(kWorkingSetOptions), std::end(kWorkingSetOptions));
  for (const std::string_view flag : commandFlags) options.push_back({flag});
  ParsedArguments given;
  if (!ParseArguments(args, options, given, error) || !TakeWorkingSet(given, parsed, error)) {
    return false;
  }
  for (const std::string_view flag : commandFlags) {
    if (given.Has(flag)) parsed.flags.emplace_back(flag);
  }
  return true;
}

bool IsWorkFileName(std::string_view name) { return EndsWithNoCase(name, ".wrk"); }

WorkingSetLoad LoadWorkingSet(DocumentLoader& loader, const WorkingSetArguments& args) {
  WorkingSetLoad load;
  // First, since opening a work file clears the document.
  LoadWorkFileOfSet(loader, args, load);
  if (!load.Succeeded()) return load;
  CCorvaneDoc& doc = loader.Doc();
  for (const std::string& file : args.files) {
    if (IsWorkFileName(file)) continue;
    PlotLayer layer;
    layer.fileName = file;
    layer.color = CCorvaneDoc::DefaultLayerColor(doc.GetLayerCount());
    if (!loader.LoadGerberLayer(layer)) {
      load.unopened.push_back(file);
      load.namedFileUnopened = true;
    }
  }
  LoadTableFiles(loader, args, load);
  return load;
}

}  // namespace corvane
