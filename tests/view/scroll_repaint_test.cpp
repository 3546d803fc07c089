#include "view/scroll_repaint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>
#include <span>
#include <utility>
#include <vector>

#include "view/corvane_view.h"

namespace corvane {
namespace {

// A plan that keeps the picture, moved by `shift`, and paints `areas` anew.
WindowPaintPlan Strips(DevicePoint shift, std::vector<DeviceRect> areas) {
  WindowPaintPlan plan;
  plan.full = false;
  plan.shift = shift;
  plan.areas = std::move(areas);
  return plan;
}

TEST(ScrollRepaintTest, PlansTheUncoveredStripsAndTheEdgesAtReach) {
  struct Row {
    const char* name;
    ClientSize client;
    DevicePoint shift;
    int32_t reach;
    WindowPaintPlan expected;
  };
  const std::vector<Row> rows = {
      {"no move", {400, 300}, {0, 0}, 5, Strips({0, 0}, {})},
      {"down a line",
       {400, 300},
       {0, -30},
       5,
       Strips({0, -30}, {{0, 265, 400, 300}, {0, 0, 400, 5}})},
      {"up a line",
       {400, 300},
       {0, 30},
       5,
       Strips({0, 30}, {{0, 0, 400, 35}, {0, 295, 400, 300}})},
      {"right", {400, 300}, {-20, 0}, 4, Strips({-20, 0}, {{376, 0, 400, 300}, {0, 0, 4, 300}})},
      {"left", {400, 300}, {20, 0}, 4, Strips({20, 0}, {{0, 0, 24, 300}, {396, 0, 400, 300}})},
      {"diagonal",
       {400, 300},
       {7, -9},
       2,
       Strips({7, -9}, {{0, 0, 9, 300}, {398, 0, 400, 300}, {9, 289, 398, 300}, {9, 0, 398, 2}})},
      {"no reach", {400, 300}, {0, -1}, 0, Strips({0, -1}, {{0, 299, 400, 300}})},
      // Too much to paint anew, or nothing worth keeping: everything.
      {"a page", {400, 300}, {0, -302}, 5, {}},
      {"half the width", {400, 300}, {-190, 0}, 5, {}},
      {"reach too deep", {400, 300}, {0, -10}, 70, {}},
      {"negative reach", {400, 300}, {0, -10}, -1, {}},
      {"no window", {0, 300}, {0, -10}, 2, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const WindowPaintPlan plan = PlanScrollRepaint(row.client, row.shift, row.reach);
    EXPECT_EQ(plan, row.expected);
    if (plan.full) continue;
    // The strips never overlap and stay in the window.
    for (std::size_t i = 0; i < plan.areas.size(); ++i) {
      const DeviceRect& a = plan.areas[i];
      EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= row.client.width &&
                  a.bottom <= row.client.height && a.left < a.right && a.top < a.bottom);
      for (std::size_t j = i + 1; j < plan.areas.size(); ++j) {
        const DeviceRect& b = plan.areas[j];
        EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom);
      }
    }
  }
}

TEST(ScrollRepaintTest, ShiftPixelsMovesThePictureAndKeepsTheRest) {
  constexpr int32_t kW = 5;
  constexpr int32_t kH = 4;
  constexpr std::ptrdiff_t kStride = 6;  // rows padded, as images' may be
  struct Row {
    DevicePoint shift;
  };
  const std::vector<Row> rows = {{{0, 0}}, {{2, 0}},  {{-2, 0}}, {{0, 1}},  {{0, -3}},
                                 {{1, 1}}, {{-4, 3}}, {{5, 0}},  {{0, -4}}, {{9, -9}}};
  int moved = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.shift.x << "," << row.shift.y);
    std::vector<uint32_t> bits(kStride * kH);
    std::iota(bits.begin(), bits.end(), 1u);
    const std::vector<uint32_t> before = bits;
    ShiftPixels(bits.data(), kStride, kW, kH, row.shift);
    const bool whole = std::abs(row.shift.x) >= kW || std::abs(row.shift.y) >= kH;
    for (int32_t y = 0; y < kH; ++y) {
      for (int32_t x = 0; x < kStride; ++x) {
        const int32_t fromX = x - row.shift.x;
        const int32_t fromY = y - row.shift.y;
        const bool fromInside =
            !whole && x < kW && fromX >= 0 && fromX < kW && fromY >= 0 && fromY < kH;
        const uint32_t expected =
            fromInside ? before[fromY * kStride + fromX] : before[y * kStride + x];
        EXPECT_EQ(bits[y * kStride + x], expected) << x << "," << y;
        moved += fromInside && (row.shift.x != 0 || row.shift.y != 0);
      }
    }
  }
  EXPECT_GT(moved, 0);
}

// A board far larger than the window, so that scrolling keeps most of it.
class KeptPictureTest : public ::testing::Test {
 protected:
  KeptPictureTest() {
    PlotLayer layer;
    doc_.AddLayer(layer);
    Aperture aperture;
    aperture.dcode = 10;
    aperture.shape = kShapeCircle;
    aperture.sizeX = 0.05;
    aperture.sizeY = 0.05;
    doc_.AddAperture(aperture);
    PlotItem item;
    item.kind = kKindStatement;
    item.dcode = 1;
    item.x = 0;
    doc_.AddItem(item);
    item.x = 10;
    item.y = 8;
    doc_.AddItem(item);
    doc_.ComputeExtents();
    host_.clientSize = {400, 300};
    view_.OnInitialUpdate();
    view_.GetViewport().ZoomAt(0, 0, 10.0);  // 300 pixels an inch
    Paint();
  }
  WindowPaintPlan Paint() { return view_.PlanWindowPaint(host_.clientSize); }

  CCorvaneDoc doc_;
  FakeViewHost host_;
  CCorvaneView view_{doc_, host_};
};

TEST_F(KeptPictureTest, OnlyScrollingKeepsThePicture) {
  EXPECT_EQ(view_.CullReach(), 12);  // 18.75 pixels wide: 10 from its centre line, and 2
  struct Row {
    const char* name;
    std::function<void(CCorvaneView&, FakeViewHost&)> act;
    bool full;
    DevicePoint shift;
  };
  const std::vector<Row> rows = {
      {"line down",
       [](CCorvaneView& v, FakeViewHost&) { v.OnVScroll(ScrollCode::kLineDown, 0); },
       false,
       {0, -30}},
      {"line left",
       [](CCorvaneView& v, FakeViewHost&) { v.OnHScroll(ScrollCode::kLineUp, 0); },
       false,
       {40, 0}},
      {"thumb",
       [](CCorvaneView& v, FakeViewHost&) {
         v.OnVScroll(ScrollCode::kThumbTrack, v.GetViewport().GetScrollPos().y + 7);
       },
       false,
       {0, -7}},
      {"wheel scroll",
       [](CCorvaneView& v, FakeViewHost&) {
         v.ScrollTo({v.GetViewport().GetScrollPos().x + 3, v.GetViewport().GetScrollPos().y - 5});
       },
       false,
       {-3, 5}},
      {"arrow key",
       [](CCorvaneView& v, FakeViewHost&) { v.OnKeyDown(ViewKey::kDown, false); },
       false,
       {0, -30}},
      {"a page",
       [](CCorvaneView& v, FakeViewHost&) { v.OnVScroll(ScrollCode::kPageDown, 0); },
       true,
       {}},
      {"zoom in", [](CCorvaneView& v, FakeViewHost&) { v.OnZoomIn(); }, true, {}},
      {"mirror", [](CCorvaneView& v, FakeViewHost&) { v.OnMirrorX(); }, true, {}},
      {"redraw", [](CCorvaneView& v, FakeViewHost&) { v.OnRedraw(); }, true, {}},
      {"F5: nothing moves",
       [](CCorvaneView& v, FakeViewHost&) { v.OnKeyDown(ViewKey::kF5, false); },
       true,
       {}},
      {"Shift+F8: extents",
       [](CCorvaneView& v, FakeViewHost&) { v.OnKeyDown(ViewKey::kF8, true); },
       true,
       {}},
      {"expose without a scroll", [](CCorvaneView&, FakeViewHost&) {}, true, {}},
      {"scroll, then a change",
       [](CCorvaneView& v, FakeViewHost&) {
         v.OnVScroll(ScrollCode::kLineDown, 0);
         v.RedrawView();
       },
       true,
       {}},
      {"change, then a scroll",
       [](CCorvaneView& v, FakeViewHost&) {
         v.InvalidateAll();
         v.OnVScroll(ScrollCode::kLineDown, 0);
       },
       true,
       {}},
      {"resized",
       [](CCorvaneView& v, FakeViewHost& h) {
         v.OnVScroll(ScrollCode::kLineDown, 0);
         h.clientSize = {401, 300};
       },
       true,
       {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    host_.clientSize = {400, 300};
    Paint();
    row.act(view_, host_);
    const WindowPaintPlan plan = Paint();
    EXPECT_EQ(plan.full, row.full);
    if (!row.full) {
      EXPECT_EQ(plan.shift, row.shift);
      EXPECT_FALSE(plan.areas.empty());
    }
    // The next paint, with nothing scrolled since, repaints all again.
    EXPECT_TRUE(Paint().full);
  }
}

// A recording surface that writes only some areas.
class StripSurface : public RecordingSurface {
 public:
  std::span<const DeviceRect> PaintAreas() const override { return areas; }
  std::vector<DeviceRect> areas;
};

// A paint of strips leaves out the runs of items that cannot reach them and
// draws the others as a whole paint does; the state it ends with is the
// whole paint's.
TEST(ScrollRepaintTest, StripPaintLeavesOutRunsThatCannotReachIt) {
  CCorvaneDoc doc;
  doc.SetAutoOrigin(0);
  doc.SetMirrorX(0);
  doc.SetMirrorY(0);
  doc.SetShowDrillHoles(0);
  PlotLayer layer;
  layer.color = 0x0000FF;
  doc.AddLayer(layer);
  for (const auto& [dcode, size] : {std::pair{10, 0.02}, std::pair{11, 0.3}}) {
    Aperture a;
    a.layer = 0;
    a.dcode = dcode;
    a.shape = kShapeCircle;
    a.sizeX = a.sizeY = size;
    doc.AddAperture(a);
  }
  // Runs of draws across the top of an 8 x 6 inch window, then across its
  // bottom; one wide draw at the bottom reaching up into the strip, and a
  // flash whose aperture was chosen in an earlier run.
  auto add = [&doc](int32_t dcode, double x, double y) {
    PlotItem item;
    item.kind = kKindStatement;
    item.dcode = dcode;
    item.x = x;
    item.y = y;
    doc.AddItem(item);
  };
  add(10, 0, 0);
  for (int i = 0; i < 40; ++i) add(i % 4 == 0 ? 2 : 1, 0.2 * (i % 40), 0.3 + 0.01 * (i % 3));
  for (int i = 0; i < 40; ++i) add(i % 4 == 0 ? 2 : 1, 0.2 * (i % 40), 5.5 + 0.01 * (i % 3));
  add(11, 1, 5);
  add(2, 1, 2.2);
  add(1, 7, 2.2);  // the pen 30 pixels wide reaches up to y 2.05
  for (int i = 0; i < 40; ++i) add(i % 4 == 0 ? 2 : 1, 0.2 * (i % 40), 5.0);
  add(3, 4, 1.9);
  doc.ComputeExtents();
  FakeViewHost host;
  host.clientSize = {800, 600};
  Viewport viewport(host);
  viewport.SetScale(100.0);
  PlotRenderer renderer;
  renderer.KeepRunsForStrips(true);

  StripSurface whole;
  whole.clipBox = {0, 0, 800, 600};
  renderer.OnDraw(whole, doc, viewport);
  StripSurface strip;
  strip.clipBox = whole.clipBox;
  strip.areas = {{0, 0, 800, 60}, {0, 185, 800, 210}};
  renderer.OnDraw(strip, doc, viewport);
  // A renderer of pictures painted once keeps no runs: its strip paint leaves
  // nothing out.
  PlotRenderer oneOff;
  StripSurface oneOffWhole;
  oneOffWhole.clipBox = whole.clipBox;
  oneOff.OnDraw(oneOffWhole, doc, viewport);
  StripSurface oneOffStrip;
  oneOffStrip.clipBox = whole.clipBox;
  oneOffStrip.areas = strip.areas;
  oneOff.OnDraw(oneOffStrip, doc, viewport);
  EXPECT_EQ(oneOffStrip.calls, oneOffWhole.calls);
  EXPECT_LT(strip.calls.size(), oneOffStrip.calls.size());
  StripSurface again;
  again.clipBox = whole.clipBox;
  renderer.OnDraw(again, doc, viewport);
  EXPECT_EQ(again.calls, whole.calls);

  // Every line and flash of the strip paint is one of the whole paint's, and
  // each that can reach the strips is there.
  const auto lines = [](const RecordingSurface& s) {
    std::vector<std::array<int32_t, 3>> out;  // from y, to y, width
    int32_t y = 0;
    int32_t width = 0;
    for (const SurfaceCall& c : s.calls) {
      if (c.op == SurfaceOp::kSelectPen) width = c.args[0];
      if (c.op == SurfaceOp::kMoveTo) y = c.args[1];
      if (c.op == SurfaceOp::kLineTo) out.push_back({y, c.args[1], width});
      if (c.op == SurfaceOp::kEllipse) out.push_back({c.args[1], c.args[3], -1});
    }
    return out;
  };
  const auto all = lines(whole);
  const auto some = lines(strip);
  int expected = 0;
  for (const auto& l : all) {
    const int32_t reach = l[2] < 0 ? 0 : l[2] / 2 + 2;
    const int32_t top = std::min(l[0], l[1]) - reach;
    const int32_t bottom = std::max(l[0], l[1]) + reach;
    expected += (top < 60) || (top < 210 && bottom >= 185);
  }
  EXPECT_GE(static_cast<int>(some.size()), expected);
  EXPECT_LT(some.size(), all.size());
  EXPECT_GT(expected, 20);
  for (const auto& l : some) EXPECT_NE(std::find(all.begin(), all.end(), l), all.end());
  // The wide draw and the flash with the earlier run's aperture are there.
  EXPECT_NE(std::find(some.begin(), some.end(), std::array<int32_t, 3>{220, 220, 30}), some.end());
  EXPECT_EQ(std::count_if(some.begin(), some.end(), [](const auto& l) { return l[2] == -1; }), 1);
}

}  // namespace
}  // namespace corvane
