// Speed of comparing two revisions: the 100-copy panel against itself and
// against a copy moved by a micrometre (every island's vertices differ, so
// every island goes through the booleans and the opening, and nothing is
// found), and two copies of the 2.5 M-statement modern board, each with its
// geometry built from the model as the diff command does. Run with
// --benchmark_repetitions=5 for medians.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "analysis/board_comparison.h"
#include "geometry/layer_geometry_builder.h"
#include "geometry/parallel_tasks.h"
#include "modern_board_generator.h"
#include "panel_generator.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

StandardModel Read(const GeneratedBoard& board) {
  StandardModel model;
  if (board.path.empty()) return model;
  std::ifstream in(board.path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::remove(board.path.c_str());
  model.layers.push_back(ReadStandardGerber(text.str(), StandardContext{}));
  model.layers.back().fileName = "top.gbr";
  return model;
}

StandardModel Moved(StandardModel model, double inches) {
  for (StandardLayer& layer : model.layers) {
    StandardGeometry& g = layer.geometry;
    for (StandardObject& o : g.objects) {
      o.x0 += inches;
      o.x1 += inches;
      o.y0 += inches;
      o.y1 += inches;
    }
    for (StandardArc& arc : g.arcs) {
      arc.cx += inches;
      arc.cy += inches;
    }
    for (StandardPoint& p : g.points) {
      p.x += inches;
      p.y += inches;
    }
  }
  return model;
}

const StandardModel& Panel() {
  static const StandardModel panel = Read(WriteGeneratedPanel(10, 10));
  return panel;
}

// Geometry built once, outside the timing: what the window has in its cache.
void CompareBuilt(benchmark::State& state, const StandardModel& a, const StandardModel& b) {
  if (a.layers.empty() || b.layers.empty()) {
    state.SkipWithError("cannot write the generated board");
    return;
  }
  const LayerGeometry ga = BuildLayerGeometry(a.layers[0]);
  const LayerGeometry gb = BuildLayerGeometry(b.layers[0]);
  BoardComparison result;
  for (auto _ : state) {
    result = CompareBoards(a, {&ga}, b, {&gb});
    benchmark::DoNotOptimize(result.unlistedPlaces);
  }
  state.counters["islands"] = static_cast<double>(gb.islands.size());
  state.counters["places"] = static_cast<double>(result.PlaceCount());
  state.counters["threads"] = ThreadCount(0);
}

void BM_ComparePanelWithItself(benchmark::State& state) { CompareBuilt(state, Panel(), Panel()); }
BENCHMARK(BM_ComparePanelWithItself)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ComparePanelMovedAMicrometre(benchmark::State& state) {
  static const StandardModel moved = Moved(Panel(), 0.001 / 25.4);
  CompareBuilt(state, Panel(), moved);
}
BENCHMARK(BM_ComparePanelMovedAMicrometre)->Unit(benchmark::kMillisecond)->UseRealTime();

// Everything the diff command does after reading: both panels' geometry and the comparison.
void BM_ComparePanelsFromTheirModels(benchmark::State& state) {
  static const StandardModel moved = Moved(Panel(), 0.001 / 25.4);
  BoardComparison result;
  for (auto _ : state) {
    result = CompareBoards(Panel(), moved);
    benchmark::DoNotOptimize(result.unlistedPlaces);
  }
  state.counters["places"] = static_cast<double>(result.PlaceCount());
}
BENCHMARK(BM_ComparePanelsFromTheirModels)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CompareTwoModernBoards(benchmark::State& state) {
  static const StandardModel board = Read(WriteGeneratedModernBoard(2'500'000));
  if (board.layers.empty()) {
    state.SkipWithError("cannot write the generated board");
    return;
  }
  static const StandardModel copy = board;
  BoardComparison result;
  for (auto _ : state) {
    result = CompareBoards(board, copy);
    benchmark::DoNotOptimize(result.unlistedPlaces);
  }
  state.counters["objects"] = static_cast<double>(board.layers[0].geometry.objects.size());
  state.counters["places"] = static_cast<double>(result.PlaceCount());
}
BENCHMARK(BM_CompareTwoModernBoards)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
