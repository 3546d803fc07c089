#include "dialogs/field_order_list.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

constexpr uint8_t kSkip = kApertureFieldSkip;

enum class Button { kSelect, kMoveUp, kMoveDown, kAddSkip, kDeleteSkip };

struct Step {
  Button button;
  int32_t line = 0;  // kSelect only
};

struct OrderCase {
  const char* name;
  FieldOrder start;
  std::vector<Step> steps;
  FieldOrder order;
  int32_t selection;
  bool deleteSkipEnabled;
};

TEST(FieldOrderListTest, ButtonsEditTheOrderAndTheSelection) {
  using B = Button;
  const OrderCase cases[] = {
      {"a new list has no selection", {0, 1, 2}, {}, {0, 1, 2}, -1, false},
      {"a Skip line enables Delete Skip", {0, 5, 2}, {{B::kSelect, 1}}, {0, 5, 2}, 1, true},
      {"another line disables it",
       {0, 5, 2},
       {{B::kSelect, 1}, {B::kSelect, 2}},
       {0, 5, 2},
       2,
       false},
      {"a line outside the list selects none",
       {0, 5},
       {{B::kSelect, 1}, {B::kSelect, 2}},
       {0, 5},
       -1,
       false},
      {"Delete Skip on a non-Skip line does nothing",
       {0, 1},
       {{B::kSelect, 0}, {B::kDeleteSkip}},
       {0, 1},
       0,
       false},
      {"Delete Skip without a selection does nothing",
       {5, 5},
       {{B::kDeleteSkip}},
       {5, 5},
       -1,
       false},
      {"deleting the last line selects the new last line",
       {0, 1, 5},
       {{B::kSelect, 2}, {B::kDeleteSkip}},
       {0, 1},
       1,
       false},
      {"deleting a middle line selects the one that took its place",
       {0, 5, 5, 1},
       {{B::kSelect, 1}, {B::kDeleteSkip}},
       {0, 5, 1},
       1,
       true},
      {"deleting the only line leaves none selected",
       {5},
       {{B::kSelect, 0}, {B::kDeleteSkip}},
       {},
       -1,
       false},
      {"Add Skip appends and keeps the selection",
       {0, 1},
       {{B::kSelect, 0}, {B::kAddSkip}, {B::kAddSkip}},
       {0, 1, 5, 5},
       0,
       false},
      {"Move Up carries the selection",
       {0, 1, 2},
       {{B::kSelect, 2}, {B::kMoveUp}},
       {0, 2, 1},
       1,
       false},
      {"Move Up on the first line does nothing",
       {0, 1},
       {{B::kSelect, 0}, {B::kMoveUp}},
       {0, 1},
       0,
       false},
      {"Move Down carries the selection",
       {5, 1, 2},
       {{B::kSelect, 0}, {B::kMoveDown}, {B::kMoveDown}},
       {1, 2, 5},
       2,
       true},
      {"Move Down on the last line does nothing",
       {0, 1},
       {{B::kSelect, 1}, {B::kMoveDown}},
       {0, 1},
       1,
       false},
      {"moving without a selection does nothing",
       {0, 1},
       {{B::kMoveUp}, {B::kMoveDown}},
       {0, 1},
       -1,
       false},
      {"an unknown code is kept and never deleted",
       {0, 77},
       {{B::kSelect, 1}, {B::kDeleteSkip}},
       {0, 77},
       1,
       false},
  };
  int checked = 0;
  for (const OrderCase& c : cases) {
    FieldOrderList list(kSkip, ApertureFieldName);
    list.Reset(c.start);
    for (const Step& step : c.steps) {
      switch (step.button) {
        case B::kSelect:
          list.Select(step.line);
          break;
        case B::kMoveUp:
          list.MoveUp();
          break;
        case B::kMoveDown:
          list.MoveDown();
          break;
        case B::kAddSkip:
          list.AddSkip();
          break;
        case B::kDeleteSkip:
          list.DeleteSkip();
          break;
      }
    }
    EXPECT_EQ(list.Codes(), c.order) << c.name;
    EXPECT_EQ(list.Selection(), c.selection) << c.name;
    EXPECT_EQ(list.IsDeleteSkipEnabled(), c.deleteSkipEnabled) << c.name;
    ++checked;
  }
  EXPECT_EQ(checked, 16);
}

TEST(FieldOrderListTest, LinesShowTheKindsNames) {
  FieldOrderList tools(kDrillToolFieldSkip, DrillToolFieldName);
  tools.Reset({0, 1, 4, 2, 3, 9});
  const std::vector<std::string_view> expected = {"Tool Code", "Hole Type", "Skip",
                                                  "Diameter",  "Quantity",  "Unknown"};
  EXPECT_EQ(tools.Lines(), expected);
  tools.Select(2);
  EXPECT_TRUE(tools.IsDeleteSkipEnabled());  // code 4 is the drill tool table's Skip
  tools.AddSkip();
  EXPECT_EQ(tools.Codes().back(), kDrillToolFieldSkip);
}

}  // namespace
}  // namespace corvane
