#include "cli/check_run.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <nlohmann/json.hpp>

#include "cli/dump_run.h"
#include "cli/headless_document.h"
#include "cli/working_set.h"
#include "geometry/layer_geometry_builder.h"
#include "intake/file_identity.h"
#include "intake/file_sniffer.h"
#include "loading/standard_loader.h"
#include "platform/settings_store.h"

namespace corvane {
namespace {

constexpr std::string_view kJsonFlag = "--json";
constexpr std::string_view kRulesOption = "--rules";
// A rules file is a few lines; anything larger is not one.
constexpr std::size_t kMaxRulesFileBytes = 1 << 20;

constexpr OptionSpec kCheckOptions[] = {
    {kJsonFlag},
    {kRulesOption, {}, true, "a file name"},
    {"--min-width", {}, true, "a length in millimetres"},
    {"--min-clearance", {}, true, "a length in millimetres"},
    {"--min-annular-ring", {}, true, "a length in millimetres"},
    {"--min-drill", {}, true, "a length in millimetres"},
    {"--min-hole-spacing", {}, true, "a length in millimetres"},
    {"--min-drill-to-copper", {}, true, "a length in millimetres"},
    {"--min-mask-web", {}, true, "a length in millimetres"},
    {"--min-silk-clearance", {}, true, "a length in millimetres"},
};

std::string Fixed(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

bool ReadRulesFile(const std::string& path, FabricationRules& rules, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  std::string text;
  if (file) {
    text.assign(std::istreambuf_iterator<char>(file), {});
  }
  if (!file && !file.eof()) {
    error = "--rules: cannot read " + path;
    return false;
  }
  if (text.size() > kMaxRulesFileBytes) {
    error = "--rules: " + path + " is too large to be a rules file";
    return false;
  }
  rules = FabricationRules::Defaults();
  if (ReadRulesText(text, rules, error)) return true;
  error = "--rules: " + path + ": " + error;
  return false;
}

bool TakeRuleOptions(const ParsedArguments& given, FabricationRules& rules, std::string& error) {
  for (std::size_t i = 0; i < kRuleValueCount; ++i) {
    const auto value = static_cast<RuleValue>(i);
    const std::string option = "--" + std::string(RuleValueKey(value));
    const std::string* text = given.Value(option);
    if (text == nullptr) continue;
    const auto mm = ParseRuleLength(*text);
    if (!mm) {
      error = option + ": " + *text + " is not a positive length in millimetres";
      return false;
    }
    rules.Set(value, *mm);
  }
  return true;
}

nlohmann::ordered_json NumberOrNull(double value) {
  return std::isfinite(value) ? nlohmann::ordered_json(value) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json JsonOf(const Finding& f) {
  nlohmann::ordered_json item;
  item["rule"] = f.rule;
  item["layer"] = f.layers.empty() ? std::string() : f.layers.front();
  item["layers"] = f.layers;
  item["at_mm"] = {f.atX, f.atY};
  item["measured_mm"] = NumberOrNull(f.measured);
  item["required_mm"] = NumberOrNull(f.required);
  item["box_mm"] = f.box.Empty() ? nlohmann::ordered_json(nullptr)
                                 : nlohmann::ordered_json{f.box.minX, f.box.minY, f.box.maxX, f.box.maxY};
  if (!f.detail.empty()) item["detail"] = f.detail;
  return item;
}

// Files named one by one load without their functions (the window keeps
// their order and colours); the rules need to know which is which.
void IdentifyNamedFiles(StandardModel& model) {
  for (StandardLayer& layer : model.layers) {
    if (layer.function.Identified()) continue;
    std::ifstream file(layer.fileName, std::ios::binary);
    std::string head(kSniffBytes, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
    std::error_code ignored;
    const auto size = std::filesystem::file_size(layer.fileName, ignored);
    const LayerFunction found =
        IdentifyFile(layer.fileName, head, ignored ? head.size() : size, nullptr).function;
    // The drill file keeps what the loader knew of it.
    if (found.Identified()) layer.function = found;
  }
}

std::vector<LayerGeometry> BuildNeeded(const StandardModel& model, const FabricationRules& rules,
                                       const CheckEnvironment& environment, bool& incomplete) {
  std::vector<LayerGeometry> geometry(model.layers.size());
  GeometryBuildOptions options;
  options.threads = environment.threads;
  for (const uint32_t layer : LayersToCheck(model, rules)) {
    geometry[layer] = BuildLayerGeometry(model.layers[layer], options);
    if (!geometry[layer].Complete()) {
      environment.writeError(WarningLine(model.layers[layer].fileName +
                                         ": geometry needs more than " +
                                         std::to_string(kMaxGeometryVertices) +
                                         " vertices; not checked"));
      incomplete = true;
    }
  }
  return geometry;
}

void Report(const FabricationCheckResult& result, bool json, const CheckEnvironment& environment) {
  for (const std::string& note : result.notes) environment.writeError(WarningLine(note));
  if (json) {
    environment.writeOutput(CheckJson(result));
  } else {
    for (const Finding& finding : result.findings.listed) environment.writeOutput(FindingLine(finding));
  }
  if (result.findings.unlisted > 0) {
    environment.writeError(WarningLine(std::to_string(result.findings.unlisted) +
                                       " more findings not listed"));
  }
}

}  // namespace

bool ParseCheckArguments(std::span<const std::string> args, CheckArguments& parsed,
                         std::string& error) {
  const std::vector<OptionSpec> options = JoinOptions({kWorkingSetOptions, kCheckOptions});
  ParsedArguments given;
  if (!ParseArguments(args, options, given, error)) return false;
  if (!TakeWorkingSet(given, parsed.workingSet, error)) return false;
  parsed.json = given.Has(kJsonFlag);
  if (const std::string* file = given.Value(kRulesOption)) {
    if (!ReadRulesFile(*file, parsed.rules, error)) return false;
  }
  if (!TakeRuleOptions(given, parsed.rules, error)) return false;
  if (!parsed.rules.AnyOn()) {
    error = "no rule has a value: give --rules FILE or a --min- option";
    return false;
  }
  return true;
}

std::string FindingLine(const Finding& f) {
  std::string layers;
  for (const std::string& layer : f.layers) layers += (layers.empty() ? "" : " ") + layer;
  std::string line = f.rule + " " + layers + ": at " + Fixed(f.atX) + " " + Fixed(f.atY) + " mm";
  if (std::isfinite(f.measured)) line += ", measured " + Fixed(f.measured) + " mm";
  if (std::isfinite(f.required)) line += ", required " + Fixed(f.required) + " mm";
  if (!f.detail.empty()) line += ", " + f.detail;
  return line;
}

std::string CheckJson(const FabricationCheckResult& result) {
  nlohmann::ordered_json out;
  out["findings"] = nlohmann::ordered_json::array();
  for (const Finding& finding : result.findings.listed) out["findings"].push_back(JsonOf(finding));
  nlohmann::ordered_json counts = nlohmann::ordered_json::object();
  for (std::size_t i = 0; i < kCheckRuleNames.size(); ++i) {
    counts[std::string(kCheckRuleNames[i])] = result.counts[i];
  }
  out["counts"] = counts;
  out["unlisted"] = result.findings.unlisted;
  out["notes"] = result.notes;
  return out.dump(2);
}

int RunCheck(std::span<const std::string> args, const CheckEnvironment& environment) {
  CheckArguments parsed;
  std::string error;
  if (!ParseCheckArguments(args, parsed, error)) {
    // One line naming what was refused; the usage only when nothing was named.
    environment.writeError("corvane check: " + error);
    if (args.empty()) environment.writeError(kCheckUsage);
    return kExitUsage;
  }
  const auto loaded = HeadlessDocument::Load(parsed.workingSet, environment.openUserSettings,
                                             nullptr, environment.writeError, "check");
  if (loaded == nullptr) return kExitFailure;
  StandardLoad load =
      LoadStandardModel(loaded->Doc(), loaded->Loader().SettingsBeforeGerberFiles());
  for (const std::string& path : load.unopened)
    environment.writeError(WarningLine("cannot open " + path));
  IdentifyNamedFiles(load.model);
  bool incomplete = false;
  const std::vector<LayerGeometry> geometry =
      BuildNeeded(load.model, parsed.rules, environment, incomplete);
  const FabricationCheckResult result =
      RunFabricationChecks(load.model, geometry, parsed.rules, environment.threads);
  Report(result, parsed.json, environment);
  const bool unread = loaded->NamedFileUnopened() || !load.unopened.empty();
  return result.findings.Total() > 0 || unread || incomplete ? kExitFailure : kExitSuccess;
}

}  // namespace corvane
