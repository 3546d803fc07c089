#include "qt/main_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>

#include "app/app_shell.h"
#include "app/command_table.h"
#include "app/disk_work_file_io.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "qt/corvane_app.h"
#include "qt/help_window.h"
#include "qt/view_window.h"
#include "test_application.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

QApplication& App() { return TestApplication(); }

const QString kSourceDir =
    QDir::cleanPath(QStringLiteral(CORVANE_TEST_DATA_DIR) + QStringLiteral("/../.."));
const std::string kDemoWork =
    (kSourceDir + QStringLiteral("/examples/demo/demo.wrk")).toStdString();

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class MainFrameTest : public ::testing::Test {
 protected:
  MainFrameTest() {
    App();
    shell_ = std::make_unique<AppShell>(store_, prompter_, io_);
    frame_ = std::make_unique<CMainFrame>(*shell_, kSourceDir + QStringLiteral("/help"));
  }
  ~MainFrameTest() override {
    frame_.reset();
    shell_.reset();
  }
  MemorySettingsStore store_;
  RecordingPrompter prompter_;
  DiskWorkFileIo io_;
  std::unique_ptr<AppShell> shell_;
  std::unique_ptr<CMainFrame> frame_;
};

TEST_F(MainFrameTest, MenuBarShowsEveryCommandWithItsTextAndNumber) {
  const QList<QAction*> menus = frame_->menuBar()->actions();
  const auto table = MainMenu();
  ASSERT_EQ(menus.size(), static_cast<qsizetype>(table.size()));
  for (std::size_t m = 0; m < table.size(); ++m) {
    const QAction* menuAction = menus[static_cast<qsizetype>(m)];
    EXPECT_EQ(menuAction->text(), Text(table[m].title));
    const QList<QAction*> items = menuAction->menu()->actions();
    qsizetype i = 0;
    for (const MenuEntry& entry : table[m].entries) {
      ASSERT_LT(i, items.size());
      if (entry.kind == MenuEntry::Kind::kSeparator) {
        EXPECT_TRUE(items[i++]->isSeparator());
        continue;
      }
      if (entry.kind == MenuEntry::Kind::kRecentFiles) {
        // Four slots; with no recent file only the first shows, as "Recent File", disabled.
        EXPECT_EQ(items[i]->text(), QStringLiteral("Recent File"));
        EXPECT_TRUE(items[i]->isVisible());
        EXPECT_FALSE(items[i]->isEnabled());
        EXPECT_FALSE(items[i + 1]->isVisible());
        i += kRecentFileCount;
        continue;
      }
      const CommandInfo* info = FindCommand(entry.id);
      EXPECT_EQ(items[i]->data().toInt(), entry.id);
      EXPECT_EQ(items[i]->text(), Text(info->menuText));
      EXPECT_EQ(items[i]->statusTip(), Text(info->prompt));
      ++i;
    }
    EXPECT_EQ(i, items.size()) << menuAction->text().toStdString();
  }
  EXPECT_EQ(frame_->Action(kIdFileNew)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
  EXPECT_EQ(frame_->Action(kIdFilePrint)->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
  EXPECT_TRUE(frame_->Action(kIdRedraw)->shortcut().isEmpty());  // F5 is the view's key
}

TEST_F(MainFrameTest, ToolbarShowsTheButtonsInOrderWithTooltips) {
  const QList<QAction*> actions = frame_->ToolBar()->actions();
  const auto table = ToolbarButtons();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(table.size()));
  for (std::size_t i = 0; i < table.size(); ++i) {
    const QAction* action = actions[static_cast<qsizetype>(i)];
    if (table[i] == kToolbarSeparator) {
      EXPECT_TRUE(action->isSeparator()) << i;
      continue;
    }
    EXPECT_EQ(action->data().toInt(), table[i]);
    EXPECT_EQ(action->toolTip(), Text(FindCommand(table[i])->tooltip));
    EXPECT_FALSE(action->icon().isNull());
    EXPECT_EQ(action->icon().pixmap(QSize(16, 15)).size(), QSize(16, 15));
  }
}

TEST_F(MainFrameTest, CommandsAreEnabledAsTheirHandlersSay) {
  frame_->UpdateCommandUi();
  for (const int32_t id :
       {kIdFileNew, kIdFileOpen, kIdFileSave, kIdGerberFile, kIdApertureFile, kIdDrillToolFile,
        kIdNcDrillFile, kIdFilePrint, kIdFilePrintPreview, kIdFilePrintSetup, kIdPrintMagnification,
        kIdGerberFormat, kIdDrillFormat, kIdApertureFormat, kIdDrillToolFormat}) {
    EXPECT_TRUE(frame_->Action(id)->isEnabled()) << id;
  }
  EXPECT_FALSE(frame_->Action(kIdReloadAll)->isEnabled());  // nothing loaded
}

TEST_F(MainFrameTest, StatusPaneShowsPromptsAndTheIdleText) {
  EXPECT_EQ(frame_->MessageText(), QStringLiteral("For Help, press F1"));
  QWidget* button = frame_->ToolBar()->widgetForAction(frame_->Action(kIdNcDrillFile));
  ASSERT_NE(button, nullptr);
  frame_->Action(kIdNcDrillFile)->showStatusText(button);
  EXPECT_EQ(frame_->MessageText(), QStringLiteral("Load NC drill file"));
  QStatusTipEvent leave{QString()};
  QApplication::sendEvent(button, &leave);
  EXPECT_EQ(frame_->MessageText(), QStringLiteral("For Help, press F1"));
  frame_->SetStatusText("Select first measurement point.");
  EXPECT_EQ(frame_->MessageText(), QStringLiteral("Select first measurement point."));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(frame_->IndicatorText(i).isEmpty());  // locks off
}

bool HasColour(const QImage& image, QColor colour) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == colour) return true;
    }
  }
  return false;
}

TEST_F(MainFrameTest, AWorkFileOpensAndItsLayersPaint) {
  frame_->show();
  ASSERT_TRUE(shell_->Lifecycle().OpenDocumentFile(kDemoWork));
  EXPECT_EQ(frame_->windowTitle(), QStringLiteral("demo.wrk - Corvane"));
  ASSERT_GT(shell_->Doc().GetLayerCount(), 1);
  const QImage image = frame_->ViewWindow().viewport()->grab().toImage();
  for (const PlotLayer& layer : shell_->Doc().Layers()) {
    const QColor colour(static_cast<int>(layer.color & 0xFF),
                        static_cast<int>((layer.color >> 8) & 0xFF),
                        static_cast<int>((layer.color >> 16) & 0xFF));
    EXPECT_TRUE(HasColour(image, colour)) << layer.fileName;
  }
  frame_->UpdateCommandUi();
  EXPECT_TRUE(frame_->Action(kIdReloadAll)->isEnabled());
  EXPECT_TRUE(frame_->Action(kIdFileMruFirst)->isEnabled());
  EXPECT_TRUE(frame_->Action(kIdFileMruFirst)->text().endsWith(QStringLiteral("demo.wrk")));
}

TEST_F(MainFrameTest, SaveAsWritesTheWorkFile) {
  ASSERT_TRUE(shell_->Lifecycle().OpenDocumentFile(kDemoWork));
  QTemporaryDir dir;
  prompter_.chosenFiles.push_back(dir.filePath(QStringLiteral("board")).toStdString());
  frame_->Action(kIdFileSaveAs)->trigger();
  QFile file(dir.filePath(QStringLiteral("board.wrk")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray text = file.readAll();
  EXPECT_TRUE(text.startsWith("ResetOrigin="));
  EXPECT_TRUE(text.contains("demo_top.ger\r\n"));
  EXPECT_EQ(frame_->windowTitle(), QStringLiteral("board.wrk - Corvane"));
  EXPECT_FALSE(shell_->Doc().IsModified());
}

TEST_F(MainFrameTest, BarTogglesAndPlacementOnClose) {
  frame_->show();
  frame_->Action(kIdViewToolbar)->trigger();
  EXPECT_FALSE(frame_->ToolBar()->isVisible());
  EXPECT_FALSE(frame_->Action(kIdViewToolbar)->isChecked());
  frame_->Action(kIdViewToolbar)->trigger();
  EXPECT_TRUE(frame_->Action(kIdViewToolbar)->isChecked());
  frame_->setGeometry(QRect(50, 60, 700, 500));
  frame_->close();
  EXPECT_EQ(store_.ReadText(kSectionWindowPlacement, "MainWindow", ""), "50, 60, 750, 560");
  EXPECT_EQ(store_.ReadInt(kSectionWindowPlacement, "MainWindowZoomed", -1), 0);
}

TEST_F(MainFrameTest, HelpTopicsOpenTheHelpWindowAtTheContents) {
  shell_->SetHelpMap(HelpTopicMap::Parse("contents index.html\n131222 gerber_files.html\n"));
  frame_->Action(kIdHelpTopics)->trigger();
  ASSERT_NE(frame_->HelpWindow(), nullptr);
  EXPECT_TRUE(frame_->HelpWindow()->isVisible());
  EXPECT_TRUE(frame_->HelpWindow()->Browser()->source().toString().endsWith("index.html"));
  shell_->ShowHelpTopic(150);
  EXPECT_TRUE(frame_->HelpWindow()->Browser()->source().toString().endsWith("gerber_files.html"));
  EXPECT_TRUE(frame_->HelpWindow()->Browser()->toPlainText().contains("Add File"));
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

TEST_F(MainFrameTest, ScrollBarActionsMoveTheViewWithoutClamping) {
  frame_->show();
  ASSERT_TRUE(shell_->Lifecycle().OpenDocumentFile(kDemoWork));
  CViewWindow& window = frame_->ViewWindow();
  Viewport& viewport = window.View().GetViewport();
  viewport.SetScrollPosition(0, 0);
  QScrollBar* vertical = window.verticalScrollBar();
  const int32_t line = viewport.GetLineStep().y;
  const int32_t page = viewport.GetPageStep().y;
  ASSERT_GT(line, 0);
  vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(viewport.GetScrollPos().y, -line);  // above the canvas: not clamped
  EXPECT_EQ(vertical->value(), 0);              // the thumb stays in its bar
  vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(viewport.GetScrollPos().y, page - line);
  vertical->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(viewport.GetScrollPos().y, 0);
  window.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(viewport.GetScrollPos().x, viewport.GetLineStep().x);
  EXPECT_EQ(window.horizontalScrollBar()->value(),
            std::min(viewport.GetLineStep().x, window.horizontalScrollBar()->maximum()));
}

TEST_F(MainFrameTest, AnOpenBeforeTheFirstShowingFitsTheShownWindow) {
  ASSERT_TRUE(shell_->Lifecycle().OpenDocumentFile(kDemoWork));
  frame_->resize(900, 650);
  frame_->show();
  const CViewWindow& window = frame_->ViewWindow();
  const Extents e = shell_->Doc().GetExtents();
  const double fit = std::min(window.viewport()->height() / (e.maxY - e.minY),
                              window.viewport()->width() / (e.maxX - e.minX));
  EXPECT_DOUBLE_EQ(frame_->ViewWindow().View().GetViewport().GetScale(), fit);
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// Counts the keys that reach it.
class KeySink : public QDialog {
 public:
  int presses = 0;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    ++presses;
    QDialog::keyPressEvent(event);
  }
};

TEST(F1FilterWidgetTest, PlainF1NeverReachesADialogOrTheMainWindow) {
  App();
  CF1Filter filter;
  qApp->installEventFilter(&filter);
  KeySink dialog;
  struct Row {
    Qt::KeyboardModifiers modifiers;
    bool autoRepeat;
    bool reaches;
  };
  const Row rows[] = {{Qt::NoModifier, false, false},
                      {Qt::ShiftModifier, false, true},
                      {Qt::ControlModifier, false, true},
                      {Qt::NoModifier, true, true}};
  for (const Row& row : rows) {
    dialog.presses = 0;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, row.modifiers, QString(), row.autoRepeat);
    QApplication::sendEvent(&dialog, &press);
    EXPECT_EQ(dialog.presses, row.reaches ? 1 : 0) << row.modifiers.toInt();
  }
  qApp->removeEventFilter(&filter);
}

}  // namespace
}  // namespace corvane
