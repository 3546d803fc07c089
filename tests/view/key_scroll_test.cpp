#include "view/key_scroll.h"

#include <gtest/gtest.h>

#include "platform/view_host.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

struct KeyCase {
  ViewKey key;
  bool shift;
  DevicePoint position;
  bool zoomToExtents;
  bool repaint;
};

TEST(KeyScrollTest, TheKeyboardTable) {
  // Scroll (100, 200), page (802, 602), line (80, 60).
  const KeyCase cases[] = {
      {ViewKey::kPageUp, false, {100, -402}, false, true},  // no clamping above the canvas
      {ViewKey::kPageDown, false, {100, 802}, false, true},
      {ViewKey::kLeft, false, {20, 200}, false, true},
      {ViewKey::kRight, false, {180, 200}, false, true},
      {ViewKey::kUp, false, {100, 140}, false, true},
      {ViewKey::kDown, true, {100, 260}, false, true},
      {ViewKey::kHome, false, {0, 0}, false, true},
      {ViewKey::kF8, true, {100, 200}, true, true},
      {ViewKey::kF8, false, {100, 200}, false, true},
      {ViewKey::kSpace, false, {100, 200}, false, true},
      {ViewKey::kEnd, false, {100, 200}, false, true},
      {ViewKey::kInsert, false, {100, 200}, false, true},
      {ViewKey::kDelete, false, {100, 200}, false, true},
      {ViewKey::kF3, false, {100, 200}, false, true},
      {ViewKey::kF5, true, {100, 200}, false, true},
      {ViewKey::kEscape, false, {100, 200}, false, false},
      {ViewKey::kOther, true, {100, 200}, false, false},
  };
  for (const KeyCase& c : cases) {
    const KeyScroll result = KeyScrollFor(c.key, c.shift, {100, 200}, {802, 602}, {80, 60});
    const auto key = static_cast<int>(c.key);
    EXPECT_EQ(result.position, c.position) << key;
    EXPECT_EQ(result.zoomToExtents, c.zoomToExtents) << key;
    EXPECT_EQ(result.repaint, c.repaint) << key;
  }
}

TEST(KeyScrollTest, StepsStayInsideTheScrollRange) {
  const KeyScroll result =
      KeyScrollFor(ViewKey::kPageDown, false, {0, 1073741000}, {0, 2000}, {0, 0});
  EXPECT_EQ(result.position.y, 1073741824);
}

class ViewKeysTest : public ::testing::Test {
 protected:
  ViewKeysTest() {
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
    doc_.ComputeExtents();  // x 1..3, y 0..1
    view_.GetViewport().SetScale(1.0);
    view_.OnSize(800, 600);
    view_.GetViewport().SetScrollPosition(30, 40);
    host_.thumbCalls.clear();
  }
  CCorvaneDoc doc_;
  FakeViewHost host_;
  CCorvaneView view_{doc_, host_};
};

TEST_F(ViewKeysTest, HomeSpaceAndTheLetterA) {
  EXPECT_TRUE(view_.OnKeyDown(ViewKey::kHome, false));
  EXPECT_EQ(view_.GetViewport().GetScrollPos(), (DevicePoint{0, 0}));
  EXPECT_EQ(host_.repaintCount, 1);
  view_.GetViewport().SetScrollPosition(30, 40);
  EXPECT_TRUE(view_.OnKeyDown(ViewKey::kSpace, false));
  EXPECT_EQ(view_.GetViewport().GetScrollPos(), (DevicePoint{30, 40}));
  EXPECT_EQ(host_.repaintCount, 2);
  host_.thumbCalls.clear();
  EXPECT_FALSE(view_.OnKeyDown(ViewKey::kOther, false));  // passed on
  EXPECT_EQ(view_.GetViewport().GetScrollPos(), (DevicePoint{30, 40}));
  EXPECT_EQ(host_.repaintCount, 2);
  EXPECT_EQ(host_.thumbCalls.size(), 2u);  // the thumbs go back to the position all the same
}

TEST_F(ViewKeysTest, ShiftF8FitsTheExtentsAndPlainF8DoesNot) {
  doc_.SetAutoOrigin(0);
  view_.OnKeyDown(ViewKey::kF8, false);
  EXPECT_DOUBLE_EQ(view_.GetViewport().GetScale(), 1.0);
  view_.OnKeyDown(ViewKey::kF8, true);
  EXPECT_DOUBLE_EQ(view_.GetViewport().GetScale(), 400.0);
  EXPECT_EQ(view_.GetViewport().GetScrollPos(), (DevicePoint{400, 0}));
  EXPECT_EQ(host_.repaintCount, 2);
}

}  // namespace
}  // namespace corvane
