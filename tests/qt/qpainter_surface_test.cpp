#include "qt/qpainter_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

#include "qt/qimage_surface.h"
#include "view/plot_renderer.h"

namespace corvane {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

QImage Blank(int w = 200, int h = 200) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

using Drawing = std::function<void(DrawingSurface&)>;

QImage WithPainter(const Drawing& draw) {
  QImage image = Blank();
  QPainter painter(&image);
  QPainterSurface surface(painter, {0, 0, 200, 200}, false);
  draw(surface);
  return image;
}

QImage WithImageSurface(const Drawing& draw) {
  QImage image = Blank();
  QPainter painter(&image);
  QImageSurface surface(image, painter);
  draw(surface);
  return image;
}

int Lit(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) != kWhite;
  }
  return count;
}

int Differing(const QImage& a, const QImage& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) count += a.pixel(x, y) != b.pixel(x, y);
  }
  return count;
}

Drawing Line(int32_t width, DevicePoint a, DevicePoint b) {
  return [=](DrawingSurface& s) {
    s.SelectPen(0x0000FF, width);
    s.MoveTo(a);
    s.LineTo(b);
  };
}

Drawing Disc(DeviceRect r) {
  return [=](DrawingSurface& s) {
    s.SelectPen(0x00FF00, 0);
    s.SelectBrush(0x00FF00);
    s.Ellipse(r);
  };
}

struct ShapeCase {
  const char* name;
  Drawing draw;
  int lit;           // pixels QPainter lights
  int maxDiffering;  // the fast surface may differ by this many
};

// The image surface fills rows itself; it must light what QPainter lights.
TEST(QImageSurfaceTest, MatchesThePainter) {
  const ShapeCase cases[] = {
      {"hairline", Line(0, {10, 10}, {150, 10}), 141, 0},
      {"one-pixel pen", Line(1, {10, 10}, {10, 150}), 141, 0},
      {"oblique hairline", Line(0, {10, 10}, {150, 60}), 141, 45},
      {"width 2", Line(2, {10, 10}, {150, 10}), 284, 0},
      {"width 3 oblique", Line(3, {10, 10}, {150, 60}), 444, 5},
      {"width 8", Line(8, {20, 20}, {20, 120}), 852, 0},
      {"round dot", Line(9, {20, 20}, {20, 20}), 60, 0},
      {"disc 5", Disc({10, 10, 15, 15}), 32, 0},
      {"ellipse 100 x 50", Disc({10, 10, 110, 60}), 4047, 10},
      {"fill",
       [](DrawingSurface& s) {
         s.FillSolidRect({10, 10, 50, 30}, 0xFF);
       },
       800, 0},
      {"inverted fill",
       [](DrawingSurface& s) {
         s.FillSolidRect({50, 10, 10, 30}, 0xFF);
       },
       0, 0},
      {"off the image",
       [](DrawingSurface& s) {
         s.SelectPen(0xFF, 6);
         s.MoveTo({-4000000, -50});
         s.LineTo({4000000, 100});
         s.FillSolidRect({-4000000, -4000000, -10, 4000000}, 0xFF);
       },
       1200, 0},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const QImage painted = WithPainter(c.draw);
    const QImage filled = WithImageSurface(c.draw);
    EXPECT_EQ(Lit(painted), c.lit);
    EXPECT_LE(Differing(painted, filled), c.maxDiffering);
  }
}

// A fade moves each pixel part of the way to the colour, as the painter's
// blending does, and a picture painted in strips fades as it does whole.
TEST(QImageSurfaceTest, FadesAsThePainterBlends) {
  const Drawing draw = [](DrawingSurface& s) {
    s.FillSolidRect({0, 0, 100, 200}, 0x0000FF);
    s.FillSolidRect({100, 0, 200, 200}, 0x00FF00);
    s.FadeRect({50, 50, 150, 150}, 0x000000, 160);
  };
  const QImage painted = WithPainter(draw);
  const QImage filled = WithImageSurface(draw);
  for (const QPoint at : {QPoint(60, 60), QPoint(140, 140)}) {
    const QColor p = painted.pixelColor(at);
    const QColor f = filled.pixelColor(at);
    EXPECT_NEAR(p.red(), f.red(), 1);
    EXPECT_NEAR(p.green(), f.green(), 1);
    EXPECT_NEAR(p.blue(), f.blue(), 1);
  }
  EXPECT_EQ(filled.pixelColor(60, 60), QColor(95, 0, 0));  // 95 of 255 kept
  EXPECT_EQ(filled.pixelColor(10, 10), QColor(255, 0, 0)) << "outside the rect stays";

  QImage strips = Blank();
  {
    QPainter painter(&strips);
    QImageSurface surface(strips, painter);
    ASSERT_TRUE(surface.LimitTo({{0, 0, 200, 70}, {0, 70, 200, 200}}));
    draw(surface);
  }
  EXPECT_EQ(strips, filled);
}

// A line cut by the picture's edges lights the pixels the whole line would.
TEST(QImageSurfaceTest, CutLinesKeepTheirPixels) {
  for (const int32_t width : {0, 5}) {
    SCOPED_TRACE(width);
    const QImage cut = WithImageSurface(Line(width, {-30, 10}, {150, 250}));
    QImage whole = Blank(400, 400);
    {
      QPainter painter(&whole);
      QImageSurface surface(whole, painter);
      Line(width, {70, 110}, {250, 350})(surface);
    }
    EXPECT_EQ(whole.copy(100, 100, 200, 200), cut);
    EXPECT_GE(Lit(cut), 150);
  }
}

TEST(QPainterSurfaceTest, ArcsRunCounterClockwiseFromStartRayToEndRay) {
  // Circle about (100, 100), radius 50; east ray to north ray on the screen.
  auto quarter = [](ArcDirection direction) {
    return WithPainter([=](DrawingSurface& s) {
      s.SelectPen(0x0000FF, 3);
      s.SetArcDirection(direction);
      s.Arc({50, 50, 150, 150}, {180, 100}, {100, 0});
    });
  };
  const QImage ccw = quarter(ArcDirection::kCounterClockwise);
  EXPECT_NE(ccw.pixel(135, 64), kWhite);  // upper right
  EXPECT_EQ(ccw.pixel(64, 135), kWhite);  // lower left
  EXPECT_EQ(ccw.pixel(135, 135), kWhite);
  const QImage cw = quarter(ArcDirection::kClockwise);
  EXPECT_EQ(cw.pixel(135, 64), kWhite);
  EXPECT_NE(cw.pixel(64, 135), kWhite);
  EXPECT_NE(cw.pixel(135, 135), kWhite);

  const QImage full = WithPainter([](DrawingSurface& s) {
    s.SelectPen(0x0000FF, 0);
    s.Arc({50, 50, 150, 150}, {150, 100}, {150, 100});
  });
  EXPECT_NE(full.pixel(50, 100), kWhite);
  EXPECT_NE(full.pixel(100, 150), kWhite);
}

TEST(QImageSurfaceTest, PaintsADocumentInItsColours) {
  CCorvaneDoc doc;
  doc.SetMirrorX(0);
  doc.SetMirrorY(0);
  doc.SetAutoOrigin(0);
  PlotLayer layer;
  layer.color = 0x0000FF;  // red
  doc.AddLayer(layer);
  layer.color = 0xFF0000;  // blue
  doc.AddLayer(layer);
  Aperture a;
  a.layer = 0;
  a.dcode = 10;
  a.shape = kShapeCircle;
  a.sizeX = a.sizeY = 0.05;
  doc.AddAperture(a);
  a.layer = 1;
  a.dcode = 11;
  a.shape = kShapeRectangle;
  a.sizeX = a.sizeY = 0.2;
  doc.AddAperture(a);
  auto add = [&doc](uint8_t layerIndex, int32_t dcode, double x, double y) {
    PlotItem item;
    item.layer = layerIndex;
    item.kind = kKindStatement;
    item.dcode = dcode;
    item.x = x;
    item.y = y;
    doc.AddItem(item);
  };
  add(0, 10, 0, 0);
  add(0, 2, 0.2, 0.5);
  add(0, 1, 1.8, 0.5);  // a red trace 5 pixels wide at y 50
  add(1, 11, 0, 0);
  add(1, 3, 1.5, 1.5);  // a blue pad 20 pixels square about (150, 150)
  DrillTool tool;
  tool.tool = 1;
  tool.diameter = 0.1;
  doc.AddDrillTool(tool);
  doc.AddDrillHit({1, 1.5, 1.5});  // a black hole in the middle of the pad

  FakeViewHost host;
  host.clientSize = {200, 200};
  Viewport viewport(host);
  viewport.SetScale(100.0);
  PlotRenderer renderer;
  QImage image = Blank();
  {
    QPainter painter(&image);
    QImageSurface surface(image, painter);
    renderer.OnDraw(surface, doc, viewport);
  }
  EXPECT_EQ(image.pixel(100, 50), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(100, 45), kWhite);
  EXPECT_EQ(image.pixel(142, 142), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(150, 150), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(165, 150), kWhite);
}

}  // namespace
}  // namespace corvane
