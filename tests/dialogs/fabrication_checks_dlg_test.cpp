#include "dialogs/fabrication_checks_dlg.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/prompter.h"

namespace corvane {
namespace {

TEST(FabricationChecksDlgTest, EditsBecomeRulesOrNameTheOneRefused) {
  struct Case {
    const char* name;
    std::string width;
    std::string drill;
    bool ok;
    std::optional<double> widthAfter;
    std::optional<double> drillAfter;
    const char* message;
  };
  const Case cases[] = {
      {"both given", "0.075", " 0.3 ", true, 0.075, 0.3, ""},
      {"an empty edit leaves its rule off", "", "0.3", true, std::nullopt, 0.3, ""},
      {"blanks are empty too", "  ", "", true, std::nullopt, std::nullopt, ""},
      {"zero is refused", "0", "0.3", false, 0.1, 0.2,
       "Minimum width (mm): enter a positive length, or nothing to leave the rule off."},
      {"a word is refused", "0.1", "wide", false, 0.1, 0.2,
       "Minimum drill (mm): enter a positive length, or nothing to leave the rule off."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingPrompter prompter;
    CFabricationChecksDlg dialog(&prompter);
    dialog.rules = FabricationRules::Defaults();
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.texts[static_cast<std::size_t>(RuleValue::kHoleSpacing)], "0.25");
    dialog.texts[static_cast<std::size_t>(RuleValue::kWidth)] = c.width;
    dialog.texts[static_cast<std::size_t>(RuleValue::kDrill)] = c.drill;
    EXPECT_EQ(dialog.OnOK(), c.ok);
    EXPECT_EQ(dialog.rules.Get(RuleValue::kWidth), c.widthAfter);
    EXPECT_EQ(dialog.rules.Get(RuleValue::kDrill), c.drillAfter);
    if (c.ok) {
      EXPECT_TRUE(prompter.messages.empty());
      EXPECT_FALSE(dialog.FocusField().has_value());
    } else {
      ASSERT_EQ(prompter.messages.size(), 1u);
      EXPECT_EQ(prompter.messages[0], c.message);
      EXPECT_TRUE(dialog.FocusField().has_value());
    }
  }
}

}  // namespace
}  // namespace corvane
