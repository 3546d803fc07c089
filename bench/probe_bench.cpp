// Speed of inspecting the 100-copy panel: one hover (the objects at a point
// with their reports and the Inspector's text), lighting the GND net
// (finding its objects by name and the islands they make), and the lit
// net's paint onto a surface that only counts. The layer and its geometry are made once. Run with
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
#include "app/probe_text.h"
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
  // The centre of the layer's last flash that covers it: a pad of the last copy.
  const std::vector<StandardObject>& objects = p->layer.geometry.objects;
  for (auto o = objects.rbegin(); o != objects.rend(); ++o) {
    bool clamped = false;
    const GeoPoint centre = ToNanometres(o->x0, o->y0, clamped);
    if (o->kind == StandardKind::kFlash && !p->index->ObjectsAt(centre).empty()) {
      p->pad = centre;
      break;
    }
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

std::vector<uint32_t> GndObjects(const Panel& panel) {
  std::vector<uint32_t> objects;
  for (const ObjectRef& ref : ObjectsNamed(panel.layers, NameKind::kNet, "GND"))
    objects.push_back(ref.object);
  return objects;
}

// Finding the net by name and gathering the copper it lights.
void BM_LightNet(benchmark::State& state) {
  const Panel& panel = ThePanel();
  if (!panel.ok) {
    state.SkipWithError("cannot write the generated panel");
    return;
  }
  std::size_t lit = 0;
  std::size_t contours = 0;
  for (auto _ : state) {
    const std::vector<uint32_t> objects = GndObjects(panel);
    GeoPaths polygons;
    AddLitPolygons(panel.layer, panel.index.get(), objects, polygons);
    HighlightOverlay overlay;
    overlay.Add(polygons);
    lit = objects.size();
    contours = overlay.ContourCount();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lit));
  state.counters["net_objects"] = static_cast<double>(lit);
  state.counters["contours"] = static_cast<double>(contours);
}
BENCHMARK(BM_LightNet)->Unit(benchmark::kMillisecond)->UseRealTime();

// The lit net's paint: one fill, onto a surface that only counts.
class CountingSurface : public RecordingSurface {
 public:
  void FillPath(const DevicePath& path, FillMode) override { points += path.points.size(); }
  uint64_t points = 0;
};

void BM_DrawLitNet(benchmark::State& state) {
  const Panel& panel = ThePanel();
  if (!panel.ok) {
    state.SkipWithError("cannot write the generated panel");
    return;
  }
  GeoPaths polygons;
  AddLitPolygons(panel.layer, panel.index.get(), GndObjects(panel), polygons);
  HighlightOverlay overlay;
  overlay.Add(polygons);
  // The whole panel fitted into a window 1 200 pixels wide.
  const StandardBox& e = panel.layer.extents;
  const double scale = 1200.0 / (e.maxX - e.minX) * kSubUnits;
  const PlotMapping fitted{scale, -e.minX * scale, -scale, e.maxY * scale};
  uint64_t points = 0;
  for (auto _ : state) {
    CountingSurface dc;
    overlay.Draw(dc, fitted);
    benchmark::DoNotOptimize(dc.points);
    points = dc.points;
  }
  state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_DrawLitNet)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
