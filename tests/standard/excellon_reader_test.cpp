#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standard/standard_reader.h"

namespace corvane {
namespace {

// Each header style against one hit "X<digits>Y0" with tool 1 of 1 inch.
TEST(ExcellonReaderTest, HeaderStylesSetUnitsZerosAndDigits) {
  struct Case {
    const char* header;
    const char* x;
    double inches;
    StandardUnits units;
    NumberFormat format;
    bool fromFile;
  };
  const Case cases[] = {
      {"INCH,LZ", "0125", 1.25, StandardUnits::kInch, {2, 4}, false},
      {"INCH,TZ", "12500", 1.25, StandardUnits::kInch, {2, 4}, false},
      {"INCH,TZ,000.000", "1250", 1.25, StandardUnits::kInch, {3, 3}, true},
      {"METRIC,LZ,000.00", "0254", 1.0, StandardUnits::kMillimetre, {3, 2}, true},
      {"METRIC,0000.00,TZ", "2540", 1.0, StandardUnits::kMillimetre, {4, 2}, true},
      {"METRIC\n;FILE_FORMAT=3:3", "25400", 1.0, StandardUnits::kMillimetre, {3, 3}, true},
      {";FORMAT={4:2/ absolute / metric / suppress leading zeros}\nMETRIC,TZ",
       "2540",
       1.0,
       StandardUnits::kMillimetre,
       {4, 2},
       true},
      {"M71", "254000", 1.0, StandardUnits::kMillimetre, {2, 4}, false},
      {"INCH", "1.25", 1.25, StandardUnits::kInch, {2, 4}, false},
      {"METRIC", "-25.4", -1.0, StandardUnits::kMillimetre, {2, 4}, false},
      // Invalid rows: what the header leaves open stays the document's.
      {"INCH,XX,", "12500", 1.25, StandardUnits::kInch, {2, 4}, false},
      {"METRIC,,,", "254000", 1.0, StandardUnits::kMillimetre, {2, 4}, false},
      {";FILE_FORMAT=a:b\nINCH", "12500", 1.25, StandardUnits::kInch, {2, 4}, false},
      {"", "12500", 1.25, StandardUnits::kUnstated, {2, 4}, false},
  };
  int checked = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.header);
    const std::string text =
        std::string("M48\n") + c.header + "\nT1C1.0\n%\nT1\nX" + c.x + "Y0\nM30\n";
    StandardContext context;
    const StandardLayer layer = ReadStandardExcellon(text, context);
    ASSERT_EQ(layer.geometry.objects.size(), 1u);
    EXPECT_NEAR(layer.geometry.objects[0].x0, c.inches, 1e-12);
    EXPECT_EQ(layer.units, c.units);
    EXPECT_EQ(layer.xFormat, c.format);
    EXPECT_EQ(layer.formatFromFile, c.fromFile);
    const double diameter = c.units == StandardUnits::kMillimetre ? 1.0 / 25.4 : 1.0;
    EXPECT_NEAR(layer.shapes.shapes[layer.geometry.objects[0].ref].roundDiameter, diameter, 1e-12);
    ++checked;
  }
  EXPECT_EQ(checked, 14);
}

TEST(ExcellonReaderTest, WhatTheFileLeavesOpenComesFromTheDocument) {
  StandardContext context;
  context.settings.drillFormat = {3, 3};
  context.settings.drillCompression = kTrailingZerosOmitted;
  context.settings.drillMultiplier = 0.5;
  context.settings.drillOffsetX = 0.25;
  context.settings.drillOffsetY = -1.0;
  const std::vector<DrillTool> tools = {{4, kPlatingPlated, 0.04, 0}};
  context.drillTools = tools;
  const StandardLayer unstated = ReadStandardExcellon("T4\nX1Y2\n", context);
  ASSERT_EQ(unstated.geometry.objects.size(), 1u);
  // X1 is padded to 100000 digits of 3.3: 100.0, times the multiplier 0.5.
  EXPECT_DOUBLE_EQ(unstated.geometry.objects[0].x0, 50.25);
  EXPECT_DOUBLE_EQ(unstated.geometry.objects[0].y0, 99.0);
  EXPECT_DOUBLE_EQ(unstated.shapes.shapes[0].roundDiameter, 0.04);
  EXPECT_EQ(unstated.apertures[0].origin, ApertureOrigin::kToolTable);
  // Once the file states inches the multiplier no longer applies; offsets still do.
  const StandardLayer stated = ReadStandardExcellon("M48\nINCH\n%\nT4\nX1Y2\n", context);
  EXPECT_DOUBLE_EQ(stated.geometry.objects[0].x0, 100.25);
  EXPECT_EQ(stated.features & kFeatureHeaderFormat, 0u);
}

TEST(ExcellonReaderTest, ToolsSelectionsAndTheirAbsence) {
  const std::vector<DrillTool> tools = {{2, kPlatingUnplated, 0.1, 0}};
  StandardContext context;
  context.drillTools = tools;
  const StandardLayer layer = ReadStandardExcellon(
      "M48\nINCH,TZ\nT1C0.02\nT2\n%\nX1.0Y1.0\nT1\nX2.0Y1.0\nT0\nX3.0Y1.0\nT2\nX4.0Y1.0\n"
      "T3\nX5.0Y1.0\nT1C0.05\nX6.0Y1.0\nM30\nT1\nX7.0Y1.0\n",
      context);
  ASSERT_EQ(layer.geometry.objects.size(), 4u);
  const double expected[][2] = {{2.0, 0.02}, {4.0, 0.1}, {5.0, 0.0}, {6.0, 0.05}};
  for (std::size_t i = 0; i < 4; ++i) {
    const StandardObject& hit = layer.geometry.objects[i];
    EXPECT_DOUBLE_EQ(hit.x0, expected[i][0]);
    EXPECT_DOUBLE_EQ(layer.shapes.shapes[hit.ref].roundDiameter, expected[i][1]);
  }
}

TEST(ExcellonReaderTest, LayerSettingsAndRepeatBounds) {
  StandardContext context;
  context.layer.mirrorOnXAxis = 1;
  context.layer.offsetY = 2000;
  context.bounds.expandedObjects = 50;
  const StandardLayer layer =
      ReadStandardExcellon("M48\nINCH\nT1C0.1\n%\nT1\nX0Y1.0\nR999999999X0.1\nY0.5\n", context);
  EXPECT_EQ(layer.limitsReached, static_cast<uint32_t>(kLimitExpandedObjects));
  ASSERT_EQ(layer.geometry.objects.size(), 52u);
  EXPECT_DOUBLE_EQ(layer.geometry.objects[0].y0, 1.0);  // -1 + 2
  EXPECT_NEAR(layer.geometry.objects[50].x0, 5.0, 1e-9);
  // After the repeat the current point stands at the last repeat's place.
  EXPECT_NEAR(layer.geometry.objects[51].x0, 99999999.9, 1e-3);
  EXPECT_DOUBLE_EQ(layer.geometry.objects[51].y0, 1.5);
}

TEST(ExcellonReaderTest, LinesThatOnlyLookLikeHitsDrillNothing) {
  const StandardLayer layer = ReadStandardExcellon(
      "M48\nINCH\nT1C0.1\n%\nT1\nM47,CHECK X1Y1\nG93X2.0Y2.0\nG04X100\nM97,X3Y3\nG81X4.0Y4.0\n"
      "X5.0Y5.0\n",
      {});
  ASSERT_EQ(layer.geometry.objects.size(), 2u);
  EXPECT_DOUBLE_EQ(layer.geometry.objects[0].x0, 4.0);
  EXPECT_DOUBLE_EQ(layer.geometry.objects[1].x0, 5.0);
}

// Routing: G00 moves with the tool up; whether the next G01/G02/G03 cut
// depends on M15 where the file plunges with it, and on M16/M17 lifting the
// tool where it does not.
TEST(ExcellonReaderTest, RoutedMovesCutWithOrWithoutM15) {
  struct Case {
    const char* body;
    std::vector<StandardKind> kinds;
  };
  using K = StandardKind;
  const Case cases[] = {
      {"G00X0Y0\nG01X1Y0\nG01X1Y1\n", {K::kLine, K::kLine}},
      {"G00X0Y0\nG01X1Y0\nG03X2Y1I1J0\n", {K::kLine, K::kArc}},
      {"G00X0Y0\nG01X1Y0\nM16\nG01X2Y0\nG00X3Y0\nG01X4Y0\n", {K::kLine, K::kLine}},
      {"G00X0Y0\nG01X1Y0\nM17\nX2Y0\n", {K::kLine}},
      {"G00X0Y0\nG02X1Y1A1\nG05\nX5Y5\n", {K::kArc, K::kFlash}},
      // A file that plunges keeps its tool up after every G00 until M15.
      {"G00X0Y0\nM15\nG01X1Y0\nM16\nG00X2Y0\nG01X3Y0\nM15\nG01X4Y0\n",
       {K::kLine, K::kLine}},
      {"G00X0Y0\nM15\nG01X1Y0\nG00X2Y0\nG01X3Y0\n", {K::kLine}},
      // Invalid rows: no G00 first, a lift before any cut, a rapid move alone.
      {"G01X1Y0\nG01X2Y0\n", {}},
      {"G00X0Y0\nM16\nG01X1Y0\n", {}},
      {"G00X0Y0\nG00X1Y1\n", {}},
  };
  int checked = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    const std::string text = std::string("M48\nINCH\nT1C0.1\n%\nT1\n") + c.body + "M30\n";
    const StandardLayer layer = ReadStandardExcellon(text, {});
    std::vector<StandardKind> kinds;
    for (const StandardObject& object : layer.geometry.objects) kinds.push_back(object.kind);
    EXPECT_EQ(kinds, c.kinds);
    const bool routes = !c.kinds.empty() && c.kinds.front() != K::kFlash;
    EXPECT_EQ((layer.features & kFeatureRouting) != 0, routes);
    ++checked;
  }
  EXPECT_EQ(checked, 10);
}

TEST(ExcellonReaderTest, BrokenFilesReadWhatTheyCan) {
  const char* texts[] = {"",
                         "M48",
                         "M48\nT",
                         "T1C\nX",
                         "\r\r\n\n;;;",
                         "G85",
                         "R",
                         "X1Y1G85",
                         "M48\nINCH,LZ,0.\n%\nT1C1\nX00000000000000000000001Y-\n",
                         "G02X1Y1A-5\nM15\nG03X1Y1A0\nG01\n"};
  int read = 0;
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    const StandardLayer layer = ReadStandardExcellon(text, {});
    EXPECT_EQ(layer.limitsReached, 0u);
    ++read;
  }
  EXPECT_EQ(read, 10);
}

}  // namespace
}  // namespace corvane
