// Speed of layer geometry: the 100-copy panel (a board of about 1 500
// objects and 26 000 region points stepped 10 x 10), the modern board of
// 2.5 million statements, and a point query on the panel. Each layer is read
// once; each iteration builds its geometry anew. Run with
// --benchmark_repetitions=5 for medians; the threads counter says how many
// cores the build used.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "geometry/geometry_index.h"
#include "geometry/layer_geometry_builder.h"
#include "geometry/parallel_tasks.h"
#include "modern_board_generator.h"
#include "panel_generator.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

struct ReadLayer {
  StandardLayer layer;
  uint64_t statements = 0;
  bool ok = false;
};

ReadLayer Read(const GeneratedBoard& board) {
  ReadLayer read;
  if (board.path.empty()) return read;
  std::ifstream in(board.path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::remove(board.path.c_str());
  read.layer = ReadStandardGerber(text.str(), StandardContext{});
  read.statements = board.statements;
  read.ok = true;
  return read;
}

const ReadLayer& Panel() {
  static const ReadLayer panel = Read(WriteGeneratedPanel(10, 10));
  return panel;
}

const ReadLayer& ModernBoard() {
  static const ReadLayer board = Read(WriteGeneratedModernBoard(2'500'000));
  return board;
}

void Build(benchmark::State& state, const ReadLayer& read) {
  if (!read.ok) {
    state.SkipWithError("cannot write the generated board");
    return;
  }
  LayerGeometry geometry;
  for (auto _ : state) {
    geometry = BuildLayerGeometry(read.layer);
    benchmark::DoNotOptimize(geometry.darkArea);
  }
  const int64_t objects = static_cast<int64_t>(read.layer.geometry.objects.size());
  state.SetItemsProcessed(state.iterations() * objects);
  state.counters["objects"] = static_cast<double>(objects);
  state.counters["region_points"] = static_cast<double>(read.layer.geometry.points.size());
  state.counters["islands"] = static_cast<double>(geometry.islands.size());
  state.counters["vertices"] = static_cast<double>(geometry.VertexCount());
  state.counters["area_mm2"] = geometry.darkArea / 1e12;
  state.counters["threads"] = ThreadCount(0);
  state.counters["complete"] = geometry.Complete() ? 1 : 0;
}

void BM_GeometryPanel(benchmark::State& state) { Build(state, Panel()); }
BENCHMARK(BM_GeometryPanel)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GeometryModernBoard(benchmark::State& state) { Build(state, ModernBoard()); }
BENCHMARK(BM_GeometryModernBoard)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The objects under a point of the panel, as the pointer moves over it.
void BM_GeometryPointQuery(benchmark::State& state) {
  const ReadLayer& read = Panel();
  if (!read.ok) {
    state.SkipWithError("cannot write the generated board");
    return;
  }
  static const LayerGeometry geometry = BuildLayerGeometry(read.layer);
  static const GeometryIndex index(read.layer, geometry);
  const GeoBox box = geometry.extents;
  uint64_t step = 0;
  uint64_t hits = 0;
  for (auto _ : state) {
    // A walk over the panel that visits copper and gaps alike.
    const int64_t x =
        box.minX + static_cast<int64_t>((step * 7919) % 1000) * (box.maxX - box.minX) / 1000;
    const int64_t y =
        box.minY + static_cast<int64_t>((step * 104729) % 1000) * (box.maxY - box.minY) / 1000;
    ++step;
    const std::vector<uint32_t> found = index.ObjectsAt({x, y});
    hits += found.size();
    benchmark::DoNotOptimize(found.data());
  }
  state.counters["hits_per_query"] = benchmark::Counter(
      static_cast<double>(hits) / static_cast<double>(std::max<uint64_t>(step, 1)));
}
BENCHMARK(BM_GeometryPointQuery)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
