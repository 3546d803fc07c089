#include "readers/numeric_fields.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace corvane {
namespace {

struct IntFieldCase {
  const char* text;
  bool skipSeparator;
  int32_t expected;
  const char* rest;  // text left after the field
};

class ReadIntFieldTest : public ::testing::TestWithParam<IntFieldCase> {};

TEST_P(ReadIntFieldTest, ReadsValueAndStopsWhereExpected) {
  const IntFieldCase& c = GetParam();
  int32_t value = 77;  // marks "left unchanged"
  const char* end = ReadIntField(c.text, value, -1, c.skipSeparator);
  EXPECT_EQ(value, c.expected) << c.text;
  EXPECT_STREQ(end, c.rest) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ReadIntFieldTest,
    ::testing::Values(IntFieldCase{"D10,", false, 10, ","},
                      IntFieldCase{"  -7", false, -7, ""},
                      IntFieldCase{"abc 12", false, 77, " 12"},  // no number before the blank
                      IntFieldCase{"", false, -1, ""},
                      IntFieldCase{"+", false, -1, ""},
                      IntFieldCase{"-", false, 0, ""},
                      IntFieldCase{"12, 4", true, 12, "4"},
                      IntFieldCase{"12, 4", false, 12, ", 4"},
                      IntFieldCase{"\t\r\n5", false, 5, ""},  // tabs and line ends are passed
                      IntFieldCase{"+42x", true, 42, ""},
                      IntFieldCase{"3.7", false, 3, ".7"},
                      IntFieldCase{"--5", false, 0, "-5"},
                      // The field keeps 18 characters, sign included, and wraps
                      // modulo 2^32; further digits are passed and dropped.
                      IntFieldCase{"4294967297", false, 1, ""},
                      IntFieldCase{"-2147483648", false, INT32_MIN, ""},
                      IntFieldCase{"12345678901234567890", false,
                                   static_cast<int32_t>(123456789012345678ull % 4294967296ull),
                                   ""},
                      IntFieldCase{"-12345678901234567890", false,
                                   -static_cast<int32_t>(12345678901234567ull % 4294967296ull),
                                   ""}));

struct RealFieldCase {
  const char* text;
  double expected;
  const char* rest;
};

class ReadRealFieldTest : public ::testing::TestWithParam<RealFieldCase> {};

TEST_P(ReadRealFieldTest, ReadsValueAndStopsWhereExpected) {
  const RealFieldCase& c = GetParam();
  double value = 77.0;
  const char* end = ReadRealField(c.text, value, -1.0, false);
  EXPECT_DOUBLE_EQ(value, c.expected) << c.text;
  EXPECT_STREQ(end, c.rest) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Fields, ReadRealFieldTest,
                         ::testing::Values(RealFieldCase{"X.5", 5.0, ""},
                                           RealFieldCase{"-.5", -0.5, ""},
                                           RealFieldCase{"1.2.3", 1.2, ""},
                                           RealFieldCase{"-0.25mm", -0.25, "mm"},
                                           RealFieldCase{"1e3", 1.0, "e3"},
                                           RealFieldCase{"ab 3", 77.0, " 3"},
                                           RealFieldCase{"", -1.0, ""},
                                           RealFieldCase{".", -1.0, ""},
                                           RealFieldCase{".", -1.0, ""}));

TEST(ReadRealFieldTest, SeparatorSkippingReachesTheNextField) {
  double x = 0.0;
  double y = 0.0;
  const char* p = ReadRealField("12.5 ,\t-3", x, 0.0, true);
  ReadRealField(p, y, 0.0, true);
  EXPECT_DOUBLE_EQ(x, 12.5);
  EXPECT_DOUBLE_EQ(y, -3.0);
}

TEST(ReadRealFieldTest, HugeDigitRunIsReadWithoutOverrun) {
  const std::string digits(5000, '9');
  double value = 0.0;
  const char* end = ReadRealField(digits.c_str(), value, 0.0, false);
  EXPECT_EQ(end, digits.c_str() + digits.size());
  EXPECT_GT(value, 1e60);  // 62 characters kept
}

TEST(ReadTextFieldTest, CopiesUpToOneSeparatorAndPassesIt) {
  std::string text = "old";
  const char* p = ReadTextField("Plated,x 35", text);
  EXPECT_EQ(text, "Plated");
  EXPECT_STREQ(p, "x 35");
  p = ReadTextField("", text);
  EXPECT_EQ(text, "");
  EXPECT_STREQ(p, "");
}

TEST(ScannerTest, CharacterClassesAndScans) {
  EXPECT_TRUE(IsFieldEnd(";"));
  EXPECT_TRUE(IsFieldEnd(""));
  EXPECT_TRUE(IsFieldEnd("\r"));
  EXPECT_FALSE(IsFieldEnd("*"));
  EXPECT_TRUE(IsSeparator(','));
  EXPECT_FALSE(IsSeparator(';'));
  EXPECT_STREQ(SkipBlanks(" \t x"), "x");
  EXPECT_STREQ(SkipToBlank("abc,d\te"), "\te");
  EXPECT_STREQ(ScanTo("G04 note*X1", '*'), "*X1");
  EXPECT_STREQ(ScanTo("G04 a;b*", '*'), ";b*");
  int count = -1;
  EXPECT_STREQ(SkipSignedDigits(" \t-00500Y", count), "Y");
  EXPECT_EQ(count, 5);
  EXPECT_STREQ(SkipSignedDigits("+Y", count), "Y");
  EXPECT_EQ(count, 0);
}

TEST(ScannerTest, FindNoCase) {
  const char* text = "d15 Outline 40";
  EXPECT_EQ(FindNoCase(text, "LINE"), text + 7);
  EXPECT_EQ(FindNoCase(text, "square"), nullptr);
  EXPECT_EQ(FindNoCase(text, ""), text);
  EXPECT_EQ(FindNoCase("", "LINE"), nullptr);
  EXPECT_EQ(FindNoCase("LIN", "LINE"), nullptr);  // no read past the end
}

TEST(IntPowerTest, PowersWrapAndNegativeExponentsNeverDivideByZero) {
  EXPECT_EQ(IntPower(10, 0), 1);
  EXPECT_EQ(IntPower(10, 4), 10000);
  EXPECT_EQ(IntPower(10, 9), 1000000000);
  EXPECT_EQ(IntPower(10, 10), static_cast<int32_t>(10000000000ull % 4294967296ull));
  EXPECT_EQ(IntPower(2, 32), 0);
  EXPECT_EQ(IntPower(10, -2), 0);
  EXPECT_EQ(IntPower(1, -5), 1);
  EXPECT_EQ(IntPower(-1, -3), -1);
  EXPECT_EQ(IntPower(2, -32), 0);  // the power wraps to 0: no division by zero
  EXPECT_EQ(IntPower(10, INT32_MIN), 0);
}

TEST(CConversionTest, IntegerAndRealTextConversion) {
  EXPECT_EQ(ParseCInt("  -12abc"), -12);
  EXPECT_EQ(ParseCInt("abc"), 0);
  EXPECT_EQ(ParseCInt("4294967297"), 1);
  EXPECT_DOUBLE_EQ(ParseCDouble(" 2.5e1x"), 25.0);
  EXPECT_DOUBLE_EQ(ParseCDouble("+1.5"), 1.5);
  EXPECT_DOUBLE_EQ(ParseCDouble("+-1"), 0.0);
  EXPECT_DOUBLE_EQ(ParseCDouble("one"), 0.0);
  EXPECT_DOUBLE_EQ(ParseCDouble(""), 0.0);
  EXPECT_EQ(ParseInt32(" -42X"), -42);
  EXPECT_EQ(ParseInt32("\n5"), 0);  // only blanks and tabs lead a coordinate word
}

TEST(NumberFormatTest, StoredTextForms) {
  struct Case {
    const char* text;
    NumberFormat expected;
  };
  const Case cases[] = {{"3,5", {3, 5}}, {"3 5", {3, 5}}, {"3, 5", {3, 5}}, {"3, 3", {3, 3}},
                        {"", {2, 4}},    {"xy", {2, 4}},  {"7", {7, 4}}};
  for (const Case& c : cases) {
    EXPECT_EQ(ReadNumberFormat(c.text), c.expected) << c.text;
  }
}

struct GerberCoordinateCase {
  const char* word;  // the text after the letter
  NumberFormat format;
  ZeroSuppression mode;
  double offset;
  double expected;
};

class DecodeGerberCoordinateTest : public ::testing::TestWithParam<GerberCoordinateCase> {};

TEST_P(DecodeGerberCoordinateTest, DecodesByFormatModeAndOffset) {
  const GerberCoordinateCase& c = GetParam();
  const double factor = 1.0 * DecimalFactor(c.format.decDigits);
  double value = 0.0;
  const char* end = DecodeGerberCoordinate(c.word, c.format, c.mode, c.offset, factor, value);
  EXPECT_DOUBLE_EQ(value, c.expected) << c.word;
  EXPECT_EQ(*end, 'D') << c.word;
}

INSTANTIATE_TEST_SUITE_P(
    Words, DecodeGerberCoordinateTest,
    ::testing::Values(GerberCoordinateCase{"25D", {2, 4}, 2, 0.0, 25.0},
                      GerberCoordinateCase{"25D", {2, 4}, 1, 0.0, 0.0025},
                      GerberCoordinateCase{"1000D", {2, 4}, 1, 10.9, 0.101},
                      GerberCoordinateCase{"-00500D", {2, 4}, 2, 0.0, -0.5},
                      GerberCoordinateCase{"12345D", {2, 4}, 2, 0.0, 12.345},
                      GerberCoordinateCase{"12345D", {2, 4}, 0, 0.0, 1.2345},
                      GerberCoordinateCase{"D", {2, 4}, 2, 0.0, 0.0},
                      // Digit counts outside 0..9 are held to that range.
                      GerberCoordinateCase{"5D", {2, -3}, 1, 0.0, 5.0},
                      GerberCoordinateCase{"5D", {2, 12}, 1, 0.0, 5e-9},
                      GerberCoordinateCase{"5D", {0, 12}, 2, 0.0, 0.5},
                      // The offset is truncated toward zero and wraps with the raw value.
                      GerberCoordinateCase{"0D", {2, 4}, 1, -10.9, -0.001},
                      GerberCoordinateCase{"2147483647D", {9, 0}, 1, 1.0, -2147483648.0},
                      GerberCoordinateCase{"0D", {9, 0}, 1, 1e300, 2147483647.0}));

TEST(DecodeGerberCoordinateTest, PaddingOfHugeFormatsWrapsWithoutUndefinedBehaviour) {
  double value = 0.0;
  DecodeGerberCoordinate("9D", {9, 9}, kTrailingZerosOmitted, 0.0, 1.0, value);
  // 9 * 10^17 modulo 2^32, as a signed 32-bit value.
  const auto expected = static_cast<int32_t>(static_cast<uint32_t>(900000000000000000ull));
  EXPECT_DOUBLE_EQ(value, expected);
}

TEST(DecodeDrillCoordinateTest, PadsAsRealAndLeavesScalingToTheCaller) {
  double raw = 0.0;
  const char* end = DecodeDrillCoordinate("125Y", {2, 4}, kTrailingZerosOmitted, raw);
  EXPECT_DOUBLE_EQ(raw, 125000.0);
  EXPECT_STREQ(end, "Y");
  DecodeDrillCoordinate("-3000", {2, 4}, kLeadingZerosOmitted, raw);
  EXPECT_DOUBLE_EQ(raw, -3000.0);
  DecodeDrillCoordinate("1.25", {2, 4}, kLeadingZerosOmitted, raw);
  EXPECT_DOUBLE_EQ(raw, 1.0);
}

}  // namespace
}  // namespace corvane
