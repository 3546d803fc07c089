#include "app/print_commands.h"

#include "app/command_ids.h"
#include "app/command_router.h"
#include "dialogs/print_magnification_dlg.h"
#include "document/settings_table.h"
#include "platform/settings_store.h"

namespace corvane {

PrintCommands::PrintCommands(CCorvaneView& view, SettingsStore& store, Prompter& prompter,
                             DialogRunner& dialogs, PrintService& printers,
                             std::function<std::string()> title)
    : view_(view),
      store_(store),
      prompter_(prompter),
      dialogs_(dialogs),
      printers_(printers),
      title_(std::move(title)),
      job_(view, printers, &prompter) {}

void PrintCommands::Register(CommandTarget& viewTarget, CommandTarget& applicationTarget) {
  viewTarget.On(kIdFilePrint, [this](int32_t) { OnFilePrint(); });
  viewTarget.On(kIdFilePrintDirect, [this](int32_t) { OnFilePrintDirect(); });
  viewTarget.On(kIdFilePrintPreview, [this](int32_t) { OnFilePrintPreview(); });
  viewTarget.On(kIdPrintMagnification, [this](int32_t) { OnPrintMagnification(); });
  applicationTarget.On(kIdFilePrintSetup, [this](int32_t) { OnFilePrintSetup(); });
}

PrintOutcome PrintCommands::OnFilePrint() { return job_.Print(false, title_ ? title_() : ""); }

PrintOutcome PrintCommands::OnFilePrintDirect() { return job_.Print(true, title_ ? title_() : ""); }

void PrintCommands::OnFilePrintPreview() { job_.Preview(title_ ? title_() : ""); }

void PrintCommands::OnFilePrintSetup() { printers_.ShowPrintSetup(); }

void PrintCommands::OnPrintMagnification() {
  CCorvaneDoc& doc = view_.GetDocument();
  CPrintMagnificationDlg dialog(&prompter_);
  dialog.multiplier = doc.GetPrintMagnification();
  if (dialogs_.RunModal(dialog) != DialogResult::kOk) return;
  doc.SetPrintMagnification(dialog.multiplier);
  WriteStoredDefault(store_, doc, "PrintMagnification");
  doc.SetModified(true);
}

}  // namespace corvane
