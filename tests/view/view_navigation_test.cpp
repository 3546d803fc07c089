#include "view/view_navigation.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "platform/view_host.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

struct NotchCase {
  const char* name;
  std::vector<int32_t> deltas;
  std::vector<int32_t> notches;  // after each delta
  int32_t remainder;             // after the last
};

TEST(WheelNotchesTest, SmallDeltasAddUpToWholeNotches) {
  const NotchCase cases[] = {
      {"one notch each way", {120, -120}, {1, -1}, 0},
      {"three notches at once", {360}, {3}, 0},
      {"a high-resolution wheel", {40, 40, 40, 40}, {0, 0, 1, 0}, 40},
      {"a touchpad", {7, 50, 70, 1}, {0, 0, 1, 0}, 8},
      {"a notch and a half, then the other half", {180, 60}, {1, 1}, 0},
      {"turning back drops the rest", {100, -30, -90}, {0, 0, -1}, 0},
      {"turning back after a notch", {130, -5}, {1, 0}, -5},
      {"nothing", {0, 0}, {0, 0}, 0},
      {"the largest deltas", {INT_MAX, INT_MAX}, {17895697, 17895697}, 14},
      {"the smallest deltas", {INT_MIN, INT_MIN}, {-17895697, -17895697}, -16},
  };
  int checked = 0;
  for (const NotchCase& c : cases) {
    WheelNotches wheel;
    ASSERT_EQ(c.deltas.size(), c.notches.size()) << c.name;
    for (std::size_t i = 0; i < c.deltas.size(); ++i) {
      EXPECT_EQ(wheel.Add(c.deltas[i]), c.notches[i]) << c.name << " step " << i;
      ++checked;
    }
    EXPECT_EQ(wheel.Remainder(), c.remainder) << c.name;
    wheel.Reset();
    EXPECT_EQ(wheel.Remainder(), 0) << c.name;
  }
  EXPECT_EQ(checked, 24);
}

TEST(FormatPointerPositionTest, FourDecimalsTwoBlanksAndNoNegativeZero) {
  EXPECT_EQ(FormatPointerPosition(1.2345, 0.5), "X 1.2345  Y 0.5000");
  EXPECT_EQ(FormatPointerPosition(-12.34567, 1234.0), "X -12.3457  Y 1234.0000");
  EXPECT_EQ(FormatPointerPosition(-0.00004, -0.0), "X 0.0000  Y 0.0000");
  EXPECT_EQ(FormatPointerPosition(-0.00006, 0.0), "X -0.0001  Y 0.0000");
  EXPECT_EQ(FormatPointerPosition(NAN, 1.0), "");
  EXPECT_EQ(FormatPointerPosition(1.0, INFINITY), "");
}

// A view at scale 100 of one draw from (1, 0) to (3, 1); client 800 x 600, so
// a line step is (80, 60).
class NavigationTest : public ::testing::Test {
 protected:
  NavigationTest() {
    doc_.AddLayer(PlotLayer{});
    PlotItem item;
    item.kind = kKindStatement;
    // A move to the first point first: a draw from nowhere starts at the origin.
    item.dcode = 2;
    item.x = 1;
    doc_.AddItem(item);
    item.dcode = 1;
    doc_.AddItem(item);
    item.x = 3;
    item.y = 1;
    doc_.AddItem(item);
    doc_.ComputeExtents();
    doc_.SetAutoOrigin(0);
    doc_.SetMirrorX(0);
    doc_.SetMirrorY(0);
    view_.OnInitialUpdate();
    viewport().SetScale(100.0);
    viewport().UpdateScrollBars();
    viewport().SetScrollPosition(0, 0);
    host_.repaintCount = 0;
    host_.positionTexts.clear();
    host_.onRepaint = [this] { view_.OnDraw(dc_); };
  }
  Viewport& viewport() { return view_.GetViewport(); }
  void Wheel(DevicePoint point, int32_t dy, bool shift = false, bool ctrl = false, int32_t dx = 0) {
    view_.OnWheel(WheelEvent{point, dx, dy, shift, ctrl});
  }
  void Move(DevicePoint point, PointerButton held = PointerButton::kNone) {
    view_.OnPointerMove({held, point});
  }
  std::string Position() const {
    return host_.positionTexts.empty() ? std::string("<none>") : host_.positionTexts.back();
  }

  CCorvaneDoc doc_;
  FakeViewHost host_;
  CCorvaneView view_{doc_, host_};
  RecordingSurface dc_;
};

struct WheelZoomCase {
  const char* name;
  std::vector<int32_t> deltas;
  double scale;        // from 100
  DevicePoint scroll;  // from (0, 0)
  int repaints;
};

TEST_F(NavigationTest, TheWheelZoomsAboutThePointerNotchByNotch) {
  const WheelZoomCase cases[] = {
      {"a notch away zooms in like a zoom-tool click", {120}, 110.0, {10, 5}, 1},
      {"a notch back zooms out like the right button", {-120}, 90.0, {-10, -5}, 1},
      {"two notches at once are two zooms", {240}, 121.0, {21, 10}, 1},
      {"half a notch does nothing yet", {60}, 100.0, {0, 0}, 0},
      {"two halves make a notch", {60, 60}, 110.0, {10, 5}, 1},
      {"in and out leaves 0.99", {120, -120}, 99.0, {-1, 0}, 2},
  };
  for (const WheelZoomCase& c : cases) {
    viewport().SetScale(100.0);
    viewport().SetScrollPosition(0, 0);
    const int repaints = host_.repaintCount;
    for (const int32_t delta : c.deltas) Wheel({100, 50}, delta);
    EXPECT_NEAR(viewport().GetScale(), c.scale, 1e-9) << c.name;
    EXPECT_EQ(viewport().GetScrollPos(), c.scroll) << c.name;
    EXPECT_EQ(host_.repaintCount - repaints, c.repaints) << c.name;
    // A new turn starts without the rest of this one.
    Wheel({100, 50}, 0);
  }
}

struct WheelScrollCase {
  const char* name;
  int32_t dx;
  int32_t dy;
  bool shift;
  bool ctrl;
  DevicePoint scroll;  // from (0, 0), line step (80, 60)
};

TEST_F(NavigationTest, CtrlAndShiftWheelScrollByTheLineStep) {
  const WheelScrollCase cases[] = {
      {"Ctrl, a notch away scrolls up", 0, 120, false, true, {0, -60}},
      {"Ctrl, two notches back scroll down", 0, -240, false, true, {0, 120}},
      {"Shift, a notch away scrolls left", 0, 120, true, false, {-80, 0}},
      {"Shift, a notch back scrolls right", 0, -120, true, false, {80, 0}},
      {"Ctrl and Shift scroll across", 0, -120, true, true, {80, 0}},
      {"a horizontal wheel scrolls across", -120, 0, false, false, {80, 0}},
      {"a horizontal wheel with Shift adds up", 60, 60, true, false, {-80, 0}},
      {"Ctrl, half a notch does nothing", 0, 60, false, true, {0, 0}},
  };
  for (const WheelScrollCase& c : cases) {
    viewport().SetScrollPosition(0, 0);
    Wheel({400, 300}, 0);  // forget any rest
    const int repaints = host_.repaintCount;
    Wheel({400, 300}, c.dy, c.shift, c.ctrl, c.dx);
    EXPECT_EQ(viewport().GetScrollPos(), c.scroll) << c.name;
    EXPECT_DOUBLE_EQ(viewport().GetScale(), 100.0) << c.name;
    const bool moved = !(c.scroll == DevicePoint{0, 0});
    EXPECT_EQ(host_.repaintCount - repaints, moved ? 1 : 0) << c.name;
  }
}

TEST_F(NavigationTest, ChangingWhatTheWheelDoesDropsThePartNotch) {
  Wheel({100, 50}, 90);
  Wheel({100, 50}, 90, false, true);  // now Ctrl: the zoom's rest is gone
  EXPECT_DOUBLE_EQ(viewport().GetScale(), 100.0);
  EXPECT_EQ(viewport().GetScrollPos(), (DevicePoint{0, 0}));
  Wheel({100, 50}, 30, false, true);
  EXPECT_EQ(viewport().GetScrollPos(), (DevicePoint{0, -60}));
}

TEST_F(NavigationTest, AHugeTurnStopsWhereTheScaleEnds) {
  Wheel({100, 50}, INT_MAX);
  EXPECT_TRUE(std::isfinite(viewport().GetScale()));
  EXPECT_GT(viewport().GetScale(), 1e300);
  Wheel({100, 50}, 0);
  Wheel({100, 50}, INT_MIN);
  EXPECT_GT(viewport().GetScale(), 0.0);
  EXPECT_LT(viewport().GetScale(), 1e-300);
  viewport().SetScale(100.0);
  viewport().UpdateScrollBars();
  viewport().SetScrollPosition(0, 100);
  Wheel({100, 50}, INT_MIN, false, true);  // scrolls as far as a scroll goes
  EXPECT_EQ(viewport().GetScrollPos().y, 1073741824);
}

TEST_F(NavigationTest, TheMiddleButtonDragsThePicture) {
  view_.OnMeasure();
  view_.OnPointerPress({PointerButton::kMiddle, {100, 100}});
  EXPECT_TRUE(view_.Navigation().IsPanning());
  EXPECT_EQ(host_.cursor, CursorShape::kPan);
  const PlotPoint grabbed = viewport().PlotPointAt({100, 100});
  Move({150, 130}, PointerButton::kMiddle);
  EXPECT_EQ(viewport().GetScrollPos(), (DevicePoint{-50, -30}));
  Move({150, 130}, PointerButton::kMiddle);  // no movement, no paint
  EXPECT_EQ(host_.repaintCount, 1);
  view_.OnPointerRelease({PointerButton::kMiddle, {90, 140}});
  EXPECT_EQ(viewport().GetScrollPos(), (DevicePoint{10, -40}));
  EXPECT_EQ(host_.repaintCount, 2);
  // The grabbed point came along under the pointer.
  const PlotPoint now = viewport().PlotPointAt({90, 140});
  EXPECT_DOUBLE_EQ(now.x, grabbed.x);
  EXPECT_DOUBLE_EQ(now.y, grabbed.y);
  EXPECT_FALSE(view_.Navigation().IsPanning());
  EXPECT_EQ(host_.cursor, CursorShape::kZoom);
  // Neither the zoom nor the waiting tool saw any of it.
  EXPECT_DOUBLE_EQ(viewport().GetScale(), 100.0);
  EXPECT_EQ(view_.Tools().MeasureState(), kToolWantsFirstPoint);
  EXPECT_EQ(host_.statusTexts.back(), "Select first measurement point.");
  Move({0, 0});
  EXPECT_EQ(viewport().GetScrollPos(), (DevicePoint{10, -40}));
}

TEST_F(NavigationTest, APanEndsBeforeTheLeftOrRightButtonActsAsItAlwaysHas) {
  view_.OnPointerPress({PointerButton::kMiddle, {100, 100}});
  view_.OnPointerPress({PointerButton::kLeft, {100, 100}});
  EXPECT_FALSE(view_.Navigation().IsPanning());
  EXPECT_EQ(host_.cursor, CursorShape::kZoom);
  view_.OnPointerRelease({PointerButton::kLeft, {100, 100}});
  EXPECT_DOUBLE_EQ(viewport().GetScale(), 110.0);  // the zoom tool's click
  view_.OnPointerPress({PointerButton::kMiddle, {0, 0}});
  view_.OnPointerPress({PointerButton::kRight, {0, 0}});
  view_.OnPointerRelease({PointerButton::kRight, {0, 0}});
  EXPECT_NEAR(viewport().GetScale(), 99.0, 1e-9);  // the right button's zoom out
  const DevicePoint scroll = viewport().GetScrollPos();
  view_.OnPointerRelease({PointerButton::kMiddle, {300, 300}});  // ended already
  Move({300, 300}, PointerButton::kMiddle);
  EXPECT_EQ(viewport().GetScrollPos(), scroll);
}

TEST_F(NavigationTest, APanWhoseReleaseNeverCameEndsAtTheNextBareMove) {
  view_.OnPointerPress({PointerButton::kMiddle, {100, 100}});
  Move({120, 100}, PointerButton::kMiddle);
  Move({200, 200});
  EXPECT_FALSE(view_.Navigation().IsPanning());
  EXPECT_EQ(viewport().GetScrollPos(), (DevicePoint{-20, 0}));
  EXPECT_EQ(host_.cursor, CursorShape::kZoom);
}

TEST_F(NavigationTest, AZoomDragKeepsTheWheelAndTheMiddleButtonOut) {
  view_.OnPointerPress({PointerButton::kLeft, {100, 50}});
  Wheel({100, 50}, 120);
  Wheel({100, 50}, 120, false, true);
  view_.OnPointerPress({PointerButton::kMiddle, {100, 50}});
  EXPECT_FALSE(view_.Navigation().IsPanning());
  Move({300, 250}, PointerButton::kLeft);
  EXPECT_TRUE(host_.rubberBandVisible);
  EXPECT_DOUBLE_EQ(viewport().GetScale(), 100.0);
  EXPECT_EQ(viewport().GetScrollPos(), (DevicePoint{0, 0}));
  view_.OnPointerRelease({PointerButton::kLeft, {300, 250}});
  EXPECT_DOUBLE_EQ(viewport().GetScale(), 300.0);  // the drag still fits its rectangle
}

struct ReadoutCase {
  const char* name;
  int32_t mirrorX;
  int32_t mirrorY;
  int32_t autoOrigin;
  DevicePoint scroll;
  DevicePoint pointer;
  const char* text;
};

TEST_F(NavigationTest, ThePositionPaneReadsPlotUnitsThroughMirroringAndOrigin) {
  // Extents x 1..3, y 0..1; scale 100.
  const ReadoutCase cases[] = {
      {"plain", 0, 0, 0, {0, 0}, {150, 50}, "X 1.5000  Y 0.5000"},
      {"automatic origin", 0, 0, 1, {0, 0}, {50, 50}, "X 1.5000  Y 0.5000"},
      {"Mirror X turns y", 1, 0, 1, {0, 0}, {50, 25}, "X 1.5000  Y 0.7500"},
      {"Mirror Y turns x", 0, 1, 1, {0, 0}, {50, 25}, "X 2.5000  Y 0.2500"},
      {"both", 1, 1, 0, {100, 0}, {50, 25}, "X 2.5000  Y 0.7500"},
      {"scrolled", 0, 0, 0, {100, -50}, {50, 100}, "X 1.5000  Y 0.5000"},
      {"left of the origin", 0, 0, 0, {-50, -50}, {0, 0}, "X -0.5000  Y -0.5000"},
      {"a pixel left of the client area", 0, 0, 0, {0, 0}, {-1, 10}, ""},
      {"the right edge is outside", 0, 0, 0, {0, 0}, {800, 10}, ""},
      {"the bottom edge is outside", 0, 0, 0, {0, 0}, {10, 600}, ""},
  };
  for (const ReadoutCase& c : cases) {
    doc_.SetMirrorX(c.mirrorX);
    doc_.SetMirrorY(c.mirrorY);
    doc_.SetAutoOrigin(c.autoOrigin);
    view_.ScrollTo(c.scroll);
    view_.RedrawView();  // the paint takes the document's flags
    Move({400, 300});
    Move(c.pointer);
    EXPECT_EQ(Position(), c.text) << c.name;
  }
}

TEST_F(NavigationTest, TheReadoutAgreesWithWhereThePaintPutsTheLine) {
  int checked = 0;
  for (const int32_t mirrorX : {0, 1}) {
    for (const int32_t mirrorY : {0, 1}) {
      for (const int32_t autoOrigin : {0, 1}) {
        doc_.SetMirrorX(mirrorX);
        doc_.SetMirrorY(mirrorY);
        doc_.SetAutoOrigin(autoOrigin);
        viewport().SetScrollPosition(autoOrigin ? -30 : 70, -20);
        dc_.Clear();
        view_.RedrawView();
        const auto lines = dc_.Calls(SurfaceOp::kLineTo);
        ASSERT_FALSE(lines.empty());
        // The line ends at plot (3, 1).
        const PlotPoint end = viewport().PlotPointAt({lines.back().args[0], lines.back().args[1]});
        // Within the pixel the truncation chose.
        EXPECT_NEAR(end.x, 3.0, 0.0101) << mirrorX << mirrorY << autoOrigin;
        EXPECT_NEAR(end.y, 1.0, 0.0101) << mirrorX << mirrorY << autoOrigin;
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked, 8);
}

TEST_F(NavigationTest, ThePaneFollowsThePictureAndEmptiesWhenThePointerLeaves) {
  Move({150, 50});
  EXPECT_EQ(Position(), "X 1.5000  Y 0.5000");
  const std::size_t shown = host_.positionTexts.size();
  Move({150, 50});
  view_.OnRedraw();
  EXPECT_EQ(host_.positionTexts.size(), shown);  // the same text is not written again
  // The pointer rests while the keys and the wheel move the picture under it.
  view_.OnKeyDown(ViewKey::kRight, false);
  EXPECT_EQ(Position(), "X 2.3000  Y 0.5000");
  Wheel({150, 50}, 0, false, true, -120);
  EXPECT_EQ(Position(), "X 3.1000  Y 0.5000");
  Wheel({150, 50}, 120);
  EXPECT_EQ(Position(), "X 3.1000  Y 0.5000");  // zoomed about it
  view_.OnPointerLeave();
  EXPECT_EQ(Position(), "");
  view_.OnRedraw();
  EXPECT_EQ(Position(), "");
  // No scale, no position.
  Move({150, 50});
  viewport().SetScale(0.0);
  view_.OnRedraw();
  EXPECT_EQ(Position(), "");
  viewport().SetScale(100.0);
  // The tools' prompts keep to the message pane.
  view_.OnMeasure();
  Move({10, 10});
  EXPECT_EQ(host_.statusTexts.back(), "Select first measurement point.");
}

}  // namespace
}  // namespace corvane
