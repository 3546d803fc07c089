#include "view/viewport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace corvane {
namespace {

class ViewportTest : public ::testing::Test {
 protected:
  FakeViewHost host_;
  Viewport viewport_{host_};
};

TEST_F(ViewportTest, ZoomAtKeepsThePointUnderThePointer) {
  viewport_.SetScale(10.0);
  viewport_.SetScrollPosition(200, 0);
  viewport_.ZoomAt(100, 50, 1.1);
  EXPECT_DOUBLE_EQ(viewport_.GetScale(), 11.0);
  EXPECT_EQ(viewport_.GetScrollPos(), (DevicePoint{230, 5}));
  EXPECT_EQ(host_.horizontal.position, 230);
  EXPECT_EQ(host_.vertical.position, 5);
}

TEST_F(ViewportTest, ZoomToRectFitsTheRectangleWhateverTheCornerOrder) {
  viewport_.SetScale(2.0);
  EXPECT_TRUE(viewport_.ZoomToRect({300, 200, 100, 100}));
  EXPECT_DOUBLE_EQ(viewport_.GetScale(), 8.0);
  EXPECT_EQ(viewport_.GetScrollPos(), (DevicePoint{400, 400}));
}

TEST_F(ViewportTest, ZoomToRectRefusesAnEmptyRectangle) {
  viewport_.SetScale(2.0);
  EXPECT_FALSE(viewport_.ZoomToRect({100, 100, 100, 300}));
  EXPECT_DOUBLE_EQ(viewport_.GetScale(), 2.0);
}

TEST_F(ViewportTest, ZoomToExtentsFitsAndReturnsTheScrollPosition) {
  const Extents e{3.0, 1.0, 1.0, 0.0};
  EXPECT_EQ(viewport_.ZoomToExtents(e, false), (DevicePoint{400, 0}));
  EXPECT_DOUBLE_EQ(viewport_.GetScale(), 400.0);
  EXPECT_EQ(viewport_.ZoomToExtents(e, true), (DevicePoint{0, 0}));

  // Either way the plot spans x pixels 0 to 800.
  for (int autoOrigin = 0; autoOrigin < 2; ++autoOrigin) {
    const DevicePoint pos = viewport_.ZoomToExtents(e, autoOrigin != 0);
    viewport_.SetScrollPosition(pos.x, pos.y);
    viewport_.SetFlags(0, 0, autoOrigin);
    viewport_.UpdateOrigin(false);
    EXPECT_EQ(viewport_.Device(viewport_.ViewX(1.0)), 0);
    EXPECT_EQ(viewport_.Device(viewport_.ViewX(3.0)), 800);
  }
}

struct DegenerateCase {
  const char* name;
  Extents extents;
  ClientSize client;
  double expectedScale;  // 0: the previous scale is kept
};

class DegenerateExtentsTest : public ::testing::TestWithParam<DegenerateCase> {};

TEST_P(DegenerateExtentsTest, ViewStaysUsable) {
  const DegenerateCase& c = GetParam();
  FakeViewHost host;
  host.clientSize = c.client;
  Viewport viewport(host);
  viewport.SetScale(3.0);
  viewport.SetScrollPosition(17, -4);
  const DevicePoint pos = viewport.ZoomToExtents(c.extents, false);
  const double scale = viewport.GetScale();
  EXPECT_TRUE(std::isfinite(scale) && scale > 0.0);
  if (c.expectedScale == 0.0) {
    EXPECT_DOUBLE_EQ(scale, 3.0);
    EXPECT_EQ(pos, (DevicePoint{17, -4}));
  } else {
    EXPECT_DOUBLE_EQ(scale, c.expectedScale);
  }
  viewport.SetScrollPosition(pos.x, pos.y);
  viewport.UpdateOrigin(false);
  EXPECT_TRUE(std::isfinite(viewport.GetOriginX()) && std::isfinite(viewport.GetOriginY()));
}

INSTANTIATE_TEST_SUITE_P(
    Viewport, DegenerateExtentsTest,
    ::testing::Values(DegenerateCase{"NothingLoaded", {0, 0, 0, 0}, {800, 600}, 0.0},
                      DegenerateCase{
                          "NoDrawNoHit", {0, kExtentsUnset, 0, kExtentsUnset}, {800, 600}, 0.0},
                      DegenerateCase{"ZeroWidth", {5, 5, 4, 1}, {800, 600}, 200.0},
                      DegenerateCase{"ZeroHeight", {3, 1, 2, 2}, {800, 600}, 400.0},
                      DegenerateCase{"NoClientArea", {3, 1, 1, 0}, {0, 0}, 0.0},
                      DegenerateCase{"NoClientWidth", {3, 1, 1, 0}, {0, 600}, 600.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ViewportTest, MirrorXPutsTheTopOfThePlotAtTheTopEdge) {
  viewport_.SetScale(100.0);
  viewport_.SetExtents({1.0, 0.0, 1.0, 0.0});
  viewport_.SetFlags(1, 0, 0);
  viewport_.UpdateOrigin(false);
  EXPECT_EQ(viewport_.Device(viewport_.ViewY(1.0)), 0);
  EXPECT_EQ(viewport_.Device(viewport_.ViewY(0.0)), 100);
  viewport_.SetFlags(0, 0, 0);
  viewport_.UpdateOrigin(false);
  EXPECT_EQ(viewport_.Device(viewport_.ViewY(1.0)), 100);
  EXPECT_EQ(viewport_.Device(viewport_.ViewY(0.0)), 0);
}

TEST_F(ViewportTest, DeviceCoordinatesTruncateTowardZero) {
  viewport_.SetScale(10.0);
  viewport_.SetFlags(0, 0, 0);
  viewport_.UpdateOrigin(false);
  EXPECT_EQ(viewport_.Device(viewport_.ViewX(0.39)), 3);
  EXPECT_EQ(viewport_.Device(viewport_.ViewX(-0.39)), -3);
}

TEST_F(ViewportTest, ExtremeValuesAreClampedBeforeConversion) {
  viewport_.SetScale(1e12);
  EXPECT_EQ(viewport_.Device(1e9), static_cast<int32_t>(kDeviceLimit));
  EXPECT_EQ(viewport_.Device(-1e300), -static_cast<int32_t>(kDeviceLimit));
  EXPECT_EQ(viewport_.Device(std::numeric_limits<double>::quiet_NaN()), 0);
  viewport_.UpdateScrollBars();
  EXPECT_EQ(viewport_.GetScrollRange().x, static_cast<int32_t>(kScrollLimit));
}

TEST_F(ViewportTest, ZoomThatWouldOverflowTheScaleIsRefused) {
  viewport_.SetScale(1e300);
  viewport_.ZoomAt(10, 10, 1e10);
  EXPECT_DOUBLE_EQ(viewport_.GetScale(), 1e300);
  viewport_.SetScale(1.0);
  viewport_.ZoomAt(10, 10, 0.0);
  EXPECT_DOUBLE_EQ(viewport_.GetScale(), 1.0);
}

TEST_F(ViewportTest, ScrollBarsFollowScaleAndClientSize) {
  viewport_.SetScale(1.0);
  viewport_.SetScrollPosition(33, 44);
  viewport_.UpdateScrollBars();
  EXPECT_EQ(viewport_.GetScrollRange(), (DevicePoint{1700, 1100}));
  EXPECT_EQ(viewport_.GetPageStep(), (DevicePoint{802, 602}));
  EXPECT_EQ(viewport_.GetLineStep(), (DevicePoint{80, 60}));
  EXPECT_EQ(host_.vertical, (ScrollBarSetup{0, 1100, 602, 0}));
  EXPECT_EQ(host_.horizontal, (ScrollBarSetup{0, 1700, 802, 0}));
  EXPECT_EQ(host_.barCalls.front(), ScrollBarId::kVertical);
  EXPECT_EQ(viewport_.GetScrollPos(), (DevicePoint{33, 44}));
}

struct ScrollCase {
  ScrollCode code;
  int32_t thumb;
  int32_t expected;
};

TEST_F(ViewportTest, ScrollInputTable) {
  viewport_.SetScale(1.0);
  viewport_.UpdateScrollBars();  // line 60, page 602, range 1100 on the vertical bar
  const ScrollCase cases[] = {
      {ScrollCode::kLineUp, 0, 440},      {ScrollCode::kLineDown, 0, 560},
      {ScrollCode::kPageUp, 0, -102},     {ScrollCode::kPageDown, 0, 1102},
      {ScrollCode::kThumbPosition, 7, 7}, {ScrollCode::kThumbTrack, 9, 9},
      {ScrollCode::kTop, 0, 0},           {ScrollCode::kBottom, 0, 1100 - 602},
      {ScrollCode::kEndScroll, 0, 500},
  };
  for (const ScrollCase& c : cases) {
    viewport_.SetScrollPosition(0, 500);
    const bool changed = viewport_.OnScroll(ScrollBarId::kVertical, c.code, c.thumb);
    EXPECT_EQ(viewport_.GetScrollPos().y, c.expected);
    EXPECT_EQ(changed, c.expected != 500);
    EXPECT_EQ(host_.vertical.position, c.expected);
  }
}

TEST_F(ViewportTest, LineUpAtTheTopGoesAboveTheCanvas) {
  viewport_.SetScale(1.0);
  viewport_.UpdateScrollBars();
  EXPECT_TRUE(viewport_.OnScroll(ScrollBarId::kVertical, ScrollCode::kLineUp, 0));
  EXPECT_EQ(viewport_.GetScrollPos().y, -60);
}

TEST_F(ViewportTest, WindowDistanceCountsUpTheScreenAsPositive) {
  viewport_.SetScale(100.0);
  viewport_.SetFlags(1, 1, 1);  // mirroring and origin play no part
  const PlotDelta d = viewport_.WindowDistance({10, 50}, {40, 10});
  EXPECT_DOUBLE_EQ(d.dx, 0.3);
  EXPECT_DOUBLE_EQ(d.dy, 0.4);
}

}  // namespace
}  // namespace corvane
