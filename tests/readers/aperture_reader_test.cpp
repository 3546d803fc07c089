#include "readers/aperture_reader.h"

#include <gtest/gtest.h>

#include "document/read_target.h"

namespace corvane {
namespace {

struct ApertureCase {
  const char* name;
  const char* line;
  bool accepted;
  int32_t dcode = 0;
  int32_t shape = 0;
  double sizeX = 0.0;
  double sizeY = 0.0;
  int32_t quantity = 0;
};

class BuiltInApertureFormats : public ::testing::TestWithParam<ApertureCase> {};

TEST_P(BuiltInApertureFormats, ReadsOneLine) {
  const ApertureCase& c = GetParam();
  ReadTarget target;
  ReadApertureLine(target, c.line);
  ASSERT_EQ(target.GetApertureCount(), c.accepted ? 1 : 0);
  if (!c.accepted) return;
  Aperture a;
  ASSERT_TRUE(target.GetAperture(0, a));
  EXPECT_EQ(a.layer, -1);
  EXPECT_EQ(a.dcode, c.dcode);
  EXPECT_EQ(a.shape, c.shape);
  EXPECT_DOUBLE_EQ(a.sizeX, c.sizeX);
  EXPECT_DOUBLE_EQ(a.sizeY, c.sizeY);
  EXPECT_EQ(a.quantity, c.quantity);
  EXPECT_EQ(a.paramCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BuiltInApertureFormats,
    ::testing::Values(
        ApertureCase{"CircleWithQuantity", "D10 CIRCLE 10 0 25", true, 10, 0, 0.01, 0.01, 25},
        ApertureCase{"RectangleWithoutQuantity", "11 RECTANGLE 60 30", true, 11, 2, 0.06, 0.03, 0},
        ApertureCase{"RectangleKeepsZeroHeight", "11 RECTANGLE 60 0", true, 11, 2, 0.06, 0.0, 0},
        ApertureCase{"SquareWithOneSize", "D12 SQUARE 50", true, 12, 3, 0.05, 0.05, 0},
        ApertureCase{"CircleGivenOnlyHeight", "D13 CIRCLE 0 40", true, 13, 0, 0.04, 0.04, 0},
        ApertureCase{"Ellipse", "D15 ELLIPSE 40 20 5", true, 15, 4, 0.04, 0.02, 5},
        ApertureCase{"IdentifierInsideWord", "D16 OUTLINE 8", true, 16, 1, 0.008, 0.0, 0},
        ApertureCase{"IdentifierInAnyCase", "  d17 Circle 20", true, 17, 0, 0.02, 0.02, 0},
        ApertureCase{"LeadingPointWidth", "D18 CIRCLE .010", true, 18, 0, 0.01, 0.01, 0},
        ApertureCase{"SpaceAfterD", "D 19 CIRCLE 10", true, 19, 0, 0.01, 0.01, 0},
        ApertureCase{"SquareBeforeRoundIsTriedLater", "D20 round square 30", true, 20, 3, 0.03,
                     0.03, 0},
        ApertureCase{"HeaderWithoutIdentifier", "D-Code Shape Width Height", false},
        ApertureCase{"ZeroDCode", "D0 CIRCLE 10", false},
        ApertureCase{"ZeroWidth", "D21 RECTANGLE 0 30", false},
        ApertureCase{"NoNumbersAtAll", "CIRCLE", false},
        ApertureCase{"BinaryNoise", "\x01\xff\x7f CIRCLE \x80\x90", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ApertureReaderTest, IdentifiersAndOrdersComeFromTheSettings) {
  ReadTarget target;
  target.Settings().apertureFormats[0].identifier = "ROUND";
  ReadApertureLine(target, "D20 round square 30");
  target.Settings().apertureFormats[2] = {"RECT", {1, 0, 3, 2}};
  ReadApertureLine(target, "RECT D30 20 60");
  ASSERT_EQ(target.GetApertureCount(), 2);
  Aperture a;
  target.GetAperture(0, a);
  EXPECT_EQ(a.shape, kShapeCircle);
  target.GetAperture(1, a);
  EXPECT_EQ(a.shape, kShapeRectangle);
  EXPECT_EQ(a.dcode, 30);
  EXPECT_DOUBLE_EQ(a.sizeX, 0.06);
  EXPECT_DOUBLE_EQ(a.sizeY, 0.02);
}

TEST(ApertureReaderTest, SkipRunsOverCommasToTheNextBlank) {
  ReadTarget target;
  target.Settings().apertureFormats[0].fieldOrder = {0, 5, 2};
  ReadApertureLine(target, "D10,CIRCLE,10 20");
  ASSERT_EQ(target.GetApertureCount(), 1);
  Aperture a;
  target.GetAperture(0, a);
  EXPECT_DOUBLE_EQ(a.sizeX, 0.02);
}

TEST(ApertureReaderTest, EmptyCircleIdentifierMatchesEveryLineButStillNeedsCodeAndWidth) {
  ReadTarget target;
  target.Settings().apertureFormats[0].identifier = "";
  ReadApertureLine(target, "D20 x 30");
  ReadApertureLine(target, "hello");
  ASSERT_EQ(target.GetApertureCount(), 1);
  Aperture a;
  target.GetAperture(0, a);
  EXPECT_EQ(a.shape, kShapeCircle);
  EXPECT_DOUBLE_EQ(a.sizeX, 0.03);
}

TEST(ApertureReaderTest, MultiplierScalesBothSizesAndUnknownCodesReadNothing) {
  ReadTarget target;
  target.Settings().apertureMultiplier = 2.0;
  target.Settings().apertureFormats[2].fieldOrder = {0, 1, 9, 2, 3};
  ReadApertureLine(target, "D40 RECTANGLE 10 5");
  Aperture a;
  ASSERT_TRUE(target.GetAperture(0, a));
  EXPECT_DOUBLE_EQ(a.sizeX, 0.02);
  EXPECT_DOUBLE_EQ(a.sizeY, 0.01);
}

TEST(ApertureReaderTest, RepeatedDCodeGivesTwoEntriesAndLookupTakesTheFirst) {
  ReadTarget target;
  ReadApertureLine(target, "D10 CIRCLE 10");
  ReadApertureLine(target, "D10 SQUARE 20");
  ASSERT_EQ(target.GetApertureCount(), 2);
  EXPECT_EQ(target.FindAperture(10, 3).shape, kShapeCircle);
}

}  // namespace
}  // namespace corvane
