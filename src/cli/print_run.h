#pragma once

// The rules of printing from the command line ("corvane -p FILE.wrk",
// "corvane --print-to PRINTER FILE.wrk"): the work file is loaded as the
// headless commands load it, printed in one job on the default or the named
// printer without the print dialog, and the program ends. No window opens.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class PrintService;
class Prompter;
class SettingsStore;

struct PrintRequest {
  std::string fileName;
  std::optional<std::string> printer;  // none: the default printer
};

struct PrintEnvironment {
  // Opens the user's settings; only read.
  std::function<std::unique_ptr<SettingsStore>()> openUserSettings;
  // Receives the messages of the load; may be null.
  Prompter* prompter = nullptr;
  // One line each, without its line end.
  std::function<void(std::string_view)> writeError;
  // The printers with the named one (or the default one) current; null with
  // the cause in `error` when there is no such printer.
  std::function<PrintService*(const std::optional<std::string>& printer, std::string& error)>
      openPrinters;
};

// Returns 0 when the job went to the spooler, 1 with one line on standard
// error when the file cannot be opened, the printer does not exist or the job
// cannot start.
int RunPrint(const PrintRequest& request, const PrintEnvironment& environment);

}  // namespace corvane
