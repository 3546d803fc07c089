#include "view/corvane_view.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvane {
namespace {

class ViewTest : public ::testing::Test {
 protected:
  ViewTest() {
    PlotLayer layer;
    layer.color = 0x00FF00;
    doc_.AddLayer(layer);
    PlotItem item;
    item.kind = kKindStatement;
    item.dcode = 1;
    item.x = 1;
    doc_.AddItem(item);
    item.dcode = 1;
    item.x = 3;
    item.y = 1;
    doc_.AddItem(item);
    doc_.ComputeExtents();  // x 1..3, y 0..1
    host_.onRepaint = [this] { view_.OnDraw(dc_); };
  }
  CCorvaneDoc doc_;
  FakeViewHost host_;
  CCorvaneView view_{doc_, host_};
  RecordingSurface dc_;
};

TEST_F(ViewTest, InitialUpdateTakesTheFlagsAndShowsTheExtents) {
  doc_.SetMirrorX(1);
  doc_.SetAutoOrigin(0);
  view_.OnInitialUpdate();
  EXPECT_EQ(view_.GetViewport().GetMirrorX(), 1);
  EXPECT_DOUBLE_EQ(view_.GetViewport().GetScale(), 400.0);
  EXPECT_EQ(view_.GetViewport().GetScrollPos(), (DevicePoint{400, 0}));
  EXPECT_EQ(host_.horizontal.position, 400);
  EXPECT_EQ(host_.invalidateCount, 1);
  EXPECT_EQ(host_.repaintCount, 0);  // the invalidation paints later

  view_.RedrawView();
  // Mirrored: plot (1, 0) is the bottom-left corner, (3, 1) the top-right.
  const auto moves = dc_.Calls(SurfaceOp::kMoveTo);
  const auto lines = dc_.Calls(SurfaceOp::kLineTo);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(moves[1].args[0], 0);
  EXPECT_EQ(moves[1].args[1], 400);
  EXPECT_EQ(lines[1].args[0], 800);
  EXPECT_EQ(lines[1].args[1], 0);
}

TEST_F(ViewTest, ResizeKeepsScaleAndScrollAndShowsThemOnTheBars) {
  view_.GetViewport().SetScale(2.0);
  view_.GetViewport().SetScrollPosition(150, 70);
  host_.clientSize = {400, 300};
  view_.OnSize(400, 300);
  EXPECT_DOUBLE_EQ(view_.GetViewport().GetScale(), 2.0);
  EXPECT_EQ(view_.GetViewport().GetScrollPos(), (DevicePoint{150, 70}));
  EXPECT_EQ(view_.GetViewport().GetPageStep(), (DevicePoint{402, 302}));
  EXPECT_EQ(host_.horizontal, (ScrollBarSetup{0, 3400, 402, 150}));
  EXPECT_EQ(host_.vertical, (ScrollBarSetup{0, 2200, 302, 70}));
}

TEST_F(ViewTest, ScrollInputRepaintsOnlyWhenThePositionMoves) {
  view_.GetViewport().SetScale(1.0);
  view_.OnSize(800, 600);
  view_.OnVScroll(ScrollCode::kLineUp, 0);
  EXPECT_EQ(host_.repaintCount, 1);
  EXPECT_EQ(view_.GetViewport().GetScrollPos().y, -60);
  view_.OnHScroll(ScrollCode::kEndScroll, 0);
  view_.OnHScroll(ScrollCode::kTop, 0);
  EXPECT_EQ(host_.repaintCount, 1);
  view_.OnHScroll(ScrollCode::kPageDown, 0);
  EXPECT_EQ(host_.repaintCount, 2);
  EXPECT_EQ(view_.GetViewport().GetScrollPos().x, 802);
}

TEST_F(ViewTest, InitialUpdateOfAnEmptyDocumentKeepsTheView) {
  doc_.ClearAll();
  doc_.ComputeExtents();  // minima unset
  view_.GetViewport().SetScale(0.5);
  view_.OnInitialUpdate();
  EXPECT_DOUBLE_EQ(view_.GetViewport().GetScale(), 0.5);
  view_.RedrawView();
  EXPECT_TRUE(std::isfinite(view_.GetViewport().GetOriginX()));
}

}  // namespace
}  // namespace corvane
