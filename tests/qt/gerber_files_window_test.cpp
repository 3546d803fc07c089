#include "qt/gerber_files_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QToolButton>

#include "dialogs/drill_tool_list_dlg.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "qt/color_combo_box.h"
#include "qt/table_list_window.h"
#include "test_application.h"

namespace corvane {
namespace {

// One item drawn as the core decides, into an image filled with magenta so
// that anything left undrawn shows.
QImage PaintItem(const CColorCombo& combo, int32_t index, bool enabled, bool focused) {
  QImage image(120, 20, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  const QRect rect(0, 0, 120, 20);
  PaintColorItem(painter, combo.DrawItem(index, {0, 0, 120, 20}, enabled, focused), rect);
  return image;
}

CColorCombo Palette() {
  CColorCombo combo;
  for (int32_t i = 0; i < 10; ++i) {
    combo.AddColor(CCorvaneDoc::DefaultLayerColor(i), std::string(CCorvaneDoc::ColorName(i)));
  }
  return combo;
}

TEST(ColorComboBoxTest, ItemsAreDrawnAsTheCoreDecides) {
  TestApplication();
  CColorCombo combo = Palette();
  struct Case {
    int32_t index;
    bool enabled;
    bool focused;
    QColor background;
    QColor swatch;
    QColor outline;
  };
  const Case cases[] = {
      {1, true, false, Qt::white, QColor(0, 0, 255), Qt::black},
      {1, true, true, QColor(0, 0, 128), QColor(0, 0, 255), Qt::black},
      {1, false, false, QColor(192, 192, 192), QColor(192, 192, 192), QColor(128, 128, 128)},
      {-1, true, false, Qt::white, QColor(128, 128, 128), Qt::black},
  };
  for (const Case& c : cases) {
    const QImage image = PaintItem(combo, c.index, c.enabled, c.focused);
    // Background left of the swatch and right of the text.
    EXPECT_EQ(image.pixelColor(0, 10), c.background) << c.index;
    EXPECT_EQ(image.pixelColor(118, 1), c.background) << c.index;
    // The swatch from x 1 to 30 and y 2 to 18, its outline on the edges.
    EXPECT_EQ(image.pixelColor(15, 10), c.swatch) << c.index;
    EXPECT_EQ(image.pixelColor(1, 2), c.outline) << c.index;
    EXPECT_EQ(image.pixelColor(30, 18), c.outline) << c.index;
    EXPECT_EQ(image.pixelColor(30, 10), c.outline) << c.index;
    EXPECT_EQ(image.pixelColor(15, 18), c.outline) << c.index;
    EXPECT_EQ(image.pixelColor(31, 10), c.background) << c.index;
    EXPECT_EQ(image.pixelColor(15, 19), c.background) << c.index;
    // The name is written from x 34 on in some colour other than the background.
    int inked = 0;
    for (int x = 34; x < 118; ++x) {
      for (int y = 2; y < 18; ++y) inked += image.pixelColor(x, y) != c.background ? 1 : 0;
    }
    EXPECT_GT(inked, 10) << c.index;
  }
}

TEST(ColorComboBoxTest, TheFaceShowsTheCurrentColourAndCustom) {
  TestApplication();
  CColorCombo combo = Palette();
  CColorComboBox box(combo);
  box.resize(180, 26);
  combo.SetColor(0x336699);
  box.ShowState();
  EXPECT_EQ(box.currentIndex(), -1);
  EXPECT_EQ(box.accessibleDescription(), QStringLiteral("Custom"));
  QImage face = box.grab().toImage();
  QStyleOptionComboBox option;
  option.initFrom(&box);
  const QRect field =
      box.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &box);
  EXPECT_EQ(face.pixelColor(field.left() + 15, field.center().y()), QColor(0x99, 0x66, 0x33));

  combo.SelectIndex(2);
  box.ShowState();
  EXPECT_EQ(box.currentIndex(), 2);
  EXPECT_EQ(box.accessibleDescription(), QStringLiteral("Green"));
  face = box.grab().toImage();
  EXPECT_EQ(face.pixelColor(field.left() + 15, field.center().y()), QColor(0, 255, 0));

  box.setEnabled(false);
  face = box.grab().toImage();
  EXPECT_EQ(face.pixelColor(field.left() + 15, field.center().y()), QColor(192, 192, 192));
}

TEST(ColorComboBoxTest, KeysAndChoicesReachTheDialog) {
  TestApplication();
  CColorCombo combo = Palette();
  CColorComboBox box(combo);
  box.ShowState();
  std::vector<int> chosen;
  std::vector<CColorCombo::Key> steps;
  QObject::connect(&box, &CColorComboBox::colorChosen, [&](int index) { chosen.push_back(index); });
  QObject::connect(&box, &CColorComboBox::keyStep,
                   [&](CColorCombo::Key key) { steps.push_back(key); });
  QTest::keyClick(&box, Qt::Key_Down);
  QTest::keyClick(&box, Qt::Key_Up);
  EXPECT_EQ(steps, (std::vector<CColorCombo::Key>{CColorCombo::Key::kDown, CColorCombo::Key::kUp}));
  emit box.activated(4);
  EXPECT_EQ(chosen, std::vector<int>{4});
  // Selected without the popup, as the accessibility interface does it.
  box.setCurrentIndex(2);
  EXPECT_EQ(chosen, (std::vector<int>{4, 2}));
  // The core's own state shown back is no choice.
  combo.SelectIndex(5);
  box.ShowState();
  EXPECT_EQ(chosen, (std::vector<int>{4, 2}));
  box.showPopup();
  EXPECT_TRUE(combo.IsDroppedDown());
  box.hidePopup();
  EXPECT_FALSE(combo.IsDroppedDown());
}

class GerberFilesWindowTest : public ::testing::Test {
 protected:
  GerberFilesWindowTest() {
    TestApplication();
    PlotLayer top;
    top.fileName = "/boards/alpha/top.gbr";
    top.color = 0x0000FF;
    PlotLayer bottom;
    bottom.fileName = "/boards/alpha/bottom.gbr";
    bottom.color = 0x123456;
    bottom.offsetX = 40;
    dialog.AddEntry(top);
    dialog.AddEntry(bottom);
  }
  CCorvaneDoc doc;
  RecordingPrompter prompter;
  MemorySettingsStore store;
  CGerberFilesDlg dialog{&doc, &prompter, &store};
};

TEST_F(GerberFilesWindowTest, ControlsFollowTheDialog) {
  std::vector<int32_t> helped;
  CGerberFilesWindow window(dialog, [&](int32_t id) { helped.push_back(id); });
  window.show();
  ASSERT_EQ(window.List()->count(), 2);
  EXPECT_EQ(window.List()->item(1)->text(), QStringLiteral("/boards/alpha/bottom.gbr"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Gerber Files"));
  EXPECT_EQ(window.MirrorXBox()->text(), QStringLiteral("Mirror on X axis"));
  EXPECT_FALSE(window.ColorList()->isEnabled());
  EXPECT_FALSE(window.OffsetXEdit()->isEnabled());
  EXPECT_FALSE(window.Button(CGerberFilesDlg::kRemoveId)->isEnabled());
  EXPECT_TRUE(window.Button(CGerberFilesDlg::kAddFileId)->isEnabled());

  window.List()->setCurrentRow(1);
  EXPECT_EQ(dialog.ListSelection(), 1);
  EXPECT_TRUE(window.ColorList()->isEnabled());
  EXPECT_TRUE(window.ColorPicture()->isEnabled());
  EXPECT_EQ(window.OffsetXEdit()->text(), QStringLiteral("40"));
  EXPECT_EQ(window.ColorList()->currentIndex(), -1);  // "Custom"

  window.OffsetXEdit()->selectAll();
  QTest::keyClicks(window.OffsetXEdit(), "75");
  window.MirrorYBox()->click();
  window.Button(CGerberFilesDlg::kMoveUpId)->click();
  EXPECT_EQ(window.List()->currentRow(), 0);
  EXPECT_EQ(window.List()->item(0)->text(), QStringLiteral("/boards/alpha/bottom.gbr"));
  EXPECT_EQ(dialog.Entries()[0].offsetX, 75);
  EXPECT_EQ(dialog.Entries()[0].mirrorOnYAxis, 1);
  EXPECT_EQ(dialog.Entries()[1].offsetX, 0);

  emit window.ColorList()->colorChosen(5);
  EXPECT_EQ(dialog.Entries()[0].color, 0x800000u);
  EXPECT_EQ(window.ColorList()->currentIndex(), 5);

  window.Button(CGerberFilesDlg::kRemoveId)->click();
  EXPECT_EQ(window.List()->count(), 1);
  EXPECT_EQ(window.OffsetXEdit()->text(), QStringLiteral("0"));
  EXPECT_FALSE(window.OffsetXEdit()->isEnabled());
  EXPECT_TRUE(window.MirrorYBox()->isChecked());

  window.findChild<QPushButton*>(QStringLiteral("button57670"))->click();
  EXPECT_EQ(helped, std::vector<int32_t>{150});
}

TEST_F(GerberFilesWindowTest, OkStaysOpenOnANonIntegerOffset) {
  CGerberFilesWindow window(dialog, {});
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.List()->setCurrentRow(0);
  window.OffsetYEdit()->selectAll();
  QTest::keyClicks(window.OffsetYEdit(), "1.5");
  window.accept();
  EXPECT_EQ(window.result(), QDialog::Rejected);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"Please enter an integer."});
  EXPECT_EQ(window.OffsetYEdit()->text(), QStringLiteral("1.5"));
  EXPECT_TRUE(window.OffsetYEdit()->hasFocus());
  window.OffsetYEdit()->selectAll();
  QTest::keyClicks(window.OffsetYEdit(), "-3");
  window.accept();
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Entries()[0].offsetY, -3);
}

TEST_F(GerberFilesWindowTest, AddFileAppendsAndSelectsNothing) {
  CGerberFilesWindow window(dialog, {});
  window.show();
  prompter.chosenFiles.push_back("/boards/beta/silk.gbr");
  window.Button(CGerberFilesDlg::kAddFileId)->click();
  ASSERT_EQ(window.List()->count(), 3);
  EXPECT_TRUE(window.List()->selectedItems().isEmpty());
  EXPECT_EQ(window.List()->item(2)->toolTip(), QStringLiteral("/boards/beta/silk.gbr"));
  EXPECT_EQ(dialog.Entries()[2].color, 0x00FF00u);
}

TEST(TableListWindowTest, ListsTheToolsAtTheirTabStopsAndLoads) {
  TestApplication();
  CCorvaneDoc doc;
  RecordingPrompter prompter;
  DocumentLoader loader(doc, nullptr, &prompter);
  doc.AddDrillTool(DrillTool{1, kPlatingPlated, 0.035, 120});
  doc.AddDrillTool(DrillTool{2, kPlatingUnknown, 0.125, 4});
  doc.SetDrillToolFileName("/boards/alpha/tools.rck");
  CDrillToolListDlg dialog(loader, &prompter);
  std::vector<int32_t> helped;
  CTableListWindow window(dialog, [&](int32_t id) { helped.push_back(id); });
  window.show();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Drill Tool List"));
  ASSERT_EQ(window.List()->count(), 2);
  EXPECT_EQ(window.List()->item(1)->text(), QStringLiteral("\t2\tUnknown\t0.125\t4"));
  EXPECT_EQ(window.FileNameText()->text(), QStringLiteral("/boards/alpha/tools.rck"));
  bool headed = false;
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    headed = headed ||
             label->text() == QStringLiteral(" Tool #    Type                Diameter       Quan");
  }
  EXPECT_TRUE(headed);
  // Four stops, a quarter of an average character per dialog unit.
  const std::vector<int32_t>& stops = window.TabStopsInPixels();
  ASSERT_EQ(stops.size(), 4u);
  const double average = QFontMetricsF(window.List()->font())
                             .horizontalAdvance(QStringLiteral(
                                 "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                         52.0;
  EXPECT_NEAR(stops[3], 120 * average / 4, 0.5);
  EXPECT_LT(stops[0], stops[1]);

  window.LoadButton()->click();  // the chooser is cancelled
  EXPECT_EQ(window.List()->count(), 2);
  ASSERT_EQ(prompter.fileRequests.size(), 1u);
  EXPECT_EQ(prompter.fileRequests[0].filter,
            "Drill Tool Files (*.rck)|*.rck|All Files (*.*)|*.*||");
  window.HelpButton()->click();
  EXPECT_EQ(helped, std::vector<int32_t>{153});
}

}  // namespace
}  // namespace corvane
