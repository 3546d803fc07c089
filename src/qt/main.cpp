#include <array>
#include <string_view>

#include "cli/layers_run.h"
#include "qt/corvane_app.h"
#include "qt/diff_command.h"
#include "qt/dump_command.h"
#include "qt/export_command.h"
#include "qt/save_command.h"
#include "qt/stats_command.h"
#include "qt/netlist_command.h"
#include "qt/check_command.h"
#include "qt/query_command.h"

namespace {

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
    Subcommand{"layers", corvane::RunLayersCommand},
    Subcommand{"stats", corvane::RunStatsCommand},
    Subcommand{"netlist", corvane::RunNetlistCommand},
    Subcommand{"check", corvane::RunCheckCommand},
    Subcommand{"query", corvane::RunQueryCommand},
    Subcommand{"diff", corvane::RunDiffCommand},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2) {
    for (const Subcommand& command : kSubcommands) {
      if (command.name == argv[1]) return command.run(argc - 2, argv + 2);
    }
  }
  // No subcommand: the window's command line, --help and --version included.
  return corvane::RunCorvaneWindow(argc, argv);
}
