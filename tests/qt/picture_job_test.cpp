// The exact picture drawn away from the window's thread, whole or in bands,
// is the picture a whole paint on the window's thread gives, pixel for pixel;
// a cancelled one is thrown away; the document's changes wait for it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "../temp_folder.h"
#include "cli/headless_view.h"
#include "loading/document_loader.h"
#include "loading/standard_model_cache.h"
#include "qt/qimage_surface.h"
#include "qt/test_application.h"
#include "qt/view_window.h"
#include "qt/window_picture.h"
#include "view/picture_job.h"

namespace corvane {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
using std::chrono::milliseconds;

// A layer of round and rectangular draws, pads, arcs and clear pads over them.
std::string Layer(uint32_t seed, int nets) {
  uint64_t state = seed;
  const auto next = [&](int64_t n) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<long>((state >> 33) % static_cast<uint64_t>(n));
  };
  std::string text =
      "%FSLAX24Y24*%\n%MOIN*%\n%ADD10C,0.004*%\n%ADD11C,0.030*%\n%ADD12R,0.040X0.015*%\n"
      "%ADD13C,0.080*%\n%ADD14R,0.060X0.060*%\nG01*\n";
  char line[96];
  for (int n = 0; n < nets; ++n) {
    long x = next(20000);
    long y = next(15000);
    const bool clear = n % 6 == 5;
    if (clear) text += "%LPC*%\n";
    std::snprintf(line, sizeof line, "D%ld*\nX%ldY%ldD03*\n", 13 + next(2), x, y);
    text += line;
    if (clear) {
      text += "%LPD*%\n";
      continue;
    }
    std::snprintf(line, sizeof line, "D%ld*\n", 10 + next(3));
    text += line;
    for (int s = 0; s < 3; ++s) {
      x = std::clamp<long>(x + next(2001) - 1000, 0, 20000);
      y = std::clamp<long>(y + next(2001) - 1000, 0, 15000);
      std::snprintf(line, sizeof line, "X%ldY%ldD01*\n", x, y);
      text += line;
    }
    if (n % 4 == 0) {
      std::snprintf(line, sizeof line, "G75*\nG03X%ldY%ldI300J0D01*\nG01*\n", x + 300, y + 300);
      text += line;
    }
  }
  return text + "M02*\n";
}

struct Set {
  explicit Set(const std::vector<std::string>& layers) : loader(doc), standard(loader) {
    for (std::size_t i = 0; i < layers.size(); ++i) {
      loader.LoadGerberLayer(
          PlotLayer{layers[i], CCorvaneDoc::DefaultLayerColor(static_cast<int32_t>(i))});
    }
    loader.ReloadAll();
  }
  CCorvaneDoc doc;
  DocumentLoader loader;
  StandardModelCache standard;
};

QImage WholePaint(HeadlessView& headless) {
  const ClientSize size = headless.GetClientSize();
  QImage image(size.width, size.height, QImage::Format_RGB32);
  PaintWindowPicture(image, kWhite, headless.View());
  return image;
}

int DifferentPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  int different = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) different += a.pixel(x, y) != b.pixel(x, y);
  }
  return different;
}

int DrawnPixels(const QImage& image) {
  int drawn = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) drawn += (image.pixel(x, y) & 0xFFFFFFu) != kWhite;
  }
  return drawn;
}

TEST(PictureJobTest, ExactPictureEqualsTheWholePaintInBothReadingsAndAnyBands) {
  TestApplication();
  TempFolder folder;
  const std::vector<std::string> layers = {folder.Write("a.gbr", Layer(1, 260)),
                                           folder.Write("b.gbr", Layer(2, 200))};
  struct Row {
    const char* name;
    bool standard;
    int32_t bands;
    double zoom;
  };
  const std::vector<Row> rows = {
      {"classic whole", false, 1, 1.0},       {"classic two bands", false, 2, 1.0},
      {"classic three bands", false, 3, 2.6}, {"classic many bands", false, 7, 4.0},
      {"standard whole", true, 1, 1.0},       {"standard two bands", true, 2, 1.0},
      {"standard three bands", true, 3, 2.6}, {"standard many bands", true, 7, 4.0},
  };
  const ClientSize size{331, 247};
  int compared = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Set set(layers);
    HeadlessView headless(set.doc, size, row.standard ? &set.standard : nullptr);
    headless.DrawElsewhere(true);
    CCorvaneView& view = headless.View();
    if (row.standard) view.SetInterpretation(Interpretation::kStandard);
    view.GetViewport().ZoomAt(size.width / 3, size.height / 2, row.zoom);
    view.RedrawView();
    const QImage before = WholePaint(headless);
    // From now on the view thinks a whole paint too slow to wait for.
    view.Refinement().FullPaintTook(milliseconds(500));
    view.RedrawView();
    QImage frame = before;
    const WindowPaintPlan plan = PaintWindowPicture(frame, before, kWhite, view);
    ASSERT_TRUE(plan.refine);
    // Nothing moved: the preview is the picture as it was.
    EXPECT_EQ(DifferentPixels(frame, before), 0);
    std::unique_ptr<PictureJob> job = view.MakePictureJob(row.bands);
    ASSERT_NE(job, nullptr);
    QImage exact;
    std::thread worker([&] { exact = DrawPictureJob(*job, kWhite); });
    worker.join();
    ASSERT_FALSE(exact.isNull());
    ASSERT_TRUE(view.AcceptPicture(*job, milliseconds(400)));
    view.Refinement().FullPaintTook(milliseconds(1));
    view.RedrawView();
    const QImage after = WholePaint(headless);
    EXPECT_EQ(DifferentPixels(exact, before), 0);
    EXPECT_EQ(DifferentPixels(exact, after), 0);
    EXPECT_GT(DrawnPixels(exact), size.width * size.height / 10);
    ++compared;
  }
  EXPECT_EQ(compared, static_cast<int>(rows.size()));
}

TEST(PictureJobTest, ACancelledPictureIsNotMade) {
  TestApplication();
  TempFolder folder;
  Set set({folder.Write("a.gbr", Layer(3, 200))});
  HeadlessView headless(set.doc, {200, 150});
  headless.DrawElsewhere(true);
  CCorvaneView& view = headless.View();
  view.Refinement().FullPaintTook(milliseconds(500));
  view.OnZoomIn();
  QImage frame(200, 150, QImage::Format_RGB32);
  ASSERT_TRUE(PaintWindowPicture(frame, QImage(), kWhite, view).refine);
  // No exact picture yet: the preview is the background.
  EXPECT_EQ(DrawnPixels(frame), 0);
  std::unique_ptr<PictureJob> job = view.MakePictureJob(2);
  ASSERT_NE(job, nullptr);
  view.OnZoomIn();  // the next notch
  EXPECT_TRUE(job->Cancelled());
  EXPECT_TRUE(DrawPictureJob(*job, kWhite).isNull());
}

// The window's worker, on a board large enough to take a while: a change of
// the document returns only once nothing is drawn on the worker any more,
// and the window then shows a picture of the changed document.
TEST(PictureJobTest, WindowStopsItsWorkerBeforeTheDocumentChanges) {
  TestApplication();
  TempFolder folder;
  Set set({folder.Write("a.gbr", Layer(4, 6000)), folder.Write("b.gbr", Layer(5, 6000))});
  CViewWindow window(set.doc);
  window.resize(640, 480);
  window.show();
  window.InitialUpdate();
  QCoreApplication::processEvents();
  window.View().Refinement().FullPaintTook(milliseconds(500));
  int stopped = 0;
  for (int round = 0; round < 5; ++round) {
    window.View().OnZoomIn();  // repaints now: a preview, and a job for the worker
    const bool busy = window.IsDrawingElsewhere();
    set.doc.SetLayerVisible(round % 2, round % 2 == 0 ? 0 : 1);
    EXPECT_FALSE(window.IsDrawingElsewhere());
    stopped += busy;
  }
  EXPECT_GT(stopped, 0);
  // Left alone, the exact picture arrives and is kept.
  window.View().RedrawView();
  for (int i = 0; i < 200 && window.IsDrawingElsewhere(); ++i) {
    std::this_thread::sleep_for(milliseconds(10));
  }
  EXPECT_FALSE(window.IsDrawingElsewhere());
  QCoreApplication::processEvents();
  EXPECT_TRUE(window.View().Refinement().Outstanding() == false);
}

}  // namespace
}  // namespace corvane
