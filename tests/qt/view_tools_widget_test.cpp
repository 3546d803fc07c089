#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRubberBand>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <functional>

#include "app/app_shell.h"
#include "app/command_table.h"
#include "app/disk_work_file_io.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "qt/dialog_fit.h"
#include "qt/help_window.h"
#include "qt/layer_visibility_window.h"
#include "qt/main_frame.h"
#include "qt/offset_layer_window.h"
#include "qt/view_window.h"
#include "test_application.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

const QString kSourceDir =
    QDir::cleanPath(QStringLiteral(CORVANE_TEST_DATA_DIR) + QStringLiteral("/../.."));
const std::string kDemoWork =
    (kSourceDir + QStringLiteral("/examples/demo/demo.wrk")).toStdString();

// Counts the paints of a widget.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Runs `interact` on the modal dialog the next command opens; the dialog is
// cancelled afterwards if the interaction left it open.
void WhenDialogOpens(std::function<void(QDialog&)> interact) {
  QTimer::singleShot(0, [interact] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr) << "no dialog opened";
    interact(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
}

void ClickLine(QListWidget& list, int row) {
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                    list.visualItemRect(list.item(row)).center());
}

class ViewToolsWidgetTest : public ::testing::Test {
 protected:
  ViewToolsWidgetTest() {
    TestApplication();
    shell_ = std::make_unique<AppShell>(store_, prompter_, io_);
    shell_->SetHelpMap(HelpTopicMap::Parse("contents index.html\n0x2008F visibility.html\n"));
    frame_ = std::make_unique<CMainFrame>(*shell_, kSourceDir + QStringLiteral("/help"));
    frame_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
    EXPECT_TRUE(shell_->Lifecycle().OpenDocumentFile(kDemoWork));
    frame_->UpdateCommandUi();  // as the idle refresh would
    Viewport().installEventFilter(&paints_);
  }
  ~ViewToolsWidgetTest() override {
    frame_.reset();
    shell_.reset();
  }
  CViewWindow& Window() { return frame_->ViewWindow(); }
  QWidget& Viewport() { return *Window().viewport(); }
  corvane::Viewport& Mapping() { return Window().View().GetViewport(); }
  void Move(QPoint to) {
    QMouseEvent move(QEvent::MouseMove, to, Viewport().mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Viewport(), &move);
  }

  MemorySettingsStore store_;
  RecordingPrompter prompter_;
  DiskWorkFileIo io_;
  std::unique_ptr<AppShell> shell_;
  std::unique_ptr<CMainFrame> frame_;
  PaintCounter paints_;
};

TEST_F(ViewToolsWidgetTest, MeasuringByClickingInTheViewReportsInTheStatusBar) {
  Mapping().SetScale(100.0);
  frame_->Action(kIdMeasure)->trigger();
  EXPECT_EQ(frame_->MessageText(), QStringLiteral("Select first measurement point."));
  QTest::mouseClick(&Viewport(), Qt::LeftButton, {}, QPoint(10, 50));
  EXPECT_EQ(frame_->MessageText(), QStringLiteral("Select second measurement point."));
  QTest::mouseClick(&Viewport(), Qt::LeftButton, {}, QPoint(40, 10));
  EXPECT_EQ(frame_->MessageText(), QStringLiteral("X = 0.3000, Y = 0.4000, Diag = 0.5000"));
  EXPECT_DOUBLE_EQ(Mapping().GetScale(), 100.0);  // the clicks went to the tool, not the zoom
}

TEST_F(ViewToolsWidgetTest, ADraggedRectangleShowsARubberBandAndFillsTheWindow) {
  Mapping().SetScale(100.0);
  Mapping().SetScrollPosition(0, 0);
  QTest::mousePress(&Viewport(), Qt::LeftButton, {}, QPoint(100, 50));
  Move(QPoint(300, 250));
  auto* band = Viewport().findChild<QRubberBand*>();
  ASSERT_NE(band, nullptr);
  EXPECT_TRUE(band->isVisible());
  EXPECT_EQ(band->geometry(), QRect(100, 50, 200, 200));
  const int before = paints_.paints;
  QTest::mouseRelease(&Viewport(), Qt::LeftButton, {}, QPoint(300, 250));
  EXPECT_FALSE(band->isVisible());
  const double fit = std::min(Viewport().width() / 200.0, Viewport().height() / 200.0);
  EXPECT_DOUBLE_EQ(Mapping().GetScale(), 100.0 * fit);
  EXPECT_EQ(Mapping().GetScrollPos(),
            (DevicePoint{static_cast<int32_t>(100 * fit), static_cast<int32_t>(50 * fit)}));
  EXPECT_EQ(paints_.paints, before + 1);
}

TEST_F(ViewToolsWidgetTest, EscapeCancelsTheDragIntoAClickZoom) {
  Mapping().SetScale(100.0);
  Mapping().SetScrollPosition(0, 0);
  QTest::mousePress(&Viewport(), Qt::LeftButton, {}, QPoint(100, 50));
  Move(QPoint(400, 300));
  QTest::keyClick(&Window(), Qt::Key_Escape);
  EXPECT_FALSE(Viewport().findChild<QRubberBand*>()->isVisible());
  EXPECT_DOUBLE_EQ(Mapping().GetScale(), 110.0);
  QTest::mouseRelease(&Viewport(), Qt::LeftButton, {}, QPoint(400, 300));
  EXPECT_DOUBLE_EQ(Mapping().GetScale(), 110.0);
  QTest::mouseClick(&Viewport(), Qt::RightButton, {}, QPoint(100, 50));
  EXPECT_DOUBLE_EQ(Mapping().GetScale(), 99.0);
}

TEST_F(ViewToolsWidgetTest, TheViewHasTheKeysAtOnce) {
  ASSERT_TRUE(Window().hasFocus());
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  Mapping().SetScrollPosition(5, 7);
  const DevicePoint page = Mapping().GetPageStep();
  QTest::keyClick(focus, Qt::Key_PageDown);
  EXPECT_EQ(Mapping().GetScrollPos(), (DevicePoint{5, 7 + page.y}));
  QTest::keyClick(focus, Qt::Key_Home);
  EXPECT_EQ(Mapping().GetScrollPos(), (DevicePoint{0, 0}));
  int before = paints_.paints;
  QTest::keyClick(focus, Qt::Key_F5);
  EXPECT_EQ(paints_.paints, before + 1);
  before = paints_.paints;
  QTest::keyClick(focus, Qt::Key_A);
  EXPECT_EQ(paints_.paints, before);
  Mapping().SetScale(1.0);
  QTest::keyClick(focus, Qt::Key_F8, Qt::ShiftModifier);
  EXPECT_GT(Mapping().GetScale(), 1.0);  // fitted to the extents again
  // Clicking the view gives it the focus back.
  frame_->ToolBar()->setFocus();
  QTest::mouseClick(&Viewport(), Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_TRUE(Window().hasFocus());
}

TEST_F(ViewToolsWidgetTest, TheZoomCursorShowsWhileTheZoomToolIsOn) {
  frame_->UpdateCommandUi();
  EXPECT_TRUE(frame_->Action(kIdZoomTool)->isChecked());
  const QCursor cursor = Viewport().cursor();
  EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
  EXPECT_EQ(cursor.hotSpot(), QPoint(8, 8));
  EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
  frame_->Action(kIdZoomTool)->trigger();
  EXPECT_FALSE(frame_->Action(kIdZoomTool)->isChecked());
  EXPECT_EQ(Viewport().cursor().shape(), Qt::ArrowCursor);
  const double scale = Mapping().GetScale();
  QTest::mouseClick(&Viewport(), Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_DOUBLE_EQ(Mapping().GetScale(), scale);
}

TEST_F(ViewToolsWidgetTest, ToolbarButtonsAreNamedByTheirTooltips) {
  int named = 0;
  for (const int32_t id : ToolbarButtons()) {
    if (id == kToolbarSeparator) continue;
    QWidget* button = frame_->ToolBar()->widgetForAction(frame_->Action(id));
    ASSERT_NE(button, nullptr) << id;
    EXPECT_EQ(button->accessibleName(), ToQString(FindCommand(id)->tooltip)) << id;
    EXPECT_FALSE(button->accessibleName().isEmpty()) << id;
    ++named;
  }
  EXPECT_EQ(named, 15);
}

TEST_F(ViewToolsWidgetTest, TheMirrorItemsCheckAndTheStatusPromptComesBack) {
  frame_->UpdateCommandUi();
  EXPECT_TRUE(frame_->Action(kIdMirrorX)->isChecked());  // the demo's MirrorX=1
  frame_->Action(kIdMirrorX)->trigger();
  EXPECT_FALSE(frame_->Action(kIdMirrorX)->isChecked());
  EXPECT_EQ(store_.ReadInt(kSectionDefaults, "MirrorX", -1), 0);
  EXPECT_TRUE(frame_->windowTitle().contains(QStringLiteral("demo.wrk")));
  // A prompt under the pointer passes; the tool's prompt stays.
  frame_->Action(kIdMeasure)->trigger();
  QWidget* button = frame_->ToolBar()->widgetForAction(frame_->Action(kIdZoomIn));
  frame_->Action(kIdZoomIn)->showStatusText(button);
  EXPECT_EQ(frame_->MessageText(), QStringLiteral("Increase magnification of display window"));
  QStatusTipEvent leave{QString()};
  QApplication::sendEvent(button, &leave);
  EXPECT_EQ(frame_->MessageText(), QStringLiteral("Select first measurement point."));
}

TEST_F(ViewToolsWidgetTest, OffsetLayerListsTheLayersAndArmsTheTool) {
  int lines = 0;
  WhenDialogOpens([&](QDialog& dialog) {
    auto* window = qobject_cast<COffsetLayerWindow*>(&dialog);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Offset Layer"));
    QListWidget& list = *window->List();
    lines = list.count();
    ASSERT_EQ(lines, 6);
    EXPECT_EQ(list.item(5)->text(), QStringLiteral("NC Drill file"));
    EXPECT_TRUE(list.selectedItems().isEmpty());
    // Every line fits the list as the list itself lays it out.
    EXPECT_LE(list.sizeHintForColumn(0), list.viewport()->width());
    ClickLine(list, 3);
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
  });
  frame_->Action(kIdOffsetLayer)->trigger();
  EXPECT_EQ(lines, 6);
  EXPECT_EQ(Window().View().Tools().OffsetTarget(), 3);
  EXPECT_EQ(frame_->MessageText(), QStringLiteral("Select first offset point."));
}

TEST_F(ViewToolsWidgetTest, VisibilityDialogAppliesClicksAtOnceAndKeepsThemOnCancel) {
  CCorvaneDoc& doc = shell_->Doc();
  WhenDialogOpens([&](QDialog& dialog) {
    auto* window = qobject_cast<CLayerVisibilityWindow*>(&dialog);
    ASSERT_NE(window, nullptr);
    QListWidget& list = *window->List();
    ASSERT_EQ(list.count(), 5);
    EXPECT_EQ(list.selectedItems().size(), 5);
    EXPECT_TRUE(window->AutoApplyBox()->isChecked());
    EXPECT_TRUE(window->ShowDrillHolesBox()->isVisible());
    EXPECT_TRUE(window->ShowDrillHolesBox()->isChecked());
    EXPECT_FALSE(window->NcDrillFileText()->text().isEmpty());
    ClickLine(list, 1);  // a click toggles the line off
    EXPECT_EQ(list.selectedItems().size(), 4);
    EXPECT_EQ(doc.IsLayerVisible(1), 0);
    ClickLine(list, 1);
    EXPECT_EQ(doc.IsLayerVisible(1), 1);
    QTest::mouseClick(window->DeselectAllButton(), Qt::LeftButton);
    EXPECT_TRUE(list.selectedItems().isEmpty());
    EXPECT_EQ(doc.IsLayerVisible(4), 0);
    QTest::mouseClick(window->SelectAllButton(), Qt::LeftButton);
    EXPECT_EQ(list.selectedItems().size(), 5);
    EXPECT_EQ(doc.IsLayerVisible(4), 1);
    ClickLine(list, 0);
    window->ShowDrillHolesBox()->click();
    EXPECT_EQ(doc.GetShowDrillHoles(), 0);
    QTest::mouseClick(window->HelpButton(), Qt::LeftButton);
    ASSERT_NE(frame_->HelpWindow(), nullptr);
    EXPECT_TRUE(frame_->HelpWindow()->Browser()->source().toString().endsWith("visibility.html"));
    window->AutoApplyBox()->click();  // not kept: the dialog is cancelled
    dialog.reject();
  });
  frame_->Action(kIdSetVisibility)->trigger();
  EXPECT_EQ(doc.IsLayerVisible(0), 0);
  EXPECT_EQ(doc.IsLayerVisible(1), 1);
  EXPECT_EQ(doc.GetShowDrillHoles(), 0);
  EXPECT_FALSE(store_.Contains(kSectionSettings, kAutoApplyVisibilityKey));
  EXPECT_EQ(Window().View().VisibilityDialog(), nullptr);
}

TEST_F(ViewToolsWidgetTest, VisibilityOkKeepsTheAutoApplyChoice) {
  WhenDialogOpens([](QDialog& dialog) {
    auto* window = qobject_cast<CLayerVisibilityWindow*>(&dialog);
    ASSERT_NE(window, nullptr);
    window->AutoApplyBox()->click();
    ClickLine(*window->List(), 2);
    EXPECT_EQ(window->List()->selectedItems().size(), 4);
    dialog.accept();
  });
  frame_->Action(kIdSetVisibility)->trigger();
  EXPECT_EQ(shell_->Doc().IsLayerVisible(2), 0);
  EXPECT_EQ(store_.ReadInt(kSectionSettings, kAutoApplyVisibilityKey, -1), 0);
}

TEST(LayerVisibilityWindowTest, LongPathsAreShortenedToTheControlsRealWidths) {
  TestApplication();
  const std::string deep = "/home/user/projects/customer/boards/revision-c/gerbers/top.gbr";
  CLayerVisibilityDlg dialog(nullptr);
  dialog.AddLayerName(deep, 1);
  dialog.AddLayerName("top.gbr", 0);
  dialog.SetApertureFileName(deep);
  dialog.SetShowDrillHoleBox(false);
  bool checked = false;
  QTimer::singleShot(0, [&] {
    auto* window = qobject_cast<CLayerVisibilityWindow*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    QListWidget& list = *window->List();
    const QString shown = list.item(0)->text();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("/.....")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("/top.gbr")));
    EXPECT_LE(list.sizeHintForColumn(0), list.viewport()->width());
    EXPECT_EQ(list.item(0)->toolTip(), ToQString(deep));
    EXPECT_EQ(list.item(1)->text(), QStringLiteral("top.gbr"));
    EXPECT_TRUE(list.item(0)->isSelected());
    EXPECT_FALSE(list.item(1)->isSelected());
    const QLabel& label = *window->ApertureFileText();
    EXPECT_TRUE(label.text().startsWith(QStringLiteral("/.....")));
    EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()), label.contentsRect().width());
    EXPECT_FALSE(window->ShowDrillHolesBox()->isVisible());
    checked = true;
    window->reject();
  });
  EXPECT_EQ(CLayerVisibilityWindow::Run(dialog, {}, nullptr), DialogResult::kCancel);
  EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace corvane
