#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_startup.h"
#include "app/check_commands.h"
#include "app/compare_mode.h"
#include "app/command_router.h"
#include "app/document_lifecycle.h"
#include "app/file_dialog_commands.h"
#include "app/format_commands.h"
#include "app/help_topics.h"
#include "app/layer_panel.h"
#include "app/layer_geometry_cache.h"
#include "app/netlist_commands.h"
#include "app/print_commands.h"
#include "app/recent_file_list.h"
#include "app/view_commands.h"
#include "app/view_tool_commands.h"
#include "app/board_commands.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "loading/standard_model_cache.h"
#include "platform/dialog_runner.h"

namespace corvane {

struct CommandLineInfo;
class FrameHost;
class Inspector;
class Prompter;
class SettingsStore;
class WorkFileIo;

// The application without its widgets: the one document, the recent files,
// start-up, help, and the command routing chain view → document → frame →
// application with the handlers the document, frame and application own.
class AppShell : private DocumentObserver {
 public:
  // None of the services is owned; they outlive the shell.
  AppShell(SettingsStore& store, Prompter& prompter, WorkFileIo& io);
  AppShell(const AppShell&) = delete;
  AppShell& operator=(const AppShell&) = delete;

  // The main window; may be null (commands that need it are then disabled).
  void AttachFrame(FrameHost* frame) { frame_ = frame; }
  // Where the commands run their dialogs; may be null (every dialog then
  // cancels). The commands take it at each run, so it may come and go.
  void AttachDialogRunner(DialogRunner* runner) { dialogs_.Attach(runner); }
  // The one view: it gets the initial update whenever the document is
  // replaced, and its commands join the routing chain first. Attach it once.
  // `initialUpdate`, when given, runs instead of the view's own OnInitialUpdate
  // (the window defers it until it has a size).
  void AttachView(CCorvaneView& view, std::function<void()> initialUpdate = {});
  // The printers and the runner of the print commands' dialog; the view must
  // be attached first. Without them the print commands stay disabled.
  void AttachPrinting(PrintService& printers, DialogRunner& dialogs);
  CCorvaneView* View() const { return view_; }
  // The layer panel's rows and rules; null until the view is attached.
  LayerPanel* Layers() const { return layerPanel_.get(); }
  // Tools > Check Netlist... and its list; null until the view is attached.
  NetlistCommands* Netlist() const { return netlist_.get(); }
  void SetHelpMap(HelpTopicMap map) { helpMap_ = std::move(map); }

  CCorvaneDoc& Doc() { return doc_; }
  // Loads into the document; every command that reloads it goes through here.
  DocumentLoader& Loader() { return loader_; }
  DocumentLifecycle& Lifecycle() { return lifecycle_; }
  RecentFileList& RecentFiles() { return recent_; }
  SettingsStore& Store() { return store_; }
  // The view's link of the chain; the view registers its commands here.
  CommandTarget& ViewTarget() { return viewTarget_; }

  // Loads the recent files and carries out the command line or reopens the
  // last work file.
  StartupResult InitInstance(const CommandLineInfo& commandLine);

  CommandUi Update(int32_t id) const { return router_.Update(id); }
  bool Execute(int32_t id) const { return router_.Execute(id); }

  // Every help request goes through here: HELP_FINDER opens the contents and
  // index, HELP_CONTEXT the topic with that number.
  void WinHelp(uint32_t data, uint32_t command);
  // A dialog's Help button: the topic 0x20000 + the dialog's resource number.
  void ShowHelpTopic(uint32_t dialogResource) {
    WinHelp(HelpTopicForDialog(dialogResource), kHelpContext);
  }

  // The window is idle: after a load in the classic reading the status bar
  // says once per working set whether its files use what only the standard
  // reading draws.
  void OnIdle();
  StandardModelCache& StandardModels() { return standardModels_; }
  // Where builds on the worker report back to the window's thread; from then
  // on the layers' geometry is built in the background whenever the standard
  // reading shows a working set. Attach it once.
  void AttachPoster(UiThreadPoster& poster);
  // The layers' geometry; null until a poster is attached.
  LayerGeometryCache* Geometry() { return geometry_.get(); }
  // Null until a view is attached.
  BoardCommands* Board() { return boardCommands_.get(); }
  // The fabrication checks and their findings; null until the view is attached.
  CheckCommands* Checks() const { return checkCommands_.get(); }

  // The Inspector of the window's view, owned by the window; null detaches
  // it (its commands are then disabled).
  void AttachInspector(Inspector* inspector) { inspector_ = inspector; }
  Inspector* GetInspector() const { return inspector_; }

  // Compare mode; null until the view is attached.
  CompareMode* Compare() const { return compareMode_.get(); }

  // Work files dropped on the window open one after the other; any other
  // files dropped (folders, archives, plot and drill files) open as one set.
  void OpenDroppedFiles(const std::vector<std::string>& paths);
  // Exit and closing the window: false keeps the program running.
  bool CanClose() { return lifecycle_.CanClose(); }

 private:
  void OnDocumentReplaced() override;
  void OnTitleChanged(const std::string& caption) override;
  void AddDocumentCommands();
  void AddFrameCommands();
  void AddApplicationCommands();
  // The Inspector's panel, Find and units (inspector_commands.cpp).
  void AddInspectorCommands();
  void PrepareGeometry();
  void AddCompareCommands();

  // Passes each run to the attached runner, or cancels without one.
  class DialogRunnerSlot : public DialogRunner {
   public:
    void Attach(DialogRunner* runner) { runner_ = runner; }
    DialogResult RunModal(ModalDialog& dialog) override {
      return runner_ == nullptr ? DialogResult::kCancel : runner_->RunModal(dialog);
    }

   private:
    DialogRunner* runner_ = nullptr;
  };

  SettingsStore& store_;
  Prompter& prompter_;
  RecentFileList recent_;
  CCorvaneDoc doc_;
  DocumentLoader loader_;
  StandardModelCache standardModels_{loader_};
  std::unique_ptr<LayerGeometryCache> geometry_;
  uint64_t geometryLoadCount_ = 0;
  uint64_t hintLoadCount_ = 0;
  std::string hintWorkingSet_;
  DocumentLifecycle lifecycle_;
  HelpTopicMap helpMap_;
  FrameHost* frame_ = nullptr;
  CCorvaneView* view_ = nullptr;
  std::function<void()> initialUpdate_;
  std::unique_ptr<ViewCommands> viewCommands_;
  std::unique_ptr<LayerPanel> layerPanel_;
  std::unique_ptr<BoardCommands> boardCommands_;
  UiThreadPoster* poster_ = nullptr;
  DialogRunnerSlot dialogs_;
  std::unique_ptr<ViewToolCommands> viewToolCommands_;
  std::unique_ptr<FileDialogCommands> fileDialogCommands_;
  std::unique_ptr<FormatCommands> formatCommands_;
  std::unique_ptr<PrintCommands> printCommands_;
  std::unique_ptr<NetlistCommands> netlist_;
  std::unique_ptr<CheckCommands> checkCommands_;
  Inspector* inspector_ = nullptr;
  std::unique_ptr<CompareMode> compareMode_;

  CommandTarget viewTarget_;
  CommandTarget documentTarget_;
  CommandTarget frameTarget_;
  CommandTarget applicationTarget_;
  CommandRouter router_;
};

}  // namespace corvane
