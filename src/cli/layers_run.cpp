#include "cli/layers_run.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <vector>

#include "cli/argument_parser.h"
#include "cli/dump_run.h"
#include "document/corvane_doc.h"
#include "intake/intake_set.h"
#include "loading/document_loader.h"
#include "loading/work_file_reader.h"

namespace corvane {
namespace {

nlohmann::json JsonOf(const IntakeFile& file) {
  const LayerFunction& f = file.function;
  nlohmann::json object;
  object["path"] = file.path;
  object["kind"] = FileKindName(f.kind);
  object["side"] = LayerSideName(f.side);
  object["type"] = LayerTypeName(f.type);
  object["inner"] = f.side == LayerSide::kInner && f.inner > 0 ? nlohmann::json(f.inner)
                                                               : nlohmann::json(nullptr);
  object["plating"] = f.plating == LayerPlating::kUnstated
                          ? nlohmann::json(nullptr)
                          : nlohmann::json(LayerPlatingName(f.plating));
  object["from"] = FunctionSourceName(f.from);
  if (!file.problem.empty()) object["problem"] = file.problem;
  return object;
}

// The files a work file names, with the functions it stores for them.
void AddWorkFile(const std::string& path, IntakeSet& set) {
  CCorvaneDoc doc(0);
  DocumentLoader loader(doc);
  std::vector<std::string> unopened;
  const FileResult read = ReadWorkFile(loader, path, &unopened);
  if (!read.ok) {
    set.refusals.push_back(read.message);
    return;
  }
  for (const std::string& name : unopened) set.refusals.push_back("cannot open " + name);
  std::vector<std::string> names;
  std::vector<LayerFunction> stored;
  for (const PlotLayer& layer : doc.Layers()) {
    names.push_back(layer.fileName);
    stored.push_back(layer.function);
  }
  for (const std::string& name : {doc.GetNcDrillFileName(), doc.GetApertureFileName(),
                                  doc.GetDrillToolFileName(), doc.GetNetlistFileName()}) {
    if (name.empty()) continue;
    names.push_back(name);
    stored.push_back(name == doc.GetNcDrillFileName() ? doc.GetNcDrillFunction() : LayerFunction{});
  }
  for (const DrillFileEntry& entry : doc.DrillFiles()) {
    names.push_back(entry.fileName);
    stored.push_back(entry.function);
  }
  IntakeSet named = GatherIntake(names, IntakeOptions{false});
  for (std::size_t i = 0; i < named.files.size() && i < stored.size(); ++i) {
    if (stored[i].Identified()) named.files[i].function = stored[i];
  }
  for (IntakeFile& file : named.files) set.files.push_back(std::move(file));
}

}  // namespace

int RunLayers(std::span<const std::string> args, const LayersEnvironment& environment) {
  static constexpr OptionSpec kOptions[] = {{"--json"}};
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, kOptions, parsed, error) || parsed.operands.empty()) {
    environment.writeError(kLayersUsage);
    return kExitUsage;
  }
  IntakeSet set = GatherIntake(parsed.operands, IntakeOptions{true});
  for (const std::string& workFile : set.workFiles) AddWorkFile(workFile, set);

  if (parsed.Has("--json")) {
    nlohmann::json array = nlohmann::json::array();
    for (const IntakeFile& file : set.files) array.push_back(JsonOf(file));
    environment.writeOutput(array.dump(2));
  } else {
    for (const IntakeFile& file : set.files) {
      const LayerFunction& f = file.function;
      environment.writeOutput(std::string(FileKindName(f.kind)) + " " +
                              std::string(LayerSideName(f.side)) + " " +
                              std::string(LayerTypeName(f.type)) + " " + file.path);
    }
  }
  for (const std::string& refusal : set.refusals) {
    environment.writeError("corvane layers: " + refusal);
  }
  for (const IntakeFile& file : set.files) {
    if (!file.problem.empty()) {
      environment.writeError("corvane layers: cannot read " + file.path + ": " + file.problem);
    }
  }
  return set.HasProblems() ? kExitFailure : kExitSuccess;
}

int RunLayersCommand(int argc, char** argv) {
  const std::vector<std::string> args(argv, argv + argc);
  const auto write = [](std::FILE* stream) {
    return [stream](std::string_view line) {
      std::fwrite(line.data(), 1, line.size(), stream);
      std::fputc('\n', stream);
    };
  };
  const int status = RunLayers(args, {write(stdout), write(stderr)});
  return std::fflush(stdout) == 0 ? status : kExitFailure;
}

}  // namespace corvane
