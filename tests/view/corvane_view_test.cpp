#include "view/corvane_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "platform/settings_store.h"

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
    // A move to the first point first: a draw from nowhere starts at the origin.
    item.dcode = 2;
    item.x = 1;
    doc_.AddItem(item);
    item.dcode = 1;
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

TEST_F(ViewTest, ZoomInThenOutLeavesNinetyNineHundredthsAboutTheCentre) {
  view_.GetViewport().SetScale(10.0);
  view_.OnSize(800, 600);
  view_.OnZoomIn();
  EXPECT_DOUBLE_EQ(view_.GetViewport().GetScale(), 11.0);
  EXPECT_EQ(view_.GetViewport().GetScrollPos(), (DevicePoint{40, 30}));  // about (400, 300)
  view_.OnZoomOut();
  EXPECT_NEAR(view_.GetViewport().GetScale(), 9.9, 1e-12);
  EXPECT_EQ(host_.repaintCount, 2);
  view_.OnRedraw();
  EXPECT_EQ(host_.repaintCount, 3);
}

TEST_F(ViewTest, ZoomExtentsFitsAndRepaints) {
  doc_.SetAutoOrigin(0);
  view_.GetViewport().SetScale(3.0);
  view_.OnZoomExtents();
  EXPECT_DOUBLE_EQ(view_.GetViewport().GetScale(), 400.0);
  EXPECT_EQ(view_.GetViewport().GetScrollPos(), (DevicePoint{400, 0}));
  EXPECT_EQ(host_.repaintCount, 1);
}

struct ToggleCase {
  void (CCorvaneView::*command)();
  const char* key;
  int32_t (CCorvaneDoc::*docFlag)() const;
  int32_t (Viewport::*viewFlag)() const;
};

TEST_F(ViewTest, TogglesSetViewDocumentAndStoredDefaultAndMarkModified) {
  const ToggleCase cases[] = {
      {&CCorvaneView::OnAutoOrigin, "AutoOrigin", &CCorvaneDoc::GetAutoOrigin,
       &Viewport::GetAutoOrigin},
      {&CCorvaneView::OnMirrorX, "MirrorX", &CCorvaneDoc::GetMirrorX, &Viewport::GetMirrorX},
      {&CCorvaneView::OnMirrorY, "MirrorY", &CCorvaneDoc::GetMirrorY, &Viewport::GetMirrorY},
  };
  MemorySettingsStore store;
  CCorvaneDoc doc;
  FakeViewHost host;
  CCorvaneView view(doc, host);
  view.AttachServices(&store, nullptr);
  doc.SetAutoOrigin(0);
  doc.SetMirrorX(0);
  doc.SetMirrorY(0);
  view.GetViewport().SetFlags(0, 0, 0);
  for (const ToggleCase& c : cases) {
    for (const int32_t expected : {1, 0}) {
      doc.SetModified(false);
      const int repaints = host.repaintCount;
      (view.*c.command)();
      EXPECT_EQ((doc.*c.docFlag)(), expected) << c.key;
      EXPECT_EQ((view.GetViewport().*c.viewFlag)(), expected) << c.key;
      EXPECT_EQ(store.ReadInt("Defaults", c.key, -1), expected) << c.key;
      EXPECT_TRUE(doc.IsModified()) << c.key;
      EXPECT_EQ(host.repaintCount, repaints + 1) << c.key;
    }
  }
  // Each toggle touched its own flag only.
  EXPECT_EQ(view.GetViewport().GetMirrorX() + view.GetViewport().GetMirrorY() +
                view.GetViewport().GetAutoOrigin(),
            0);
  EXPECT_EQ(store.WriteCount(), 6u);
}

TEST_F(ViewTest, TheDocumentsFlagDecidesWhereTheViewsCopyDisagrees) {
  host_.onRepaint = nullptr;  // a paint would refresh the copies from the document
  doc_.SetMirrorY(1);
  view_.GetViewport().SetFlags(0, 0, 1);
  view_.OnMirrorY();
  EXPECT_EQ(doc_.GetMirrorY(), 0);
  EXPECT_EQ(view_.GetViewport().GetMirrorY(), 0);
  EXPECT_EQ(view_.GetViewport().GetAutoOrigin(), 1);  // the other copies stay
}

TEST_F(ViewTest, AutoOriginOnMovesThePictureByTheExtentsMinimum) {
  // Two draws, so that the extents' minimum corner is (2, 1).
  doc_.ClearAll();
  doc_.AddLayer(PlotLayer{});
  PlotItem item;
  item.kind = kKindStatement;
  item.dcode = 2;  // a move to (2, 1), then the draw: extents from (2, 1)
  item.x = 2;
  item.y = 1;
  doc_.AddItem(item);
  item.dcode = 1;
  item.x = 4;
  item.y = 3;
  doc_.AddItem(item);
  doc_.ComputeExtents();
  doc_.SetAutoOrigin(0);
  doc_.SetMirrorX(0);
  view_.GetViewport().SetScale(10.0);
  view_.GetViewport().SetScrollPosition(0, 0);
  view_.RedrawView();
  const SurfaceCall before = dc_.Calls(SurfaceOp::kMoveTo).back();
  dc_.Clear();
  view_.OnAutoOrigin();
  const SurfaceCall after = dc_.Calls(SurfaceOp::kMoveTo).back();
  EXPECT_EQ(before.args[0] - after.args[0], 20);  // 2 plot units to the left
  EXPECT_EQ(before.args[1] - after.args[1], 10);  // 1 plot unit up the screen
  EXPECT_DOUBLE_EQ(view_.GetViewport().GetScale(), 10.0);
  EXPECT_EQ(view_.GetViewport().GetScrollPos(), (DevicePoint{0, 0}));
}

// Twenty-five selected layers, 5 to 29, and the drill holes off.
class TwentyFiveSelected : public LayerVisibilityChoice {
 public:
  std::vector<int32_t> GetSelectedLayers(int32_t maxCount) const override {
    asked = maxCount;
    std::vector<int32_t> lines(25);
    std::iota(lines.begin(), lines.end(), 5);
    lines.resize(static_cast<std::size_t>(std::min(maxCount, 25)));
    return lines;
  }
  int32_t GetShowDrillHoles() const override { return 0; }
  mutable int32_t asked = 0;
};

TEST_F(ViewTest, ApplyingVisibilityShowsTheFirstTwentySelectedLayers) {
  doc_.ClearAll();
  for (int i = 0; i < 30; ++i) doc_.AddLayer(PlotLayer{});
  TwentyFiveSelected dialog;
  view_.ApplyLayerVisibility();  // no dialog open: nothing
  EXPECT_EQ(host_.repaintCount, 0);
  view_.SetVisibilityDialog(&dialog);
  view_.ApplyLayerVisibility();
  EXPECT_EQ(dialog.asked, 20);
  int shown = 0;
  for (int32_t i = 0; i < doc_.GetLayerCount(); ++i) {
    EXPECT_EQ(doc_.IsLayerVisible(i), i >= 5 && i < 25 ? 1 : 0) << i;
    shown += doc_.IsLayerVisible(i);
  }
  EXPECT_EQ(shown, 20);
  EXPECT_EQ(doc_.GetShowDrillHoles(), 0);
  EXPECT_EQ(host_.repaintCount, 1);
}

}  // namespace
}  // namespace corvane
