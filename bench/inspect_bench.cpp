// Speed of inspecting the 100-copy panel: one hover (the objects at a point
// with their reports and the Inspector's text), and lighting the GND net
// (finding its objects by name, their polygons, and the overlay's paint on a
// recording surface). The layer and its geometry are made once. Run with
// --benchmark_repetitions=5 for medians.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/board_query.h"
#include "analysis/object_report.h"
#include "app/inspector_text.h"
#include "geometry/geometry_index.h"
#include "geometry/layer_geometry_builder.h"
#include "panel_generator.h"
#include "standard/standard_reader.h"
#include "view/highlight_overlay.h"

namespace corvane {
namespace {

struct Panel {
  StandardLayer layer;
  LayerGeometry geometry;
  std::unique_ptr<GeometryIndex> index;
  std::vector<QueryLayer> layers;
  GeoPoint pad;  // a point on an object
  bool ok = false;
};

std::unique_ptr<Panel> MakePanel() {
  auto p = std::make_unique<Panel>();
  const GeneratedBoard board = WriteGeneratedPanel(10, 10);
  if (board.path.empty()) return p;
  std::ifstream in(board.path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::remove(board.path.c_str());
  p->layer = ReadStandardGerber(text.str(), StandardContext{});
  p->geometry = BuildLayerGeometry(p->layer);
  p->index = std::make_unique<GeometryIndex>(p->layer, p->geometry);
  p->layers.push_back({0, &p->layer, p->index.get()});
  // The centre of the layer's last flash: a pad or via of the last copy.
  for (const StandardObject& o : p->layer.geometry.objects) {
    bool clamped = false;
    if (o.kind == StandardKind::kFlash) p->pad = ToNanometres(o.x0, o.y0, clamped);
  }
  p->ok = true;
  return p;
}

// Made once: the layers refer to the panel's own members, so it never moves.
const Panel& ThePanel() {
  static const std::unique_ptr<Panel> panel = MakePanel();
  return *panel;
}

void BM_HoverReport(benchmark::State& state) {
  const Panel& panel = ThePanel();
  if (!panel.ok) {
    state.SkipWithError("cannot write the generated panel");
    return;
  }
  std::size_t found = 0;
  for (auto _ : state) {
    std::vector<ObjectReport> reports;
    const ObjectDescriber describer(panel.layer, 0);
    for (const ObjectRef& ref : ObjectsAtPoint(panel.layers, panel.pad))
      reports.push_back(describer.Describe(ref.object));
    const std::string text = PanelText("Under the pointer", reports, LengthUnit::kMillimetre);
    benchmark::DoNotOptimize(text.data());
    found = reports.size();
  }
  state.counters["objects_at_point"] = static_cast<double>(found);
  state.counters["layer_objects"] = static_cast<double>(panel.layer.geometry.objects.size());
}
BENCHMARK(BM_HoverReport)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_HighlightNet(benchmark::State& state) {
  const Panel& panel = ThePanel();
  if (!panel.ok) {
    state.SkipWithError("cannot write the generated panel");
    return;
  }
  std::size_t lit = 0;
  std::size_t contours = 0;
  for (auto _ : state) {
    const std::vector<ObjectRef> net = ObjectsNamed(panel.layers, NameKind::kNet, "GND");
    HighlightOverlay overlay;
    for (const ObjectRef& ref : net) overlay.Add(panel.index->ObjectPolygons(ref.object));
    RecordingSurface dc;
    overlay.Draw(dc, PlotMapping{1000.0 * kSubUnits, 0.0, -1000.0 * kSubUnits, 0.0});
    benchmark::DoNotOptimize(dc.calls.data());
    lit = net.size();
    contours = overlay.ContourCount();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lit));
  state.counters["net_objects"] = static_cast<double>(lit);
  state.counters["contours"] = static_cast<double>(contours);
}
BENCHMARK(BM_HighlightNet)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
