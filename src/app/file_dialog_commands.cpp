#include "app/file_dialog_commands.h"

#include "app/command_ids.h"
#include "app/command_router.h"
#include "dialogs/aperture_list_dlg.h"
#include "dialogs/drill_tool_list_dlg.h"
#include "dialogs/gerber_files_dlg.h"
#include "loading/document_loader.h"
#include "platform/dialog_runner.h"
#include "platform/prompter.h"
#include "view/corvane_view.h"

namespace corvane {

FileDialogCommands::FileDialogCommands(CCorvaneView& view, DocumentLoader& loader,
                                       Prompter& prompter, SettingsStore& store,
                                       DialogRunner& dialogs)
    : view_(view), loader_(loader), prompter_(prompter), store_(store), dialogs_(dialogs) {}

void FileDialogCommands::Register(CommandTarget& viewTarget) {
  viewTarget.On(kIdGerberFile, [this](int32_t) { OnGerberFile(); });
  viewTarget.On(kIdApertureFile, [this](int32_t) { OnApertureFile(); });
  viewTarget.On(kIdDrillToolFile, [this](int32_t) { OnDrillToolFile(); });
}

void FileDialogCommands::OnGerberFile() {
  CCorvaneDoc& doc = view_.GetDocument();
  CGerberFilesDlg dialog(&doc, &prompter_, &store_);
  for (const PlotLayer& layer : doc.Layers()) dialog.AddEntry(layer);
  if (dialogs_.RunModal(dialog) != DialogResult::kOk) return;
  doc.RemoveAllLayers();
  for (const PlotLayer& entry : dialog.Entries()) doc.AddLayer(entry);
  {
    WaitCursor wait(&prompter_);
    loader_.ReloadAll();
  }
  doc.SetModified(true);
  view_.OnZoomExtents();
}

void FileDialogCommands::OnApertureFile() {
  CApertureListDlg dialog(loader_, &prompter_);
  dialogs_.RunModal(dialog);
  view_.RedrawView();
}

void FileDialogCommands::OnDrillToolFile() {
  CDrillToolListDlg dialog(loader_, &prompter_);
  dialogs_.RunModal(dialog);
  view_.RedrawView();
}

}  // namespace corvane
