#include "dialogs/coordinate_format_dlg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dialogs/data_exchange.h"
#include "dialogs/drill_format_dlg.h"
#include "dialogs/gerber_format_dlg.h"
#include "dialogs/real_edit.h"
#include "platform/prompter.h"

namespace corvane {
namespace {

using D = CCoordinateFormatDlg;

struct OfferCase {
  NumberFormat current;
  std::vector<std::string> texts;
  int32_t selection;
};

TEST(CoordinateFormatDlgTest, OffersTheThreeFormatsAndTheCurrentOne) {
  const std::vector<std::string> standard = {"2  3", "2  4", "2  5"};
  const OfferCase cases[] = {
      {{2, 3}, standard, 0},
      {{2, 4}, standard, 1},
      {{2, 5}, standard, 2},
      {{3, 5}, {"2  3", "2  4", "2  5", "3  5"}, 3},
      {{2, 6}, {"2  3", "2  4", "2  5", "2  6"}, 3},
      {{0, 0}, {"2  3", "2  4", "2  5", "0  0"}, 3},
      // Out of range counts (from a hand-edited settings file) are shown as they are.
      {{-1, 12}, {"2  3", "2  4", "2  5", "-1  12"}, 3},
  };
  int checked = 0;
  for (const OfferCase& c : cases) {
    CGerberFormatDlg dialog;
    dialog.OfferNumberFormats(c.current);
    EXPECT_EQ(dialog.NumberFormatTexts(), c.texts);
    EXPECT_EQ(dialog.NumberFormatSelection(), c.selection);
    // Read back, the selected text is the current format: no change, no reload.
    EXPECT_EQ(dialog.GetNumberFormat(), c.current) << dialog.NumberFormatText();
    ++checked;
  }
  EXPECT_EQ(checked, 7);
}

TEST(CoordinateFormatDlgTest, TheFormatListKeepsASelection) {
  CDrillFormatDlg dialog;
  dialog.OfferNumberFormats({2, 4});
  dialog.OnNumberFormatSelChange(0);
  dialog.OnNumberFormatSelChange(-1);
  dialog.OnNumberFormatSelChange(3);
  EXPECT_EQ(dialog.NumberFormatSelection(), 0);
  EXPECT_EQ(dialog.GetNumberFormat(), (NumberFormat{2, 3}));
}

struct CheckCase {
  ZeroSuppression start;
  int32_t clicked;
  bool checked;  // the box's state after the click
  bool leading;
  bool trailing;
  ZeroSuppression result;
};

TEST(CoordinateFormatDlgTest, AtMostOneZeroBoxIsChecked) {
  const CheckCase cases[] = {
      {kTrailingZerosOmitted, D::kLeadingCheckId, true, true, false, kLeadingZerosOmitted},
      {kLeadingZerosOmitted, D::kTrailingCheckId, true, false, true, kTrailingZerosOmitted},
      {kLeadingZerosOmitted, D::kLeadingCheckId, false, false, false, kZeroSuppressionNone},
      {kTrailingZerosOmitted, D::kTrailingCheckId, false, false, false, kZeroSuppressionNone},
      {kZeroSuppressionNone, D::kTrailingCheckId, true, false, true, kTrailingZerosOmitted},
      // Neither box shows a mode other than 1 or 2.
      {7, D::kLeadingCheckId, false, false, false, kZeroSuppressionNone},
      // Not a check box: nothing changes.
      {kLeadingZerosOmitted, kIdMultiplierEdit, false, true, false, kLeadingZerosOmitted},
  };
  int checked = 0;
  for (const CheckCase& c : cases) {
    CGerberFormatDlg dialog;
    dialog.SetZeroSuppression(c.start);
    dialog.OnCheckClicked(c.clicked, c.checked);
    EXPECT_EQ(dialog.IsChecked(D::kLeadingCheckId), c.leading) << c.start << " " << c.clicked;
    EXPECT_EQ(dialog.IsChecked(D::kTrailingCheckId), c.trailing) << c.start << " " << c.clicked;
    EXPECT_EQ(dialog.GetZeroSuppression(), c.result);
    ++checked;
  }
  EXPECT_EQ(checked, 7);
}

TEST(CoordinateFormatDlgTest, DefaultsGiveTheKindsBuiltInValues) {
  FormatSettings settings;
  settings.gerberMultiplier = settings.drillMultiplier = 25.4;
  settings.gerberXFormat = settings.drillFormat = {3, 5};
  settings.gerberCompression = settings.drillCompression = kTrailingZerosOmitted;
  settings.gerberOffsetX = settings.drillOffsetX = -3.5;
  settings.gerberOffsetY = settings.drillOffsetY = 7.0;
  settings.gerberFileExt = settings.drillFileExt = "txt";
  CGerberFormatDlg gerber;
  CDrillFormatDlg drill;
  for (CCoordinateFormatDlg* dialog : {static_cast<D*>(&gerber), static_cast<D*>(&drill)}) {
    dialog->Fill(settings);
    EXPECT_EQ(dialog->EditText(kIdMultiplierEdit), "25.4");
    EXPECT_EQ(dialog->EditText(D::kOffsetXEditId), "-3.5");
    EXPECT_EQ(dialog->NumberFormatSelection(), 3);
    dialog->OnDefaults();
    EXPECT_EQ(dialog->EditText(kIdMultiplierEdit), "1");
    EXPECT_EQ(dialog->EditText(D::kOffsetXEditId), "0");
    EXPECT_EQ(dialog->EditText(D::kOffsetYEditId), "0");
    EXPECT_TRUE(dialog->IsChecked(D::kLeadingCheckId));
    EXPECT_FALSE(dialog->IsChecked(D::kTrailingCheckId));
    EXPECT_EQ(dialog->NumberFormatText(), "2  4");
    EXPECT_EQ(dialog->NumberFormatTexts().size(), 4u);  // the fourth text stays offered
    ASSERT_TRUE(dialog->OnOK());
    EXPECT_EQ(dialog->GetMultiplier(), 1.0);
    EXPECT_EQ(dialog->GetOffsetX(), 0.0);
  }
  EXPECT_EQ(gerber.GetExtension(), "ger");
  EXPECT_EQ(drill.GetExtension(), "drl");
}

struct WrongFieldCase {
  int32_t field;
  const char* text;
};

TEST(CoordinateFormatDlgTest, AFieldThatIsNoNumberKeepsTheDialogOpen) {
  const WrongFieldCase cases[] = {
      {kIdMultiplierEdit, "abc"},
      {kIdMultiplierEdit, ""},
      {D::kOffsetXEditId, "1,5"},
      {D::kOffsetYEditId, "inf"},
  };
  int checked = 0;
  for (const WrongFieldCase& c : cases) {
    RecordingPrompter prompter;
    CGerberFormatDlg dialog(&prompter);
    dialog.Fill(FormatSettings{});
    dialog.OnEditChange(c.field, c.text);
    EXPECT_FALSE(dialog.OnOK()) << c.text;
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"Please enter a number."});
    EXPECT_EQ(dialog.TakeFocusRequest(), c.field);
    EXPECT_EQ(dialog.TakeFocusRequest(), std::nullopt);  // asked for once
    EXPECT_EQ(dialog.EditText(c.field), c.text);         // as typed
    // The buttons that read the controls say so too, and still do their part.
    dialog.OnCheckClicked(D::kTrailingCheckId, true);
    EXPECT_EQ(prompter.messages.size(), 2u);
    EXPECT_FALSE(dialog.IsChecked(D::kLeadingCheckId));
    dialog.OnEditChange(c.field, "2.5");
    EXPECT_TRUE(dialog.OnOK());
    EXPECT_EQ(prompter.messages.size(), 2u);
    ++checked;
  }
  EXPECT_EQ(checked, 4);
}

TEST(CoordinateFormatDlgTest, RealsReadBackEqual) {
  const double values[] = {0.1 + 0.2,
                           1234567890123.4567,
                           -1e-300,
                           25.4,
                           std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::infinity()};
  int checked = 0;
  for (const double value : values) {
    RealEdit edit;
    edit.Show(value);
    DataExchange exchange(nullptr);
    double read = 0.0;
    ASSERT_TRUE(edit.Read(exchange, kIdMultiplierEdit, read)) << edit.Text();
    EXPECT_EQ(read, value) << edit.Text();
    ++checked;
  }
  EXPECT_EQ(checked, 6);
  RealEdit edit;
  edit.Show(0.1 + 0.2);
  EXPECT_EQ(edit.Text(), "0.3");
  edit.SetText("0.30");  // another text: the typed number, not the old value
  DataExchange exchange(nullptr);
  double read = 0.0;
  ASSERT_TRUE(edit.Read(exchange, kIdMultiplierEdit, read));
  EXPECT_EQ(read, 0.3);
}

}  // namespace
}  // namespace corvane
