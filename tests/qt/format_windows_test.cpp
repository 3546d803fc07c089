#include <gtest/gtest.h>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QTest>
#include <memory>
#include <utility>
#include <vector>

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

// Sets an edit's text as a screen reader or an input tool does: through the
// accessibility interface, with no key typed.
void SetThroughAccessibility(QLineEdit& edit, const QString& text) {
  QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&edit);
  ASSERT_NE(access, nullptr);
  access->setText(QAccessible::Value, text);
  ASSERT_EQ(edit.text(), text);
}

// What OK hands back when every field was set without typing.
TEST(FormatWindowsTest, FieldsSetThroughAccessibilityCountAtOk) {
  TestApplication();
  struct Case {
    const char* window;
    std::vector<std::pair<int32_t, const char*>> fields;
  };
  const Case cases[] = {
      {"gerber", {{1014, "2.5"}, {1016, "-3"}, {1017, "4"}, {1018, "art"}}},
      {"aperture", {{1014, "0.5"}, {1018, "ap2"}}},
      {"drill tool", {{1014, "2"}, {1023, "PTH"}, {1024, "NPTH"}, {1018, "tl"}}},
  };
  int checked = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window);
    RecordingPrompter prompter;
    CGerberFormatDlg gerber(&prompter);
    CApertureFormatDlg aperture;
    CDrillToolFormatDlg drillTool;
    gerber.Fill(FormatSettings{});
    aperture.Fill(FormatSettings{});
    drillTool.Fill(FormatSettings{});
    const auto none = [](int32_t) {};
    std::unique_ptr<QDialog> window;
    const std::string name = c.window;
    if (name == "gerber") window = std::make_unique<CCoordinateFormatWindow>(gerber, none);
    if (name == "aperture") window = std::make_unique<CApertureFormatWindow>(aperture, none);
    if (name == "drill tool") window = std::make_unique<CDrillToolFormatWindow>(drillTool, none);
    window->show();
    for (const auto& [id, text] : c.fields) {
      SetThroughAccessibility(*Find<QLineEdit>(*window, "edit", id), QString::fromLatin1(text));
    }
    Find<QPushButton>(*window, "button", kIdOk)->click();
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.messages.empty());
    if (name == "gerber") {
      EXPECT_EQ(gerber.GetMultiplier(), 2.5);
      EXPECT_EQ(gerber.GetOffsetX(), -3.0);
      EXPECT_EQ(gerber.GetOffsetY(), 4.0);
      EXPECT_EQ(gerber.GetExtension(), "art");
    } else if (name == "aperture") {
      EXPECT_EQ(aperture.GetMultiplier(), 0.5);
      EXPECT_EQ(aperture.GetExtension(), "ap2");
    } else {
      EXPECT_EQ(drillTool.GetMultiplier(), 2.0);
      EXPECT_EQ(drillTool.GetPlatedName(), "PTH");
      EXPECT_EQ(drillTool.GetUnplatedName(), "NPTH");
      EXPECT_EQ(drillTool.GetExtension(), "tl");
    }
    ++checked;
  }
  EXPECT_EQ(checked, 3);
}

}  // namespace
}  // namespace corvane
