#include "dialogs/data_exchange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/prompter.h"

namespace corvane {
namespace {

struct IntegerCase {
  const char* text;
  std::optional<int32_t> expected;
};

TEST(DataExchangeTest, IntegerFields) {
  const IntegerCase cases[] = {
      {"0", 0},
      {"42", 42},
      {"  -17\t", -17},
      {"+8", 8},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<int32_t>::min()},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-", std::nullopt},
      {"1.5", std::nullopt},
      {"12a", std::nullopt},
      {"a12", std::nullopt},
      {"1 2", std::nullopt},
      {"--1", std::nullopt},
      {"0x10", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIntegerField(c.text), c.expected) << c.text;
}

struct RealCase {
  const char* text;
  std::optional<double> expected;
};

TEST(DataExchangeTest, RealFields) {
  const RealCase cases[] = {
      {"2.5", 2.5},          {" -0.001 ", -0.001},  {"+3", 3.0},
      {".5", 0.5},           {"5.", 5.0},           {"1e3", 1000.0},
      {"2.5E-2", 0.025},     {"1e-400", 0.0},       {"1e400", std::nullopt},
      {"", std::nullopt},    {".", std::nullopt},   {"1e", std::nullopt},
      {"1e+", std::nullopt}, {"2,5", std::nullopt}, {"1.2.3", std::nullopt},
      {"inf", std::nullopt}, {"nan", std::nullopt}, {"0x1p3", std::nullopt},
      {"abc", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseRealField(c.text), c.expected) << c.text;
}

TEST(DataExchangeTest, RealsShowFifteenDigitsAndReadBackEqual) {
  const double values[] = {1.0, 0.1, 25.4, 1.0 / 3.0, -0.0001, 1e-7, 123456789012345.0, 1e20};
  for (double value : values) {
    const std::string text = FormatRealField(value);
    const auto back = ParseRealField(text);
    ASSERT_TRUE(back.has_value()) << text;
    EXPECT_EQ(FormatRealField(*back), text);
    EXPECT_NEAR(*back, value, std::abs(value) * 1e-14) << text;
  }
  EXPECT_EQ(FormatRealField(1.0), "1");
  EXPECT_EQ(FormatRealField(2.5), "2.5");
  EXPECT_EQ(FormatRealField(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FormatRealField(1e20), "1e+20");
}

TEST(DataExchangeTest, FirstRefusedFieldStopsTheReadAndKeepsLaterValues) {
  RecordingPrompter prompter;
  DataExchange dx(&prompter);
  int32_t a = 1, b = 2;
  double c = 3.0;
  EXPECT_TRUE(dx.Integer(1001, " 5", a));
  EXPECT_FALSE(dx.Real(1002, "x", c));
  EXPECT_FALSE(dx.Integer(1003, "7", b));
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(c, 3.0);
  EXPECT_EQ(dx.FailedControl(), 1002);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], "Please enter a number.");
}

TEST(DataExchangeTest, IntegerFieldShowsItsOwnMessage) {
  RecordingPrompter prompter;
  DataExchange dx(&prompter);
  int32_t value = 9;
  EXPECT_FALSE(dx.Integer(1005, "1.5", value));
  EXPECT_EQ(value, 9);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], "Please enter an integer.");
  DataExchange silent(nullptr);
  EXPECT_FALSE(silent.Integer(7, "", value));
  EXPECT_EQ(silent.FailedControl(), 7);
}

}  // namespace
}  // namespace corvane
