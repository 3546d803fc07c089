// Speed of the fabrication checks on the 100-copy panel (the geometry
// benchmark's copper layer, stepped 10 x 10), its geometry built once: every
// rule on at the shop's usual values, which on a copper layer alone runs
// width and clearance. Run with --benchmark_repetitions=5 for medians.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/fabrication_checks.h"
#include "geometry/layer_geometry_builder.h"
#include "panel_generator.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

struct Board {
  StandardModel model;
  std::vector<LayerGeometry> geometry;
  bool ok = false;
};

const Board& Panel() {
  static const Board board = [] {
    Board made;
    const GeneratedBoard file = WriteGeneratedPanel(10, 10);
    if (file.path.empty()) return made;
    std::ifstream in(file.path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::remove(file.path.c_str());
    StandardLayer layer = ReadStandardGerber(text.str(), StandardContext{});
    layer.fileName = "panel-top.gbr";
    layer.function = {FileKind::kGerber, LayerSide::kTop, LayerType::kCopper, 0,
                      LayerPlating::kUnstated, FunctionSource::kName, false};
    made.model.layers.push_back(std::move(layer));
    made.geometry.push_back(BuildLayerGeometry(made.model.layers.front()));
    made.ok = true;
    return made;
  }();
  return board;
}

void AllRulesOnThePanel(benchmark::State& state) {
  const Board& board = Panel();
  if (!board.ok) {
    state.SkipWithError("cannot write the generated panel");
    return;
  }
  const FabricationRules rules = FabricationRules::Defaults();
  uint64_t findings = 0;
  for (auto _ : state) {
    const FabricationCheckResult result =
        RunFabricationChecks(board.model, board.geometry, rules, 0);
    findings = result.findings.Total();
    benchmark::DoNotOptimize(findings);
  }
  state.counters["islands"] = static_cast<double>(board.geometry.front().islands.size());
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(AllRulesOnThePanel)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
