#include "app/command_line_info.h"

#include "cli/argument_parser.h"
#include "intake/intake_set.h"

namespace corvane {
namespace {

constexpr OptionSpec kWindowOptions[] = {
    {"-p", "--print"},
    {"-pt", "--print-to", true, "a printer name"},
    {"--help", "-h"},
    {"--version"},
};

CommandLineInfo UsageError(std::string text) {
  CommandLineInfo info;
  info.action = CommandLineInfo::Action::kUsageError;
  info.error = std::move(text);
  return info;
}

}  // namespace

CommandLineInfo ParseCommandLine(std::span<const std::string> args) {
  ParsedArguments parsed;
  std::string error;
  if (!ParseArguments(args, kWindowOptions, parsed, error)) return UsageError(error);
  for (const std::string_view alone : {"--help", "--version"}) {
    if (parsed.Has(alone) && args.size() != 1) {
      return UsageError(std::string(alone) + " stands alone");
    }
  }
  CommandLineInfo info;
  if (parsed.Has("--help")) {
    info.action = CommandLineInfo::Action::kShowHelp;
    return info;
  }
  if (parsed.Has("--version")) {
    info.action = CommandLineInfo::Action::kShowVersion;
    return info;
  }
  const bool printTo = parsed.Has("-pt");
  const bool print = parsed.Has("-p");
  if (parsed.operands.size() > 1) {
    if (print || printTo) return UsageError("only one file can be printed at a time");
    for (const std::string& operand : parsed.operands) {
      if (IsWorkFileName(operand)) return UsageError("a work file opens only on its own");
    }
  }
  info.fileNames = parsed.operands;
  if (!parsed.operands.empty()) info.fileName = parsed.operands.front();
  if ((print || printTo) && info.fileName.empty()) return UsageError("nothing to print");
  if (printTo) {
    info.action = CommandLineInfo::Action::kFilePrintTo;
    info.printerName = *parsed.Value("-pt");
  } else if (print) {
    info.action = CommandLineInfo::Action::kFilePrint;
  } else if (!info.fileName.empty()) {
    info.action = CommandLineInfo::Action::kFileOpen;
  }
  return info;
}

std::optional<PrintRequest> PrintRequestOf(const CommandLineInfo& info) {
  switch (info.action) {
    case CommandLineInfo::Action::kFilePrint:
      return PrintRequest{info.fileName, std::nullopt};
    case CommandLineInfo::Action::kFilePrintTo:
      return PrintRequest{info.fileName, info.printerName};
    default:
      return std::nullopt;
  }
}

}  // namespace corvane
