#include "readers/drill_tool_reader.h"

#include <gtest/gtest.h>

#include "document/read_target.h"

namespace corvane {
namespace {

struct DrillToolCase {
  const char* name;
  const char* line;
  bool accepted;
  int32_t tool = 0;
  int plating = 0;
  double diameter = 0.0;
  int32_t quantity = 0;
};

class BuiltInDrillToolOrder : public ::testing::TestWithParam<DrillToolCase> {};

TEST_P(BuiltInDrillToolOrder, ReadsOneLine) {
  const DrillToolCase& c = GetParam();
  ReadTarget target;
  ReadDrillToolLine(target, c.line);
  ASSERT_EQ(target.GetDrillToolCount(), c.accepted ? 1 : 0);
  if (!c.accepted) return;
  DrillTool t;
  ASSERT_TRUE(target.GetDrillTool(0, t));
  EXPECT_EQ(t.tool, c.tool);
  EXPECT_EQ(t.plating, c.plating);
  EXPECT_DOUBLE_EQ(t.diameter, c.diameter);
  EXPECT_EQ(t.quantity, c.quantity);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BuiltInDrillToolOrder,
    ::testing::Values(
        DrillToolCase{"Plated", "T01 Plated x 35 120", true, 1, 1, 0.035, 120},
        DrillToolCase{"UnplatedInAnyCase", "T02 UNPLATED x 125 4", true, 2, 2, 0.125, 4},
        DrillToolCase{"OtherWordIsNotStated", "T03 NPTH x 40 9", true, 3, 0, 0.04, 9},
        DrillToolCase{"WordMustBeWhole", "T04 PlatedHole x 40 9", true, 4, 0, 0.04, 9},
        DrillToolCase{"CommaEndsTheWord", "T05 Plated, x 40 9", true, 5, 1, 0.04, 9},
        DrillToolCase{"LeadingPointDiameter", "T08 Plated x .035 1", true, 8, 1, 0.035, 1},
        DrillToolCase{"BlankBeforeSemicolonIsData", " ;T09 Plated x 20 1", true, 9, 1, 0.02, 1},
        DrillToolCase{"Comment", ";T01 Plated x 35 120", false},
        DrillToolCase{"ZeroTool", "T00 Plated x 35 1", false},
        DrillToolCase{"ZeroDiameter", "T07 Plated x 0 1", false}, DrillToolCase{"Empty", "", false},
        DrillToolCase{"Header", "Tool Type Size Count", false},
        // A skipped column ends only at a space, so on a tab-separated line it
        // swallows the diameter.
        DrillToolCase{"TabsRunThroughSkip", "T06\tPlated\tx\t50\t7", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrillToolReaderTest, UnplatedWordComesFromTheSettings) {
  ReadTarget target;
  target.Settings().unplatedFieldName = "NPTH";
  ReadDrillToolLine(target, "T03 npth x 40 9");
  DrillTool t;
  ASSERT_TRUE(target.GetDrillTool(0, t));
  EXPECT_EQ(t.plating, kPlatingUnplated);
}

TEST(DrillToolReaderTest, FieldOrderAndMultiplierComeFromTheSettings) {
  ReadTarget target;
  target.Settings().drillToolFieldOrder = {0, 4, 2};
  target.Settings().drillToolMultiplier = 25.4;
  ReadDrillToolLine(target, "T09 Plated 20 33");
  DrillTool t;
  ASSERT_TRUE(target.GetDrillTool(0, t));
  EXPECT_EQ(t.tool, 9);
  EXPECT_EQ(t.plating, kPlatingUnknown);
  EXPECT_DOUBLE_EQ(t.diameter, 20 * 25.4 * 0.001);
  EXPECT_EQ(t.quantity, 0);
}

TEST(DrillToolReaderTest, OrderWithoutToolOrDiameterAcceptsNothing) {
  ReadTarget target;
  target.Settings().drillToolFieldOrder = {0, 1};
  ReadDrillToolLine(target, "T01 Plated x 35 120");
  target.Settings().drillToolFieldOrder = {1, 4, 2, 3};
  ReadDrillToolLine(target, "T01 Plated x 35 120");
  EXPECT_EQ(target.GetDrillToolCount(), 0);
}

TEST(DrillToolReaderTest, SemicolonEndsASkippedColumn) {
  ReadTarget target;
  target.Settings().drillToolFieldOrder = {0, 4, 2};
  ReadDrillToolLine(target, "T02 abc;45");
  DrillTool t;
  ASSERT_TRUE(target.GetDrillTool(0, t));
  EXPECT_DOUBLE_EQ(t.diameter, 0.045);
}

}  // namespace
}  // namespace corvane
