#include <array>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "qt/corvane_app.h"
#include "qt/dump_command.h"
#include "qt/export_command.h"
#include "qt/save_command.h"

namespace {

constexpr const char* kUsage =
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

// The headless commands: each takes the arguments after its name and returns
// the exit status. None of them needs a display.
struct Subcommand {
  std::string_view name;
  int (*run)(int argc, char** argv);
};

constexpr std::array kSubcommands{
    Subcommand{"dump", corvane::RunDumpCommand},
    Subcommand{"save", corvane::RunSaveCommand},
    Subcommand{"export", corvane::RunExportCommand},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2) {
    for (const Subcommand& command : kSubcommands) {
      if (command.name == argv[1]) return command.run(argc - 2, argv + 2);
    }
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("corvane %s\n", CORVANE_VERSION);
    return 0;
  }
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  // No subcommand: the window, which reads the rest of the command line itself.
  return corvane::RunCorvaneWindow(argc, argv);
}
