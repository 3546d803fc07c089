#include "qt/print_support.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "app/app_shell.h"
#include "app/command_ids.h"
#include "app/disk_work_file_io.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "qt/main_frame.h"
#include "qt/print_magnification_window.h"
#include "qt/view_window.h"
#include "test_application.h"
#include "view/corvane_view.h"
#include "view/print_job.h"

namespace corvane {
namespace {

const QString kSourceDir =
    QDir::cleanPath(QStringLiteral(CORVANE_TEST_DATA_DIR) + QStringLiteral("/../.."));
const std::string kDemoWork =
    (kSourceDir + QStringLiteral("/examples/demo/demo.wrk")).toStdString();

// Runs `step` on the modal window of type W as soon as one is open, and again
// on every later one, until `step` returns false. Windows that never open
// leave `seen` at 0.
template <typename W>
void WhenModal(std::function<bool(W&)> step, int& seen) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, step, &seen] {
    auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
    if (window == nullptr || !window->isVisible()) return;
    ++seen;
    if (!step(*window)) timer->deleteLater();
  });
  timer->start();
}

class PrintSupportTest : public ::testing::Test {
 protected:
  PrintSupportTest() {
    TestApplication();
    shell_ = std::make_unique<AppShell>(store_, prompter_, io_);
    frame_ = std::make_unique<CMainFrame>(*shell_, kSourceDir + QStringLiteral("/help"));
    frame_->resize(900, 700);
    frame_->show();
    EXPECT_TRUE(shell_->Lifecycle().OpenDocumentFile(kDemoWork));
  }
  ~PrintSupportTest() override {
    frame_.reset();
    shell_.reset();
  }
  CCorvaneView& View() { return frame_->ViewWindow().View(); }

  MemorySettingsStore store_;
  RecordingPrompter prompter_;
  DiskWorkFileIo io_;
  std::unique_ptr<AppShell> shell_;
  std::unique_ptr<CMainFrame> frame_;
};

TEST_F(PrintSupportTest, ThePreviewShowsOnePageAndClosesWithTheScreenStateBack) {
  shell_->Doc().SetPrintMagnification(2.0);
  Viewport& viewport = View().GetViewport();
  viewport.ZoomAt(10, 10, 1.5);
  const double scale = viewport.GetScale();
  const DevicePoint scroll = viewport.GetScrollPos();
  const int32_t autoOrigin = shell_->Doc().GetAutoOrigin();

  int seen = 0;
  int pages = -1;
  double scaleWhileOpen = 0.0;
  WhenModal<QPrintPreviewDialog>(
      [&](QPrintPreviewDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        if (preview == nullptr || preview->pageCount() == 0) return true;  // not drawn yet
        pages = preview->pageCount();
        scaleWhileOpen = viewport.GetScale();
        dialog.reject();
        return false;
      },
      seen);
  frame_->Action(kIdFilePrintPreview)->trigger();

  EXPECT_GE(seen, 1);
  EXPECT_EQ(pages, 1);
  EXPECT_DOUBLE_EQ(scaleWhileOpen, 200.0);
  EXPECT_DOUBLE_EQ(viewport.GetScale(), scale);
  EXPECT_EQ(viewport.GetScrollPos(), scroll);
  EXPECT_EQ(shell_->Doc().GetAutoOrigin(), autoOrigin);
  EXPECT_EQ(viewport.GetAutoOrigin(), autoOrigin);
  EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(PrintSupportTest, TheMagnificationWindowKeepsARefusedTextAndStoresAGoodOne) {
  int seen = 0;
  QString shown;
  WhenModal<CPrintMagnificationWindow>(
      [&](CPrintMagnificationWindow& window) {
        if (seen == 1) {
          shown = window.Edit()->text();
          window.Edit()->setText(QStringLiteral("abc"));
          window.accept();  // refused: the window stays open
          window.Edit()->setText(QStringLiteral("2.5"));
          window.accept();
        }
        return false;
      },
      seen);
  frame_->Action(kIdPrintMagnification)->trigger();
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(shown, QStringLiteral("1"));
  EXPECT_EQ(prompter_.messages, std::vector<std::string>{"Please enter a number."});
  EXPECT_EQ(store_.ReadText(kSectionDefaults, "PrintMagnification", ""), "2.5000");
  EXPECT_DOUBLE_EQ(shell_->Doc().GetPrintMagnification(), 2.5);
  EXPECT_TRUE(shell_->Doc().IsModified());
}

TEST_F(PrintSupportTest, TheMagnificationWindowsCancelKeepsEverything) {
  shell_->Doc().SetModified(false);
  int seen = 0;
  WhenModal<CPrintMagnificationWindow>(
      [](CPrintMagnificationWindow& window) {
        window.Edit()->setText(QStringLiteral("7"));
        window.findChildren<QPushButton*>().last()->click();  // Cancel
        return false;
      },
      seen);
  frame_->Action(kIdPrintMagnification)->trigger();
  EXPECT_EQ(seen, 1);
  EXPECT_DOUBLE_EQ(shell_->Doc().GetPrintMagnification(), 1.0);
  EXPECT_FALSE(shell_->Doc().IsModified());
  EXPECT_EQ(store_.ReadText(kSectionDefaults, "PrintMagnification", "none"), "none");
}

TEST_F(PrintSupportTest, APrinterWithNowhereToPrintCannotStartAJob) {
  QtPrintService printers;
  printers.Printer().setOutputFormat(QPrinter::PdfFormat);
  printers.Printer().setOutputFileName(QString());
  const double scale = View().GetViewport().GetScale();
  PrintJob job(View(), printers, &prompter_);
  EXPECT_EQ(job.Print(true, "demo.wrk"), PrintOutcome::kFailed);
  EXPECT_EQ(prompter_.messages, std::vector<std::string>{"Could not start print job."});
  EXPECT_DOUBLE_EQ(View().GetViewport().GetScale(), scale);
  EXPECT_FALSE(printers.SelectPrinter(QStringLiteral("no-such-printer-of-corvane")));
}

// A PDF printer at several resolutions: the page is always 1/100 inch a
// logical unit, its clip box the printable area, and a job one page.
TEST_F(PrintSupportTest, ThePageIsAHundredthOfAnInchAUnitAtEveryResolution) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  int checked = 0;
  for (const int dpi : {72, 300, 600, 1200}) {
    SCOPED_TRACE(dpi);
    QtPrintService printers;
    QPrinter& printer = printers.Printer();
    const QString file = dir.filePath(QStringLiteral("page%1.pdf").arg(dpi));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setResolution(dpi);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(0.5, 0.25, 0.5, 0.25), QPageLayout::Inch));
    QtPrintDevice& device = static_cast<QtPrintDevice&>(printers.CurrentPrinter());
    ASSERT_TRUE(device.StartDoc("demo.wrk"));
    EXPECT_EQ(device.DotsPerInchX(), dpi);
    View().OnPrepareDC(device);
    // 7.5 by 10.5 inches of printable area.
    EXPECT_EQ(device.Page().GetClipBox(), (DeviceRect{0, 0, 750, 1050}));
    EXPECT_TRUE(device.Page().IsPrinting());
    device.EndDoc();

    EXPECT_EQ(PrintJob(View(), printers, &prompter_).Print(true, "demo.wrk"),
              PrintOutcome::kPrinted);
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    const auto pages = QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page\\b"));
    EXPECT_EQ(pages, 1);
    ++checked;
  }
  EXPECT_EQ(checked, 4);
  EXPECT_TRUE(prompter_.messages.empty());
}

}  // namespace
}  // namespace corvane
