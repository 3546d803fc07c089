#pragma once

#include <span>
#include <string>
#include <string_view>

namespace corvane {

// What the command line asks of the window program.
struct CommandLineInfo {
  enum class Action {
    kFileNew,
    kFileOpen,
    kFilePrint,
    kFilePrintTo,
    kShowHelp,
    kShowVersion,
    kUsageError
  };
  Action action = Action::kFileNew;
  std::string fileName;
  std::string printerName;  // for kFilePrintTo
  std::string error;        // for kUsageError
};

// The arguments after the program name, read by the one argument parser: at
// most one work file; "-p"/"--print" prints it, "-pt"/"--print-to" prints it
// to the printer named next; "--help" ("-h") and "--version" stand alone. A
// name starting with "-" is an option unless it follows "--".
CommandLineInfo ParseCommandLine(std::span<const std::string> args);

// What "--help" prints.
inline constexpr std::string_view kProgramUsage =
    "usage: corvane [WORKFILE]\n"
    "       corvane [--version] [--help]\n"
    "       corvane dump [--items] [--defaults] [--aperture-file F] [--drill-tool-file F]\n"
    "                    [--drill-file F] FILE...\n"
    "       corvane save [--defaults] [--aperture-file F] [--drill-tool-file F]\n"
    "                    [--drill-file F] -o OUT.wrk FILE...\n"
    "       corvane export [--defaults] [--size WxH] [--background #RRGGBB]\n"
    "                      [--page letter|a4|a3|legal] -o OUT.png|.svg|.pdf FILE...\n"
    "Corvane shows Gerber plot files, aperture tables, NC drill files and drill\n"
    "tool tables of a printed circuit board for checking by eye. Without a\n"
    "command it opens the window, with WORKFILE or else the work file used last.\n";

}  // namespace corvane
