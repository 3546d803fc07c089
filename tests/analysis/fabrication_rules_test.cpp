#include "analysis/fabrication_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

TEST(FabricationRulesTest, RulesFilesInBothFormsAndWhatTheyRefuse) {
  struct Case {
    const char* name;
    std::string text;
    bool ok;
    double width;      // min-width after reading, when ok
    double clearance;  // min-clearance after reading, when ok
    const char* named;  // what the error must name, when refused
  };
  const Case cases[] = {
      {"INI with a section and comments",
       "# our process\n[rules]\nmin-width = 0.075\n; tighter\nmin-clearance=0.09\r\n", true, 0.075,
       0.09, ""},
      {"JSON", R"({"min-width": 0.125, "min-clearance": 0.2})", true, 0.125, 0.2, ""},
      {"an empty file keeps the usual values", "", true, 0.10, 0.10, ""},
      {"an unknown key", "min-widht = 0.1\n", false, 0, 0, "min-widht"},
      {"a value of zero", "min-clearance = 0\n", false, 0, 0, "min-clearance"},
      {"a negative value", R"({"min-drill": -0.2})", false, 0, 0, "min-drill"},
      {"a value with a unit", "min-width = 0.1mm\n", false, 0, 0, "min-width"},
      {"a JSON text for a number", R"({"min-width": "0.1"})", false, 0, 0, "min-width"},
      {"a line without a value", "min-width\n", false, 0, 0, "min-width"},
      {"broken JSON", R"({"min-width": )", false, 0, 0, "JSON"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FabricationRules rules = FabricationRules::Defaults();
    std::string error;
    ASSERT_EQ(ReadRulesText(c.text, rules, error), c.ok) << error;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(*rules.Get(RuleValue::kWidth), c.width);
      EXPECT_DOUBLE_EQ(*rules.Get(RuleValue::kClearance), c.clearance);
      EXPECT_DOUBLE_EQ(*rules.Get(RuleValue::kDrill), 0.20);
    } else {
      EXPECT_NE(error.find(c.named), std::string::npos) << error;
    }
  }
}

TEST(FabricationRulesTest, LengthsAndKeys) {
  EXPECT_EQ(ParseRuleLength(" 0.25 "), 0.25);
  for (const char* bad : {"", "0", "-1", "nan", "inf", "1e999", "0.1.2", "x"}) {
    EXPECT_FALSE(ParseRuleLength(bad).has_value()) << bad;
  }
  for (std::size_t i = 0; i < kRuleValueCount; ++i) {
    const auto value = static_cast<RuleValue>(i);
    EXPECT_EQ(RuleValueNamed(RuleValueKey(value)), value);
  }
  EXPECT_FALSE(FabricationRules{}.AnyOn());
  EXPECT_TRUE(FabricationRules::Defaults().AnyOn());
}

}  // namespace
}  // namespace corvane
