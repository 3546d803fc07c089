#include "app/check_commands.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "app/command_ids.h"
#include "app/command_router.h"
#include "app/layer_geometry_cache.h"
#include "dialogs/fabrication_checks_dlg.h"
#include "geometry/geometry_index.h"
#include "loading/standard_model_cache.h"
#include "platform/settings_store.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

constexpr double kMillimetresPerInch = 25.4;
// The smallest side a finding is zoomed to: 2 mm, in inches.
constexpr double kMinimumZoomSide = 2.0 / kMillimetresPerInch;
constexpr uint32_t kFindingColor = 0x0000FF;  // red

std::string Mm(double value) {
  if (!std::isfinite(value)) return "";
  char text[32];
  std::snprintf(text, sizeof text, "%.3f mm", value);
  return text;
}

std::string Where(const Finding& f) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f, %.3f", f.atX, f.atY);
  return text;
}

// The files' names without their folders: the panel is narrow, the folder
// the same for every line.
std::string Joined(const std::vector<std::string>& layers) {
  std::string text;
  for (const std::string& layer : layers) {
    const auto slash = layer.find_last_of('/');
    text += (text.empty() ? "" : ", ") + (slash == std::string::npos ? layer : layer.substr(slash + 1));
  }
  return text;
}

}  // namespace

FabricationRules ReadCheckRules(const SettingsStore& store) {
  FabricationRules rules = FabricationRules::Defaults();
  for (std::size_t i = 0; i < kRuleValueCount; ++i) {
    const auto value = static_cast<RuleValue>(i);
    const std::string fallback = std::to_string(kDefaultRuleValues[i]);
    const std::string text = store.ReadText(kChecksSection, RuleValueKey(value), fallback);
    // An emptied value turns its rule off; a value that is no length keeps the usual one.
    if (text.empty()) {
      rules.values[i].reset();
    } else if (const auto mm = ParseRuleLength(text)) {
      rules.Set(value, *mm);
    }
  }
  return rules;
}

void WriteCheckRules(SettingsStore& store, const FabricationRules& rules) {
  for (std::size_t i = 0; i < kRuleValueCount; ++i) {
    const auto& mm = rules.values[i];
    char text[32] = "";
    if (mm) std::snprintf(text, sizeof text, "%.6g", *mm);
    store.WriteText(kChecksSection, RuleValueKey(static_cast<RuleValue>(i)), text);
  }
}

std::vector<PlaceRow> FindingRows(const FindingList& findings) {
  std::vector<PlaceRow> rows;
  rows.reserve(findings.listed.size());
  for (const Finding& f : findings.listed) {
    PlaceRow row;
    std::string rule = f.rule;
    if (!f.detail.empty()) rule += " (" + f.detail + ")";
    row.texts = {rule, Joined(f.layers), Mm(f.measured), Mm(f.required), Where(f)};
    FindingBox box = f.box;
    box.Add(f.atX, f.atY);
    row.box = {box.maxX / kMillimetresPerInch, box.minX / kMillimetresPerInch,
               box.maxY / kMillimetresPerInch, box.minY / kMillimetresPerInch};
    row.atX = f.atX / kMillimetresPerInch;
    row.atY = f.atY / kMillimetresPerInch;
    row.color = kFindingColor;
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string CheckCounts(const FabricationCheckResult& result) {
  const uint64_t total = result.findings.Total();
  if (total == 0) return "No findings";
  std::string text = std::to_string(total) + (total == 1 ? " finding:" : " findings:");
  bool first = true;
  for (std::size_t i = 0; i < kCheckRuleNames.size(); ++i) {
    if (result.counts[i] == 0) continue;
    text += std::string(first ? " " : ", ") + std::string(kCheckRuleNames[i]) + " " +
            std::to_string(result.counts[i]);
    first = false;
  }
  if (result.findings.unlisted > 0) {
    text += " (" + std::to_string(result.findings.listed.size()) + " listed)";
  }
  return text;
}

CheckCommands::CheckCommands(CCorvaneView& view, StandardModelCache& models, SettingsStore& store,
                             DialogRunner& dialogs, Prompter& prompter, CheckServices services)
    : view_(view),
      models_(models),
      store_(store),
      dialogs_(dialogs),
      prompter_(prompter),
      services_(std::move(services)),
      findings_({std::begin(kFindingColumns), std::end(kFindingColumns)}) {
  findings_.OnChosen([this](std::size_t row) { Choose(row); });
  view_.AddOverlay(&markers_);
  viewLifetime_ = view_.Lifetime();
}

CheckCommands::~CheckCommands() {
  if (!viewLifetime_.expired()) view_.RemoveOverlay(&markers_);
}

void CheckCommands::Register(CommandTarget& target) {
  target.On(
      kIdFabricationChecks, [this](int32_t) { Run(); },
      [this](int32_t, CommandUi& ui) { ui.enabled = CanRun(); });
}

bool CheckCommands::CanRun() const {
  return view_.DrawsStandard() && services_.geometry && services_.geometry() != nullptr;
}

void CheckCommands::Run() {
  if (!CanRun()) return;
  CFabricationChecksDlg dialog(&prompter_);
  dialog.rules = ReadCheckRules(store_);
  if (dialogs_.RunModal(dialog) != DialogResult::kOk) return;
  WriteCheckRules(store_, dialog.rules);
  RunStored();
}

void CheckCommands::RunStored() {
  if (!CanRun()) return;
  LayerGeometryCache& cache = *services_.geometry();
  const std::size_t layers = models_.Current().model.layers.size();
  bool missing = false;
  for (std::size_t i = 0; i < layers; ++i) {
    if (cache.Find(i) != nullptr) continue;
    missing = true;
    cache.Request(i, [this](const LayerGeometryCache::Built&) {
      if (waiting_) RunOnBuilt();
    });
  }
  if (missing) {
    waiting_ = true;
    if (services_.status) services_.status("Checks wait for the layers' geometry...");
    return;
  }
  RunOnBuilt();
}

void CheckCommands::RunOnBuilt() {
  LayerGeometryCache& cache = *services_.geometry();
  const std::size_t layers = models_.Current().model.layers.size();
  std::vector<LayerGeometryCache::Built> built(layers);
  for (std::size_t i = 0; i < layers; ++i) {
    built[i] = cache.Find(i);
    if (built[i] == nullptr && cache.Building()) return;  // the last one to come runs it
  }
  waiting_ = false;
  const LayerIndexSource indexOf = [&](uint32_t layer) -> const GeometryIndex* {
    return layer < built.size() && built[layer] != nullptr ? built[layer]->index.get() : nullptr;
  };
  Show(RunFabricationChecks(models_.Current().model, indexOf, ReadCheckRules(store_)));
}

void CheckCommands::Show(const FabricationCheckResult& result) {
  const std::string counts = CheckCounts(result);
  findings_.SetRows(FindingRows(result.findings), counts);
  markers_.SetMarkers(findings_.Markers());
  view_.RedrawView();
  if (services_.status) services_.status(counts);
  if (services_.showFindings) services_.showFindings();
}

void CheckCommands::Choose(std::size_t row) {
  const PlaceRow& place = findings_.Rows()[row];
  markers_.SetMarkers(findings_.Markers());
  view_.ZoomToPlotBox(place.box, kMinimumZoomSide);
  view_.RedrawView();
}

void CheckCommands::Clear() {
  waiting_ = false;
  findings_.Clear();
  markers_.Clear();
}

}  // namespace corvane
