#include "qt/qt_prompter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "temp_folder.h"
#include "test_application.h"

namespace corvane {
namespace {

TEST(QtPrompterTest, FiltersInQtsFormMatchBothCasesAndFilesWithoutADot) {
  const std::pair<const char*, const char*> cases[] = {
      {"Gerber Plot Files (*.ger)|*.ger|All Files (*.*)|*.*||",
       "Gerber Plot Files (*.ger *.GER);;All Files (*)"},
      {"Drill Tool Files (*.RCK)|*.RCK|All Files (*.*)|*.*||",
       "Drill Tool Files (*.RCK *.rck);;All Files (*)"},
      {"Corvane Work Files (*.wrk)|*.wrk|All Files (*.*)|*.*||",
       "Corvane Work Files (*.wrk *.WRK);;All Files (*)"},
      {"Plots|*.gbr;*.ger||", "Plots (*.gbr *.GBR *.ger *.GER)"},
      {"", ""},
  };
  for (const auto& [filter, expected] : cases) {
    EXPECT_EQ(ToQtFileFilter(filter).toStdString(), expected) << filter;
  }
}

// The chooser's Open button and what a typed name makes of it, with the
// filter showing plot files only.
TEST(QtPrompterTest, ATypedNameOfAnExistingFileOpensWhateverTheFilter) {
  TestApplication();
  TempFolder folder;
  folder.Write("top.gbr", "x");
  folder.Write("BOARD.GKO", "x");
  folder.Write("sub/inner.g2", "x");
  struct Case {
    QString typed;
    bool opens;
  };
  const Case cases[] = {
      {QStringLiteral("BOARD.GKO"), true},
      {QStringLiteral("sub/inner.g2"), true},
      {QString::fromStdString(folder.File("BOARD.GKO")), true},
      {QStringLiteral("top.gbr"), true},
      // Invalid rows: no such file, nothing typed.
      {QStringLiteral("BOARD.GKO.old"), false},
      {QString(), false},
  };
  int checked = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    QFileDialog dialog(nullptr, QString(), QString::fromStdString(folder.Path()),
                       QStringLiteral("Gerber Plot Files (*.gbr)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    LetTypedFilesOpen(dialog);
    dialog.show();
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* box = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(box, nullptr);
    QPushButton* open = box->button(QDialogButtonBox::Open);
    edit->setText(c.typed);
    QTest::qWait(20);
    EXPECT_EQ(open->isEnabled(), c.opens);
    if (c.opens) {
      open->click();
      EXPECT_EQ(dialog.result(), QDialog::Accepted);
      ASSERT_EQ(dialog.selectedFiles().size(), 1);
      EXPECT_TRUE(dialog.selectedFiles().constFirst().endsWith(c.typed.section('/', -1)));
    }
    ++checked;
  }
  EXPECT_EQ(checked, 6);
}

}  // namespace
}  // namespace corvane
