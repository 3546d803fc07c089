#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "standard/plane_geometry.h"
#include "standard/standard_dump.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

StandardLayer Read(const std::string& text, const StandardContext& context = {}) {
  return ReadStandardGerber(text, context);
}

const StandardObject& OnlyObject(const StandardLayer& layer) {
  static const StandardObject kNone;
  EXPECT_EQ(layer.geometry.objects.size(), 1u);
  return layer.geometry.objects.empty() ? kNone : layer.geometry.objects.front();
}

// RS-274-D: without an FS the document's number format, zero suppression,
// multiplier and offsets (last-digit units) read the coordinates.
TEST(GerberStandardReaderTest, FilesWithoutFormatUseTheDocumentsSettings) {
  struct Case {
    NumberFormat format;
    ZeroSuppression zeros;
    double multiplier;
    double offsetX;
    const char* text;
    double x;
    double y;
  };
  const Case cases[] = {
      {{2, 4}, kLeadingZerosOmitted, 1.0, 0.0, "X12345Y-678D03*", 1.2345, -0.0678},
      {{2, 4}, kTrailingZerosOmitted, 1.0, 0.0, "X125Y-05D03*", 12.5, -5.0},
      {{3, 3}, kLeadingZerosOmitted, 1.0, 0.0, "X1000Y1D03*", 1.0, 0.001},
      {{2, 4}, kLeadingZerosOmitted, 2.0, 0.0, "X10000Y0D03*", 2.0, 0.0},
      {{2, 4}, kLeadingZerosOmitted, 1.0, 10.9, "X1000Y0D03*", 0.101, 0.0},
      {{2, 4}, kLeadingZerosOmitted, 1.0, 0.0, "G71*X254000Y0D03*", 1.0, 0.0},
      {{2, 4}, kZeroSuppressionNone, 1.0, 0.0, "X001000Y000000D03*", 0.1, 0.0},
      // Invalid rows: digit counts out of range are held to 0..9.
      {{2, 12}, kLeadingZerosOmitted, 1.0, 0.0, "X1000000000Y0D03*", 1.0, 0.0},
      {{2, -3}, kLeadingZerosOmitted, 1.0, 0.0, "X5Y0D03*", 5.0, 0.0},
  };
  int checked = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    StandardContext context;
    context.settings.SetGerberNumberFormat(c.format);
    context.settings.gerberCompression = c.zeros;
    context.settings.gerberMultiplier = c.multiplier;
    context.settings.gerberOffsetX = c.offsetX;
    context.apertureTable = {};
    Aperture round;
    round.dcode = 10;
    round.shape = kShapeCircle;
    round.sizeX = round.sizeY = 0.01;
    const std::vector<Aperture> table = {round};
    context.apertureTable = table;
    const StandardLayer layer = Read(std::string("D10*") + c.text, context);
    EXPECT_FALSE(layer.formatFromFile);
    const StandardObject& flash = OnlyObject(layer);
    EXPECT_NEAR(flash.x0, c.x, 1e-12);
    EXPECT_NEAR(flash.y0, c.y, 1e-12);
    ++checked;
  }
  EXPECT_EQ(checked, 9);
}

TEST(GerberStandardReaderTest, AnFsReplacesTheDocumentsFormatWithoutItsMultiplier) {
  StandardContext context;
  context.settings.gerberMultiplier = 25.4;
  context.settings.gerberOffsetX = 5000;
  const StandardLayer layer = Read("%FSLAX26Y26*%%MOMM*%%ADD10C,0.1*%D10*X25400000Y0D03*", context);
  EXPECT_TRUE(layer.formatFromFile);
  EXPECT_EQ(layer.units, StandardUnits::kMillimetre);
  EXPECT_NEAR(OnlyObject(layer).x0, 1.0, 1e-12);
}

TEST(GerberStandardReaderTest, UndefinedApertureTableCodesAndMissingApertures) {
  // Entries of plot files (layer 0 and up) are not the aperture table's.
  Aperture fromPlotFile;
  fromPlotFile.layer = 0;
  fromPlotFile.dcode = 10;
  fromPlotFile.shape = kShapeCircle;
  fromPlotFile.sizeX = fromPlotFile.sizeY = 0.5;
  const std::vector<Aperture> table = {fromPlotFile};
  StandardContext context;
  context.apertureTable = table;
  const StandardLayer layer = Read("D10*X10000Y0D03*X0Y0D01*D11*X1D03*", context);
  EXPECT_TRUE(layer.geometry.objects.empty());
  EXPECT_TRUE(layer.apertures.empty());
  EXPECT_TRUE(layer.extents.Empty());
}

// The layer's settings of the working set apply as in the classic reading:
// mirroring negates, offsets (thousandths of an inch) move, and a mirrored
// arc turns the other way.
TEST(GerberStandardReaderTest, LayerSettingsMirrorAndMoveEverything) {
  StandardContext context;
  context.layer.mirrorOnYAxis = 1;  // x negated
  context.layer.offsetX = 1000;
  context.layer.offsetY = -500;
  context.layer.color = 0x123456;
  context.layer.visible = 0;
  const StandardLayer layer = Read(
      "%FSLAX24Y24*%%MOIN*%%ADD10R,0.2X0.1*%%ADD11C,0.01*%D10*X10000Y0D03*"
      "D11*G75*X10000Y0D02*G03X0Y10000I-10000J0D01*",
      context);
  ASSERT_EQ(layer.geometry.objects.size(), 2u);
  const StandardObject& flash = layer.geometry.objects[0];
  EXPECT_DOUBLE_EQ(flash.x0, 0.0);  // -1 + 1
  EXPECT_DOUBLE_EQ(flash.y0, -0.5);
  const StandardShape& shape = layer.shapes.shapes[flash.ref];
  EXPECT_DOUBLE_EQ(shape.box.minX, -0.1);
  EXPECT_DOUBLE_EQ(shape.box.maxY, 0.05);
  const StandardObject& arc = layer.geometry.objects[1];
  EXPECT_DOUBLE_EQ(arc.x0, 0.0);
  EXPECT_DOUBLE_EQ(arc.x1, 1.0);
  EXPECT_DOUBLE_EQ(arc.y1, 0.5);
  const StandardArc& geometry = layer.geometry.arcs[arc.ref];
  EXPECT_DOUBLE_EQ(geometry.cx, 1.0);
  EXPECT_DOUBLE_EQ(geometry.cy, -0.5);
  EXPECT_NEAR(geometry.sweep, -kPi / 2, 1e-12);  // counter-clockwise in the file
  EXPECT_EQ(layer.color, 0x123456u);
  EXPECT_EQ(layer.visible, 0);
  EXPECT_DOUBLE_EQ(layer.extents.minX, -0.1);
  EXPECT_DOUBLE_EQ(layer.extents.maxX, 1.005);
}

TEST(GerberStandardReaderTest, HostileFilesMeetTheBoundsAndStillRead) {
  struct Case {
    std::string text;
    uint32_t limits;
    std::size_t objects;
  };
  std::string deepBlocks = "%FSLAX24Y24*%%ADD10C,0.01*%";
  for (int i = 0; i < 40; ++i) deepBlocks += "%ABD" + std::to_string(100 + i) + "*%";
  deepBlocks += "D10*X0Y0D03*";
  for (int i = 0; i < 40; ++i) deepBlocks += "%AB*%";
  deepBlocks += "D131*X0Y0D03*";  // the innermost block within the bound
  const Case cases[] = {
      // Repeat counts above the bound are taken as the bound: 10000 × 2 copies.
      {"%FSLAX24Y24*%%ADD10C,0.01*%%SRX99999Y2I0.1J0.1*%D10*X0Y0D03*%SR*%", kLimitRepeats, 20000},
      // The objects copies may add: 1000 allowed here, beyond them nothing.
      {"%FSLAX24Y24*%%ADD10C,0.01*%%SRX100Y100I0.1J0.1*%D10*X0Y0D03*%SR*%", kLimitExpandedObjects,
       1001},
      // Blocks nested deeper than the bound stay in the block around them.
      {deepBlocks, kLimitBlockDepth, 1},
      // Doubling blocks, each flashing the one before twice: the copies run
      // out while D19 is defined, and the blocks after it stay empty.
      {"%FSLAX24Y24*%%ADD10C,0.01*%%ABD11*%D10*X0Y0D03*X1D03*%AB*%"
       "%ABD12*%D11*X0Y0D03*X1D03*%AB*%%ABD13*%D12*X0Y0D03*X1D03*%AB*%"
       "%ABD14*%D13*X0Y0D03*X1D03*%AB*%%ABD15*%D14*X0Y0D03*X1D03*%AB*%"
       "%ABD16*%D15*X0Y0D03*X1D03*%AB*%%ABD17*%D16*X0Y0D03*X1D03*%AB*%"
       "%ABD18*%D17*X0Y0D03*X1D03*%AB*%%ABD19*%D18*X0Y0D03*X1D03*%AB*%"
       "%ABD20*%D19*X0Y0D03*X1D03*%AB*%%ABD21*%D20*X0Y0D03*X1D03*%AB*%D21*X0Y0D03*",
       kLimitExpandedObjects, 0},
      // Arcs of regions become single chords once the points run out.
      {"%FSLAX24Y24*%G75*G36*X10000Y0D02*G03X0Y10000I-10000J0D01*G01X0Y0D01*G37*"
       "G36*X10000Y0D02*G03X0Y10000I-10000J0D01*G01X0Y0D01*G37*",
       kLimitPoints, 2},
  };
  StandardContext context;
  context.bounds.expandedObjects = 1000;
  context.bounds.addedPoints = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    const StandardLayer layer =
        Read(c.text, c.limits == kLimitRepeats ? StandardContext{} : context);
    EXPECT_EQ(layer.limitsReached, c.limits);
    EXPECT_EQ(layer.geometry.objects.size(), c.objects);
  }
}

TEST(GerberStandardReaderTest, UnfinishedAndBrokenFilesReadWhatTheyCan) {
  struct Case {
    const char* text;
    std::size_t objects;
  };
  const Case cases[] = {
      {"", 0},
      {"%FSLAX24Y24*%%ADD10C,0.01*%D10*X0Y0D03", 1},                // no final '*'
      {"%FSLAX24Y24*%%ADD10C,0.01*%D10*X0Y0D03*%LPC", 1},           // an open block
      {"%FSLAX24Y24*%G36*X0Y0D02*X1000Y0D01*X1000Y1000D01*", 1},    // region never closed
      {"%FSLAX24Y24*%%ADD10C,0.01*%%ABD11*%D10*X0Y0D03*", 0},       // block never closed
      {"%FSLAX24Y24*%%ADD10C,0.01*%%SRX2Y1I1J0*%D10*X0Y0D03*", 2},  // repeat closes at the end
      {"%FSLAX24Y24*%%ADD10C,0.01*%D10*X0Y0D03*M02*X1D03*", 1},     // M02 ends the file
      {"%FSLAX24Y24*%%ADD10C,0.01*%%AB*%%SR*%%LM*%%LR*%%LS*%D10*X0Y0D03*", 1},
      {"%ADD*%%ADDC,1*%%AD10*%%ADD10FOO,1*%%ADD10C*%D10*X0Y0D03*", 1},  // a C of no size
      {"G04 unclosed comment", 0},
      {"%AMX*1,1,1,0,0*%%ADD10X,1,2,3*%D10*X0D03*", 1},
      {"\x01\xff*%%%*****XYZIJD%G%", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const StandardLayer layer = Read(c.text);
    EXPECT_EQ(layer.geometry.objects.size(), c.objects);
    EXPECT_EQ(layer.limitsReached, 0u);
  }
}

TEST(GerberStandardReaderTest, FileAttributesAreKeptWithoutChangingThePicture) {
  const std::string body = "%FSLAX24Y24*%%MOIN*%%ADD10C,0.01*%D10*X0Y0D03*X1000Y0D01*";
  const StandardLayer plain = Read(body);
  const StandardLayer attributed = Read(
      "%TF.FileFunction,Soldermask,Top*%G04 #@! TF.FilePolarity,Negative*%TA.AperFunction,"
      "Conductor*%%TO.N,Net1*%" +
      body + "%TD*%");
  ASSERT_NE(attributed.FindAttribute(".FileFunction"), nullptr);
  EXPECT_EQ(*attributed.FindAttribute(".FileFunction"), "Soldermask,Top");
  ASSERT_NE(attributed.FindAttribute(".FilePolarity"), nullptr);
  EXPECT_EQ(*attributed.FindAttribute(".FilePolarity"), "Negative");
  EXPECT_EQ(attributed.FindAttribute(".Part"), nullptr);
  // The same objects, shapes and extents: only the records of attributes differ.
  StandardLayer stripped = attributed;
  stripped.attributes.clear();
  stripped.apertures[0].attributes.clear();
  stripped.objectAttributeSets.resize(1);
  stripped.objectAttributeRuns.clear();
  EXPECT_EQ(DumpStandardLayerText(stripped, 0, {true}), DumpStandardLayerText(plain, 0, {true}));
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// The deprecated SF with unequal factors makes circles ellipses: polygons
// while the points last, then circles of the mean scale.
TEST(GerberStandardReaderTest, UnequalImageScalesTurnCirclesIntoPolygonsWithinTheBudget) {
  const std::string text =
      "%FSLAX24Y24*%%SFA2B0.5*%%ADD10C,1*%%ADD11C,1*%D10*X10000Y0D03*D11*X0D03*";
  StandardContext context;
  const StandardLayer roomy = Read(text, context);
  ASSERT_EQ(roomy.shapes.primitives.size(), 2u);
  for (const ShapePrimitive& part : roomy.shapes.primitives)
    EXPECT_EQ(part.kind, PrimitiveKind::kPolygon);
  EXPECT_DOUBLE_EQ(roomy.shapes.shapes[0].box.maxX, 1.0);
  EXPECT_NEAR(roomy.shapes.shapes[0].box.maxY, 0.25, 1e-3);  // the nearest vertex
  EXPECT_DOUBLE_EQ(roomy.geometry.objects[0].x0, 2.0);

  context.bounds.addedPoints = 300;  // room for one circle of a 1" diameter
  const StandardLayer tight = Read(text, context);
  EXPECT_EQ(tight.limitsReached, static_cast<uint32_t>(kLimitPoints));
  EXPECT_EQ(tight.shapes.primitives[0].kind, PrimitiveKind::kPolygon);
  EXPECT_EQ(tight.shapes.primitives[1].kind, PrimitiveKind::kCircle);
  EXPECT_DOUBLE_EQ(tight.shapes.primitives[1].diameter, 1.0);  // √(2 × 0.5)
}

}  // namespace
}  // namespace corvane
