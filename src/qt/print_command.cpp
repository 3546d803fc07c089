#include "qt/print_command.h"

#include <QPrinterInfo>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "cli/headless_document.h"
#include "qt/offscreen_application.h"
#include "qt/print_support.h"
#include "qt/qt_settings_store.h"

namespace corvane {
namespace {

void WriteLine(std::FILE* stream, std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fputc('\n', stream);
}

}  // namespace

int RunPrintCommand(const PrintRequest& request) {
  OffscreenApplication app;
  std::unique_ptr<QtPrintService> printers;

  WarningLinePrompter prompter([](std::string_view line) { WriteLine(stderr, line); });
  PrintEnvironment environment;
  environment.openUserSettings = [] { return std::make_unique<QtSettingsStore>(); };
  environment.prompter = &prompter;
  environment.writeError = [](std::string_view line) { WriteLine(stderr, line); };
  environment.openPrinters = [&](const std::optional<std::string>& name,
                                 std::string& error) -> PrintService* {
    app.Ensure();
    printers = std::make_unique<QtPrintService>();
    const QString printer =
        name ? QString::fromStdString(*name) : QPrinterInfo::defaultPrinterName();
    if (printer.isEmpty()) {
      error = "no default printer";
      return nullptr;
    }
    if (!printers->SelectPrinter(printer)) {
      error = "no printer named " + printer.toStdString();
      return nullptr;
    }
    return printers.get();
  };
  const int status = RunPrint(request, environment);
  // The job is with the spooler once the printer has ended it.
  printers.reset();
  return status;
}

}  // namespace corvane
