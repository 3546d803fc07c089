// Paint and export speed over a generated board of two million items.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "cli/headless_view.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "loading/standard_model_cache.h"
#include "qt/raster_picture.h"
#include "qt/window_picture.h"  // the window's pictures, which are QImages
#include "render_board.h"
#include "view/picture_job.h"

namespace corvane {
namespace {

constexpr uint64_t kStatements = 1900000;
constexpr uint64_t kHits = 100000;
constexpr ClientSize kClient{1920, 1080};

struct LoadedBoard {
  RenderBoard files;
  std::unique_ptr<CCorvaneDoc> doc;
  ~LoadedBoard() { RemoveRenderBoard(files); }
};

void Load(const RenderBoard& files, CCorvaneDoc& doc) {
  DocumentLoader loader(doc);
  loader.ClearAll();
  for (std::size_t i = 0; i < files.layers.size(); ++i) {
    PlotLayer layer;
    layer.fileName = files.layers[i];
    layer.color = CCorvaneDoc::DefaultLayerColor(static_cast<int32_t>(i));
    loader.LoadGerberLayer(layer);
  }
  loader.LoadDrillToolFile(files.toolFile);
  loader.LoadNcDrillFile(files.drillFile);
}

// A board's own document with the standard model beside it, both read through
// one loader, so that the cache reads the same files the document did.
struct BothReadings {
  explicit BothReadings(const RenderBoard& files) : loader(doc), standard(loader) {
    Load(files, doc);
    loader.ReloadAll();
  }
  CCorvaneDoc doc;
  DocumentLoader loader;
  StandardModelCache standard;
};

// Two boards of the same two million items: 16 x 12 inches, and the same on
// 8 x 6 inches, four times as dense and each item four times the pixels.
LoadedBoard& Board(int inchesX) {
  static std::unique_ptr<LoadedBoard> boards[2];
  std::unique_ptr<LoadedBoard>& board = boards[inchesX == 8 ? 1 : 0];
  if (!board) {
    board = std::make_unique<LoadedBoard>();
    board->files = WriteRenderBoard(kStatements, kHits, inchesX, inchesX * 3 / 4);
    board->doc = std::make_unique<CCorvaneDoc>();
    Load(board->files, *board->doc);
  }
  return *board;
}

int64_t PaintedItems(const CCorvaneDoc& doc) {
  return static_cast<int64_t>(doc.GetItemCount()) + doc.GetDrillHitCount();
}

// A surface that draws nothing: what the renderer's own pass costs.
class NullSurface : public DrawingSurface {
 public:
  bool SelectPen(uint32_t, int32_t) override { return true; }
  bool SelectBrush(uint32_t) override { return true; }
  void RestorePen() override {}
  void RestoreBrush() override {}
  void FillSolidRect(const DeviceRect& r, uint32_t) override { benchmark::DoNotOptimize(r); }
  void Ellipse(const DeviceRect& r) override { benchmark::DoNotOptimize(r); }
  void MoveTo(DevicePoint p) override { benchmark::DoNotOptimize(p); }
  void LineTo(DevicePoint p) override { benchmark::DoNotOptimize(p); }
  void Arc(const DeviceRect& r, DevicePoint, DevicePoint) override { benchmark::DoNotOptimize(r); }
  void SetArcDirection(ArcDirection) override {}
  uint32_t GetBackgroundColor() const override { return 0xFFFFFF; }
  void SetBackgroundColor(uint32_t) override {}
  bool IsPrinting() const override { return false; }
  DeviceRect GetClipBox() const override { return {0, 0, kClient.width, kClient.height}; }
  void BeginLayer(uint32_t, bool) override {}
  void EndLayer() override {}
  bool ComposesLayers() const override { return true; }
  void FillPath(const DevicePath& p, FillMode) override { benchmark::DoNotOptimize(p); }
  void FillDisc(SubPoint c, int32_t, FillMode) override { benchmark::DoNotOptimize(c); }
  void FillStroke(SubPoint a, SubPoint, int32_t, FillMode) override { benchmark::DoNotOptimize(a); }
};

void BM_PaintZoomExtents(benchmark::State& state) {
  LoadedBoard& board = Board(static_cast<int>(state.range(0)));
  HeadlessView view(*board.doc, kClient);
  RasterPicture picture(kClient.width, kClient.height, 0xFFFFFF);
  for (auto _ : state) picture.Paint(view);
  state.SetItemsProcessed(state.iterations() * PaintedItems(*board.doc));
  state.counters["items"] = static_cast<double>(PaintedItems(*board.doc));
}
BENCHMARK(BM_PaintZoomExtents)
    ->Arg(16)
    ->Arg(8)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same board in the standard reading: each layer composed in its own
// coverage, then laid over the picture.
void BM_PaintZoomExtentsStandard(benchmark::State& state) {
  LoadedBoard& board = Board(static_cast<int>(state.range(0)));
  BothReadings set(board.files);
  CCorvaneDoc& doc = set.doc;
  HeadlessView view(doc, kClient, &set.standard);
  RasterPicture picture(kClient.width, kClient.height, 0xFFFFFF);
  picture.Paint(view);  // reads the model once, outside the timing
  for (auto _ : state) picture.Paint(view);
  state.SetItemsProcessed(state.iterations() * PaintedItems(doc));
}
BENCHMARK(BM_PaintZoomExtentsStandard)
    ->Arg(16)
    ->Arg(8)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A wheel notch at zoom extents, in and out in turn, until the window's
// picture shows it: the view zooms, plans, makes the preview from the last
// exact picture and hands out the job for the exact one (not drawn here).
// Arg 0: the board's width in inches; arg 1: 1 for the standard reading.
// A window's view of a board at zoom extents whose pictures are refined, in
// the reading `state`'s arg 1 names, with its first exact picture painted
// (and measured: too slow to wait for).
struct RefinedWindow {
  explicit RefinedWindow(benchmark::State& state)
      : set(Board(static_cast<int>(state.range(0))).files),
        view(set.doc, kClient, state.range(1) != 0 ? &set.standard : nullptr),
        frame(kClient.width, kClient.height, QImage::Format_RGB32) {
    view.DrawElsewhere(true);
    if (state.range(1) != 0) view.View().SetInterpretation(Interpretation::kStandard);
    view.View().OnZoomExtents();
    PaintWindowPicture(frame, 0xFFFFFF, view.View());
    exact = frame.copy();
  }
  BothReadings set;
  HeadlessView view;
  QImage frame;
  QImage exact;
};

void BM_ZoomStep(benchmark::State& state) {
  RefinedWindow window(state);
  CCorvaneView& v = window.view.View();
  QImage& frame = window.frame;
  const QImage& exact = window.exact;
  if (!v.Refinement().Refines()) state.SkipWithError("a whole paint was cheap");
  bool in = true;
  for (auto _ : state) {
    v.OnWheel(WheelEvent{{kClient.width / 3, kClient.height / 2}, 0, in ? 120 : -120});
    in = !in;
    const WindowPaintPlan plan = PaintWindowPicture(frame, exact, 0xFFFFFF, v);
    std::unique_ptr<PictureJob> job = v.MakePictureJob(2);
    if (!plan.refine || !plan.preview || job == nullptr) state.SkipWithError("no preview");
    benchmark::DoNotOptimize(frame.constBits());
  }
}
BENCHMARK(BM_ZoomStep)
    ->Args({16, 0})
    ->Args({8, 0})
    ->Args({16, 1})
    ->Args({8, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The exact picture the window has drawn after a zoom, at zoom extents, in
// as many bands as the machine has cores (each on its own thread), or in one.
// Arg 0: the board's width; arg 1: 1 for the standard reading; arg 2: 1 for
// one band.
void BM_PaintExactPicture(benchmark::State& state) {
  const auto bands = state.range(2) != 0
                         ? 1
                         : static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));
  RefinedWindow window(state);  // its first paint records the runs the bands leave out
  CCorvaneView& v = window.view.View();
  QImage& frame = window.frame;
  const QImage& exact = window.exact;
  for (auto _ : state) {
    state.PauseTiming();  // the preview and the job's making are BM_ZoomStep's
    v.RedrawView();
    PaintWindowPicture(frame, exact, 0xFFFFFF, v);
    std::unique_ptr<PictureJob> job = v.MakePictureJob(bands);
    state.ResumeTiming();
    if (job == nullptr) {
      state.SkipWithError("no job");
      break;
    }
    const QImage picture = DrawPictureJob(*job, 0xFFFFFF);
    if (picture.isNull()) state.SkipWithError("cancelled");
    // Kept refining, as the window does until a picture is cheap.
    v.Refinement().FullPaintTook(std::chrono::seconds(1));
  }
  state.counters["bands"] = bands;
}
BENCHMARK(BM_PaintExactPicture)
    ->ArgsProduct({{16, 8}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Scroll steps at zoom extents, each painted as the window paints it: the
// kept picture moved and the uncovered strip painted. Arg 0: the board's
// width in inches; arg 1: 0 a line down and back up, 1 a thumb drag of 8
// pixels right and back; arg 2: 1 for the standard reading.
void BM_ScrollStep(benchmark::State& state) {
  LoadedBoard& board = Board(static_cast<int>(state.range(0)));
  BothReadings set(board.files);
  const bool standardReading = state.range(2) != 0;
  HeadlessView view(set.doc, kClient, standardReading ? &set.standard : nullptr);
  if (standardReading) view.View().SetInterpretation(Interpretation::kStandard);
  view.View().OnZoomExtents();
  RasterPicture picture(kClient.width, kClient.height, 0xFFFFFF);
  picture.PaintAsWindow(view);
  CCorvaneView& v = view.View();
  const bool thumb = state.range(1) != 0;
  bool back = false;
  for (auto _ : state) {
    if (thumb) {
      const int32_t x = v.GetViewport().GetScrollPos().x;
      v.OnHScroll(ScrollCode::kThumbTrack, back ? x - 8 : x + 8);
    } else {
      v.OnVScroll(back ? ScrollCode::kLineUp : ScrollCode::kLineDown, 0);
    }
    back = !back;
    picture.PaintAsWindow(view);
  }
}
BENCHMARK(BM_ScrollStep)
    ->Args({16, 0, 0})
    ->Args({16, 1, 0})
    ->Args({8, 0, 0})
    ->Args({8, 1, 0})
    ->Args({16, 0, 1})
    ->Args({8, 0, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Growth: boards of 0.5, 1, 2 and 4 million items (arg: half-millions) on
// 16 x 12 inches, painted whole at zoom extents; arg 1: 1 for the standard
// reading.
LoadedBoard& GrowthBoard(int halfMillions) {
  static std::unique_ptr<LoadedBoard> boards[9];
  std::unique_ptr<LoadedBoard>& board = boards[halfMillions];
  if (!board) {
    const uint64_t items = 500000ull * static_cast<uint64_t>(halfMillions);
    board = std::make_unique<LoadedBoard>();
    board->files = WriteRenderBoard(items / 20 * 19, items / 20, 16, 12);
    board->doc = std::make_unique<CCorvaneDoc>();
    Load(board->files, *board->doc);
  }
  return *board;
}

void BM_PaintGrowth(benchmark::State& state) {
  LoadedBoard& board = GrowthBoard(static_cast<int>(state.range(0)));
  const bool standardReading = state.range(1) != 0;
  BothReadings set(board.files);
  CCorvaneDoc& doc = set.doc;
  HeadlessView view(doc, kClient, standardReading ? &set.standard : nullptr);
  RasterPicture picture(kClient.width, kClient.height, 0xFFFFFF);
  picture.Paint(view);
  for (auto _ : state) picture.Paint(view);
  state.counters["items"] = static_cast<double>(PaintedItems(doc));
}
BENCHMARK(BM_PaintGrowth)
    ->ArgsProduct({{1, 2, 4, 8}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_RendererPassOnly(benchmark::State& state) {
  LoadedBoard& board = Board(static_cast<int>(state.range(0)));
  HeadlessView view(*board.doc, kClient);
  NullSurface surface;
  for (auto _ : state) view.PaintWindow(surface);
  state.SetItemsProcessed(state.iterations() * PaintedItems(*board.doc));
}
BENCHMARK(BM_RendererPassOnly)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_LoadBoard(benchmark::State& state) {
  LoadedBoard& board = Board(static_cast<int>(state.range(0)));
  CCorvaneDoc doc;
  for (auto _ : state) Load(board.files, doc);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(board.files.bytes));
}
BENCHMARK(BM_LoadBoard)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_SavePng(benchmark::State& state) {
  LoadedBoard& board = Board(static_cast<int>(state.range(0)));
  HeadlessView view(*board.doc, kClient);
  RasterPicture picture(kClient.width, kClient.height, 0xFFFFFF);
  picture.Paint(view);
  const std::string out = board.files.folder + "/saved.png";
  std::string error;
  for (auto _ : state) picture.SavePng(out, error);
}
BENCHMARK(BM_SavePng)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The whole command in its own process: start-up, loading, paint, PNG.
void BM_ExportCommandPng(benchmark::State& state) {
  const RenderBoard& files = Board(static_cast<int>(state.range(0))).files;
  std::string command = std::string(CORVANE_BINARY) + " export --defaults -o " + files.folder +
                        "/export.png --drill-tool-file " + files.toolFile + " --drill-file " +
                        files.drillFile;
  for (const std::string& layer : files.layers) command += " " + layer;
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("export failed");
  }
}
BENCHMARK(BM_ExportCommandPng)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
