#include "app/command_line_info.h"

namespace corvane {
namespace {

CommandLineInfo UsageError(std::string text) {
  CommandLineInfo info;
  info.action = CommandLineInfo::Action::kUsageError;
  info.error = std::move(text);
  return info;
}

}  // namespace

CommandLineInfo ParseCommandLine(std::span<const std::string> args) {
  CommandLineInfo info;
  bool print = false;
  bool printTo = false;
  bool optionsEnded = false;
  std::string printer;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (arg == "-p" || arg == "--print")) {
      print = true;
    } else if (!optionsEnded && (arg == "-pt" || arg == "--print-to")) {
      if (i + 1 >= args.size()) return UsageError(arg + " needs a printer name");
      printTo = true;
      printer = args[++i];
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      return UsageError("unknown option " + arg);
    } else if (!info.fileName.empty()) {
      return UsageError("only one work file can be opened at a time");
    } else {
      info.fileName = arg;
    }
  }
  if ((print || printTo) && info.fileName.empty()) return UsageError("nothing to print");
  if (printTo) {
    info.action = CommandLineInfo::Action::kFilePrintTo;
    info.printerName = printer;
  } else if (print) {
    info.action = CommandLineInfo::Action::kFilePrint;
  } else if (!info.fileName.empty()) {
    info.action = CommandLineInfo::Action::kFileOpen;
  }
  return info;
}

}  // namespace corvane
