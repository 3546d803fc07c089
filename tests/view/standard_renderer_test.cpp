#include "view/standard_renderer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "standard/standard_reader.h"

namespace corvane {
namespace {

constexpr double kScale = 1000.0;  // pixels per inch
constexpr int32_t kUnit = kSubUnits;

std::string ReadData(const std::string& name) {
  std::ifstream in(std::string(CORVANE_TEST_DATA_DIR) + "/standard/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A device sub-unit coordinate at kScale, no mirroring, origin at 0; the
// size of `inches` when `origin` is 0.
int32_t Sub(double inches, double origin = 0.0) {
  const double s = kScale * kUnit;
  return static_cast<int32_t>(s * inches + s * (0.0 - origin));
}

// The standard model of Gerber texts, one layer each, drawn at kScale with
// the origin at plot 0, 0 and nothing mirrored.
class StandardRendererTest : public ::testing::Test {
 protected:
  StandardRendererTest() : viewport(host) {
    viewport.SetScale(kScale);
    doc.SetMirrorX(0);
    doc.SetMirrorY(0);
    doc.SetAutoOrigin(0);
  }

  void AddLayer(const std::string& text, uint32_t color) {
    PlotLayer layer;
    layer.color = color;
    layer.visible = 1;
    doc.AddLayer(layer);
    StandardContext context;
    context.layer = layer;
    load.model.layers.push_back(ReadStandardGerber(text, context));
    load.documentLayers.push_back(static_cast<int32_t>(load.documentLayers.size()));
  }
  const std::vector<SurfaceCall>& Draw() {
    surface.Clear();
    renderer.OnDraw(surface, doc, load, ++generation, viewport);
    return surface.calls;
  }
  std::vector<SurfaceCall> Fills() const {
    std::vector<SurfaceCall> fills;
    for (const SurfaceCall& call : surface.calls) {
      if (call.op == SurfaceOp::kFillPath || call.op == SurfaceOp::kFillDisc ||
          call.op == SurfaceOp::kFillStroke) {
        fills.push_back(call);
      }
    }
    return fills;
  }

  FakeViewHost host;
  Viewport viewport;
  CCorvaneDoc doc;
  StandardLoad load;
  StandardRenderer renderer;
  RecordingSurface surface;
  uint64_t generation = 0;
};

// Nonzero winding of `path` at a point (sub-units).
int Winding(const DevicePath& path, double x, double y) {
  int winding = 0;
  std::size_t start = 0;
  for (const uint32_t size : path.contourSizes) {
    for (std::size_t i = 0; i < size; ++i) {
      const SubPoint a = path.points[start + i];
      const SubPoint b = path.points[start + (i + 1) % size];
      if ((a.y <= y) != (b.y <= y)) {
        const double cx = a.x + (y - a.y) * (b.x - a.x) / (static_cast<double>(b.y) - a.y);
        if (cx > x) winding += b.y > a.y ? 1 : -1;
      }
    }
    start += size;
  }
  return winding;
}

// Pads with holes over a dark region: the holes are part of the pads'
// outlines, never clear fills, so they show the region below.
TEST_F(StandardRendererTest, PadHolesAreOutlinesNotClearFills) {
  AddLayer(ReadData("g06_holes_over_dark.gbr"), 0x0000FF);
  const std::vector<SurfaceCall>& calls = Draw();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().op, SurfaceOp::kBeginLayer);
  EXPECT_EQ(calls.front().color, 0x0000FFu);
  EXPECT_EQ(calls.front().args[0], 0);  // nothing to erase
  const std::vector<SurfaceCall> fills = Fills();
  ASSERT_EQ(fills.size(), 3u);
  // The region, exactly as the file gives it.
  DevicePath region;
  region.points = {{0, 0}, {Sub(0.5), 0}, {Sub(0.5), Sub(0.2)}, {0, Sub(0.2)}};
  region.contourSizes = {4};
  EXPECT_EQ(fills[0].path, region);
  // Round pad at (0.1, 0.1) and square pad at (0.3, 0.1), each with a hole.
  const double centres[] = {0.1, 0.3};
  for (int i = 0; i < 2; ++i) {
    const SurfaceCall& pad = fills[1 + i];
    EXPECT_EQ(pad.op, SurfaceOp::kFillPath);
    EXPECT_EQ(pad.args[0], 0) << "dark";
    EXPECT_EQ(pad.path.contourSizes.size(), 2u);
    const double cx = Sub(centres[i]);
    const double cy = Sub(0.1);
    EXPECT_EQ(Winding(pad.path, cx, cy), 0) << "the hole";
    EXPECT_NE(Winding(pad.path, cx + Sub(0.04), cy), 0) << "the copper";
    EXPECT_EQ(Winding(pad.path, cx + Sub(0.06), cy), 0) << "outside";
  }
  EXPECT_EQ(surface.Calls(SurfaceOp::kEndLayer).size(), 1u);
}

// Clear objects on a composing surface are clear fills in an erasing group.
TEST_F(StandardRendererTest, ClearObjectsAreClearFillsInTheirLayer) {
  AddLayer(ReadData("g16_polarity.gbr"), 0x00FF00);
  viewport.SetScrollPosition(-400, -300);
  Draw();
  const double o = -0.4;
  const double p = -0.3;
  ASSERT_EQ(surface.calls.front().op, SurfaceOp::kBeginLayer);
  EXPECT_EQ(surface.calls.front().args[0], 1);
  const std::vector<SurfaceCall> fills = Fills();
  ASSERT_EQ(fills.size(), 4u);
  EXPECT_EQ(fills[0].op, SurfaceOp::kFillPath);  // the square pad
  EXPECT_EQ(fills[0].args[0], 0);
  EXPECT_EQ(fills[1], SurfaceCall(SurfaceOp::kFillStroke, 0,
                                  {1, Sub(-0.3, o), Sub(0, p), Sub(0.3, o), Sub(0, p), Sub(0.05)}));
  EXPECT_EQ(fills[2].op, SurfaceOp::kFillPath);  // the clear region
  EXPECT_EQ(fills[2].args[0], 1);
  EXPECT_EQ(fills[3],
            SurfaceCall(SurfaceOp::kFillDisc, 0, {0, Sub(0, o), Sub(-0.1, p), Sub(0.05)}));
}

// A vector surface gets the same picture without clear fills: the layer up to
// its last clear object as one outline from polygon booleans, then the rest.
TEST_F(StandardRendererTest, VectorSurfacesGetClearObjectsResolved) {
  AddLayer(ReadData("g16_polarity.gbr"), 0x00FF00);
  surface.composes = false;
  viewport.SetScrollPosition(-400, -300);
  Draw();
  const double o = -0.4;
  const double q = -0.3;
  EXPECT_EQ(surface.calls.front().args[0], 0);
  const std::vector<SurfaceCall> fills = Fills();
  ASSERT_EQ(fills.size(), 2u);
  for (const SurfaceCall& fill : fills) EXPECT_EQ(fill.args[0], 0) << "dark only";
  const DevicePath& resolved = fills[0].path;
  struct Probe {
    double x, y;
    bool covered;
  };
  const Probe probes[] = {
      {0.2, 0.2, true},   {0.2, -0.2, true},
      {-0.2, 0.05, true}, {0.0, 0.0, false},  // under the clear draw
      {0.0, 0.15, false},                     // under the clear region
      {0.2, 0.01, false}, {0.3, 0.3, false},  // outside the pad
  };
  int checked = 0;
  for (const Probe& p : probes) {
    EXPECT_EQ(Winding(resolved, Sub(p.x, o), Sub(p.y, q)) != 0, p.covered) << p.x << ", " << p.y;
    ++checked;
  }
  EXPECT_EQ(checked, 7);
  EXPECT_EQ(fills[1],
            SurfaceCall(SurfaceOp::kFillDisc, 0, {0, Sub(0, o), Sub(-0.1, q), Sub(0.05)}));
}

// Each layer is its own group: a clear object of the second layer erases
// only within that group, whatever the surface.
TEST_F(StandardRendererTest, AClearObjectOnLayerTwoStaysInLayerTwo) {
  AddLayer("%FSLAX24Y24*%%MOIN*%%ADD10C,0.5*%D10*X0Y0D03*M02*", 0x0000FF);
  AddLayer("%FSLAX24Y24*%%MOIN*%%ADD10C,0.2*%%LPC*%D10*X0Y0D03*%LPD*%X5000Y0D03*M02*", 0xFF0000);
  for (const bool composes : {true, false}) {
    surface.composes = composes;
    Draw();
    std::vector<SurfaceOp> ops;
    for (const SurfaceCall& call : surface.calls) {
      if (call.op != SurfaceOp::kSetBackgroundColor) ops.push_back(call.op);
    }
    if (composes) {
      EXPECT_EQ(ops, (std::vector<SurfaceOp>{SurfaceOp::kBeginLayer, SurfaceOp::kFillDisc,
                                             SurfaceOp::kEndLayer, SurfaceOp::kBeginLayer,
                                             SurfaceOp::kFillDisc, SurfaceOp::kFillDisc,
                                             SurfaceOp::kEndLayer}));
      EXPECT_EQ(surface.calls[4].args[0], 1) << "clear, in the second group";
    } else {
      // Nothing of the second layer remains before its dark pad: no fill at all.
      EXPECT_EQ(ops, (std::vector<SurfaceOp>{SurfaceOp::kBeginLayer, SurfaceOp::kFillDisc,
                                             SurfaceOp::kEndLayer, SurfaceOp::kBeginLayer,
                                             SurfaceOp::kFillDisc, SurfaceOp::kEndLayer}));
    }
  }
}

struct MappingRow {
  int32_t mirrorX;
  int32_t mirrorY;
  int32_t autoOrigin;
};

// The same Viewport mapping as the classic reading: a flash lands where the
// viewport puts its point, under every mirroring and origin.
TEST_F(StandardRendererTest, FlashesLandWhereTheViewportMapsThem) {
  AddLayer("%FSLAX24Y24*%%MOIN*%%ADD10C,0.1*%D10*X10000Y5000D03*X30000Y20000D03*M02*", 0);
  const MappingRow rows[] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 1}, {1, 1, 1}};
  viewport.SetScale(100.0);
  viewport.SetScrollPosition(-30, -20);
  int checked = 0;
  for (const MappingRow& row : rows) {
    doc.SetMirrorX(row.mirrorX);
    doc.SetMirrorY(row.mirrorY);
    doc.SetAutoOrigin(row.autoOrigin);
    Draw();
    const std::vector<SurfaceCall> fills = Fills();
    ASSERT_EQ(fills.size(), 2u);
    const double points[2][2] = {{1.0, 0.5}, {3.0, 2.0}};
    for (int i = 0; i < 2; ++i) {
      const double u = viewport.ViewX(points[i][0]) * 100.0 * kUnit;
      const double v = viewport.ViewY(points[i][1]) * 100.0 * kUnit;
      EXPECT_NEAR(fills[i].args[1], u, 1.0);
      EXPECT_NEAR(fills[i].args[2], v, 1.0);
      EXPECT_NEAR(fills[i].args[1] / static_cast<double>(kUnit),
                  viewport.Device(viewport.ViewX(points[i][0])), 1.0);
      ++checked;
    }
  }
  EXPECT_EQ(checked, 8);
  // The extents are the standard model's, pad sizes included.
  EXPECT_EQ(viewport.GetExtents(), (Extents{3.05, 0.95, 2.05, 0.45}));
}

// On screen what lies outside the client area is left out and a stroke is at
// least a pixel wide; on paper nothing is left out and sizes are as drawn.
TEST_F(StandardRendererTest, ScreenCullsAndWidensPaperDoesNeither) {
  AddLayer(
      "%FSLAX24Y24*%%MOIN*%%ADD10C,0.0002*%D10*X0Y0D02*X10000Y0D01*X90000Y0D02*X99000Y0D01*M02*",
      0);
  Draw();
  std::vector<SurfaceCall> fills = Fills();
  ASSERT_EQ(fills.size(), 1u) << "the second draw lies beyond the 800-pixel client area";
  EXPECT_EQ(fills[0].args[5], kUnit);
  surface.printing = true;
  Draw();
  fills = Fills();
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].args[5], Sub(0.0002));
}

// A hidden layer draws nothing; a layer's colour comes from the working set.
TEST_F(StandardRendererTest, VisibilityAndColourComeFromTheWorkingSet) {
  AddLayer("%FSLAX24Y24*%%MOIN*%%ADD10C,0.1*%D10*X0Y0D03*M02*", 0x0000FF);
  AddLayer("%FSLAX24Y24*%%MOIN*%%ADD10C,0.1*%D10*X0Y0D03*M02*", 0x00FF00);
  doc.SetLayerVisible(0, 0);
  PlotLayer second;
  doc.GetLayer(1, second);
  second.color = 0x123456;
  doc.SetLayer(1, second);
  Draw();
  const std::vector<SurfaceCall> groups = surface.Calls(SurfaceOp::kBeginLayer);
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].color, 0x123456u);
}

}  // namespace
}  // namespace corvane
