// The board picture painted into a transparent picture as the export paints
// it, and the PNG of a board written by the program, read back.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

#include "analysis/generated_board.h"
#include "cli/headless_view.h"
#include "qt/raster_picture.h"
#include "view/plot_mapping.h"

namespace corvane {
namespace {

constexpr double kDpi = 254.0;  // ten pixels to the millimetre

class BoardRasterTest : public ::testing::Test {
 protected:
  BoardRasterTest() { doc.SetMirrorX(1); }

  // Paints the side's picture fitted at kDpi; `place` then maps millimetres
  // of the board to the pixel they are painted at.
  std::unique_ptr<RasterPicture> Paint(BoardSide side, BoardStyle style = {}) {
    auto picture = std::make_shared<BoardPicture>(BuildBoardPicture(testboard::Board(), side, style));
    view = std::make_unique<HeadlessView>(doc, ClientSize{100, 100});
    view->ShowBoard(picture);
    const auto size = view->FitDrawingAt(kDpi, 4, 4000);
    EXPECT_TRUE(size.has_value());
    auto raster = RasterPicture::Transparent(size->width, size->height);
    raster->Paint(*view);
    return raster;
  }
  QPoint Place(double xMm, double yMm) const {
    const PlotMapping map = PlotMapping::Of(view->View().GetViewport());
    const SubPoint p = map.Map(xMm / 25.4, yMm / 25.4);
    return {static_cast<int>(std::floor(p.x / double{kSubUnits})),
            static_cast<int>(std::floor(p.y / double{kSubUnits}))};
  }

  CCorvaneDoc doc;
  std::unique_ptr<HeadlessView> view;
};

TEST_F(BoardRasterTest, PixelsShowTheBoardAndTheHolesAreTransparent) {
  const BoardStyle style;
  const auto top = Paint(BoardSide::kTop, style);
  struct Case {
    const char* what;
    double x;
    double y;
    uint32_t color;  // 0x00BBGGRR; 0 with alpha 0 for transparent
    bool opaque;
  };
  const Case cases[] = {
      {"pad in an opening", 5.0, 10.0, style.FinishColor(), true},
      {"pad under the mask", 10.0, 10.0, style.CopperUnderMaskColor(), true},
      {"through hole", 15.0, 10.0, 0, false},
      {"cut-out", 22.0, 7.0, 0, false},
      {"silkscreen", 5.0, 12.5, style.SilkColor(), true},
      {"no silkscreen over the opening", 5.05, 10.5, style.FinishColor(), true},
      {"mask", 25.0, 15.0, style.MaskColor(), true},
      {"outside", 30.3, 10.0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QPoint p = Place(c.x, c.y);
    EXPECT_EQ(top->Alpha(p.x(), p.y()), c.opaque ? 255u : 0u);
    if (c.opaque) {
      EXPECT_EQ(top->Pixel(p.x(), p.y()), c.color);
    }
  }
}

TEST_F(BoardRasterTest, TheBottomIsTheBoardTurnedOverLeftToRight) {
  const auto top = Paint(BoardSide::kTop);
  // Where the top view paints a point, the bottom view paints the point
  // mirrored about the board's middle (x -> 30 - x).
  struct Spot {
    double x;
    double y;
  };
  const Spot spots[] = {{5.0, 4.0}, {15.0, 10.0}, {22.0, 7.0}, {10.0, 10.0}, {28.0, 2.0}};
  std::vector<QPoint> mirrored;
  for (const Spot& s : spots) mirrored.push_back(Place(30.0 - s.x, s.y));
  const auto bottom = Paint(BoardSide::kBottom);
  const BoardStyle style;
  const uint32_t want[] = {style.FinishColor(), 0, 0, kSubstrateColor, kSubstrateColor};
  for (std::size_t i = 0; i < mirrored.size(); ++i) {
    SCOPED_TRACE(i);
    const QPoint p = mirrored[i];
    EXPECT_EQ(bottom->Alpha(p.x(), p.y()), want[i] == 0 ? 0u : 255u);
    if (want[i] != 0) {
      EXPECT_EQ(bottom->Pixel(p.x(), p.y()), want[i]);
    }
  }
  // The bottom pad at x = 5 lies in the right half as seen from below.
  EXPECT_GT(Place(5.0, 4.0).x(), Place(15.0, 4.0).x());
}

TEST(BoardExportTest, ThePngHasAlphaAndTheCornersOfARoundedBoardAreClear) {
  QTemporaryDir dir;
  const QString out = dir.filePath(QStringLiteral("bottom.png"));
  QProcess process;
  process.start(QStringLiteral(CORVANE_BINARY),
                {QStringLiteral("export"), QStringLiteral("--defaults"), QStringLiteral("--board"),
                 QStringLiteral("bottom"), QStringLiteral("--mask"), QStringLiteral("blue"),
                 QStringLiteral("--dpi"), QStringLiteral("200"), QStringLiteral("-o"), out,
                 QStringLiteral(CORVANE_TEST_DATA_DIR "/../../examples/fab")});
  ASSERT_TRUE(process.waitForFinished(60000));
  ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  const QImage image(out);
  ASSERT_FALSE(image.isNull());
  EXPECT_TRUE(image.hasAlphaChannel());
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(image.pixel(5, 5)), 0);  // the rounded corner
  EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
}

}  // namespace
}  // namespace corvane
