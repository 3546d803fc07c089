#include "analysis/fabrication_checks.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "analysis/board_layers.h"
#include "analysis/copper_checks.h"
#include "analysis/hole_checks.h"
#include "analysis/mask_checks.h"
#include "geometry/geometry_index.h"

namespace corvane {
namespace {

std::optional<double> Nanometres(const FabricationRules& rules, RuleValue value) {
  const auto& mm = rules.Get(value);
  if (!mm) return std::nullopt;
  return *mm * kNanometresPerMillimetre;
}

struct Run {
  const StandardModel& model;
  const FabricationRules& rules;
  const BoardLayers board;
  const LayerIndexSource& indexOf;
  unsigned threads;
  FabricationCheckResult result;

  void Take(std::vector<Finding> found) {
    for (Finding& finding : found) {
      const auto named = std::find(kCheckRuleNames.begin(), kCheckRuleNames.end(), finding.rule);
      if (named != kCheckRuleNames.end()) ++result.counts[named - kCheckRuleNames.begin()];
      result.findings.Add(std::move(finding));
    }
  }
  // The layer's index; null (and said once) where its geometry is missing.
  const GeometryIndex* Of(uint32_t layer) {
    const GeometryIndex* index = indexOf(layer);
    if (index == nullptr || !index->Geometry().Complete()) {
      const std::string note = model.layers[layer].fileName + ": no geometry, not checked";
      if (std::find(result.notes.begin(), result.notes.end(), note) == result.notes.end()) {
        result.notes.push_back(note);
      }
      return nullptr;
    }
    return index;
  }
  void PassOver(std::string_view rule, std::string_view why) {
    result.notes.push_back(std::string(rule) + ": not checked, " + std::string(why));
  }
  std::vector<HoleSet> Holes(const std::vector<uint32_t>& layers) const {
    std::vector<HoleSet> sets;
    for (const uint32_t layer : layers) sets.push_back({&model.layers[layer], HolesOf(model.layers[layer])});
    return sets;
  }
};

void CheckCopper(Run& run) {
  const auto width = Nanometres(run.rules, RuleValue::kWidth);
  const auto clearance = Nanometres(run.rules, RuleValue::kClearance);
  if ((width || clearance) && run.board.copper.empty()) {
    if (width) run.PassOver("width", "no copper layer");
    if (clearance) run.PassOver("clearance", "no copper layer");
    return;
  }
  for (const uint32_t layer : run.board.copper) {
    const GeometryIndex* index = run.Of(layer);
    if (index == nullptr) continue;
    if (width) run.Take(FindThinCopper(*index, *width, "width", run.threads));
    if (clearance) run.Take(FindNarrowGaps(*index, *clearance, "clearance", run.threads));
  }
}

void CheckDrills(Run& run) {
  const auto drill = Nanometres(run.rules, RuleValue::kDrill);
  const auto spacing = Nanometres(run.rules, RuleValue::kHoleSpacing);
  if (!drill && !spacing) return;
  std::vector<uint32_t> all = run.board.platedDrills;
  all.insert(all.end(), run.board.nonPlatedDrills.begin(), run.board.nonPlatedDrills.end());
  if (all.empty()) {
    run.PassOver("drill", "no drill file");
    return;
  }
  run.Take(FindDrillFaults(run.Holes(all), drill, spacing));
}

void CheckHolesAgainstCopper(Run& run) {
  const auto ring = Nanometres(run.rules, RuleValue::kAnnularRing);
  const auto gap = Nanometres(run.rules, RuleValue::kDrillToCopper);
  if (ring && (run.board.platedDrills.empty() || run.board.copper.empty())) {
    run.PassOver("annular-ring", run.board.copper.empty() ? "no copper layer" : "no plated drill file");
  } else if (ring) {
    for (const HoleSet& set : run.Holes(run.board.platedDrills)) {
      for (const uint32_t copper : run.board.copper) {
        if (const GeometryIndex* index = run.Of(copper)) run.Take(FindThinRings(set, *index, *ring));
      }
    }
  }
  if (gap && (run.board.nonPlatedDrills.empty() || run.board.copper.empty())) {
    run.PassOver("drill-to-copper",
                 run.board.copper.empty() ? "no copper layer" : "no non-plated drill file");
  } else if (gap) {
    for (const HoleSet& set : run.Holes(run.board.nonPlatedDrills)) {
      for (const uint32_t copper : run.board.copper) {
        if (const GeometryIndex* index = run.Of(copper)) {
          run.Take(FindHolesNearCopper(set, *index, *gap));
        }
      }
    }
  }
}

// The copper layer on the outside of `side`, if the set has one.
std::optional<uint32_t> OuterCopper(const Run& run, BoardSide side) {
  const LayerSide wanted = side == BoardSide::kTop ? LayerSide::kTop : LayerSide::kBottom;
  for (const uint32_t layer : run.board.copper) {
    if (run.model.layers[layer].function.side == wanted) return layer;
  }
  return std::nullopt;
}

void CheckSide(Run& run, BoardSide side) {
  const auto web = Nanometres(run.rules, RuleValue::kMaskWeb);
  const auto silk = Nanometres(run.rules, RuleValue::kSilkClearance);
  const SideLayers& layers = run.board.Side(side);
  const std::string_view name = side == BoardSide::kTop ? "top" : "bottom";
  for (const uint32_t mask : layers.mask) {
    const GeometryIndex* openings = run.Of(mask);
    if (openings == nullptr) continue;
    if (web) run.Take(FindNarrowGaps(*openings, *web, "mask-web", run.threads));
    const auto copper = OuterCopper(run, side);
    const GeometryIndex* pads = web && copper ? run.Of(*copper) : nullptr;
    if (pads != nullptr) run.Take(FindShortOpenings(*pads, *openings, run.threads));
    for (const uint32_t ink : silk ? layers.silkscreen : std::vector<uint32_t>{}) {
      if (const GeometryIndex* index = run.Of(ink)) {
        run.Take(FindSilkOnPads(*index, *openings, *silk, run.threads));
      }
    }
  }
  if (silk && !layers.silkscreen.empty() && layers.mask.empty()) {
    run.PassOver("silk-on-pad", std::string("no ") + std::string(name) + " solder mask");
  }
}

}  // namespace

uint64_t FabricationCheckResult::CountOf(std::string_view rule) const {
  const auto named = std::find(kCheckRuleNames.begin(), kCheckRuleNames.end(), rule);
  return named == kCheckRuleNames.end() ? 0 : counts[named - kCheckRuleNames.begin()];
}

FabricationCheckResult RunFabricationChecks(const StandardModel& model,
                                            const LayerIndexSource& indexOf,
                                            const FabricationRules& rules, unsigned threads) {
  Run run{model, rules, FindBoardLayers(model), indexOf, threads, {}};
  run.result.notes = run.board.notes;
  CheckCopper(run);
  CheckDrills(run);
  CheckHolesAgainstCopper(run);
  CheckSide(run, BoardSide::kTop);
  CheckSide(run, BoardSide::kBottom);
  if (rules.Get(RuleValue::kMaskWeb) && run.board.Side(BoardSide::kTop).mask.empty() &&
      run.board.Side(BoardSide::kBottom).mask.empty()) {
    run.PassOver("mask-web", "no solder mask");
  }
  run.result.findings.SortByLayerAndPosition();
  return run.result;
}

FabricationCheckResult RunFabricationChecks(const StandardModel& model,
                                            std::span<const LayerGeometry> geometry,
                                            const FabricationRules& rules, unsigned threads) {
  // One index per layer a rule asks for, made the first time.
  std::vector<std::unique_ptr<GeometryIndex>> made(model.layers.size());
  const LayerIndexSource indexOf = [&](uint32_t layer) -> const GeometryIndex* {
    if (layer >= geometry.size()) return nullptr;
    if (!made[layer]) made[layer] = std::make_unique<GeometryIndex>(model.layers[layer], geometry[layer]);
    return made[layer].get();
  };
  return RunFabricationChecks(model, indexOf, rules, threads);
}

std::vector<uint32_t> LayersToCheck(const StandardModel& model, const FabricationRules& rules) {
  const BoardLayers board = FindBoardLayers(model);
  std::vector<uint32_t> layers;
  const auto on = [&](RuleValue value) { return rules.Get(value).has_value(); };
  if (on(RuleValue::kWidth) || on(RuleValue::kClearance) || on(RuleValue::kAnnularRing) ||
      on(RuleValue::kDrillToCopper) || on(RuleValue::kMaskWeb)) {
    layers.insert(layers.end(), board.copper.begin(), board.copper.end());
  }
  for (const BoardSide side : {BoardSide::kTop, BoardSide::kBottom}) {
    if (on(RuleValue::kMaskWeb) || on(RuleValue::kSilkClearance)) {
      const auto& mask = board.Side(side).mask;
      layers.insert(layers.end(), mask.begin(), mask.end());
    }
    if (on(RuleValue::kSilkClearance)) {
      const auto& silk = board.Side(side).silkscreen;
      layers.insert(layers.end(), silk.begin(), silk.end());
    }
  }
  std::sort(layers.begin(), layers.end());
  layers.erase(std::unique(layers.begin(), layers.end()), layers.end());
  return layers;
}

}  // namespace corvane
