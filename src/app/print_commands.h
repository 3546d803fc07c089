#pragma once

#include <functional>
#include <string>

#include "view/print_job.h"

namespace corvane {

class CommandTarget;
class DialogRunner;
class Prompter;
class SettingsStore;

// Printing's commands: Print (57607, with the print dialog), print without
// it (57608), Print Preview (57609) and Print Magnification (32808) on the
// view's link of the routing chain; Print Setup (57606) on the application's.
class PrintCommands {
 public:
  // Nothing is owned; all outlive the commands. `title` names the document
  // to the spooler.
  PrintCommands(CCorvaneView& view, SettingsStore& store, Prompter& prompter, DialogRunner& dialogs,
                PrintService& printers, std::function<std::string()> title);
  void Register(CommandTarget& viewTarget, CommandTarget& applicationTarget);

  PrintOutcome OnFilePrint();
  PrintOutcome OnFilePrintDirect();
  void OnFilePrintPreview();
  void OnFilePrintSetup();
  void OnPrintMagnification();

 private:
  CCorvaneView& view_;
  SettingsStore& store_;
  Prompter& prompter_;
  DialogRunner& dialogs_;
  PrintService& printers_;
  std::function<std::string()> title_;
  PrintJob job_;
};

}  // namespace corvane
