#include "qt/dump_command.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/dump_run.h"
#include "cli/headless_document.h"
#include "qt/qt_settings_store.h"

namespace corvane {
namespace {

void WriteLine(std::FILE* stream, std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fputc('\n', stream);
}

// Messages of the load become warnings on standard error; every question is
// answered with OK.
}  // namespace

int RunDumpCommand(int argc, char** argv) {
  const std::vector<std::string> args(argv, argv + argc);
  WarningLinePrompter prompter([](std::string_view line) { WriteLine(stderr, line); });
  DumpEnvironment environment;
  environment.openUserSettings = [] { return std::make_unique<QtSettingsStore>(); };
  environment.prompter = &prompter;
  environment.writeOutput = [](std::string_view line) { WriteLine(stdout, line); };
  environment.writeError = [](std::string_view line) { WriteLine(stderr, line); };
  const int status = RunDump(args, environment);
  return std::fflush(stdout) == 0 ? status : kExitFailure;
}

}  // namespace corvane
