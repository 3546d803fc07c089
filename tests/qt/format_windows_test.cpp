#include <gtest/gtest.h>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "dialogs/aperture_format_dlg.h"
#include "dialogs/drill_tool_format_dlg.h"
#include "dialogs/gerber_format_dlg.h"
#include "platform/prompter.h"
#include "qt/aperture_format_window.h"
#include "qt/coordinate_format_window.h"
#include "qt/drill_tool_format_window.h"
#include "test_application.h"

namespace corvane {
namespace {

template <typename Widget>
Widget* Find(QWidget& window, const char* name, int32_t id) {
  auto* widget = window.findChild<Widget*>(QStringLiteral("%1%2").arg(name).arg(id));
  EXPECT_NE(widget, nullptr) << name << id;
  return widget;
}

QStringList Labels(QWidget& window) {
  QStringList texts;
  for (const QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
  for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    texts << button->text();
  }
  for (const QGroupBox* group : window.findChildren<QGroupBox*>()) texts << group->title();
  return texts;
}

QStringList Lines(const QListWidget& list) {
  QStringList lines;
  for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
  return lines;
}

TEST(FormatWindowsTest, GerberWindowBindsEveryControl) {
  TestApplication();
  RecordingPrompter prompter;
  CGerberFormatDlg dialog(&prompter);
  FormatSettings settings;
  settings.gerberXFormat = {3, 5};
  settings.gerberCompression = kTrailingZerosOmitted;
  dialog.Fill(settings);
  std::vector<int32_t> helped;
  CCoordinateFormatWindow window(dialog, [&](int32_t resource) { helped.push_back(resource); });
  window.show();
  EXPECT_EQ(window.windowTitle(), "Gerber File Format");
  const QStringList expected = {"File Multiplier",
                                "Number Format",
                                "Horizontal Offset",
                                "Vertical Offset",
                                "in 0.1 (mm/mils)",
                                "File Extension",
                                "Digit Suppression",
                                "Leading zero",
                                "Trailing zero",
                                "Defaults",
                                "Help",
                                "OK",
                                "Cancel"};
  const QStringList labels = Labels(window);
  for (const QString& text : expected) EXPECT_TRUE(labels.contains(text)) << text.toStdString();

  auto* list = Find<QListWidget>(window, "list", 1015);
  EXPECT_EQ(Lines(*list), (QStringList{"2  3", "2  4", "2  5", "3  5"}));
  EXPECT_TRUE(list->item(3)->isSelected());
  list->setCurrentRow(0);
  EXPECT_EQ(dialog.NumberFormatSelection(), 0);

  auto* leading = Find<QCheckBox>(window, "check", 1012);
  auto* trailing = Find<QCheckBox>(window, "check", 1013);
  EXPECT_TRUE(trailing->isChecked());
  leading->click();
  EXPECT_TRUE(leading->isChecked());
  EXPECT_FALSE(trailing->isChecked());

  auto* multiplier = Find<QLineEdit>(window, "edit", 1014);
  EXPECT_EQ(multiplier->accessibleName(), "File Multiplier");
  multiplier->selectAll();
  QTest::keyClicks(multiplier, "x");
  EXPECT_EQ(dialog.EditText(kIdMultiplierEdit), "x");
  Find<QPushButton>(window, "button", kIdOk)->click();
  EXPECT_TRUE(window.isVisible());  // "Please enter a number." keeps it open
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"Please enter a number."});

  Find<QPushButton>(window, "button", 32802)->click();
  EXPECT_EQ(multiplier->text(), "1");
  EXPECT_EQ(Find<QLineEdit>(window, "edit", 1018)->text(), "ger");
  EXPECT_TRUE(list->item(1)->isSelected());
  Find<QPushButton>(window, "button", kIdHelpButton)->click();
  EXPECT_EQ(helped, std::vector<int32_t>{147});
  Find<QPushButton>(window, "button", kIdOk)->click();
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.GetMultiplier(), 1.0);
}

TEST(FormatWindowsTest, ApertureWindowShowsOneTypeAtATime) {
  TestApplication();
  CApertureFormatDlg dialog;
  dialog.Fill(FormatSettings{});
  std::vector<int32_t> helped;
  CApertureFormatWindow window(dialog, [&](int32_t resource) { helped.push_back(resource); });
  window.show();
  EXPECT_EQ(window.windowTitle(), "Aperture File Format");
  auto* types = Find<QListWidget>(window, "list", 1025);
  EXPECT_EQ(Lines(*types), (QStringList{"Circle", "Line", "Rectangle", "Square", "Ellipse"}));
  auto* identifier = Find<QLineEdit>(window, "edit", 1023);
  auto* order = Find<QListWidget>(window, "list", 1019);
  auto* deleteSkip = Find<QPushButton>(window, "button", kIdDeleteSkipButton);
  EXPECT_EQ(identifier->text(), "CIRCLE");
  EXPECT_FALSE(deleteSkip->isEnabled());

  types->setCurrentRow(3);
  EXPECT_EQ(identifier->text(), "SQUARE");
  Find<QPushButton>(window, "button", kIdAddSkipButton)->click();
  EXPECT_EQ(Lines(*order),
            (QStringList{"D Code", "Identifier", "Width", "Height", "Quantity", "Skip"}));
  order->setCurrentRow(5);
  EXPECT_TRUE(deleteSkip->isEnabled());
  Find<QPushButton>(window, "button", kIdMoveUpButton)->click();
  EXPECT_TRUE(order->item(4)->isSelected());
  EXPECT_EQ(order->item(4)->text(), "Skip");
  order->setCurrentRow(0);
  EXPECT_FALSE(deleteSkip->isEnabled());

  QTest::keyClicks(identifier, "S");
  EXPECT_EQ(dialog.GetFormat(3).identifier, "SQUARES");
  Find<QPushButton>(window, "button", kIdHelpButton)->click();
  EXPECT_EQ(helped, std::vector<int32_t>{149});
}

TEST(FormatWindowsTest, DrillToolWindowDefaults) {
  TestApplication();
  CDrillToolFormatDlg dialog;
  FormatSettings settings;
  settings.platedFieldName = "PTH";
  settings.drillToolFieldOrder = {2, 0};
  dialog.Fill(settings);
  std::vector<int32_t> helped;
  CDrillToolFormatWindow window(dialog, [&](int32_t resource) { helped.push_back(resource); });
  window.show();
  EXPECT_EQ(window.windowTitle(), "Drill Tool File Format");
  auto* plated = Find<QLineEdit>(window, "edit", 1023);
  auto* order = Find<QListWidget>(window, "list", 1019);
  EXPECT_EQ(plated->text(), "PTH");
  EXPECT_EQ(Lines(*order), (QStringList{"Diameter", "Tool Code"}));
  Find<QPushButton>(window, "button", 11)->click();
  EXPECT_EQ(plated->text(), "Plated");
  EXPECT_EQ(Find<QLineEdit>(window, "edit", 1024)->text(), "Unplated");
  EXPECT_EQ(Find<QLineEdit>(window, "edit", 1018)->text(), "rck");
  EXPECT_EQ(Lines(*order), (QStringList{"Tool Code", "Hole Type", "Skip", "Diameter", "Quantity"}));
  Find<QPushButton>(window, "button", kIdHelpButton)->click();
  EXPECT_EQ(helped, std::vector<int32_t>{151});
}

}  // namespace
}  // namespace corvane
