#include "cli/netlist_run.h"

#include <vector>

#include "analysis/netlist_check.h"
#include "cli/dump_run.h"
#include "cli/headless_document.h"
#include "cli/netlist_report.h"
#include "cli/working_set.h"
#include "document/atomic_write.h"
#include "geometry/layer_geometry_builder.h"
#include "loading/standard_loader.h"
#include "loading/text_file.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

constexpr std::string_view kJsonFlag = "--json";

constexpr OptionSpec kNetlistOptions[] = {
    {kJsonFlag},
    {"--reference", {}, true, "a file name"},
    {"--write-ipc", {}, true, "a file name"},
};

struct NetlistArguments {
  WorkingSetArguments set;
  bool json = false;
  std::string reference;
  std::string writeIpc;
};

bool ParseNetlistArguments(std::span<const std::string> args, NetlistArguments& out) {
  const std::vector<OptionSpec> options = JoinOptions({kWorkingSetOptions, kNetlistOptions});
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, options, parsed, error) || !TakeWorkingSet(parsed, out.set, error))
    return false;
  out.json = parsed.Has(kJsonFlag);
  const std::pair<std::string_view, std::string*> files[] = {{"--reference", &out.reference},
                                                             {"--write-ipc", &out.writeIpc}};
  for (const auto& [name, field] : files) {
    const std::string* value = parsed.Value(name);
    if (value == nullptr) continue;
    if (value->empty()) return false;
    *field = *value;
  }
  return true;
}

// The copper layers' geometry and indices, kept together for the nets.
struct CopperGeometry {
  std::vector<LayerGeometry> geometry;
  std::vector<std::unique_ptr<GeometryIndex>> indices;

  std::vector<const GeometryIndex*> Indices() const {
    std::vector<const GeometryIndex*> out;
    for (const auto& index : indices) out.push_back(index.get());
    return out;
  }
};

void BuildCopper(const StandardModel& model, const BoardLayers& board, unsigned threads,
                 CopperGeometry& copper) {
  GeometryBuildOptions options;
  options.threads = threads;
  copper.geometry.reserve(board.copper.size());
  for (const uint32_t layer : board.copper) {
    copper.geometry.push_back(BuildLayerGeometry(model.layers[layer], options));
    copper.indices.push_back(
        copper.geometry.back().Complete()
            ? std::make_unique<GeometryIndex>(model.layers[layer], copper.geometry.back())
            : nullptr);
  }
}

void Report(const NetlistCheck& check, bool json, const NetlistEnvironment& environment) {
  if (json) {
    environment.writeOutput(NetlistReportJson(check).dump(2));
    return;
  }
  for (const std::string& line : NetlistReportLines(check)) environment.writeOutput(line);
}

int ExitOf(const NetlistCheck& check) {
  if (check.referenceMismatch) return kExitUsage;
  return check.Clean() ? kExitSuccess : kExitFailure;
}

}  // namespace

std::optional<std::string> ReadNetlistText(const std::string& path) {
  TextFile file;
  if (!file.Open(path)) return std::nullopt;
  std::string text;
  file.ReadRest(text);
  return text;
}

int RunNetlist(std::span<const std::string> args, const NetlistEnvironment& environment) {
  NetlistArguments parsed;
  if (!ParseNetlistArguments(args, parsed)) {
    environment.writeError(kNetlistUsage);
    return kExitUsage;
  }
  const auto loaded = HeadlessDocument::Load(parsed.set, environment.openUserSettings, nullptr,
                                             environment.writeError, "netlist");
  if (loaded == nullptr) return kExitUsage;
  const StandardLoad load =
      LoadStandardModel(loaded->Doc(), loaded->Loader().SettingsBeforeGerberFiles());
  for (const std::string& path : load.unopened)
    environment.writeError(WarningLine("cannot open " + path));
  const BoardLayers board = FindBoardLayers(load.model);
  if (board.copper.empty()) {
    environment.writeError("corvane netlist: no copper layer in the working set");
    return kExitUsage;
  }
  CopperGeometry copper;
  BuildCopper(load.model, board, environment.threads, copper);
  const BoardNets nets(load.model, board, copper.Indices());

  const std::string path =
      parsed.reference.empty() ? loaded->Doc().GetNetlistFileName() : parsed.reference;
  std::optional<std::string> text;
  if (!path.empty() && !(text = ReadNetlistText(path))) {
    environment.writeError("corvane netlist: cannot read the netlist " + path);
    return kExitUsage;
  }
  const NetlistCheck check = CheckNetlist(nets, ChooseReference(nets, text ? &*text : nullptr, path));
  Report(check, parsed.json, environment);
  if (!parsed.writeIpc.empty()) {
    const FileResult written =
        WriteFileAtomically(parsed.writeIpc, WriteIpcNetlist(NetsToWrite(nets, check), "corvane"));
    if (!written.ok) {
      environment.writeError("corvane netlist: " + written.message);
      return kExitUsage;
    }
  }
  return ExitOf(check);
}

}  // namespace corvane
