#include "readers/gerber_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "document/read_target.h"
#include "readers/gerber_input.h"
#include "readers/numeric_fields.h"

namespace corvane {
namespace {

std::string ReadDataFile(const std::string& name) {
  std::ifstream file(std::string(CORVANE_TEST_DATA_DIR) + "/gerber/" + name, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// A read target with the reader's state, as one load holds them.
struct GerberTarget : ReadTarget {
  GerberReaderState& GerberState() { return state; }
  GerberReaderState state;
};

void Read(GerberTarget& target, std::string_view text, int32_t layerIndex = 0) {
  GerberInput input(text);
  ReadGerber(target, target.state, input, layerIndex);
}

std::vector<std::string> Statements(std::string_view text, std::size_t limit = kStatementLimit) {
  GerberInput input(text);
  std::vector<char> buffer(limit + 2);
  std::vector<std::string> statements;
  while (ReadStatement(input, buffer.data(), limit) != 0) statements.emplace_back(buffer.data());
  return statements;
}

struct ExpectedItem {
  char kind;
  int mode;
  int dcode;
  double x;
  double y;
};

void ExpectItems(const GerberTarget& target, const std::vector<ExpectedItem>& expected) {
  ASSERT_EQ(target.GetItemCount(), static_cast<int32_t>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const PlotItem item = target.GetItem(static_cast<int32_t>(i));
    SCOPED_TRACE("item " + std::to_string(i));
    EXPECT_EQ(item.kind, expected[i].kind);
    if (expected[i].kind != kKindArcCentre) {
      EXPECT_EQ(item.mode, expected[i].mode);
      EXPECT_EQ(item.dcode, expected[i].dcode);
    }
    EXPECT_DOUBLE_EQ(item.x, expected[i].x);
    EXPECT_DOUBLE_EQ(item.y, expected[i].y);
  }
}

TEST(GerberReaderTest, WorkedExampleComesOutItemForItem) {
  GerberTarget target;
  Read(target, ReadDataFile("worked_example.gbr"));

  ExpectItems(target, {{'D', 0, 10, 0.0, 0.0},
                       {'D', 0, 2, 0.0, 0.0},
                       {'D', 0, 1, 1.0, 0.0},
                       {'G', 0, 0, 0.0, 1.0},
                       {'D', 4, 1, 2.0, 1.0},
                       {'D', 4, 1, 2.0, 1.0}});
  ASSERT_EQ(target.GetApertureCount(), 1);
  Aperture aperture;
  target.GetAperture(0, aperture);
  EXPECT_EQ(aperture.layer, 0);
  EXPECT_EQ(aperture.dcode, 10);
  EXPECT_EQ(aperture.shape, kShapeCircle);
  EXPECT_DOUBLE_EQ(aperture.sizeX, 0.01);
  EXPECT_DOUBLE_EQ(aperture.sizeY, 0.01);
  EXPECT_EQ(target.Settings().gerberXFormat, (NumberFormat{2, 4}));
  EXPECT_EQ(target.Settings().gerberCompression, kLeadingZerosOmitted);
  EXPECT_EQ(target.GerberState().metricApertures, 0);
  EXPECT_EQ(target.GerberState().multiQuadrant, 1);
}

// Each case reads a file from a fresh document and checks its last item.
// 9 padded with seventeen zeros in 32-bit arithmetic, as a signed value.
double PaddedNineTo18Digits() {
  uint32_t raw = 9;
  for (int i = 0; i < 17; ++i) raw *= 10u;
  return static_cast<int32_t>(raw);
}

struct LastItemCase {
  const char* name;
  const char* text;
  int itemCount;
  ExpectedItem last;
};

class GerberLastItemTest : public testing::TestWithParam<LastItemCase> {};

TEST_P(GerberLastItemTest, LastItemHolds) {
  const LastItemCase& c = GetParam();
  GerberTarget target;
  Read(target, c.text);
  ASSERT_EQ(target.GetItemCount(), c.itemCount);
  const PlotItem item = target.GetItem(c.itemCount - 1);
  EXPECT_EQ(item.kind, c.last.kind);
  EXPECT_EQ(item.mode, c.last.mode);
  EXPECT_EQ(item.dcode, c.last.dcode);
  EXPECT_NEAR(item.x, c.last.x, 1e-12);
  EXPECT_NEAR(item.y, c.last.y, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Words, GerberLastItemTest,
    testing::Values(
        LastItemCase{
            "LeadingZerosOmitted", "%FSLAX24Y24*%X12345Y-678D01*", 1, {'D', 0, 1, 1.2345, -0.0678}},
        LastItemCase{
            "TrailingZerosPadded", "%FSTAX24Y24*%X12345Y0D01*", 1, {'D', 0, 1, 12.345, 0.0}},
        LastItemCase{
            "IncrementalAddsUp", "%FSLAX24Y24*%G91*X100D02*X100D02*", 2, {'D', 0, 2, 0.02, 0.0}},
        LastItemCase{
            "FsIncrementalLetter", "%FSLIX24Y24*%X100D02*X100D02*", 2, {'D', 0, 2, 0.02, 0.0}},
        LastItemCase{
            "G71MultipliesBy25_4", "%FSLAX33Y33*%G71*X1000D02*", 1, {'D', 0, 2, 25.4, 0.0}},
        LastItemCase{"G10ScalesCoordinates", "G10*X10000D01*", 1, {'D', 0, 1, 10.0, 0.0}},
        LastItemCase{"G12ScalesCoordinates", "G12*X10000D01*", 1, {'D', 0, 1, 0.01, 0.0}},
        LastItemCase{"G01ResetsScale", "G10*G01*X10000D01*", 1, {'D', 0, 1, 1.0, 0.0}},
        LastItemCase{"LowerCaseLetters", "x10000y20000d01*", 1, {'D', 0, 1, 1.0, 2.0}},
        LastItemCase{"G54KeepsDCode", "G54D10*", 1, {'D', 0, 10, 0.0, 0.0}},
        LastItemCase{"CommentEmitsNothing", "D10*G04 any text*", 1, {'D', 0, 10, 0.0, 0.0}},
        LastItemCase{"M02RepeatsState", "X10000D01*M02*", 2, {'D', 0, 1, 1.0, 0.0}},
        LastItemCase{"BareCoordinatesRepeatDCode", "X10000D01*X20000*", 2, {'D', 0, 1, 2.0, 0.0}},
        LastItemCase{"BeforeFirstDWordKindIsZero", "X10000*", 1, {0, 0, 0, 1.0, 0.0}},
        LastItemCase{"G02SingleQuadrant", "G02X10000D01*", 1, {'D', 1, 1, 1.0, 0.0}},
        LastItemCase{"G75ThenG02MultiQuadrant", "G75*G02X10000D01*", 1, {'D', 3, 1, 1.0, 0.0}},
        LastItemCase{"G74ResetsMode", "G75*G03*G74*X10000D01*", 1, {'D', 0, 1, 1.0, 0.0}},
        LastItemCase{"LpBlockIsScannedAsWords", "D10*%LPD*%", 2, {'D', 0, 0, 0.0, 0.0}},
        LastItemCase{"SrBlockMovesCurrentPoint", "%SRX1Y1I0J0*%", 2, {0, 0, 0, 0.0001, 0.0001}},
        LastItemCase{"UnterminatedTailEmitsNothing", "X10000D02*X0Y0D01", 1, {'D', 0, 2, 1.0, 0.0}},
        LastItemCase{
            "CoordinateWrapsAt32Bits", "%FSLAX24Y24*%X4294967297D01*", 1, {'D', 0, 1, 0.0001, 0.0}},
        LastItemCase{"PaddingWrapsAt32Bits",
                     "%FSTAX99Y99*%X9D01*",
                     1,
                     {'D', 0, 1, PaddedNineTo18Digits() * 1e-9, 0.0}}),
    [](const testing::TestParamInfo<LastItemCase>& info) { return info.param.name; });

TEST(GerberReaderTest, LastStatementWithoutLineBreakStillDraws) {
  GerberTarget target;
  Read(target, ReadDataFile("rs274d_no_final_newline.gbr"));
  ExpectItems(target, {{'D', 0, 11, 0.0, 0.0},
                       {'D', 0, 2, 1.0, 1.0},
                       {'D', 0, 1, 3.0, 1.0},
                       {'D', 0, 3, 2.0, 2.0},
                       {'D', 0, 1, 0.0, 0.0}});
}

TEST(GerberReaderTest, ArcCentreItemStandsBeforeItsStatement) {
  GerberTarget target;
  Read(target, "%FSLAX24Y24*%X100Y100I50J0D01*", 3);
  ExpectItems(target, {{'G', 0, 0, 0.005, 0.0}, {'D', 0, 1, 0.01, 0.01}});
  EXPECT_EQ(target.GetItem(0).layer, 3);
  EXPECT_EQ(target.GetItem(1).layer, 3);
}

TEST(GerberReaderTest, IpBlockMakesAnArcCentrePending) {
  GerberTarget target;
  Read(target, "%IPPOS*%");
  ExpectItems(target, {{'G', 0, 0, 0.0, 0.0}, {0, 0, 0, 0.0, 0.0}});
}

TEST(GerberReaderTest, LayerIndexKeepsItsLowEightBits) {
  GerberTarget target;
  Read(target, "D10*", 257);
  EXPECT_EQ(target.GetItem(0).layer, 1);
}

struct ApertureCase {
  const char* name;
  const char* text;
  int32_t shape;
  double sizeX;
  double sizeY;
};

class GerberApertureTest : public testing::TestWithParam<ApertureCase> {};

TEST_P(GerberApertureTest, DefinesOneAperture) {
  const ApertureCase& c = GetParam();
  GerberTarget target;
  Read(target, c.text, 1);
  ASSERT_EQ(target.GetApertureCount(), 1);
  Aperture a;
  target.GetAperture(0, a);
  EXPECT_EQ(a.layer, 1);
  EXPECT_EQ(a.shape, c.shape);
  EXPECT_DOUBLE_EQ(a.sizeX, c.sizeX);
  EXPECT_DOUBLE_EQ(a.sizeY, c.sizeY);
  EXPECT_EQ(a.quantity, 0);
  EXPECT_EQ(target.GetItemCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, GerberApertureTest,
    testing::Values(
        ApertureCase{"MetricCircle", "%MOMM*%%ADD10C,0.5*%", kShapeCircle, 12.7, 12.7},
        ApertureCase{"InchCircle", "%MOIN*%%ADD10C,0.5*%", kShapeCircle, 0.5, 0.5},
        ApertureCase{"Rectangle", "%ADD11R,0.060X0.040*%", kShapeRectangle, 0.06, 0.04},
        ApertureCase{"Obround", "%ADD11O,0.060X0.040*%", kShapeEllipse, 0.06, 0.04},
        ApertureCase{"PolygonKeepsVertexCount", "%ADD12P,0.1X6*%", kShapePolygon, 0.1, 6.0},
        ApertureCase{"LeadingPointSizes", "%ADD13R,.060X.04*%", kShapeRectangle, 0.06, 0.04},
        ApertureCase{"LeadingPointMetric", "%MOMM*%%ADD14C,.5*%", kShapeCircle, 12.7, 12.7}),
    [](const testing::TestParamInfo<ApertureCase>& info) { return info.param.name; });

TEST(GerberReaderTest, UnknownShapesAndMacrosDefineNothing) {
  for (const char* text :
       {"%ADD13OC8,0.05*%", "%ADD10c,0.5*%", "%ADD10X,0.5*%", "%AMOC8*1,1,0.5,0,0*%"}) {
    GerberTarget target;
    // The macro of the last text is defined on layer 0, the AD reads on layer 1.
    Read(target, text, 0);
    Read(target, "%ADD13OC8,0.05*%", 1);
    EXPECT_EQ(target.GetApertureCount(), 0) << text;
  }
}

TEST(GerberReaderTest, MacroDefinitionAndReference) {
  GerberTarget target;
  Read(target, ReadDataFile("macro_donut.gbr"));
  ASSERT_EQ(target.GetMacroCount(), 1);
  const ApertureMacro* macro = target.GetMacro(0);
  EXPECT_EQ(macro->name, "DONUT");
  ASSERT_EQ(macro->primitives.size(), 1u);
  const MacroPrimitive& circle = macro->primitives[0];
  EXPECT_EQ(circle.type, 0);
  ASSERT_EQ(circle.paramCount, 4);
  EXPECT_EQ(std::vector<double>(circle.values.begin(), circle.values.begin() + 4),
            (std::vector<double>{1, 0.5, 0, 0}));

  ASSERT_EQ(target.GetApertureCount(), 2);
  Aperture a;
  target.GetAperture(0, a);
  EXPECT_EQ(a.shape, kShapeMacro);
  EXPECT_EQ(a.dcode, 14);
  EXPECT_EQ(a.macroIndex, 0);
  EXPECT_EQ(a.paramCount, 1);
  EXPECT_DOUBLE_EQ(a.params[0], 0.1);
  EXPECT_DOUBLE_EQ(a.sizeX, 0.0);
  EXPECT_EQ(target.GetItemCount(), 5);
}

TEST(GerberReaderTest, MacroParametersAreUnsignedAndVariablesMarked) {
  GerberTarget target;
  Read(target, "%AMT*7,-0.5,$2,1.25,0.5,0.1,45*21,1,0.5,0.5,0,0*1,1,0.2,0,0*%");
  ASSERT_EQ(target.GetMacroCount(), 1);
  const auto& primitives = target.GetMacro(0)->primitives;
  ASSERT_EQ(primitives.size(), 3u);
  EXPECT_EQ(primitives[0].type, 8);
  EXPECT_DOUBLE_EQ(primitives[0].values[0], 0.5);
  EXPECT_EQ(primitives[0].isVariable[0], 0);
  EXPECT_EQ(primitives[0].isVariable[1], 1);
  EXPECT_DOUBLE_EQ(primitives[0].values[1], 2.0);
  // A center line written without its rotation keeps a zero there and leaves
  // the circle after it whole.
  EXPECT_EQ(primitives[1].type, 2);
  EXPECT_EQ(primitives[1].paramCount, 6);
  EXPECT_DOUBLE_EQ(primitives[1].values[5], 0.0);
  EXPECT_EQ(primitives[2].type, 0);
  EXPECT_DOUBLE_EQ(primitives[2].values[1], 0.2);
}

TEST(GerberReaderTest, MacroParametersAreCutAtTen) {
  GerberTarget target;
  Read(target, "%AMM*4,1,5,0,0,1,0,1,1,0,1,0,0,0*%%ADDM10M,1X2X3X4X5X6X7X8X9X10X11X12*%");
  ASSERT_EQ(target.GetMacro(0)->primitives.size(), 1u);
  EXPECT_EQ(target.GetMacro(0)->primitives[0].paramCount, 9);
  // A one-letter shape text is never a macro reference.
  Read(target, "%ADD10M,1X2X3X4X5X6X7X8X9X10X11X12*%");
  ASSERT_EQ(target.GetApertureCount(), 0);
  Read(target, "%AMMM*1,1,1,0,0*%%ADD10MM,1X2X3X4X5X6X7X8X9X10X11X12*%");
  Aperture a;
  ASSERT_TRUE(target.GetAperture(0, a));
  EXPECT_EQ(a.paramCount, 10);
  EXPECT_DOUBLE_EQ(a.params[9], 10.0);
}

TEST(GerberReaderTest, FsWithNonDigitCharactersHoldsCountsToZeroToNine) {
  GerberTarget target;
  Read(target, "%FSLAXZ/Y-*%X12345D01*");
  EXPECT_EQ(target.Settings().gerberXFormat, (NumberFormat{9, 0}));
  EXPECT_EQ(target.Settings().gerberYFormat, (NumberFormat{0, 0}));
  EXPECT_DOUBLE_EQ(target.GetItem(0).x, 12345.0);
  // An FS cut short by the end of the text leaves the format as it was.
  GerberTarget other;
  Read(other, "%FSLAX3");
  EXPECT_EQ(other.Settings().gerberXFormat, (NumberFormat{2, 4}));
}

TEST(GerberReaderTest, StatementTerminators) {
  const std::vector<std::string> statements =
      Statements("%FSLAX24Y24*%\nX1D02*G04 50% off*\nX2*%\nX3*");
  EXPECT_EQ(statements,
            (std::vector<std::string>{"%FSLAX24Y24*%", "\nX1D02*", "G04 50% off*\nX2*%", "\nX3*"}));
}

TEST(GerberReaderTest, OverLongStatementKeepsItsHeadAndDropsItsTail) {
  const std::string longMacro = "%AMBIG*4,1," + std::string(6000, '1') + "*%";
  const std::vector<std::string> statements = Statements(longMacro + "X1D02*", 16);
  ASSERT_EQ(statements.size(), 2u);
  EXPECT_EQ(statements[0], "%AMBIG*4,1,11111%");
  EXPECT_EQ(statements[1], "X1D02*");
  // An unterminated over-long statement keeps its head only.
  EXPECT_EQ(Statements(std::string(100, 'X'), 8), (std::vector<std::string>{"XXXXXXXX"}));
}

TEST(GerberReaderTest, LongMacroDoesNotTurnIntoDraws) {
  // An outline of many points, far longer than the statement buffer.
  std::string outline = "%AMOUTLINE*4,1,1000";
  for (int i = 0; i < 1000; ++i) outline += ",\n" + std::to_string(i * 7) + "," + std::to_string(i);
  outline += "*%\n";
  ASSERT_GT(outline.size(), 2 * kStatementLimit);
  GerberTarget target;
  Read(target, "%FSLAX24Y24*%\n" + outline + "%ADD20OUTLINE*%\nD20*\nX10000Y10000D03*\n");
  ExpectItems(target, {{'D', 0, 20, 0.0, 0.0}, {'D', 0, 3, 1.0, 1.0}});
  ASSERT_EQ(target.GetMacroCount(), 1);
  ASSERT_EQ(target.GetMacro(0)->primitives.size(), 1u);
  EXPECT_EQ(target.GetMacro(0)->primitives[0].type, 5);
  EXPECT_EQ(target.GetApertureCount(), 1);
}

// Inputs that must read to completion without a crash, a hang or undefined
// behaviour; the sanitizer build runs them too.
TEST(GerberReaderTest, HostileInputsReadToCompletion) {
  std::string allBytes;
  for (int i = 0; i < 256; ++i) allBytes.push_back(static_cast<char>(i));
  const std::string digits(20000, '9');
  const std::vector<std::string> inputs = {
      "",
      allBytes + allBytes,
      std::string(3 * 1024 * 1024, 'A'),
      "X" + digits + "Y-" + digits + "I" + digits + "J" + digits + "D" + digits + "*",
      "%FSTAX" + digits + "*%X" + digits + "D01*",
      "%ADD" + digits + "C," + digits + "." + digits + "X" + digits + "*%",
      "%AMZ*1,$" + digits + "," + digits + "*%%ADDZ," + digits + "*%",
      "%AM" + std::string(5000, 'N') + "*1,1,1,0,0*%",
      "%ADD10C,0.5",
      "%FSLAX",
      "%AMX*",
      "G04 unterminated comment",
      "%%%%****%%**%",
      std::string("X1\0Y2D01*\0\0%", 13),
      "G91*" +
          [] {
            std::string draws;
            for (int i = 0; i < 2000; ++i) draws += "G10*X99999999D01*";
            return draws;
          }(),
  };
  for (const std::string& input : inputs) {
    GerberTarget target;
    Read(target, input);
    EXPECT_LE(target.GetItemCount(), static_cast<int32_t>(2 * input.size() + 2));
  }
}

TEST(GerberReaderTest, HundredMegabyteStatementOfDigits) {
  std::string text = "X" + std::string(100u << 20, '7');
  text += "D01*X10000D01*";
  GerberTarget target;
  Read(target, text);
  // The huge statement is cut to its head and its terminator: one item, then
  // the next statement reads as usual.
  ASSERT_EQ(target.GetItemCount(), 2);
  EXPECT_EQ(target.GetItem(0).kind, 0);
  EXPECT_DOUBLE_EQ(target.GetItem(1).x, 1.0);
}

TEST(GerberReaderTest, CoordinatesFollowTheSharedDecodingRule) {
  struct Setting {
    NumberFormat format;
    ZeroSuppression mode;
    double offset;
    double multiplier;
  };
  const Setting settings[] = {
      {{2, 4}, kLeadingZerosOmitted, 0.0, 1.0},   {{2, 4}, kTrailingZerosOmitted, 0.0, 1.0},
      {{3, 5}, kTrailingZerosOmitted, -3.7, 2.5}, {{2, 4}, kLeadingZerosOmitted, 10.9, 1.0},
      {{9, 9}, kTrailingZerosOmitted, 1e12, 1.0}, {{0, 0}, kZeroSuppressionNone, 0.0, 1.0}};
  const char* words[] = {"0",    "-00500", "12345678",    "123456789", "4294967296",
                         " 12",  "\t+5",   "-",           "",          "99999999999",
                         "1000", "7a",     "-2147483648", "00000001",  "12345678901234"};
  for (const Setting& setting : settings) {
    for (const char* word : words) {
      GerberTarget target;
      FormatSettings& s = target.Settings();
      s.gerberXFormat = setting.format;
      s.gerberCompression = setting.mode;
      s.gerberOffsetX = setting.offset;
      s.gerberMultiplier = setting.multiplier;
      Read(target, std::string("X") + word + "*");
      double expected = 0.0;
      DecodeGerberCoordinate(word, setting.format, setting.mode, setting.offset,
                             setting.multiplier * DecimalFactor(setting.format.decDigits),
                             expected);
      EXPECT_EQ(target.GetItem(0).x, expected)
          << word << " format " << setting.format.intDigits << "." << setting.format.decDigits;
    }
  }
}

TEST(GerberReaderTest, OffsetCountsInLastDigitUnits) {
  GerberTarget target;
  target.Settings().gerberOffsetX = 10.9;
  target.Settings().gerberOffsetY = -20;
  Read(target, "%FSLAX24Y24*%X1000Y1000D02*I1000J1000D01*");
  EXPECT_DOUBLE_EQ(target.GetItem(0).x, 0.101);
  EXPECT_DOUBLE_EQ(target.GetItem(0).y, 0.098);
  // I and J get no offset.
  EXPECT_DOUBLE_EQ(target.GetItem(1).x, 0.1);
  EXPECT_DOUBLE_EQ(target.GetItem(1).y, 0.1);
}

TEST(GerberReaderTest, CommentStopsAtASemicolon) {
  GerberTarget target;
  Read(target, "G04 note; X10000D01*");
  ExpectItems(target, {{'D', 0, 1, 1.0, 0.0}});
}

TEST(GerberReaderTest, ParseStatementScansOneStatement) {
  GerberTarget target;
  ParseStatement(target, target.state, "X10000Y-5000D01*", 2);
  ExpectItems(target, {{'D', 0, 1, 1.0, -0.5}});
  EXPECT_EQ(target.GetItem(0).layer, 2);
}

// The same bytes read from a file in 64 KiB blocks, through a FILE* and a file
// descriptor, give the same statements as from memory, also where a
// statement straddles two blocks.
TEST(GerberInputTest, StatementsAcrossBlockBoundaries) {
  std::string text;
  for (int i = 0; text.size() < 3 * GerberInput::kBlockSize; ++i) {
    text += "X" + std::to_string(i * 37) + "Y" + std::to_string(i) + "D01*\n";
    if (i % 1000 == 0) text += "%ADD" + std::to_string(10 + i % 90) + "C,0.01*%\n";
  }
  const std::vector<std::string> expected = Statements(text);
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file), text.size());
  for (const bool useDescriptor : {false, true}) {
    std::rewind(file);
    GerberInput input = useDescriptor ? GerberInput(fileno(file)) : GerberInput(file);
    std::vector<std::string> statements;
    char buffer[kStatementBufferSize];
    while (ReadStatement(input, buffer, kStatementLimit) != 0) statements.emplace_back(buffer);
    EXPECT_EQ(statements, expected) << (useDescriptor ? "descriptor" : "FILE");
  }
  std::fclose(file);
}

}  // namespace
}  // namespace corvane
