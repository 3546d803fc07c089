#include "analysis/ipc_netlist.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

constexpr std::string_view kMetric = "P  UNITS CUST 1\n";
constexpr std::string_view kInch = "P  UNITS CUST 0\n";

TEST(IpcNetlistTest, ReadsTheFixedColumnsOfTestRecords) {
  struct Case {
    std::string_view units;
    std::string_view record;
    NetPoint expected;
  };
  const Case cases[] = {
      {kMetric, "317GND              J13   -2    D0400PA00X+043550Y-006480X1600Y1600R000",
       {"GND", "J13", "2", 43.55, -6.48, 0, 0.4, true, false, 1.6, 1.6}},
      {kMetric, "327+3.3V            C171  -1          A01X+041900Y+006660",
       {"+3.3V", "C171", "1", 41.9, 6.66, 1, 0.0, false, false, 0.0, 0.0}},
      {kInch, "327CLK              U26   -46         A08X+030715Y+015735",
       {"CLK", "U26", "46", 78.0161, 39.9669, 8, 0.0, false, false, 0.0, 0.0}},
      {kInch, "367                 TOOL        D1250UA00X+001000Y+002000",
       {"", "TOOL", "", 2.54, 5.08, 0, 3.175, false, true, 0.0, 0.0}},
      // A record cut short after its position, with a line end of CR LF.
      {kMetric, "317N$1              VIA          D0300PA00X+000100Y+000200\r",
       {"N$1", "VIA", "", 0.1, 0.2, 0, 0.3, true, false, 0.0, 0.0}},
      // The net's name fills its 14 columns; the blank columns after it are kept apart.
      {kMetric, "327ABCDEFGHIJKLMN   R1    -1          A01X+000001Y+000002",
       {"ABCDEFGHIJKLMN", "R1", "1", 0.001, 0.002, 1, 0.0, false, false, 0.0, 0.0}},
  };
  for (const Case& c : cases) {
    const IpcNetlist read = ReadIpcNetlist(std::string(c.units) + std::string(c.record) + "\n999\n");
    SCOPED_TRACE(c.record);
    ASSERT_EQ(read.points.size(), 1u);
    EXPECT_EQ(read.malformedLines, 0u);
    const NetPoint& p = read.points[0];
    EXPECT_EQ(p.net, c.expected.net);
    EXPECT_EQ(p.component, c.expected.component);
    EXPECT_EQ(p.pin, c.expected.pin);
    EXPECT_NEAR(p.x, c.expected.x, 1e-9);
    EXPECT_NEAR(p.y, c.expected.y, 1e-9);
    EXPECT_EQ(p.access, c.expected.access);
    EXPECT_NEAR(p.holeDiameter, c.expected.holeDiameter, 1e-9);
    EXPECT_EQ(p.plated, c.expected.plated);
    EXPECT_EQ(p.tooling, c.expected.tooling);
    EXPECT_NEAR(p.padWidth, c.expected.padWidth, 1e-9);
    EXPECT_NEAR(p.padHeight, c.expected.padHeight, 1e-9);
  }
}

TEST(IpcNetlistTest, SkipsAndCountsWhatItCannotRead) {
  const std::string text =
      "C  a comment\n"
      "P  JOB   TEST\n"
      "P  UNITS CUST 1\n"
      "\n"
      "327A                R1    -1          A01X+000100Y+000100\n"
      "327B                R2    -1          A01\n"             // no position
      "327C                R3    -1          A01X+0001QQY+01\n"  // a letter in the number
      "hello there\n"                                           // no record at all
      "32\n"                                                    // too short for a code
      "378A                      0250 X+000000Y+000000 X+000500Y+000000\n"  // a conductor
      "327D                R4    -1          A01X+1234567890123Y+0\n"  // beyond any board
      "327E                R5    -1          A01X+000200Y+000200\n"
      "999\n"
      "327F                R6    -1          A01X+000300Y+000300\n";  // after the end
  const IpcNetlist read = ReadIpcNetlist(text);
  ASSERT_EQ(read.points.size(), 2u);
  EXPECT_EQ(read.points[0].net, "A");
  EXPECT_EQ(read.points[1].net, "E");
  EXPECT_EQ(read.malformedLines, 5u);
  EXPECT_EQ(read.units, NetlistUnits::kMillimetre);
}

TEST(IpcNetlistTest, UnitsFollowTheUnitRecordWhereverItStands) {
  const std::string record = "327A                R1    -1          A01X+010000Y-010000\n";
  struct Case {
    std::string_view units;
    double x;
  };
  const Case cases[] = {{"", 25.4},  // inches when nothing is said
                        {"P  UNITS CUST 0\n", 25.4},
                        {"P  UNITS CUST 2\n", 25.4},
                        {"P  UNITS CUST 1\n", 10.0},
                        {"P  UNITS SI\n", 10.0}};
  for (const Case& c : cases) {
    const IpcNetlist read = ReadIpcNetlist(std::string(c.units) + record);
    ASSERT_EQ(read.points.size(), 1u) << c.units;
    EXPECT_NEAR(read.points[0].x, c.x, 1e-9) << c.units;
    EXPECT_NEAR(read.points[0].y, -c.x, 1e-9) << c.units;
  }
  // A change of units in the middle applies to the records after it.
  const IpcNetlist mixed = ReadIpcNetlist(std::string(kInch) + record + std::string(kMetric) + record);
  ASSERT_EQ(mixed.points.size(), 2u);
  EXPECT_NEAR(mixed.points[0].x, 25.4, 1e-9);
  EXPECT_NEAR(mixed.points[1].x, 10.0, 1e-9);
}

TEST(IpcNetlistTest, LongNamesComeFromTheirRecordsAndShortOnesCompareByTheColumns) {
  const IpcNetlist read = ReadIpcNetlist(
      "P  UNITS CUST 1\n"
      "P  NNAME1     SUPPLY_RAIL_OF_THE_CORE_1V2\n"
      "327NNAME1           U1    -1          A01X+000100Y+000100\n"
      "327NNAME2           U1    -2          A01X+000200Y+000100\n");
  ASSERT_EQ(read.points.size(), 2u);
  EXPECT_EQ(read.points[0].net, "SUPPLY_RAIL_OF_THE_CORE_1V2");
  EXPECT_EQ(read.points[1].net, "NNAME2");  // no record names it: kept as it stands

  struct Case {
    std::string_view a, b;
    bool same;
  };
  const Case names[] = {{"SUPPLY_RAIL_OF_THE_CORE_1V2", "SUPPLY_RAIL_OF", true},
                        {"SUPPLY_RAIL_OF_THE_CORE_1V2", "SUPPLY_RAIL_OF_THE_CORE_3V3", true},
                        {"SUPPLY_RAIL_O", "SUPPLY_RAIL_OF", false},
                        {"gnd", "GND", false},
                        {"A", "A", true}};
  for (const Case& c : names) EXPECT_EQ(SameNetName(c.a, c.b), c.same) << c.a << " " << c.b;
}

TEST(IpcNetlistTest, WhatIsWrittenReadsBackTheSame) {
  NetPoint hole{"", "", "", 12.345, -6.5, 0, 0.35, true, false, 0.0, 0.0};
  NetPoint pad{"", "U7", "14", 100.001, 0.0, 4, 0.0, false, false, 1.2, 0.6};
  NetPoint far{"", "", "", 5000.0, -5000.0, 1, 0.0, false, false, 0.0, 0.0};
  const std::vector<NetToWrite> nets{{"GND", {hole, pad}},
                                     {"A_NAME_LONGER_THAN_THE_COLUMNS", {pad}},
                                     {"pad@1.000,2.000", {far}}};
  const IpcNetlist read = ReadIpcNetlist(WriteIpcNetlist(nets, "test"));
  EXPECT_EQ(read.malformedLines, 0u);
  ASSERT_EQ(read.points.size(), 4u);
  EXPECT_EQ(read.points[0].net, "GND");
  EXPECT_NEAR(read.points[0].x, 12.345, 1e-9);
  EXPECT_NEAR(read.points[0].y, -6.5, 1e-9);
  EXPECT_NEAR(read.points[0].holeDiameter, 0.35, 1e-9);
  EXPECT_TRUE(read.points[0].plated);
  EXPECT_EQ(read.points[1].component, "U7");
  EXPECT_EQ(read.points[1].pin, "14");
  EXPECT_EQ(read.points[1].access, 4);
  EXPECT_NEAR(read.points[1].padWidth, 1.2, 1e-9);
  EXPECT_NEAR(read.points[1].padHeight, 0.6, 1e-9);
  EXPECT_EQ(read.points[2].net, "A_NAME_LONGER_THAN_THE_COLUMNS");
  EXPECT_EQ(read.points[3].net, "pad@1.000,2.000");
  // Beyond the columns' reach: clamped, never spilling into the next field.
  EXPECT_NEAR(read.points[3].x, 999.999, 1e-9);
  EXPECT_NEAR(read.points[3].y, -999.999, 1e-9);
}

TEST(IpcNetlistTest, NoInputMakesItFail) {
  const std::string_view texts[] = {"", "\n\n\n", "999", "P", "P  UNITS", "P  NNAME1",
                                    "317", std::string_view("317\0\0\0", 6),
                                    "327XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX"};
  for (const std::string_view text : texts) {
    const IpcNetlist read = ReadIpcNetlist(text);
    EXPECT_TRUE(read.points.empty()) << text;
  }
}

}  // namespace
}  // namespace corvane
