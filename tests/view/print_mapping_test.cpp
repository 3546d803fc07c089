#include "view/print_mapping.h"

#include <gtest/gtest.h>

#include "view/corvane_view.h"

namespace corvane {
namespace {

// A board with one draw from (1, 0) to (3, 0.5) and a round aperture.
class PrintTest : public ::testing::Test {
 protected:
  PrintTest() {
    doc_.SetMirrorX(0);
    doc_.SetMirrorY(0);
    doc_.SetAutoOrigin(0);
    doc_.SetShowDrillHoles(0);
    PlotLayer layer;
    layer.color = 0x0000FF;
    doc_.AddLayer(layer);
    Aperture a;
    a.layer = 0;
    a.dcode = 10;
    a.shape = kShapeCircle;
    a.sizeX = a.sizeY = 0.004;
    doc_.AddAperture(a);
    Add(10, 0, 0);
    Add(2, 1, 0);
    Add(1, 1, 0);  // draws alone count for the extents
    Add(1, 3, 0.5);
    doc_.ComputeExtents();
    printer_.printing = true;
    printer_.clipBox = {0, 0, 850, 1100};
  }
  void Add(int32_t dcode, double x, double y) {
    PlotItem item;
    item.kind = kKindStatement;
    item.dcode = dcode;
    item.x = x;
    item.y = y;
    doc_.AddItem(item);
  }
  void PrintPage() {
    view_.OnBeginPrinting();
    printer_.Clear();
    view_.OnDraw(printer_);
    view_.OnEndPrinting();
  }

  CCorvaneDoc doc_;
  FakeViewHost host_;
  CCorvaneView view_{doc_, host_};
  RecordingSurface printer_;
};

struct MagnificationCase {
  double magnification;
  int32_t startX, startY, endX, endY, penWidth;
};

TEST_F(PrintTest, OneLogicalUnitIsAHundredthOfAnInchTimesTheMagnification) {
  const MagnificationCase cases[] = {
      {1.0, 0, 0, 200, 50, 0},   // 2 units wide: 2 inches from the left edge
      {2.0, 0, 0, 400, 100, 0},  // a 0.5-unit rise prints 1 inch; 0.004 prints trunc(0.8) = 0
      {0.0, 0, 0, 200, 50, 0},   // 0 prints as 1
      // The page's corner is the extents' corner, the pen's half width 0.002
      // beyond the draw's start.
      {1000.0, 200, 200, 200199, 50200, 400},
  };
  for (const MagnificationCase& c : cases) {
    SCOPED_TRACE(c.magnification);
    doc_.SetPrintMagnification(c.magnification);
    PrintPage();
    const auto moves = printer_.Calls(SurfaceOp::kMoveTo);
    const auto lines = printer_.Calls(SurfaceOp::kLineTo);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(moves[1].args[0], c.startX);
    EXPECT_EQ(moves[1].args[1], c.startY);
    EXPECT_EQ(lines[1].args[0], c.endX);
    EXPECT_EQ(lines[1].args[1], c.endY);
    EXPECT_EQ(printer_.Calls(SurfaceOp::kSelectPen)[0].args[0], c.penWidth);
  }
}

TEST_F(PrintTest, NegativeMagnificationMapsOffThePage) {
  doc_.SetPrintMagnification(-1.0);
  PrintPage();
  EXPECT_EQ(printer_.Calls(SurfaceOp::kLineTo)[1].args[0], -200);
}

TEST_F(PrintTest, ScreenStateComesBackAfterTheJob) {
  Viewport& viewport = view_.GetViewport();
  viewport.SetScale(37.5);
  viewport.SetScrollPosition(-12, 40);
  viewport.SetFlags(0, 0, 0);
  view_.OnBeginPrinting();
  EXPECT_DOUBLE_EQ(viewport.GetScale(), 100.0);
  EXPECT_EQ(doc_.GetAutoOrigin(), 1);  // forced for the job
  view_.OnEndPrinting();
  EXPECT_DOUBLE_EQ(viewport.GetScale(), 37.5);
  EXPECT_EQ(doc_.GetAutoOrigin(), 0);
  EXPECT_EQ(viewport.GetScrollPos(), (DevicePoint{-12, 40}));
}

TEST_F(PrintTest, EndWithoutBeginChangesNothing) {
  view_.GetViewport().SetScale(5.0);
  doc_.SetAutoOrigin(1);
  view_.OnEndPrinting();
  EXPECT_DOUBLE_EQ(view_.GetViewport().GetScale(), 5.0);
  EXPECT_EQ(doc_.GetAutoOrigin(), 1);
}

TEST(PrintPageMappingTest, HundredLogicalUnitsPerInch) {
  const PrintPageMapping m = PrintMapping::OnPrepareDC(600, 300);
  EXPECT_EQ(m.windowExtentX, 100);
  EXPECT_EQ(m.windowExtentY, 100);
  EXPECT_DOUBLE_EQ(m.ScaleX(), 6.0);
  EXPECT_DOUBLE_EQ(m.ScaleY(), 3.0);
}

}  // namespace
}  // namespace corvane
