#include "view/plot_renderer.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlue = 0xFF0000;

// A document built item by item, painted at scale 100 with no mirroring and
// the origin at plot (0, 0), so that device = trunc(100 * plot).
class RendererTest : public ::testing::Test {
 protected:
  RendererTest() {
    doc_.SetMirrorX(0);
    doc_.SetMirrorY(0);
    doc_.SetAutoOrigin(0);
    doc_.SetShowDrillHoles(0);
    AddLayer(kRed);
    viewport_.SetScale(100.0);
  }

  int32_t AddLayer(uint32_t color, int32_t visible = 1) {
    PlotLayer layer;
    layer.color = color;
    layer.visible = visible;
    return doc_.AddLayer(layer);
  }
  void AddAperture(int32_t dcode, int32_t shape, double sx, double sy, int32_t layer = 0) {
    Aperture a;
    a.layer = layer;
    a.dcode = dcode;
    a.shape = shape;
    a.sizeX = sx;
    a.sizeY = sy;
    doc_.AddAperture(a);
  }
  void Add(int32_t dcode, double x, double y, uint8_t mode = kModeLinear, uint8_t layer = 0) {
    PlotItem item;
    item.layer = layer;
    item.kind = kKindStatement;
    item.mode = mode;
    item.dcode = dcode;
    item.x = x;
    item.y = y;
    doc_.AddItem(item);
  }
  void AddArcCentre(double i, double j, uint8_t layer = 0) {
    PlotItem item;
    item.layer = layer;
    item.kind = kKindArcCentre;
    item.x = i;
    item.y = j;
    doc_.AddItem(item);
  }
  void Paint() {
    dc_.Clear();
    renderer_.OnDraw(dc_, doc_, viewport_);
  }
  std::vector<SurfaceCall> Calls(SurfaceOp op) const { return dc_.Calls(op); }
  static SurfaceCall Fill(uint32_t color, int32_t l, int32_t t, int32_t r, int32_t b) {
    return {SurfaceOp::kFillSolidRect, color, {l, t, r, b}};
  }
  static SurfaceCall Pen(uint32_t color, int32_t width) {
    return {SurfaceOp::kSelectPen, color, {width}};
  }
  static SurfaceCall Line(SurfaceOp op, int32_t x, int32_t y) { return {op, 0, {x, y}}; }
  static SurfaceCall Box(SurfaceOp op, int32_t l, int32_t t, int32_t r, int32_t b) {
    return {op, 0, {l, t, r, b}};
  }

  CCorvaneDoc doc_;
  FakeViewHost host_;
  Viewport viewport_{host_};
  PlotRenderer renderer_;
  RecordingSurface dc_;
};

struct RoundPenCase {
  double scale;
  int32_t width;
};

TEST_F(RendererTest, RoundApertureWidthFollowsTheScale) {
  for (const RoundPenCase c : {RoundPenCase{1000.0, 10}, RoundPenCase{50.0, 0}}) {
    SCOPED_TRACE(c.scale);
    doc_.ClearAll();
    AddLayer(kRed);
    doc_.SetAutoOrigin(0);
    AddAperture(10, kShapeCircle, 0.010, 0.010);
    Add(10, 0, 0);
    Add(2, 0.1, 0.1);
    Add(1, 0.4, 0.2);
    viewport_.SetScale(c.scale);
    Paint();
    ASSERT_EQ(Calls(SurfaceOp::kSelectPen).size(), 1u);
    EXPECT_EQ(Calls(SurfaceOp::kSelectPen)[0], Pen(kRed, c.width));
    EXPECT_EQ(Calls(SurfaceOp::kMoveTo)[0],
              Line(SurfaceOp::kMoveTo, static_cast<int32_t>(0.1 * c.scale),
                   static_cast<int32_t>(0.1 * c.scale)));
    EXPECT_EQ(Calls(SurfaceOp::kLineTo)[0],
              Line(SurfaceOp::kLineTo, static_cast<int32_t>(0.4 * c.scale),
                   static_cast<int32_t>(0.2 * c.scale)));
  }
}

struct BoxSweepCase {
  const char* name;
  double x0, y0, x1, y1;
  std::vector<SurfaceCall> fills;
  bool line;  // the oblique case joins the boxes with a line
};

TEST_F(RendererTest, RectangularApertureSweepsBoxes) {
  const BoxSweepCase cases[] = {
      {"horizontal", 0, 0, 8, 0, {Fill(kRed, -25, -12, 825, 12)}, false},
      {"horizontal backwards", 8, 0, 0, 0, {Fill(kRed, -25, -12, 825, 12)}, false},
      {"vertical", 0, 0, 0, 4, {Fill(kRed, -25, -12, 25, 412)}, false},
      {"zero length", 2, 2, 2, 2, {Fill(kRed, 175, 187, 225, 212)}, false},
      {"oblique", 0, 0, 8, 8, {Fill(kRed, 775, 787, 825, 812), Fill(kRed, -25, -12, 25, 12)}, true},
  };
  for (const BoxSweepCase& c : cases) {
    SCOPED_TRACE(c.name);
    doc_.ClearAll();
    AddLayer(kRed);
    doc_.SetAutoOrigin(0);
    AddAperture(11, kShapeRectangle, 0.5, 0.25);
    Add(11, 0, 0);
    Add(2, c.x0, c.y0);
    Add(1, c.x1, c.y1);
    Paint();
    EXPECT_EQ(Calls(SurfaceOp::kFillSolidRect), c.fills);
    if (c.line) {
      // The rectangle pen is one pixel; the joining line takes the aperture's width.
      EXPECT_EQ(Calls(SurfaceOp::kSelectPen), (std::vector{Pen(kRed, 0), Pen(kRed, 50)}));
      EXPECT_EQ(Calls(SurfaceOp::kMoveTo), (std::vector{Line(SurfaceOp::kMoveTo, 0, 0)}));
      EXPECT_EQ(Calls(SurfaceOp::kLineTo), (std::vector{Line(SurfaceOp::kLineTo, 800, 800)}));
    } else {
      EXPECT_TRUE(Calls(SurfaceOp::kLineTo).empty());
    }
  }
}

TEST_F(RendererTest, ZeroLengthRoundDrawIsALineToItself) {
  AddAperture(10, kShapeCircle, 0.1, 0.1);
  Add(10, 0, 0);
  Add(2, 1, 1);
  Add(1, 1, 1);
  Paint();
  EXPECT_EQ(Calls(SurfaceOp::kMoveTo), (std::vector{Line(SurfaceOp::kMoveTo, 100, 100)}));
  EXPECT_EQ(Calls(SurfaceOp::kLineTo), (std::vector{Line(SurfaceOp::kLineTo, 100, 100)}));
}

struct FlashCase {
  int32_t shape;
  bool defined;
  SurfaceOp op;  // kMoveTo: nothing is drawn
};

TEST_F(RendererTest, FlashByShape) {
  const FlashCase cases[] = {
      {kShapeEllipse, true, SurfaceOp::kEllipse},
      {kShapeCircle, true, SurfaceOp::kEllipse},
      {kShapeRectangle, true, SurfaceOp::kFillSolidRect},
      {kShapeSquare, true, SurfaceOp::kFillSolidRect},
      {kShapePolygon, true, SurfaceOp::kMoveTo},
      {kShapeLine, true, SurfaceOp::kMoveTo},
      {kShapeMacro, true, SurfaceOp::kMoveTo},
      {kShapeCircle, false, SurfaceOp::kMoveTo},
  };
  for (const FlashCase& c : cases) {
    SCOPED_TRACE(c.shape);
    doc_.ClearAll();
    AddLayer(kRed);
    doc_.SetAutoOrigin(0);
    if (c.defined) AddAperture(12, c.shape, 0.5, 0.25);
    Add(12, 0, 0);
    Add(3, 2, 2);
    Paint();
    const auto ellipses = Calls(SurfaceOp::kEllipse);
    const auto fills = Calls(SurfaceOp::kFillSolidRect);
    const SurfaceCall expectedBox = Box(SurfaceOp::kEllipse, 175, 187, 225, 212);
    if (c.op == SurfaceOp::kEllipse) {
      EXPECT_EQ(ellipses, std::vector{expectedBox});  // twice as wide as tall
      EXPECT_TRUE(fills.empty());
    } else if (c.op == SurfaceOp::kFillSolidRect) {
      EXPECT_EQ(fills, std::vector{Fill(kRed, 175, 187, 225, 212)});
      EXPECT_TRUE(ellipses.empty());
    } else {
      EXPECT_TRUE(ellipses.empty() && fills.empty());
    }
  }
}

TEST_F(RendererTest, BlackLayerFlashesAreFilledBlack) {
  PlotLayer layer;
  doc_.GetLayer(0, layer);
  layer.color = 0x000000;
  doc_.SetLayer(0, layer);
  AddAperture(10, kShapeCircle, 0.5, 0.5);
  Add(10, 0, 0);
  Add(3, 2, 2);
  Paint();
  EXPECT_EQ(Calls(SurfaceOp::kSelectBrush).front().color, 0x000000u);
  EXPECT_EQ(Calls(SurfaceOp::kSelectPen).front(), Pen(0x000000, 0));
  EXPECT_EQ(Calls(SurfaceOp::kEllipse).size(), 1u);
}

// An arc of radius 1 about (2, 2) from (3, 2) to (2, 3): device box (100, 100, 300, 300).
class ArcTest : public RendererTest {
 protected:
  void AddQuarterArc(uint8_t mode, double width = 0.02) {
    AddAperture(10, kShapeCircle, width, width);
    Add(10, 0, 0);
    Add(2, 3, 2);
    AddArcCentre(-1, 0);
    Add(1, 2, 3, mode);
  }
  SurfaceCall OnlyArc() {
    const auto arcs = Calls(SurfaceOp::kArc);
    EXPECT_EQ(arcs.size(), 1u);
    return arcs.empty() ? SurfaceCall{} : arcs[0];
  }
  static SurfaceCall ArcCall(std::array<int32_t, 8> args) { return {SurfaceOp::kArc, 0, args}; }
};

TEST_F(ArcTest, ClockwiseAndCounterClockwiseAreComplementary) {
  AddQuarterArc(kModeCounterClockwise);
  Paint();
  EXPECT_EQ(OnlyArc(), ArcCall({100, 100, 300, 300, 200, 300, 300, 200}));
  EXPECT_EQ(Calls(SurfaceOp::kSetArcDirection).front().args[0], 0);
  EXPECT_EQ(Calls(SurfaceOp::kSelectPen).front(), Pen(kRed, 2));

  doc_.MutableItems().back().mode = kModeClockwiseMulti;
  Paint();
  EXPECT_EQ(OnlyArc(), ArcCall({100, 100, 300, 300, 300, 200, 200, 300}));
}

TEST_F(ArcTest, MirroringDrawsTheMirrorImage) {
  AddQuarterArc(kModeCounterClockwise, 0.5);
  // The quarter from (3, 2) to (2, 3) about (2, 2), grown by the half width
  // 0.25: x and y 1.75..3.25.
  doc_.ComputeExtents();
  doc_.SetMirrorY(1);  // x' = 5 - x: centre (3, 2), start (2, 2), end (3, 3)
  Paint();
  EXPECT_EQ(OnlyArc(), ArcCall({200, 100, 400, 300, 200, 200, 300, 300}));
  doc_.SetMirrorY(0);
  doc_.SetMirrorX(1);  // y' = 5 - y: centre (2, 3), start (3, 3), end (2, 2)
  Paint();
  EXPECT_EQ(OnlyArc(), ArcCall({100, 200, 300, 400, 300, 300, 200, 200}));
}

TEST_F(ArcTest, ClosedArcIsAFullCircleButATruncatedOneIsNothing) {
  AddAperture(10, kShapeCircle, 0.02, 0.02);
  Add(10, 0, 0);
  Add(2, 3, 2);
  AddArcCentre(-1, 0);
  Add(1, 3, 2, kModeCounterClockwiseMulti);
  Paint();
  EXPECT_EQ(OnlyArc(), ArcCall({100, 100, 300, 300, 300, 200, 300, 200}));

  doc_.MutableItems().back().x = 3.004;  // the same pixel, not the same point
  Paint();
  EXPECT_TRUE(Calls(SurfaceOp::kArc).empty());
}

TEST_F(ArcTest, RepeatedArcStatementWithoutItsOwnCentreAddsNoCircle) {
  AddAperture(10, kShapeCircle, 0.02, 0.02);
  Add(10, 0, 0);
  Add(2, 3, 2);
  AddArcCentre(-1, 0);
  Add(1, 2, 3, kModeCounterClockwise);
  Add(1, 2, 3, kModeCounterClockwise);  // M02* repeats the state: same point, no centre
  Paint();
  EXPECT_EQ(OnlyArc(), ArcCall({100, 100, 300, 300, 200, 300, 300, 200}));
}

TEST_F(ArcTest, RectangularApertureDrawsAOnePixelArc) {
  AddAperture(10, kShapeRectangle, 0.5, 0.5);
  Add(10, 0, 0);
  Add(2, 3, 2);
  AddArcCentre(-1, 0);
  Add(1, 2, 3, kModeCounterClockwise);
  Paint();
  EXPECT_EQ(Calls(SurfaceOp::kSelectPen).front(), Pen(kRed, 0));
  EXPECT_EQ(Calls(SurfaceOp::kArc).size(), 1u);
}

TEST_F(ArcTest, CentreOffsetsAreTakenWithoutTheLayerOffset) {
  PlotLayer layer;
  doc_.GetLayer(0, layer);
  layer.offsetX = 2500;  // the loader added 2.5 to every x, arc centres included
  doc_.SetLayer(0, layer);
  AddAperture(10, kShapeCircle, 0.02, 0.02);
  Add(10, 0, 0);
  Add(2, 3, 2);
  AddArcCentre(-1 + 2.5, 0);
  Add(1, 2, 3, kModeCounterClockwise);
  Paint();
  EXPECT_DOUBLE_EQ(renderer_.ArcOffsetI(), -1.0);
  EXPECT_EQ(OnlyArc().args[0], 100);
}

TEST_F(RendererTest, ApertureAndCurrentPointCarryOverIntoTheNextLayer) {
  AddLayer(kBlue, 0);  // hidden layer 1 selects an aperture
  AddLayer(kBlue);     // layer 2 draws without selecting one and without a move
  AddAperture(10, kShapeCircle, 0.3, 0.3, 1);
  Add(2, 1, 1, kModeLinear, 1);
  Add(10, 1, 1, kModeLinear, 1);
  Add(1, 5, 5, kModeLinear, 1);
  Add(1, 6, 5, kModeLinear, 2);
  Paint();
  EXPECT_EQ(Calls(SurfaceOp::kSelectPen), (std::vector{Pen(kBlue, 30)}));
  EXPECT_EQ(Calls(SurfaceOp::kMoveTo), (std::vector{Line(SurfaceOp::kMoveTo, 500, 500)}));
  EXPECT_EQ(Calls(SurfaceOp::kLineTo), (std::vector{Line(SurfaceOp::kLineTo, 600, 500)}));
}

TEST_F(RendererTest, ApertureStaysInForceAcrossPaints) {
  AddAperture(10, kShapeCircle, 0.3, 0.3);
  Add(10, 0, 0);
  Paint();
  doc_.ClearAll();
  AddLayer(kRed);
  doc_.SetAutoOrigin(0);
  Add(2, 1, 1);
  Add(1, 2, 1);
  Paint();
  EXPECT_EQ(Calls(SurfaceOp::kSelectPen), (std::vector{Pen(kRed, 30)}));
}

TEST_F(RendererTest, OnePenPerRunAndNothingCachedAfterThePaint) {
  AddAperture(10, kShapeCircle, 0.1, 0.1);
  Add(10, 0, 0);
  for (int i = 0; i < 5; ++i) Add(1, i, 1);
  Paint();
  EXPECT_EQ(Calls(SurfaceOp::kSelectPen).size(), 1u);
  EXPECT_EQ(Calls(SurfaceOp::kLineTo).size(), 5u);
  EXPECT_EQ(dc_.calls.back().op, SurfaceOp::kRestorePen);
  EXPECT_FALSE(renderer_.HasPenCached());
  Paint();  // the same key creates a new pen in the next paint
  EXPECT_EQ(Calls(SurfaceOp::kSelectPen).size(), 1u);
}

TEST_F(RendererTest, BackgroundColourIsRestoredAfterSolidFills) {
  dc_.background = 0x123456;
  AddAperture(10, kShapeSquare, 0.5, 0.5);
  Add(10, 0, 0);
  Add(3, 1, 1);
  Paint();
  EXPECT_EQ(dc_.background, 0x123456u);
}

TEST_F(RendererTest, ObjectsThatCannotBeMadeLeaveDrawingGoingOn) {
  dc_.refuseObjects = true;
  AddAperture(10, kShapeCircle, 0.1, 0.1);
  Add(10, 0, 0);
  Add(1, 1, 1);
  Add(3, 2, 2);
  Paint();
  EXPECT_EQ(Calls(SurfaceOp::kLineTo).size(), 1u);
  EXPECT_EQ(Calls(SurfaceOp::kEllipse).size(), 1u);
  EXPECT_TRUE(Calls(SurfaceOp::kSelectPen).empty());
  EXPECT_FALSE(renderer_.HasPenCached());
}

struct CullCase {
  const char* name;
  double x0, y0, x1, y1;
  bool drawn;
};

TEST_F(RendererTest, DrawsAreCulledOnTheScreenOnly) {
  // The client area is 800 x 600 pixels: plot 0..8 by 0..6.
  const CullCase cases[] = {
      {"inside", 1, 1, 2, 2, true},
      {"one end inside", -5, 1, 2, 2, true},
      {"crossing, both ends outside", -5, 3, 20, 3, true},
      {"crossing a corner", -1, 1, 1, -1, true},
      {"left of the window", -5, 1, -4, 5, false},
      {"below the window", 1, 7, 7, 9, false},
      {"just past the enlarged right edge", 8.02, 1, 8.02, 5, false},
      {"on the enlarged left edge", -0.01, 1, -0.01, 5, true},
  };
  for (bool printing : {false, true}) {
    for (const CullCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (printing ? " printing" : ""));
      doc_.ClearAll();
      AddLayer(kRed);
      doc_.SetAutoOrigin(0);
      Add(2, c.x0, c.y0);
      Add(1, c.x1, c.y1);
      dc_.printing = printing;
      Paint();
      EXPECT_EQ(Calls(SurfaceOp::kLineTo).size(), (printing || c.drawn) ? 1u : 0u);
    }
  }
}

TEST_F(RendererTest, SubPixelFlashesAndHolesAreSkippedOnTheScreenOnly) {
  doc_.SetShowDrillHoles(1);
  AddAperture(10, kShapeCircle, 0.002, 0.5);  // 100.4 to 100.6: no pixel wide
  Add(10, 0, 0);
  Add(3, 1.005, 1.005);
  DrillTool tool;
  tool.tool = 1;
  tool.diameter = 0.002;
  doc_.AddDrillTool(tool);
  doc_.AddDrillHit({1, 2.005, 2.005});
  Paint();
  EXPECT_TRUE(Calls(SurfaceOp::kEllipse).empty());
  dc_.printing = true;
  Paint();
  EXPECT_EQ(Calls(SurfaceOp::kEllipse).size(), 2u);
}

TEST_F(RendererTest, DrillHolesAreBlackAndFollowTheirTool) {
  doc_.SetShowDrillHoles(1);
  DrillTool tool;
  tool.tool = 2;
  tool.plating = kPlatingPlated;
  tool.diameter = 0.5;
  doc_.AddDrillTool(tool);
  doc_.AddDrillHit({2, 1.0, 1.0});
  doc_.AddDrillHit({7, 3.0, 3.0});  // no such tool: a small fixed dot
  doc_.AddDrillHit({2, 4.0, 1.0});
  Paint();
  EXPECT_EQ(Calls(SurfaceOp::kSelectPen).front(), Pen(0x000000, 1));
  EXPECT_EQ(Calls(SurfaceOp::kSelectBrush).front().color, 0x000000u);
  EXPECT_EQ(Calls(SurfaceOp::kEllipse), (std::vector{Box(SurfaceOp::kEllipse, 75, 75, 125, 125),
                                                     Box(SurfaceOp::kEllipse, 297, 297, 302, 302),
                                                     Box(SurfaceOp::kEllipse, 375, 75, 425, 125)}));

  doc_.SetShowDrillHoles(0);
  Paint();
  EXPECT_TRUE(Calls(SurfaceOp::kEllipse).empty());
}

TEST_F(RendererTest, FarAwayEndsAreCutAlongTheSegment) {
  viewport_.SetScale(1.0);
  // Slope 1/2 through the window; each end far beyond the safe range.
  Add(2, -4294967296.0, -2147483648.0);
  Add(1, 4294967296.0, 2147483648.0);
  // Wholly beyond the safe range: nothing, even on paper.
  Add(2, -1e12, 5e6);
  Add(1, 1e12, 5e6);
  for (bool printing : {false, true}) {
    dc_.printing = printing;
    Paint();
    const int32_t l = static_cast<int32_t>(kDeviceLimit);
    EXPECT_EQ(Calls(SurfaceOp::kMoveTo), (std::vector{Line(SurfaceOp::kMoveTo, -l, -l / 2)}));
    EXPECT_EQ(Calls(SurfaceOp::kLineTo), (std::vector{Line(SurfaceOp::kLineTo, l, l / 2)}));
  }
}

TEST_F(RendererTest, HugeFlashesAreClampedAndStillSeen) {
  viewport_.SetScale(1e9);
  AddAperture(10, kShapeRectangle, 1.0, 1.0);
  Add(10, 0, 0);
  Add(3, 0, 0);
  Paint();
  const int32_t l = static_cast<int32_t>(kDeviceLimit);
  EXPECT_EQ(Calls(SurfaceOp::kFillSolidRect), (std::vector{Fill(kRed, -l, -l, l, l)}));
}

struct TouchCase {
  DevicePoint s, e;
  bool touches;
};

TEST(SegmentTouchesRectTest, Table) {
  const DeviceRect r{0, 0, 100, 50};
  const TouchCase cases[] = {
      {{0, 0}, {-10, -10}, true},     // the top-left corner belongs to it
      {{100, 10}, {150, 10}, true},   // an end on the right edge: that edge is crossed
      {{101, 10}, {150, 10}, false},  // right of it
      {{10, 51}, {10, 80}, false},    // below the bottom edge
      {{-10, 25}, {110, 25}, true},   // straight through
      {{50, -10}, {50, 60}, true},    // top to bottom
      {{-10, 0}, {-5, 0}, false},     // on the top edge's line, short of it
      {{-10, 0}, {200, 0}, true},     // along the top edge
      {{-20, 60}, {120, 60}, false},  // below
  };
  for (const TouchCase& c : cases) {
    EXPECT_EQ(PlotRenderer::SegmentTouchesRect(c.s, c.e, r), c.touches)
        << c.s.x << "," << c.s.y << " " << c.e.x << "," << c.e.y;
  }
}

TEST(RectsOverlapTest, EmptyRectanglesNeverOverlap) {
  const DeviceRect clip{0, 0, 100, 100};
  EXPECT_TRUE(PlotRenderer::RectsOverlap({10, 10, 11, 11}, clip));
  EXPECT_FALSE(PlotRenderer::RectsOverlap({10, 10, 10, 20}, clip));
  EXPECT_FALSE(PlotRenderer::RectsOverlap({10, 10, 20, 10}, clip));
  EXPECT_FALSE(PlotRenderer::RectsOverlap({100, 0, 120, 10}, clip));
  EXPECT_TRUE(PlotRenderer::RectsOverlap({-50, -50, 500, 500}, clip));
}

}  // namespace
}  // namespace corvane
