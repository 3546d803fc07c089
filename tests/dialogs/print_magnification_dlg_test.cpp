#include "dialogs/print_magnification_dlg.h"

#include <gtest/gtest.h>

#include "platform/prompter.h"

namespace corvane {
namespace {

TEST(PrintMagnificationDlgTest, TheEditShowsUpToFifteenSignificantDigits) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {1.0, "1"},
      {2.5, "2.5"},
      {0.0, "0"},
      {-2.0, "-2"},
      {1.0 / 3.0, "0.333333333333333"},
      {123456789.123456789, "123456789.123457"},
      {1e-20, "1e-20"},
  };
  for (const Case& c : cases) {
    CPrintMagnificationDlg dialog;
    dialog.multiplier = c.value;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.multiplierText, c.text) << c.value;
  }
}

TEST(PrintMagnificationDlgTest, OkTakesAnyNumberAndRefusesTheRest) {
  struct Case {
    const char* text;
    bool accepted;
    double value;  // the multiplier afterwards
  };
  const Case cases[] = {
      {"2.5", true, 2.5},
      {" 3 ", true, 3.0},
      {"0", true, 0.0},  // no range check: 0 prints as
                         // 1
      {"-1.5", true, -1.5},
      {"1e2", true, 100.0},
      {".5", true, 0.5},
      {"", false, 7.0},
      {"abc", false, 7.0},
      {"1,5", false, 7.0},
      {"2x", false, 7.0},
      {"1e400", false, 7.0},
      {"inf", false, 7.0},
  };
  int refused = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    RecordingPrompter prompter;
    CPrintMagnificationDlg dialog(&prompter);
    dialog.multiplier = 7.0;
    dialog.OnInitDialog();
    dialog.multiplierText = c.text;
    EXPECT_EQ(dialog.OnOK(), c.accepted);
    EXPECT_DOUBLE_EQ(dialog.multiplier, c.value);
    if (c.accepted) {
      EXPECT_TRUE(prompter.messages.empty());
      EXPECT_FALSE(dialog.FocusControl().has_value());
    } else {
      ++refused;
      ASSERT_EQ(prompter.messages.size(), 1u);
      EXPECT_EQ(prompter.messages[0], "Please enter a number.");
      EXPECT_EQ(dialog.FocusControl(), CPrintMagnificationDlg::kIdMultiplier);
    }
  }
  EXPECT_EQ(refused, 6);
}

}  // namespace
}  // namespace corvane
