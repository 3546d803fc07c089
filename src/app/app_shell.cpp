#include "app/app_shell.h"

#include <algorithm>

#include "app/command_ids.h"
#include "app/command_line_info.h"
#include "intake/intake_set.h"
#include "app/status_texts.h"
#include "platform/frame_host.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

bool IsWaiting(int32_t toolState) {
  return toolState == kToolWantsFirstPoint || toolState == kToolWantsSecondPoint;
}

}  // namespace

AppShell::AppShell(SettingsStore& store, Prompter& prompter, WorkFileIo& io)
    : store_(store),
      prompter_(prompter),
      recent_(&store, kRecentFileCount),
      loader_(doc_, &store, &prompter),
      lifecycle_(loader_, prompter, io, recent_) {
  loader_.LoadStoredDefaults();
  router_.AddTarget(&viewTarget_);
  router_.AddTarget(&documentTarget_);
  router_.AddTarget(&frameTarget_);
  router_.AddTarget(&applicationTarget_);
  AddDocumentCommands();
  AddFrameCommands();
  AddApplicationCommands();
  AddInspectorCommands();
  lifecycle_.SetObserver(this);
}

void AppShell::AttachView(CCorvaneView& view, std::function<void()> initialUpdate) {
  view_ = &view;
  initialUpdate_ = std::move(initialUpdate);
  view.AttachStandardModels(&standardModels_);
  view.SetInterpretation(StoredInterpretation(&store_));
  loader_.SetWarnMixedUnits(view.GetInterpretation() == Interpretation::kClassic);
  viewCommands_ = std::make_unique<ViewCommands>(view, loader_, prompter_, &store_);
  viewCommands_->Register(viewTarget_);
  layerPanel_ = std::make_unique<LayerPanel>(view, loader_, prompter_, &store_);
  view.AttachServices(&store_, &loader_);
  viewToolCommands_ = std::make_unique<ViewToolCommands>(view, dialogs_, store_);
  viewToolCommands_->Register(viewTarget_);
  formatCommands_ = std::make_unique<FormatCommands>(view, loader_, dialogs_, store_, prompter_);
  formatCommands_->Register(viewTarget_);
  fileDialogCommands_ =
      std::make_unique<FileDialogCommands>(view, loader_, prompter_, store_, dialogs_);
  fileDialogCommands_->Register(viewTarget_);
  boardCommands_ = std::make_unique<BoardCommands>(
      view, standardModels_, [this] { return geometry_.get(); }, store_, prompter_,
      [this](std::string_view text) {
        if (frame_ != nullptr) frame_->SetStatusText(text.empty() ? kIdleStatusText : text);
      });
  boardCommands_->SetPoster(poster_);
  boardCommands_->Register(viewTarget_);
  netlist_ = std::make_unique<NetlistCommands>(view, loader_, standardModels_, prompter_);
  netlist_->SetGeometry(geometry_.get());
  netlist_->Register(viewTarget_);
  CheckServices checks;
  checks.geometry = [this] { return geometry_.get(); };
  checks.status = [this](std::string_view text) {
    if (frame_ != nullptr) frame_->SetStatusText(text);
  };
  checkCommands_ =
      std::make_unique<CheckCommands>(view, standardModels_, store_, dialogs_, prompter_, checks);
  checkCommands_->Register(viewTarget_);
  AddCompareCommands();
}

void AppShell::AddCompareCommands() {
  compareMode_ = std::make_unique<CompareMode>(CompareMode::Services{
      *view_, standardModels_, prompter_, &store_, [this](std::string_view text) {
        if (frame_ != nullptr) frame_->SetStatusText(text);
      }});
  CompareMode& compare = *compareMode_;
  const auto comparing = [&compare](int32_t, CommandUi& ui) { ui.enabled = compare.Active(); };
  const auto placed = [&compare](int32_t, CommandUi& ui) {
    ui.enabled = compare.Active() && !compare.Differences().Rows().empty();
  };
  viewTarget_.On(kIdCompareWith, [&compare](int32_t) { compare.OnCompareWith(); });
  viewTarget_.On(kIdCompareWithFolder, [&compare](int32_t) { compare.OnCompareWithFolder(); });
  viewTarget_.On(kIdLeaveCompare, [&compare](int32_t) { compare.Leave(); }, comparing);
  viewTarget_.On(kIdNextDifference, [&compare](int32_t) { compare.Next(); }, placed);
  viewTarget_.On(kIdPreviousDifference, [&compare](int32_t) { compare.Previous(); }, placed);
}

void AppShell::AttachPrinting(PrintService& printers, DialogRunner& dialogs) {
  if (view_ == nullptr) return;
  printCommands_ = std::make_unique<PrintCommands>(*view_, store_, prompter_, dialogs, printers,
                                                   [this] { return lifecycle_.GetTitle(); });
  printCommands_->Register(viewTarget_, applicationTarget_);
}

void AppShell::OnDocumentReplaced() {
  if (checkCommands_ != nullptr) checkCommands_->Clear();
  // Another set is open: what was compared is gone.
  if (compareMode_ != nullptr) compareMode_->Leave();
  // The set's own reading, else the user's.
  if (view_ != nullptr) {
    view_->SetInterpretation(SetInterpretation(doc_.GetReading(), StoredInterpretation(&store_)));
    loader_.SetWarnMixedUnits(view_->GetInterpretation() == Interpretation::kClassic);
  }
  if (initialUpdate_) {
    initialUpdate_();
  } else if (view_ != nullptr) {
    view_->OnInitialUpdate();
  }
}

void AppShell::OnTitleChanged(const std::string& caption) {
  if (frame_ != nullptr) frame_->SetCaption(caption);
}

StartupResult AppShell::InitInstance(const CommandLineInfo& commandLine) {
  recent_.Load();
  return RunStartup(commandLine, store_, lifecycle_);
}

void AppShell::AddDocumentCommands() {
  documentTarget_.On(kIdFileSave, [this](int32_t) { lifecycle_.OnFileSave(); });
  documentTarget_.On(kIdFileSaveAs, [this](int32_t) { lifecycle_.OnFileSaveAs(); });
}

void AppShell::AddFrameCommands() {
  const auto needsFrame = [this](int32_t, CommandUi& ui) { ui.enabled = frame_ != nullptr; };
  frameTarget_.On(
      kIdViewToolbar, [this](int32_t) { frame_->ShowToolBar(!frame_->IsToolBarVisible()); },
      [this, needsFrame](int32_t id, CommandUi& ui) {
        needsFrame(id, ui);
        ui.checked = frame_ != nullptr && frame_->IsToolBarVisible();
      });
  frameTarget_.On(
      kIdViewStatusBar, [this](int32_t) { frame_->ShowStatusBar(!frame_->IsStatusBarVisible()); },
      [this, needsFrame](int32_t id, CommandUi& ui) {
        needsFrame(id, ui);
        ui.checked = frame_ != nullptr && frame_->IsStatusBarVisible();
      });
  frameTarget_.On(
      kIdViewLayerPanel,
      [this](int32_t) { frame_->ShowLayerPanel(!frame_->IsLayerPanelVisible()); },
      [this, needsFrame](int32_t id, CommandUi& ui) {
        needsFrame(id, ui);
        ui.checked = frame_ != nullptr && frame_->IsLayerPanelVisible();
      });
}

void AppShell::AddApplicationCommands() {
  const auto needsFrame = [this](int32_t, CommandUi& ui) { ui.enabled = frame_ != nullptr; };
  applicationTarget_.On(kIdFileNew, [this](int32_t) { lifecycle_.OnFileNew(); });
  applicationTarget_.On(kIdFileOpen, [this](int32_t) { lifecycle_.OnFileOpen(); });
  applicationTarget_.On(kIdFileOpenFolder, [this](int32_t) { lifecycle_.OnFileOpenFolder(); });
  applicationTarget_.OnRange(
      kIdFileMruFirst, kIdFileMruLast,
      [this](int32_t id) { lifecycle_.OpenRecentFile(id - kIdFileMruFirst); },
      [this](int32_t id, CommandUi& ui) { ui.enabled = id - kIdFileMruFirst < recent_.Count(); });
  applicationTarget_.On(
      kIdAppExit, [this](int32_t) { frame_->Close(); }, needsFrame);
  applicationTarget_.On(
      kIdAppAbout, [this](int32_t) { frame_->ShowAbout(); }, needsFrame);
  applicationTarget_.On(
      kIdHelpTopics, [this](int32_t) { WinHelp(0, kHelpFinder); }, needsFrame);
}

void AppShell::WinHelp(uint32_t data, uint32_t command) {
  if (frame_ == nullptr) return;
  if (const auto page = helpMap_.Resolve(data, command)) frame_->ShowHelpPage(*page);
}

void AppShell::AttachPoster(UiThreadPoster& poster) {
  poster_ = &poster;
  geometry_ = std::make_unique<LayerGeometryCache>(standardModels_, poster);
  if (boardCommands_ != nullptr) boardCommands_->SetPoster(poster_);
  geometry_->SetStatusSink([this](std::string_view text) {
    // A pointer tool's prompt or result is worth more than the news of a build.
    if (frame_ == nullptr || (view_ != nullptr && (IsWaiting(view_->Tools().MeasureState()) ||
                                                   IsWaiting(view_->Tools().OffsetState())))) {
      return;
    }
    frame_->SetStatusText(text.empty() ? kIdleStatusText : text);
  });
  if (netlist_ != nullptr) netlist_->SetGeometry(geometry_.get());
}

// Each working set the standard reading shows gets its geometry built in the
// background, so that what asks for it later finds it ready.
void AppShell::PrepareGeometry() {
  if (geometry_ == nullptr || geometryLoadCount_ == loader_.LoadCount()) return;
  if (view_ == nullptr || !view_->DrawsStandard() || doc_.IsEmpty()) return;
  geometryLoadCount_ = loader_.LoadCount();
  geometry_->RequestAll();
}

void AppShell::OnIdle() {
  PrepareGeometry();
  if (boardCommands_ != nullptr) boardCommands_->OnIdle();
  if (netlist_ != nullptr) netlist_->OnIdle();
  if (hintLoadCount_ == loader_.LoadCount()) return;
  hintLoadCount_ = loader_.LoadCount();
  // A pointer tool's prompt stays until its points are given, and its result
  // after them; a hint that waited would overwrite the result, so a load that
  // finds a tool waiting goes without one.
  if (view_ != nullptr &&
      (IsWaiting(view_->Tools().MeasureState()) || IsWaiting(view_->Tools().OffsetState()))) {
    return;
  }
  if (view_ == nullptr || frame_ == nullptr || view_->DrawsStandard() || doc_.IsEmpty()) return;
  // Once per working set: reading the same files again (an offset, a format
  // change, Reload All) says nothing new.
  std::string workingSet = doc_.GetNcDrillFileName();
  for (const PlotLayer& layer : doc_.Layers()) workingSet += "\n" + layer.fileName;
  if (workingSet == hintWorkingSet_) return;
  hintWorkingSet_ = workingSet;
  // Read once for its features only; the classic reading keeps no model.
  const uint32_t features = StandardFeatures(standardModels_.Current().model);
  standardModels_.Release();
  const std::string hint = ClassicReadingHint(features);
  if (!hint.empty()) frame_->SetStatusHint(ShortClassicReadingHint(features), hint);
}

void AppShell::OpenDroppedFiles(const std::vector<std::string>& paths) {
  const bool allWorkFiles = std::all_of(paths.begin(), paths.end(),
                                        [](const std::string& path) { return IsWorkFileName(path); });
  if (allWorkFiles) {
    for (const std::string& path : paths) lifecycle_.OpenDocumentFile(path);
    return;
  }
  // Plot and drill files dropped together are one set; work files among them
  // have no place in it.
  std::vector<std::string> set;
  for (const std::string& path : paths) {
    if (!IsWorkFileName(path)) set.push_back(path);
  }
  lifecycle_.OpenPaths(set);
}

}  // namespace corvane
