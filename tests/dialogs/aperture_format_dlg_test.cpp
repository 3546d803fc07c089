#include "dialogs/aperture_format_dlg.h"

#include <gtest/gtest.h>

#include "dialogs/drill_tool_format_dlg.h"
#include "platform/prompter.h"

namespace corvane {
namespace {

using A = CApertureFormatDlg;
constexpr int kCircle = 0;
constexpr int kSquare = 3;

FormatSettings Numbered() {
  FormatSettings settings;
  settings.apertureMultiplier = 2.5;
  settings.apertureFileExt = "tab";
  for (int type = 0; type < kApertureFormatCount; ++type) {
    settings.SetApertureFormat(type, {"T" + std::to_string(type), {0, 1, 2}});
  }
  return settings;
}

TEST(ApertureFormatDlgTest, OpensOnTheFirstTypeWithNothingSelected) {
  A dialog;
  dialog.Fill(Numbered());
  EXPECT_EQ(dialog.TypeSelection(), kCircle);
  EXPECT_EQ(dialog.EditText(A::kIdentifierEditId), "T0");
  EXPECT_EQ(dialog.Order().Codes(), (FieldOrder{0, 1, 2}));
  EXPECT_EQ(dialog.Order().Selection(), -1);
  EXPECT_FALSE(dialog.Order().IsDeleteSkipEnabled());
  EXPECT_EQ(dialog.EditText(kIdMultiplierEdit), "2.5");
  EXPECT_EQ(dialog.EditText(kIdExtensionEdit), "tab");
  const std::string names[] = {"Circle", "Line", "Rectangle", "Square", "Ellipse"};
  for (int type = 0; type < kApertureFormatCount; ++type) EXPECT_EQ(A::TypeName(type), names[type]);
}

TEST(ApertureFormatDlgTest, SwitchingTypesNeverLosesAnEdit) {
  A dialog;
  dialog.Fill(Numbered());
  dialog.OnEditChange(A::kIdentifierEditId, "ROUND");
  dialog.OnOrderSelChange(0);
  dialog.OnMoveDown();
  dialog.OnTypeSelChange(kSquare);
  EXPECT_EQ(dialog.EditText(A::kIdentifierEditId), "T3");
  dialog.OnAddSkip();
  dialog.OnTypeSelChange(kCircle);
  EXPECT_EQ(dialog.EditText(A::kIdentifierEditId), "ROUND");
  EXPECT_EQ(dialog.Order().Codes(), (FieldOrder{1, 0, 2}));
  dialog.OnTypeSelChange(9);  // no such line: the Circle stays shown
  EXPECT_EQ(dialog.TypeSelection(), kCircle);
  ASSERT_TRUE(dialog.OnOK());
  EXPECT_EQ(dialog.GetFormat(kCircle), (ApertureFormat{"ROUND", {1, 0, 2}}));
  EXPECT_EQ(dialog.GetFormat(kSquare), (ApertureFormat{"T3", {0, 1, 2, 5}}));
  EXPECT_EQ(dialog.GetFormat(1), (ApertureFormat{"T1", {0, 1, 2}}));
}

TEST(ApertureFormatDlgTest, DefaultsChangeOnlyTheShownType) {
  const std::string identifiers[] = {"ROUND", "LINE", "RECTANGLE", "SQUARE", "ELLIPSE"};
  int checked = 0;
  for (int type = 0; type < kApertureFormatCount; ++type) {
    A dialog;
    dialog.Fill(Numbered());
    dialog.OnTypeSelChange(type);
    dialog.OnOrderSelChange(1);
    dialog.OnDefaults();
    EXPECT_EQ(dialog.EditText(A::kIdentifierEditId), identifiers[type]);
    EXPECT_EQ(dialog.Order().Codes(), FormatSettings::BuiltInApertureFieldOrder());
    EXPECT_FALSE(dialog.Order().IsDeleteSkipEnabled());
    EXPECT_EQ(dialog.EditText(kIdMultiplierEdit), "1");
    EXPECT_EQ(dialog.EditText(kIdExtensionEdit), "apr");
    for (int other = 0; other < kApertureFormatCount; ++other) {
      if (other == type) continue;
      EXPECT_EQ(dialog.GetFormat(other), Numbered().GetApertureFormat(other));
    }
    ++checked;
  }
  EXPECT_EQ(checked, kApertureFormatCount);
}

TEST(ApertureFormatDlgTest, TypingAnIdentifierReportsAWrongMultiplier) {
  RecordingPrompter prompter;
  A dialog(&prompter);
  dialog.Fill(Numbered());
  dialog.OnEditChange(kIdMultiplierEdit, "x2");
  EXPECT_TRUE(prompter.messages.empty());  // typing the multiplier itself reads nothing
  dialog.OnEditChange(A::kIdentifierEditId, "R");
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"Please enter a number."});
  EXPECT_EQ(dialog.TakeFocusRequest(), kIdMultiplierEdit);
  dialog.OnTypeSelChange(kSquare);
  EXPECT_EQ(prompter.messages.size(), 2u);
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(dialog.GetFormat(kCircle).identifier, "R");  // kept all the same
}

TEST(DrillToolFormatDlgTest, DefaultsAndReading) {
  FormatSettings settings;
  settings.drillToolMultiplier = 0.5;
  settings.platedFieldName = "PTH";
  settings.unplatedFieldName = "NPTH";
  settings.drillToolFileExt = "tls";
  settings.drillToolFieldOrder = {0, 2, 4, 4};
  RecordingPrompter prompter;
  CDrillToolFormatDlg dialog(&prompter);
  dialog.Fill(settings);
  EXPECT_EQ(dialog.EditText(CDrillToolFormatDlg::kPlatedEditId), "PTH");
  EXPECT_EQ(dialog.EditText(CDrillToolFormatDlg::kUnplatedEditId), "NPTH");
  EXPECT_EQ(dialog.EditText(kIdMultiplierEdit), "0.5");
  dialog.OnOrderSelChange(3);
  EXPECT_TRUE(dialog.Order().IsDeleteSkipEnabled());
  dialog.OnDeleteSkip();
  EXPECT_EQ(dialog.Order().Codes(), (FieldOrder{0, 2, 4}));
  EXPECT_EQ(dialog.Order().Selection(), 2);
  dialog.OnEditChange(kIdMultiplierEdit, "half");
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(dialog.TakeFocusRequest(), kIdMultiplierEdit);
  dialog.OnDefaults();
  EXPECT_EQ(prompter.messages.size(), 2u);
  ASSERT_TRUE(dialog.OnOK());
  EXPECT_EQ(dialog.GetMultiplier(), 1.0);
  EXPECT_EQ(dialog.GetExtension(), "rck");
  EXPECT_EQ(dialog.GetPlatedName(), "Plated");
  EXPECT_EQ(dialog.GetUnplatedName(), "Unplated");
  EXPECT_EQ(dialog.GetFieldOrder(), (FieldOrder{0, 1, 4, 2, 3}));
}

}  // namespace
}  // namespace corvane
