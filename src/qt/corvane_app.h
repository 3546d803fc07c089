#pragma once

#include <QApplication>
#include <memory>

#include "app/disk_work_file_io.h"
#include "qt/qt_prompter.h"
#include "qt/qt_settings_store.h"
#include "qt/qt_ui_thread_poster.h"

namespace corvane {

class AppShell;
class CMainFrame;

// The F1 filter as an event filter: installed on the application, it swallows
// F1 for the main window and every dialog.
class CF1Filter : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The application object: the settings store, the prompter, the shell with
// the one document, and the main window.
class CCorvaneApp : public QApplication {
  Q_OBJECT

 public:
  CCorvaneApp(int& argc, char** argv);
  ~CCorvaneApp() override;

  // Start-up; the exit status when the program must end at once.
  std::optional<int> InitInstance();
  // InitInstance, then the event loop.
  int Run();

  AppShell& Shell() { return *shell_; }
  CMainFrame* MainFrame() const { return frame_.get(); }

 private:
  CF1Filter f1Filter_;
  QtSettingsStore store_;
  QtPrompter prompter_;
  DiskWorkFileIo io_;
  QtUiThreadPoster poster_;  // outlives the shell, whose builds post to it
  std::unique_ptr<AppShell> shell_;
  std::unique_ptr<CMainFrame> frame_;
};

// The folder of the help pages: CORVANE_HELP_DIR, the installed share folder
// beside the program, or the source tree's help/ for a program run from its
// build folder.
QString FindHelpDir();

// Runs the window program; with no display, says so in one line and ends.
int RunCorvaneWindow(int argc, char** argv);

}  // namespace corvane
