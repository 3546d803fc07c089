#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/print_run.h"

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
  std::string fileName;                // the first of fileNames
  std::vector<std::string> fileNames;  // kFileOpen: every PATH given
  std::string printerName;  // for kFilePrintTo
  std::string error;        // for kUsageError
};

// The arguments after the program name, read by the one argument parser:
// PATHs to open (a work file, a folder, an archive, a job file, or plot and
// drill files; a work file only alone); "-p"/"--print" prints one PATH,
// "-pt"/"--print-to" prints it to the printer named next; "--help" ("-h") and "--version" stand alone. A
// name starting with "-" is an option unless it follows "--".
CommandLineInfo ParseCommandLine(std::span<const std::string> args);

// What a command line that prints asks to print, and where (no printer: the
// default one); nothing for any other command line. It is printed without the
// window, before start-up.
std::optional<PrintRequest> PrintRequestOf(const CommandLineInfo& info);

// What "--help" prints.
inline constexpr std::string_view kProgramUsage =
    "usage: corvane [WORKFILE | PATH...]\n"
    "       corvane -p|--print WORKFILE|PATH\n"
    "       corvane -pt|--print-to PRINTER WORKFILE|PATH\n"
    "       corvane [--version] [--help]\n"
    "       corvane layers [--json] PATH...\n"
    "       corvane dump [--items] [--standard] [--defaults] [--aperture-file F]\n"
    "                    [--drill-tool-file F] [--drill-file F] FILE...\n"
    "       corvane save [--defaults] [--aperture-file F] [--drill-tool-file F]\n"
    "                    [--drill-file F] -o OUT.wrk FILE...\n"
    "       corvane export [--standard] [--defaults] [--size WxH | --dpi N]\n"
    "                      [--background #RRGGBB] [--page letter|a4|a3|legal]\n"
    "                      [--aperture-file F] [--drill-tool-file F] [--drill-file F]\n"
    "                      -o OUT.png|.svg|.pdf FILE...\n"
    "       corvane stats [--json] [--defaults] [--aperture-file F]\n"
    "                     [--drill-tool-file F] [--drill-file F] FILE...\n"
    "       corvane netlist [--json] [--reference FILE] [--write-ipc FILE] PATH...\n"
    "       corvane check [--json] [--rules FILE] [--min-width MM] [--min-clearance MM]\n"
    "                     [--min-annular-ring MM] [--min-drill MM] [--min-hole-spacing MM]\n"
    "                     [--min-drill-to-copper MM] [--min-mask-web MM]\n"
    "                     [--min-silk-clearance MM] [--defaults] PATH...\n"
    "       corvane diff [--json] [--tolerance MM] [--png DIR] [--defaults] OLD NEW\n"
    "Corvane shows Gerber plot files, aperture tables, NC drill files and drill\n"
    "tool tables of a printed circuit board for checking by eye. Without a\n"
    "command it opens the window, with WORKFILE or else the work file used last.\n"
    "A PATH, wherever a FILE or WORKFILE is taken, may also be a folder, an\n"
    "archive (.zip, .tar, .tar.gz, .7z, read in memory), a Gerber job file or\n"
    "any list of plot and drill files: each file is known by its content, and a\n"
    "set of today's files opens in the standard reading without a question.\n"
    "layers lists every file found: <kind> <side> <type> <path>, or JSON.\n"
    "--print prints WORKFILE on the default printer, --print-to on PRINTER, at\n"
    "its print magnification, and ends; no window opens and no display is needed.\n"
    "dump --standard prints the files as today's Gerber and Excellon formats read\n"
    "them, one record a line in inches; the README lists the records.\n"
    "export --standard draws that reading; --dpi N sizes the picture to all that\n"
    "is drawn at N pixels per plot unit (an inch in the standard reading).\n"
    "stats prints each layer as exact geometry: dark area in mm2, islands, holes,\n"
    "extents in mm and objects; --json as an array of objects.\n"
    "netlist compares the copper's nets with the IPC-D-356 netlist (or the X2\n"
    "net names): opens, shorts, unconnected points; exit 1 with opens or shorts.\n"
    "diff compares two revisions (any PATH) as made, layer by layer: one line per\n"
    "place, <layer> <added|removed> <area> mm2 <box> mm, or JSON; exit status 0\n"
    "when nothing differs beyond the tolerance (0.025 mm) and every layer is\n"
    "paired, 1 otherwise, 2 for bad use or a set that cannot be read.\n";

}  // namespace corvane
