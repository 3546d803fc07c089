#include "view/pointer_tools.h"

#include <gtest/gtest.h>

#include <string>

#include "loading/document_loader.h"
#include "platform/prompter.h"
#include "platform/view_host.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

const std::string kData = std::string(CORVANE_TEST_DATA_DIR) + "/tables/";

// A view of a document read from files, so that the offset tool's reload
// finds them again: one layer drawn from (1, 1) to (3, 1), three drill hits.
class PointerToolsTest : public ::testing::Test {
 protected:
  PointerToolsTest() {
    loader_.LoadGerberLayer(PlotLayer{kData + "draw.gbr", 0xFF});
    loader_.LoadNcDrillFile(kData + "two_tools.drl");
    doc_.SetModified(false);
    view_.AttachServices(nullptr, &loader_);
    viewport().SetScale(100.0);
    viewport().SetScrollPosition(0, 0);
  }
  Viewport& viewport() { return view_.GetViewport(); }
  PointerTools& tools() { return view_.Tools(); }
  void Press(PointerButton button, DevicePoint point) { view_.OnPointerPress({button, point}); }
  void Release(PointerButton button, DevicePoint point) { view_.OnPointerRelease({button, point}); }
  void Click(DevicePoint point) {
    Press(PointerButton::kLeft, point);
    Release(PointerButton::kLeft, point);
  }
  void Drag(DevicePoint from, DevicePoint to) {
    Press(PointerButton::kLeft, from);
    view_.OnPointerMove({PointerButton::kLeft, to});
    Release(PointerButton::kLeft, to);
  }
  std::string LastStatus() const {
    return host_.statusTexts.empty() ? std::string("<none>") : host_.statusTexts.back();
  }

  RecordingPrompter prompter_;
  CCorvaneDoc doc_;
  DocumentLoader loader_{doc_, nullptr, &prompter_};
  FakeViewHost host_;
  CCorvaneView view_{doc_, host_};
};

struct MeasureCase {
  DevicePoint first;
  DevicePoint second;
  const char* status;
};

TEST_F(PointerToolsTest, MeasuresInPlotUnitsWhateverTheDirection) {
  const MeasureCase cases[] = {
      {{10, 50}, {40, 10}, "X = 0.3000, Y = 0.4000, Diag = 0.5000"},
      {{40, 10}, {10, 50}, "X = 0.3000, Y = 0.4000, Diag = 0.5000"},  // right to left, downward
      {{5, 5}, {5, 5}, "X = 0.0000, Y = 0.0000, Diag = 0.0000"},
      {{-20, 0}, {100, 0}, "X = 1.2000, Y = 0.0000, Diag = 1.2000"},
  };
  for (const MeasureCase& c : cases) {
    view_.OnMeasure();
    EXPECT_EQ(LastStatus(), "Select first measurement point.");
    Click(c.first);
    EXPECT_EQ(tools().MeasureState(), kToolWantsSecondPoint);
    EXPECT_EQ(LastStatus(), "Select second measurement point.");
    Click(c.second);
    EXPECT_EQ(tools().MeasureState(), kToolFinished);
    EXPECT_EQ(LastStatus(), c.status);
  }
  EXPECT_EQ(host_.repaintCount, 0);  // measuring neither zooms nor repaints
  EXPECT_DOUBLE_EQ(viewport().GetScale(), 100.0);
}

TEST_F(PointerToolsTest, MeasureAgainStartsOver) {
  view_.OnMeasure();
  Click({1, 1});
  view_.OnMeasure();
  EXPECT_EQ(tools().MeasureState(), kToolWantsFirstPoint);
  Click({0, 0});
  Click({0, 200});
  EXPECT_EQ(LastStatus(), "X = 0.0000, Y = 2.0000, Diag = 2.0000");
}

TEST(FormatMeasurementTest, FourDecimalsRoundedAsPrintfDoes) {
  EXPECT_EQ(FormatMeasurement(0.12345, 2.0, 1234567.89),
            "X = 0.1235, Y = 2.0000, Diag = 1234567.8900");
}

struct ZoomCase {
  const char* name;
  DevicePoint from;
  DevicePoint to;
  double scale;        // after the gesture, from 100
  DevicePoint scroll;  // after the gesture, from (0, 0)
};

TEST_F(PointerToolsTest, TheZoomToolZoomsInOnAClickAndFitsADraggedRectangle) {
  // Client 800 x 600.
  const ZoomCase cases[] = {
      {"click", {100, 50}, {100, 50}, 110.0, {10, 5}},
      {"10 x 200 drag is a click", {100, 50}, {110, 250}, 110.0, {10, 5}},
      {"200 x 10 drag is a click", {100, 50}, {300, 60}, 110.0, {10, 5}},
      {"11 x 11 drag fits", {100, 50}, {111, 61}, 100.0 * 600.0 / 11.0, {5454, 2727}},
      {"inverted drag fits", {300, 200}, {100, 100}, 400.0, {400, 400}},
  };
  for (const ZoomCase& c : cases) {
    viewport().SetScale(100.0);
    viewport().SetScrollPosition(0, 0);
    const int repaints = host_.repaintCount;
    Drag(c.from, c.to);
    EXPECT_NEAR(viewport().GetScale(), c.scale, c.scale * 1e-12) << c.name;
    EXPECT_EQ(viewport().GetScrollPos(), c.scroll) << c.name;
    EXPECT_EQ(host_.repaintCount, repaints + 1) << c.name;
    EXPECT_FALSE(host_.rubberBandVisible) << c.name;
    EXPECT_FALSE(tools().IsDragging()) << c.name;
  }
}

TEST_F(PointerToolsTest, TheRubberBandFollowsTheDragNormalized) {
  Press(PointerButton::kLeft, {300, 200});
  EXPECT_TRUE(tools().IsDragging());
  EXPECT_EQ(host_.repaintCount, 0);
  view_.OnPointerMove({PointerButton::kLeft, {100, 250}});
  EXPECT_TRUE(host_.rubberBandVisible);
  EXPECT_EQ(host_.rubberBand, (DeviceRect{100, 200, 300, 250}));
  Release(PointerButton::kLeft, {100, 250});
  EXPECT_FALSE(host_.rubberBandVisible);
}

TEST_F(PointerToolsTest, EscapeOrTheRightButtonCancelsADragIntoAClick) {
  for (const bool byEscape : {true, false}) {
    viewport().SetScale(100.0);
    viewport().SetScrollPosition(0, 0);
    Press(PointerButton::kLeft, {100, 50});
    view_.OnPointerMove({PointerButton::kLeft, {400, 400}});
    if (byEscape) {
      view_.OnKeyDown(ViewKey::kEscape, false);
    } else {
      Press(PointerButton::kRight, {400, 400});
    }
    EXPECT_FALSE(tools().IsDragging());
    EXPECT_FALSE(host_.rubberBandVisible);
    EXPECT_DOUBLE_EQ(viewport().GetScale(), 110.0);
    EXPECT_EQ(viewport().GetScrollPos(), (DevicePoint{10, 5}));
    Release(PointerButton::kLeft, {400, 400});  // the release after a cancel does nothing
    EXPECT_DOUBLE_EQ(viewport().GetScale(), 110.0);
  }
}

TEST_F(PointerToolsTest, KeysDuringADragDoNotScroll) {
  Press(PointerButton::kLeft, {100, 50});
  EXPECT_TRUE(view_.OnKeyDown(ViewKey::kOther, false));  // the drag takes every key
  EXPECT_TRUE(view_.OnKeyDown(ViewKey::kPageDown, false));
  EXPECT_EQ(viewport().GetScrollPos(), (DevicePoint{0, 0}));
  EXPECT_TRUE(tools().IsDragging());
  EXPECT_EQ(host_.repaintCount, 0);
}

TEST_F(PointerToolsTest, ADragWhoseReleaseNeverCameIsDroppedByTheNextPress) {
  Press(PointerButton::kLeft, {100, 50});
  view_.OnPointerMove({PointerButton::kLeft, {300, 300}});
  Press(PointerButton::kLeft, {10, 10});
  EXPECT_FALSE(host_.rubberBandVisible);
  EXPECT_DOUBLE_EQ(viewport().GetScale(), 100.0);
  Release(PointerButton::kLeft, {10, 10});
  EXPECT_DOUBLE_EQ(viewport().GetScale(), 110.0);  // the new press was a click
  EXPECT_EQ(viewport().GetScrollPos(), (DevicePoint{1, 1}));
}

TEST_F(PointerToolsTest, RightButtonReleaseZoomsOutOnlyWithTheZoomTool) {
  Release(PointerButton::kRight, {100, 50});
  EXPECT_DOUBLE_EQ(viewport().GetScale(), 90.0);
  EXPECT_EQ(viewport().GetScrollPos(), (DevicePoint{-10, -5}));
  EXPECT_EQ(host_.repaintCount, 1);
  view_.OnZoomTool();
  EXPECT_EQ(host_.cursor, CursorShape::kArrow);
  Release(PointerButton::kRight, {100, 50});
  Click({100, 50});
  Press(PointerButton::kMiddle, {1, 1});
  EXPECT_DOUBLE_EQ(viewport().GetScale(), 90.0);
  EXPECT_EQ(host_.repaintCount, 1);
  view_.OnZoomTool();
  EXPECT_EQ(view_.OnSetCursor(), CursorShape::kZoom);
  EXPECT_EQ(host_.cursor, CursorShape::kZoom);
}

TEST_F(PointerToolsTest, RightButtonZoomsWhileAToolWaits) {
  view_.OnMeasure();
  Release(PointerButton::kRight, {0, 0});
  EXPECT_DOUBLE_EQ(viewport().GetScale(), 90.0);
  EXPECT_EQ(tools().MeasureState(), kToolWantsFirstPoint);
}

TEST_F(PointerToolsTest, AWaitingOffsetToolTakesTheClicksBeforeTheMeasurement) {
  view_.OnMeasure();
  view_.StartOffsetTool(0);
  EXPECT_EQ(LastStatus(), "Select first offset point.");
  Click({10, 10});
  EXPECT_EQ(LastStatus(), "Select second offset point.");
  EXPECT_EQ(tools().MeasureState(), kToolWantsFirstPoint);
  Click({20, 10});  // 0.1 plot units to the right
  EXPECT_EQ(tools().OffsetState(), kToolFinished);
  ASSERT_GE(host_.statusTexts.size(), 2u);
  EXPECT_EQ(host_.statusTexts.back(), "");
  PlotLayer layer;
  ASSERT_TRUE(doc_.GetLayer(0, layer));
  EXPECT_EQ(layer.offsetX, 100);
  Click({0, 0});
  Click({30, 40});
  EXPECT_EQ(LastStatus(), "X = 0.3000, Y = 0.4000, Diag = 0.5000");
  EXPECT_DOUBLE_EQ(viewport().GetScale(), 100.0);  // the zoom tool never saw a click
}

struct OffsetCase {
  const char* name;
  double scale;
  DevicePoint first;
  DevicePoint second;
  int32_t offsetX;
  int32_t offsetY;
};

TEST_F(PointerToolsTest, TheOffsetToolMovesALayerInThousandthsTruncatedTowardZero) {
  const OffsetCase cases[] = {
      {"+50 right, 20 up at 1000", 1000.0, {100, 100}, {150, 80}, 50, 20},
      {"one pixel at 10000 adds nothing", 10000.0, {100, 100}, {101, 99}, 0, 0},
      {"left and down", 1000.0, {100, 100}, {93, 107}, -7, -7},
      {"0.5 thousandths each way", 2000.0, {0, 0}, {-1, 1}, 0, 0},
      {"3 pixels at 7 is 428.57", 7.0, {0, 0}, {3, 0}, 428, 0},
  };
  for (const OffsetCase& c : cases) {
    PlotLayer layer;
    ASSERT_TRUE(doc_.GetLayer(0, layer));
    layer.offsetX = 0;
    layer.offsetY = 0;
    doc_.SetLayer(0, layer);
    viewport().SetScale(c.scale);
    view_.StartOffsetTool(0);
    Click(c.first);
    const int repaints = host_.repaintCount;
    Click(c.second);
    ASSERT_EQ(doc_.GetLayerCount(), 1) << c.name;
    ASSERT_TRUE(doc_.GetLayer(0, layer));
    EXPECT_EQ(layer.offsetX, c.offsetX) << c.name;
    EXPECT_EQ(layer.offsetY, c.offsetY) << c.name;
    EXPECT_EQ(host_.repaintCount, repaints + 1) << c.name;
  }
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(prompter_.waitCursorDepth, 0);
  EXPECT_EQ(prompter_.waitCursorCount, static_cast<int>(std::size(cases)));
}

TEST_F(PointerToolsTest, WithoutALoaderTheOffsetIsKeptButNothingIsReadAgain) {
  view_.AttachServices(nullptr, nullptr);
  viewport().SetScale(1000.0);
  const PlotItem before = doc_.GetItem(doc_.GetItemCount() - 1);
  view_.StartOffsetTool(0);
  Click({0, 0});
  Click({500, 0});
  PlotLayer layer;
  ASSERT_TRUE(doc_.GetLayer(0, layer));
  EXPECT_EQ(layer.offsetX, 500);
  EXPECT_DOUBLE_EQ(doc_.GetItem(doc_.GetItemCount() - 1).x, before.x);
  EXPECT_EQ(prompter_.waitCursorCount, 0);
  EXPECT_EQ(host_.repaintCount, 1);
}

TEST_F(PointerToolsTest, TheReloadMovesTheLayersItems) {
  viewport().SetScale(1000.0);
  view_.StartOffsetTool(0);
  Click({0, 0});
  Click({500, -250});  // half a unit right, a quarter up
  const PlotItem last = doc_.GetItem(doc_.GetItemCount() - 1);
  EXPECT_DOUBLE_EQ(last.x, 3.5);
  EXPECT_DOUBLE_EQ(last.y, 1.25);
}

TEST_F(PointerToolsTest, TheDrillEntryMovesTheHitsByTheExactDistance) {
  viewport().SetScale(3.0);
  DrillHit before;
  ASSERT_TRUE(doc_.GetDrillHit(0, before));
  view_.StartOffsetTool(doc_.GetLayerCount());
  Click({0, 0});
  Click({1, -2});
  EXPECT_DOUBLE_EQ(doc_.Settings().drillOffsetX, 1.0 / 3.0);
  EXPECT_DOUBLE_EQ(doc_.Settings().drillOffsetY, 2.0 / 3.0);
  DrillHit after;
  ASSERT_TRUE(doc_.GetDrillHit(0, after));
  EXPECT_NEAR(after.x - before.x, 1.0 / 3.0, 1e-12);
  EXPECT_NEAR(after.y - before.y, 2.0 / 3.0, 1e-12);
  PlotLayer layer;
  ASSERT_TRUE(doc_.GetLayer(0, layer));
  EXPECT_EQ(layer.offsetX, 0);
}

TEST_F(PointerToolsTest, NoChosenEntryChangesNothingButStillReloadsAndRepaints) {
  for (const int32_t target : {-1, 5}) {
    doc_.SetModified(false);
    view_.StartOffsetTool(target);
    Click({0, 0});
    const int repaints = host_.repaintCount;
    Click({100, 100});
    PlotLayer layer;
    ASSERT_TRUE(doc_.GetLayer(0, layer));
    EXPECT_EQ(layer.offsetX, 0) << target;
    EXPECT_DOUBLE_EQ(doc_.Settings().drillOffsetX, 0.0) << target;
    EXPECT_EQ(host_.repaintCount, repaints + 1) << target;
  }
  EXPECT_GE(prompter_.waitCursorCount, 2);
}

TEST_F(PointerToolsTest, OffsetsHoldAtTheLimitsOfTheirRange) {
  viewport().SetScale(1e-9);  // a pixel is a billion plot units
  view_.StartOffsetTool(0);
  Click({0, 0});
  Click({-10, -10});
  PlotLayer layer;
  ASSERT_TRUE(doc_.GetLayer(0, layer));
  EXPECT_EQ(layer.offsetX, INT32_MIN);
  EXPECT_EQ(layer.offsetY, INT32_MAX);
}

TEST_F(PointerToolsTest, AnOffsetIsAChangeEvenWhenNoFileLoads) {
  CCorvaneDoc empty;
  DocumentLoader loader(empty);
  FakeViewHost host;
  CCorvaneView view(empty, host);
  view.AttachServices(nullptr, &loader);
  view.GetViewport().SetScale(10.0);
  view.StartOffsetTool(0);  // the drill entry of a document with no layers
  view.OnPointerPress({PointerButton::kLeft, {0, 0}});
  view.OnPointerPress({PointerButton::kLeft, {10, 0}});
  EXPECT_DOUBLE_EQ(empty.Settings().drillOffsetX, 1.0);
  EXPECT_TRUE(empty.IsModified());
}

}  // namespace
}  // namespace corvane
