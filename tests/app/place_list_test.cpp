#include "app/place_list.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

PlaceRow Row(const std::string& text, double x) {
  PlaceRow row;
  row.texts = {text};
  row.box = {x + 1, x, 1, 0};
  row.atX = x + 0.5;
  row.atY = 0.5;
  return row;
}

struct StepCase {
  const char* name;
  std::size_t rows;
  std::vector<char> steps;  // 'n' Next, 'p' Previous, a digit: Choose(digit)
  std::vector<std::size_t> chosen;
  bool lastResult;
};

class PlaceListStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(PlaceListStepTest, NextAndPreviousWrapAndChooseRunsTheCommand) {
  const StepCase& c = GetParam();
  PlaceList list({"Place"});
  std::vector<PlaceRow> rows;
  for (std::size_t i = 0; i < c.rows; ++i) rows.push_back(Row("row", static_cast<double>(i)));
  list.SetRows(rows, "summary");
  std::vector<std::size_t> chosen;
  list.OnChosen([&](std::size_t row) { chosen.push_back(row); });
  bool result = false;
  for (char step : c.steps) {
    if (step == 'n')
      result = list.Next();
    else if (step == 'p')
      result = list.Previous();
    else
      result = list.Choose(static_cast<std::size_t>(step - '0'));
  }
  EXPECT_EQ(chosen, c.chosen);
  EXPECT_EQ(result, c.lastResult);
  if (!chosen.empty()) {
    EXPECT_EQ(list.Current(), chosen.back());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PlaceListStepTest,
    ::testing::Values(StepCase{"first", 3, {'n'}, {0}, true},
                      StepCase{"wraps forward", 3, {'n', 'n', 'n', 'n'}, {0, 1, 2, 0}, true},
                      StepCase{"last first", 3, {'p'}, {2}, true},
                      StepCase{"wraps back", 3, {'1', 'p', 'p'}, {1, 0, 2}, true},
                      StepCase{"empty", 0, {'n', 'p'}, {}, false},
                      StepCase{"beyond", 2, {'2'}, {}, false},
                      StepCase{"one row", 1, {'n', 'n', 'p'}, {0, 0, 0}, true}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& ch : name) {
        if (ch == ' ') ch = '_';
      }
      return name;
    });

TEST(PlaceListTest, NewRowsForgetTheCurrentOneAndTellThePanel) {
  PlaceList list({"Layer", "Kind"});
  int told = 0;
  list.OnChanged([&] { ++told; });
  list.SetRows({Row("a", 0), Row("b", 2)}, "2 places");
  list.Choose(1);
  EXPECT_EQ(told, 2);
  std::vector<PlotMarker> markers = list.Markers();
  ASSERT_EQ(markers.size(), 2u);
  EXPECT_FALSE(markers[0].current);
  EXPECT_TRUE(markers[1].current);
  EXPECT_DOUBLE_EQ(markers[1].minX, 2.0);
  EXPECT_DOUBLE_EQ(markers[1].atX, 2.5);

  list.Clear();
  EXPECT_EQ(told, 3);
  EXPECT_FALSE(list.Current().has_value());
  EXPECT_TRUE(list.Markers().empty());
  EXPECT_TRUE(list.Summary().empty());
}

}  // namespace
}  // namespace corvane
