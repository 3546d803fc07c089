// The board picture of the 100-copy panel (the geometry benchmark's panel as
// top copper, the same layer as the top mask's openings, an outline 2 mm
// around it): composing it from built geometry, and painting it into a
// 1920 x 1080 picture as the export does. Run with --benchmark_repetitions=5
// for medians.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "analysis/board_picture.h"
#include "cli/headless_view.h"
#include "panel_generator.h"
#include "qt/raster_picture.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

// The panel's copies; CORVANE_PANEL_SIDE changes both, for a quick look at
// how the time grows.
const int kSide = std::getenv("CORVANE_PANEL_SIDE") ? std::atoi(std::getenv("CORVANE_PANEL_SIDE")) : 10;
const uint32_t kColumns = static_cast<uint32_t>(kSide);
const uint32_t kRows = static_cast<uint32_t>(kSide);

struct PanelBoard {
  StandardModel model;
  std::vector<LayerGeometry> geometry;
  bool ok = false;
};

std::string ReadAndRemove(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::remove(path.c_str());
  return text.str();
}

StandardLayer Identified(StandardLayer layer, LayerSide side, LayerType type) {
  layer.function.kind = FileKind::kGerber;
  layer.function.side = side;
  layer.function.type = type;
  layer.function.from = FunctionSource::kName;
  return layer;
}

std::string OutlineAround(const GeoBox& box) {
  const auto mm = [](int64_t nm, int64_t by) { return std::to_string((nm + by) / 1000); };
  const std::string x0 = mm(box.minX, -2'000'000), x1 = mm(box.maxX, 2'000'000);
  const std::string y0 = mm(box.minY, -2'000'000), y1 = mm(box.maxY, 2'000'000);
  return "%FSLAX43Y43*%%MOMM*%%ADD10C,0.1*%D10*X" + x0 + "Y" + y0 + "D02*X" + x1 + "Y" + y0 +
         "D01*X" + x1 + "Y" + y1 + "D01*X" + x0 + "Y" + y1 + "D01*X" + x0 + "Y" + y0 + "D01*M02*";
}

const PanelBoard& Panel() {
  static const PanelBoard panel = [] {
    PanelBoard p;
    const GeneratedBoard board = WriteGeneratedPanel(kColumns, kRows);
    if (board.path.empty()) return p;
    const StandardLayer copper = ReadStandardGerber(ReadAndRemove(board.path), StandardContext{});
    p.model.layers.push_back(Identified(copper, LayerSide::kTop, LayerType::kCopper));
    p.model.layers.push_back(Identified(copper, LayerSide::kTop, LayerType::kSoldermask));
    p.geometry.push_back(BuildLayerGeometry(p.model.layers[0]));
    p.geometry.push_back(p.geometry[0]);
    p.model.layers.push_back(Identified(
        ReadStandardGerber(OutlineAround(p.geometry[0].extents), StandardContext{}),
        LayerSide::kAll, LayerType::kOutline));
    p.geometry.push_back(BuildLayerGeometry(p.model.layers[2]));
    p.ok = true;
    return p;
  }();
  return panel;
}

BoardPicture Compose(const PanelBoard& p) {
  return ComposeBoardPicture(p.model, FindBoardLayers(p.model), BoardSide::kTop, BoardStyle{},
                             [&p](uint32_t i) { return i < p.geometry.size() ? &p.geometry[i] : nullptr; });
}

void BM_BoardComposePanel(benchmark::State& state) {
  const PanelBoard& p = Panel();
  if (!p.ok) return state.SkipWithError("cannot write the generated panel");
  BoardPicture picture;
  for (auto _ : state) {
    picture = Compose(p);
    benchmark::DoNotOptimize(picture.parts.data());
  }
  uint64_t vertices = 0;
  for (const BoardPicturePart& part : picture.parts) {
    vertices += part.PointCount();
  }
  state.counters["parts"] = static_cast<double>(picture.parts.size());
  state.counters["vertices"] = static_cast<double>(vertices);
}
BENCHMARK(BM_BoardComposePanel)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BoardPaintPanel1920x1080(benchmark::State& state) {
  const PanelBoard& p = Panel();
  if (!p.ok) return state.SkipWithError("cannot write the generated panel");
  auto picture = std::make_shared<BoardPicture>(Compose(p));
  CCorvaneDoc doc;
  doc.SetMirrorX(1);
  HeadlessView view(doc, {1920, 1080});
  view.ShowBoard(picture);
  const auto raster = RasterPicture::Transparent(1920, 1080);
  for (auto _ : state) {
    raster->Paint(view);
    benchmark::DoNotOptimize(raster->Alpha(960, 540));
  }
  state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}
BENCHMARK(BM_BoardPaintPanel1920x1080)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
