// The standard reading drawn onto pictures: the raster layers' pixels, and
// exports of the current board of tests/data/standard_board against pictures
// reviewed by eye once and held.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>

#include "qt/layer_raster.h"
#include "qt/qimage_surface.h"

namespace corvane {
namespace {

const QString kBoard = QStringLiteral(CORVANE_TEST_DATA_DIR "/standard_board/");

int RunExport(const QStringList& arguments) {
  QProcess process;
  process.setWorkingDirectory(kBoard);
  process.start(QStringLiteral(CORVANE_BINARY), QStringList{QStringLiteral("export")} + arguments);
  process.waitForFinished(60000);
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

constexpr uint32_t kWhite = 0xFFFFFFFFu;

struct Picture {
  QImage image{40, 30, QImage::Format_RGB32};
  LayerRaster raster;
  Picture() {
    image.fill(Qt::white);
    raster.Attach(reinterpret_cast<uint32_t*>(image.bits()), image.bytesPerLine() / 4,
                  image.width(), image.height());
  }
  int Count(uint32_t argb) const {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == argb;
    }
    return n;
  }
};

SubPoint At(double x, double y) {
  return {static_cast<int32_t>(x * kSubUnits), static_cast<int32_t>(y * kSubUnits)};
}

// A pixel is covered when its centre lies inside: a 10-pixel square on whole
// pixels is 100 pixels, a disc about as many as its area.
TEST(LayerRasterTest, PixelsWhoseCentresLieInside) {
  Picture p;
  p.raster.BeginLayer(0xFF0000FFu, false);
  DevicePath square;
  square.points = {At(2, 3), At(12, 3), At(12, 13), At(2, 13)};
  square.contourSizes = {4};
  p.raster.FillPath(square, FillMode::kDark);
  p.raster.EndLayer();
  EXPECT_EQ(p.Count(0xFF0000FFu), 100);
  EXPECT_EQ(p.image.pixel(2, 3), 0xFF0000FFu);
  EXPECT_EQ(p.image.pixel(12, 3), kWhite);

  Picture d;
  d.raster.BeginLayer(0xFF00FF00u, false);
  d.raster.FillDisc(At(20, 15), 16 * kSubUnits, FillMode::kDark);
  d.raster.EndLayer();
  EXPECT_NEAR(d.Count(0xFF00FF00u), 3.14159 * 64, 8.0);

  // A stroke 2 pixels wide and 20 long with round ends.
  Picture s;
  s.raster.BeginLayer(0xFFFF0000u, false);
  s.raster.FillStroke(At(10, 10), At(30, 10), 2 * kSubUnits, FillMode::kDark);
  s.raster.EndLayer();
  EXPECT_NEAR(s.Count(0xFFFF0000u), 20 * 2 + 3.14159, 4.0);
  EXPECT_EQ(s.image.pixel(20, 9), 0xFFFF0000u);
  EXPECT_EQ(s.image.pixel(20, 11), kWhite);
}

// A clear fill erases only within its group: the group below stays.
TEST(LayerRasterTest, AClearFillOnLayerTwoDoesNotEraseLayerOne) {
  Picture p;
  p.raster.BeginLayer(0xFFFF0000u, false);
  p.raster.FillDisc(At(20, 15), 20 * kSubUnits, FillMode::kDark);
  p.raster.EndLayer();
  p.raster.BeginLayer(0xFF0000FFu, true);
  p.raster.FillDisc(At(20, 15), 24 * kSubUnits, FillMode::kDark);
  p.raster.FillDisc(At(20, 15), 8 * kSubUnits, FillMode::kClear);
  p.raster.EndLayer();
  EXPECT_EQ(p.image.pixel(20, 15), 0xFFFF0000u) << "layer one shows through the hole";
  EXPECT_EQ(p.image.pixel(20, 8), 0xFF0000FFu) << "layer two around it";
  EXPECT_EQ(p.image.pixel(1, 1), kWhite);
  // And a path with a hole leaves the hole open in a single group.
  Picture h;
  h.raster.BeginLayer(0xFF0000FFu, false);
  DevicePath ring;
  ring.points = {At(5, 5),   At(35, 5),  At(35, 25), At(5, 25),
                 At(15, 10), At(15, 20), At(25, 20), At(25, 10)};
  ring.contourSizes = {4, 4};
  h.raster.FillPath(ring, FillMode::kDark);
  h.raster.EndLayer();
  EXPECT_EQ(h.image.pixel(20, 15), kWhite);
  EXPECT_EQ(h.image.pixel(8, 15), 0xFF0000FFu);
}

// Pixels that differ from the held picture, other than those next to an
// edge of it (a colour change within one pixel), where rounding may move an
// edge by a pixel.
int DifferencesAwayFromEdges(const QImage& got, const QImage& expected, int& atEdges) {
  int away = 0;
  atEdges = 0;
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      if (got.pixel(x, y) == expected.pixel(x, y)) continue;
      bool edge = false;
      for (int dy = -1; dy <= 1 && !edge; ++dy) {
        for (int dx = -1; dx <= 1 && !edge; ++dx) {
          edge = expected.valid(x + dx, y + dy) &&
                 expected.pixel(x + dx, y + dy) != expected.pixel(x, y);
        }
      }
      edge ? ++atEdges : ++away;
    }
  }
  return away;
}

struct HeldPicture {
  const char* expected;
  const char* dpi;
  const char* mirror;  // an extra work-file flag, or empty
};

// The board, as the user checks it: pours with their cut-out and keep-outs,
// thermal reliefs, macro pads, the panel's two copies, slots and holes.
TEST(StandardExportTest, TheCurrentBoardLooksAsReviewed) {
  const HeldPicture rows[] = {{"expected_100dpi.png", "100", ""},
                              {"expected_200dpi.png", "200", ""}};
  int compared = 0;
  for (const HeldPicture& row : rows) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("board.png"));
    ASSERT_EQ(RunExport({QStringLiteral("--defaults"), QStringLiteral("--standard"),
                         QStringLiteral("--dpi"), QString::fromLatin1(row.dpi),
                         QStringLiteral("-o"), out, QStringLiteral("board.wrk")}),
              0);
    const QImage got(out);
    const QImage expected(kBoard + QString::fromLatin1(row.expected));
    ASSERT_FALSE(expected.isNull()) << row.expected;
    ASSERT_EQ(got.size(), expected.size()) << row.expected;
    int atEdges = 0;
    EXPECT_EQ(DifferencesAwayFromEdges(got.convertToFormat(QImage::Format_RGB32),
                                       expected.convertToFormat(QImage::Format_RGB32), atEdges),
              0)
        << row.expected;
    // Even at edges only a sliver may differ.
    EXPECT_LE(atEdges, expected.width() * expected.height() / 100) << row.expected;
    ++compared;
  }
  EXPECT_EQ(compared, 2);
}

// The same board drawn without a layer composition (SVG), compared at the
// pixels of a few features against the raster picture's colours.
TEST(StandardExportTest, VectorOutputsEraseWithBooleans) {
  QTemporaryDir dir;
  const QString out = dir.filePath(QStringLiteral("board.pdf"));
  ASSERT_EQ(RunExport({QStringLiteral("--defaults"), QStringLiteral("--standard"),
                       QStringLiteral("-o"), out, QStringLiteral("board.wrk")}),
            0);
  QFile pdf(out);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
}

}  // namespace
}  // namespace corvane
