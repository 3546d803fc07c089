// Scrolling moves the window's kept picture and paints only what it lacks:
// over generated boards, a run of scroll steps must end in the picture a
// whole paint at the same position gives, but for a pixel or two along the
// window's edges.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdio>
#include <string>
#include <vector>

#include "../temp_folder.h"
#include "cli/headless_view.h"
#include "loading/document_loader.h"
#include "loading/standard_model_cache.h"
#include "qt/qimage_surface.h"
#include "qt/raster_picture.h"
#include "qt/test_application.h"

namespace corvane {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

struct Random {
  uint64_t state;
  int64_t Next(int64_t n) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<int64_t>((state >> 33) % static_cast<uint64_t>(n));
  }
};

// A layer of 2 x 1.5 inches: nets of round and rectangular draws from hair
// lines to wide ones, pads at their ends, arcs, and clear pads over them.
std::string GenerateLayer(uint64_t seed, int nets) {
  Random random{seed};
  std::string text = "%FSLAX24Y24*%\n%MOIN*%\n";
  const char* apertures[] = {"C,0.003", "C,0.010",       "C,0.040", "R,0.030X0.012",
                             "C,0.070", "R,0.060X0.060", "C,0.120"};
  for (int d = 0; d < 7; ++d) {
    text += "%ADD" + std::to_string(10 + d) + std::string(apertures[d]) + "*%\n";
  }
  text += "G01*\n";
  char line[96];
  for (int n = 0; n < nets; ++n) {
    int64_t x = random.Next(20000);
    int64_t y = random.Next(15000);
    if (n % 7 == 6) text += "%LPC*%\n";
    std::snprintf(line, sizeof line, "D%d*\nX%ldY%ldD03*\n", 15 + static_cast<int>(random.Next(2)),
                  static_cast<long>(x), static_cast<long>(y));
    text += line;
    if (n % 7 == 6) {
      text += "%LPD*%\n";
      continue;
    }
    std::snprintf(line, sizeof line, "D%d*\n", 10 + static_cast<int>(random.Next(7)));
    text += line;
    for (int s = 0; s < 4; ++s) {
      x = std::clamp<int64_t>(x + random.Next(3001) - 1500, 0, 20000);
      y = std::clamp<int64_t>(y + random.Next(3001) - 1500, 0, 15000);
      std::snprintf(line, sizeof line, "X%ldY%ldD01*\n", static_cast<long>(x),
                    static_cast<long>(y));
      text += line;
    }
    if (n % 5 == 0) {
      std::snprintf(line, sizeof line, "G75*\nG03X%ldY%ldI400J0D01*\nG01*\n",
                    static_cast<long>(x + 400), static_cast<long>(y + 400));
      text += line;
    }
  }
  return text + "M02*\n";
}

enum class Step { kLineDown, kLineUp, kLineRight, kLineLeft, kThumbV, kThumbH, kScrollTo };

struct ScrollRun {
  const char* name;
  bool standard;
  double zoom;  // times zoom extents
  std::vector<Step> steps;
};

void Apply(CCorvaneView& view, Step step, int i) {
  const DevicePoint at = view.GetViewport().GetScrollPos();
  switch (step) {
    case Step::kLineDown:
      view.OnVScroll(ScrollCode::kLineDown, 0);
      break;
    case Step::kLineUp:
      view.OnVScroll(ScrollCode::kLineUp, 0);
      break;
    case Step::kLineRight:
      view.OnHScroll(ScrollCode::kLineDown, 0);
      break;
    case Step::kLineLeft:
      view.OnHScroll(ScrollCode::kLineUp, 0);
      break;
    case Step::kThumbV:
      view.OnVScroll(ScrollCode::kThumbTrack, at.y + (i % 2 == 0 ? 13 : -29));
      break;
    case Step::kThumbH:
      view.OnHScroll(ScrollCode::kThumbTrack, at.x + (i % 2 == 0 ? -17 : 7));
      break;
    case Step::kScrollTo:
      view.ScrollTo({at.x + 23, at.y - 11});
      break;
  }
}

// Pixels where two pictures differ, apart along the edges and inside.
struct Differences {
  int nearEdges = 0;
  int inside = 0;
  int drawn = 0;  // pixels of the whole paint that are not background
};

Differences Compare(const RasterPicture& scrolled, const RasterPicture& whole, ClientSize size,
                    int edge) {
  Differences d;
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) {
      const uint32_t w = whole.Pixel(x, y);
      d.drawn += w != kWhite;
      if (scrolled.Pixel(x, y) == w) continue;
      const bool atEdge = x < edge || y < edge || x >= size.width - edge || y >= size.height - edge;
      (atEdge ? d.nearEdges : d.inside) += 1;
    }
  }
  return d;
}

TEST(ScrollPaintTest, ScrolledPictureEqualsWholePaintInside) {
  TestApplication();
  TempFolder folder;
  const std::vector<ScrollRun> runs = {
      {"lines",
       false,
       3.0,
       {Step::kLineDown, Step::kLineDown, Step::kLineRight, Step::kLineUp, Step::kLineLeft,
        Step::kLineRight}},
      {"thumb drags",
       false,
       4.0,
       {Step::kThumbV, Step::kThumbH, Step::kThumbV, Step::kThumbH, Step::kThumbV, Step::kThumbH}},
      {"diagonal",
       false,
       2.5,
       {Step::kScrollTo, Step::kScrollTo, Step::kLineDown, Step::kScrollTo}},
      {"at extents", false, 1.0, {Step::kThumbV, Step::kThumbH, Step::kThumbV}},
      {"standard lines",
       true,
       3.0,
       {Step::kLineDown, Step::kLineRight, Step::kLineDown, Step::kLineLeft, Step::kLineUp}},
      {"standard drags",
       true,
       4.0,
       {Step::kThumbV, Step::kThumbH, Step::kScrollTo, Step::kThumbV, Step::kThumbH}},
  };
  const ClientSize size{317, 239};
  std::vector<std::string> layers;
  for (uint64_t i = 0; i < 3; ++i) {
    layers.push_back(folder.Write("layer" + std::to_string(i) + ".gbr", GenerateLayer(i + 1, 300)));
  }
  int compared = 0;
  for (const ScrollRun& run : runs) {
    SCOPED_TRACE(run.name);
    CCorvaneDoc doc;
    DocumentLoader loader(doc);
    for (std::size_t i = 0; i < layers.size(); ++i) {
      loader.LoadGerberLayer(
          PlotLayer{layers[i], CCorvaneDoc::DefaultLayerColor(static_cast<int32_t>(i))});
    }
    StandardModelCache standard(loader);
    loader.ReloadAll();
    HeadlessView headless(doc, size, run.standard ? &standard : nullptr);
    CCorvaneView& view = headless.View();
    view.GetViewport().ZoomAt(size.width / 2, size.height / 2, run.zoom);
    view.RedrawView();
    RasterPicture scrolled(size.width, size.height, kWhite);
    scrolled.PaintAsWindow(headless);
    const DevicePoint start = view.GetViewport().GetScrollPos();
    for (std::size_t i = 0; i < run.steps.size(); ++i) {
      Apply(view, run.steps[i], static_cast<int>(i));
      scrolled.PaintAsWindow(headless);
    }
    ASSERT_NE(view.GetViewport().GetScrollPos(), start);
    RasterPicture whole(size.width, size.height, kWhite);
    whole.Paint(headless);
    const Differences d = Compare(scrolled, whole, size, 2);
    // Fills land on the same pixels at any scroll position. Lines and arcs
    // of the classic reading may not: a line running out of the left or top
    // edge has its end truncated toward zero, and an arc the painter strokes
    // across an edge need not land on the same pixels once moved; such a
    // draw may be off by a pixel along its length.
    const int allowed = run.standard ? 0 : size.width * size.height / 400;
    EXPECT_LE(d.inside, allowed);
    EXPECT_LE(d.nearEdges, 2 * (size.width + size.height));
    EXPECT_GT(d.drawn, size.width * size.height / 10);
    ++compared;
  }
  EXPECT_EQ(compared, static_cast<int>(runs.size()));
}

// A paint limited to some areas writes there exactly what the whole paint
// writes, and nothing anywhere else.
TEST(ScrollPaintTest, LimitedPaintIsThatPartOfTheWholePaint) {
  TestApplication();
  TempFolder folder;
  const std::string layer = folder.Write("layer.gbr", GenerateLayer(5, 400));
  const std::string second = folder.Write("second.gbr", GenerateLayer(6, 300));
  struct Row {
    const char* name;
    bool standard;
    std::vector<DeviceRect> areas;
  };
  const std::vector<Row> rows = {
      {"one strip", false, {{0, 150, 317, 239}}},
      {"two strips", false, {{0, 0, 317, 40}, {0, 200, 317, 239}}},
      {"columns and rows", false, {{0, 0, 25, 239}, {290, 0, 317, 239}, {25, 0, 290, 9}}},
      {"beyond the picture", false, {{-50, -50, 60, 30}, {300, 220, 900, 900}}},
      {"nothing", false, {}},
      {"standard strips", true, {{0, 0, 317, 31}, {0, 170, 317, 239}, {100, 31, 140, 170}}},
  };
  constexpr QRgb kMarker = 0xFF123456u;
  int checked = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CCorvaneDoc doc;
    DocumentLoader loader(doc);
    loader.LoadGerberLayer(PlotLayer{layer, 0x0000FF});
    loader.LoadGerberLayer(PlotLayer{second, 0x00FF00});
    StandardModelCache standard(loader);
    loader.ReloadAll();
    HeadlessView headless(doc, {317, 239}, row.standard ? &standard : nullptr);
    headless.View().GetViewport().ZoomAt(150, 100, 2.7);
    QImage whole(317, 239, QImage::Format_RGB32);
    whole.fill(Qt::white);
    {
      QPainter painter(&whole);
      QImageSurface surface(whole, painter);
      headless.PaintWindow(surface);
    }
    QImage part(317, 239, QImage::Format_RGB32);
    part.fill(kMarker);
    {
      QPainter painter(&part);
      QImageSurface surface(part, painter);
      ASSERT_TRUE(surface.LimitTo(row.areas));
      for (const DeviceRect& area : row.areas) surface.FillSolidRect(area, kWhite);
      headless.PaintWindow(surface);
    }
    int inside = 0;
    for (int y = 0; y < 239; ++y) {
      for (int x = 0; x < 317; ++x) {
        const bool in = std::any_of(row.areas.begin(), row.areas.end(), [&](const DeviceRect& a) {
          return x >= a.left && x < a.right && y >= a.top && y < a.bottom;
        });
        inside += in;
        ASSERT_EQ(part.pixel(x, y), in ? whole.pixel(x, y) : kMarker) << x << "," << y;
      }
    }
    EXPECT_EQ(inside > 0, !row.areas.empty());
    ++checked;
  }
  EXPECT_EQ(checked, static_cast<int>(rows.size()));
}

}  // namespace
}  // namespace corvane
