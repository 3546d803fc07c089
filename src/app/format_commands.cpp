#include "app/format_commands.h"

#include "app/command_ids.h"
#include "app/command_router.h"
#include "dialogs/aperture_format_dlg.h"
#include "dialogs/drill_format_dlg.h"
#include "dialogs/drill_tool_format_dlg.h"
#include "dialogs/format_apply.h"
#include "dialogs/gerber_format_dlg.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "platform/dialog_runner.h"

namespace corvane {

FormatCommands::FormatCommands(CCorvaneView& view, DocumentLoader& loader, DialogRunner& dialogs,
                               SettingsStore& store, Prompter& prompter)
    : view_(view), loader_(loader), dialogs_(dialogs), store_(store), prompter_(prompter) {}

void FormatCommands::Register(CommandTarget& viewTarget) {
  viewTarget.On(kIdGerberFormat, [this](int32_t) { OnGerberFormat(); });
  viewTarget.On(kIdDrillFormat, [this](int32_t) { OnDrillFormat(); });
  viewTarget.On(kIdApertureFormat, [this](int32_t) { OnApertureFormat(); });
  viewTarget.On(kIdDrillToolFormat, [this](int32_t) { OnDrillToolFormat(); });
}

template <typename Dialog>
void FormatCommands::RunAndApply() {
  Dialog dialog(&prompter_);
  dialog.Fill(loader_.Doc().Settings());
  if (dialogs_.RunModal(dialog) != DialogResult::kOk) return;
  dialog.Apply(FormatApplyTarget(loader_, store_, &prompter_, view_));
}

void FormatCommands::OnGerberFormat() { RunAndApply<CGerberFormatDlg>(); }
void FormatCommands::OnDrillFormat() { RunAndApply<CDrillFormatDlg>(); }
void FormatCommands::OnApertureFormat() { RunAndApply<CApertureFormatDlg>(); }
void FormatCommands::OnDrillToolFormat() { RunAndApply<CDrillToolFormatDlg>(); }

}  // namespace corvane
