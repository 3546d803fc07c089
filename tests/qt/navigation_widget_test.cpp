#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>

#include "app/app_shell.h"
#include "app/command_ids.h"
#include "app/disk_work_file_io.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "qt/main_frame.h"
#include "qt/qt_text.h"
#include "qt/view_window.h"
#include "test_application.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

const QString kSourceDir =
    QDir::cleanPath(QStringLiteral(CORVANE_TEST_DATA_DIR) + QStringLiteral("/../.."));

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

// The main window over the demo board, at scale 100 and scroll (0, 0).
class NavigationWidgetTest : public ::testing::Test {
 protected:
  NavigationWidgetTest() {
    TestApplication();
    shell_ = std::make_unique<AppShell>(store_, prompter_, io_);
    frame_ = std::make_unique<CMainFrame>(*shell_, kSourceDir + QStringLiteral("/help"));
    frame_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
    EXPECT_TRUE(shell_->Lifecycle().OpenDocumentFile(
        (kSourceDir + QStringLiteral("/examples/demo/demo.wrk")).toStdString()));
    Mapping().SetScale(100.0);
    Mapping().UpdateScrollBars();
    Mapping().SetScrollPosition(0, 0);
    Viewport().installEventFilter(&paints_);
  }
  ~NavigationWidgetTest() override {
    frame_.reset();
    shell_.reset();
  }
  CViewWindow& Window() { return frame_->ViewWindow(); }
  QWidget& Viewport() { return *Window().viewport(); }
  corvane::Viewport& Mapping() { return Window().View().GetViewport(); }
  void Wheel(QPoint at, QPoint angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWheelEvent wheel(at, Viewport().mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Viewport(), &wheel);
  }
  void Move(QPoint to, Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, to, Viewport().mapToGlobal(to), Qt::NoButton, held,
                     Qt::NoModifier);
    QApplication::sendEvent(&Viewport(), &move);
  }
  QString ExpectedPosition(QPoint at) {
    const PlotPoint p = Mapping().PlotPointAt({at.x(), at.y()});
    return ToQString(FormatPointerPosition(p.x, p.y));
  }

  MemorySettingsStore store_;
  RecordingPrompter prompter_;
  DiskWorkFileIo io_;
  std::unique_ptr<AppShell> shell_;
  std::unique_ptr<CMainFrame> frame_;
  PaintCounter paints_;
};

TEST_F(NavigationWidgetTest, TheWheelZoomsAboutThePointerInsteadOfScrolling) {
  const int before = paints_.paints;
  Wheel({100, 50}, {0, 120});
  EXPECT_DOUBLE_EQ(Mapping().GetScale(), 110.0);
  EXPECT_EQ(Mapping().GetScrollPos(), (DevicePoint{10, 5}));
  EXPECT_EQ(Window().verticalScrollBar()->value(), 5);  // the bar shows the view's position
  EXPECT_EQ(paints_.paints, before + 1);
  Wheel({100, 50}, {0, -120});
  EXPECT_NEAR(Mapping().GetScale(), 99.0, 1e-9);
  // A high-resolution wheel: eight small steps make one notch.
  for (int i = 0; i < 8; ++i) Wheel({100, 50}, {0, 15});
  EXPECT_NEAR(Mapping().GetScale(), 108.9, 1e-9);
}

TEST_F(NavigationWidgetTest, CtrlAndShiftWheelScrollByTheLineStep) {
  const DevicePoint line = Mapping().GetLineStep();
  ASSERT_GT(line.y, 0);
  Wheel({100, 50}, {0, -120}, Qt::ControlModifier);
  EXPECT_EQ(Mapping().GetScrollPos(), (DevicePoint{0, line.y}));
  Wheel({100, 50}, {0, -240}, Qt::ShiftModifier);
  EXPECT_EQ(Mapping().GetScrollPos(), (DevicePoint{2 * line.x, line.y}));
  EXPECT_EQ(Window().horizontalScrollBar()->value(), 2 * line.x);
  EXPECT_DOUBLE_EQ(Mapping().GetScale(), 100.0);
}

TEST_F(NavigationWidgetTest, TheMiddleButtonDragsThePictureWithAClosedHand) {
  QTest::mousePress(&Viewport(), Qt::MiddleButton, {}, QPoint(100, 100));
  EXPECT_EQ(Viewport().cursor().shape(), Qt::ClosedHandCursor);
  Move({160, 130}, Qt::MiddleButton);
  EXPECT_EQ(Mapping().GetScrollPos(), (DevicePoint{-60, -30}));
  QTest::mouseRelease(&Viewport(), Qt::MiddleButton, {}, QPoint(160, 130));
  EXPECT_EQ(Viewport().cursor().shape(), Qt::BitmapCursor);  // the zoom tool's again
  EXPECT_DOUBLE_EQ(Mapping().GetScale(), 100.0);
}

TEST_F(NavigationWidgetTest, ThePositionPaneFollowsThePointerBesideTheMessages) {
  const auto* pane = frame_->statusBar()->findChild<QLabel*>(QStringLiteral("positionPane"));
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->accessibleName(), QStringLiteral("Pointer position"));
  frame_->Action(kIdMeasure)->trigger();
  Move({150, 80});
  const QString shown = frame_->PositionText();
  EXPECT_EQ(shown, ExpectedPosition({150, 80}));
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^X -?\\d+\\.\\d{4}  Y -?\\d+\\.\\d{4}$"))
                  .match(shown)
                  .hasMatch())
      << shown.toStdString();
  EXPECT_EQ(pane->accessibleDescription(), shown);
  EXPECT_EQ(frame_->MessageText(), QStringLiteral("Select first measurement point."));
  Wheel({150, 80}, {0, -120}, Qt::ControlModifier);  // the picture moves under the pointer
  EXPECT_NE(frame_->PositionText(), shown);
  EXPECT_EQ(frame_->PositionText(), ExpectedPosition({150, 80}));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&Viewport(), &leave);
  EXPECT_EQ(frame_->PositionText(), QString());
  EXPECT_EQ(frame_->MessageText(), QStringLiteral("Select first measurement point."));
}

}  // namespace
}  // namespace corvane
