#include "readers/nc_drill_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "document/read_target.h"
#include "readers/numeric_fields.h"

namespace corvane {
namespace {

struct DrillCase {
  const char* name;
  std::vector<const char*> lines;
  std::vector<DrillHit> hits;
  int32_t finalTool = 1;
  ZeroSuppression compression = kLeadingZerosOmitted;
  NumberFormat format{2, 4};
  double offsetX = 0.0;
  double multiplier = 1.0;
};

class NcDrillLines : public ::testing::TestWithParam<DrillCase> {};

TEST_P(NcDrillLines, GiveHits) {
  const DrillCase& c = GetParam();
  ReadTarget target;
  DrillReaderState state;
  target.Settings().drillCompression = c.compression;
  target.Settings().drillFormat = c.format;
  target.Settings().drillOffsetX = c.offsetX;
  target.Settings().drillMultiplier = c.multiplier;
  for (const char* line : c.lines) ReadDrillLine(target, state, line);
  ASSERT_EQ(target.GetDrillHitCount(), static_cast<int32_t>(c.hits.size()));
  for (std::size_t i = 0; i < c.hits.size(); ++i) {
    DrillHit hit;
    target.GetDrillHit(static_cast<int32_t>(i), hit);
    EXPECT_EQ(hit.tool, c.hits[i].tool) << i;
    EXPECT_DOUBLE_EQ(hit.x, c.hits[i].x) << i;
    EXPECT_DOUBLE_EQ(hit.y, c.hits[i].y) << i;
  }
  EXPECT_EQ(state.currentTool, c.finalTool);
}

INSTANTIATE_TEST_SUITE_P(
    Files, NcDrillLines,
    ::testing::Values(
        DrillCase{"LeadingZerosOmitted", {"T01", "X12500Y-3000"}, {{1, 1.25, -0.3}}},
        DrillCase{"TrailingZerosPadded",
                  {"T01", "X125Y-3"},
                  {{1, 12.5, -30.0}},
                  1,
                  kTrailingZerosOmitted},
        DrillCase{"ModalAxis", {"T01", "X12500Y-3000", "Y5000"}, {{1, 1.25, -0.3}, {1, 1.25, 0.5}}},
        DrillCase{"OffsetAfterScaling",
                  {"T1", "X1000Y1000"},
                  {{1, 2.0, 1.0}},
                  1,
                  kLeadingZerosOmitted,
                  {3, 3},
                  1.0},
        DrillCase{"Multiplier",
                  {"T1", "X10000"},
                  {{1, 25.4, 0.0}},
                  1,
                  kLeadingZerosOmitted,
                  {2, 4},
                  0.0,
                  25.4},
        DrillCase{"LowerCaseT", {"t3", "X10000"}, {{3, 1.0, 0.0}}, 3},
        DrillCase{"TWithoutDigits", {"T1", "T", "X10000"}, {{0, 1.0, 0.0}}, 0},
        DrillCase{"ToolDefinitionAddsNoHit", {"T1C0.035", "T2X1000Y1000"}, {}, 2},
        DrillCase{"HeaderWordWithCapitalX",
                  {"T1", "X5000Y20000", "; EXCELLON"},
                  {{1, 0.5, 2.0}, {1, 0.0, 2.0}}},
        DrillCase{"LastWordsOfLineWin", {"T1", "X1000Y1000G85X2000Y1000"}, {{1, 0.2, 0.1}}},
        DrillCase{"LowerCaseCoordinates", {"T1", "x1000y1000"}, {}},
        DrillCase{"RepeatNotExpanded", {"T1", "R3X1000"}, {{1, 0.1, 0.0}}},
        DrillCase{"UnitsHeaderChangesNothing", {"T1", "INCH,TZ", "METRIC,LZ", "M48", "%", ""}, {}},
        DrillCase{"NoDecimalPoint", {"T1", "X1.25"}, {{1, 0.0001, 0.0}}},
        DrillCase{"HitsBeforeAnyTool", {"X10000"}, {{0, 1.0, 0.0}}, 0},
        // Digit runs past 32 bits wrap instead of overflowing.
        DrillCase{"HugeNumbersWrap", {"T1", "X99999999999999999999999"}, {{1, -15938.3553, 0.0}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// The reader's one-pass word decoding must agree with the shared decoder.
TEST(ReadDrillWordTest, AgreesWithDecodeDrillCoordinate) {
  const char* words[] = {"12500",
                         "-3000",
                         "+42",
                         " \t-00500Y",
                         "",
                         "-",
                         "+-5",
                         "X",
                         "007",
                         "4294967297",
                         "99999999999999999999999",
                         "125.5",
                         "-2147483648"};
  for (const ZeroSuppression mode : {0, 1, 2}) {
    for (const NumberFormat format :
         {NumberFormat{2, 4}, NumberFormat{3, 3}, NumberFormat{-1, 12}}) {
      for (const char* word : words) {
        double expected = 0.0;
        double actual = 0.0;
        const char* expectedEnd = DecodeDrillCoordinate(word, format, mode, expected);
        EXPECT_EQ(ReadDrillWord(word, format, mode, actual), expectedEnd) << word;
        EXPECT_EQ(actual, expected) << word << " mode " << mode;
      }
    }
  }
}

}  // namespace
}  // namespace corvane
