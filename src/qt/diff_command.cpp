#include "qt/diff_command.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/diff_run.h"
#include "cli/dump_run.h"
#include "qt/qt_settings_store.h"

namespace corvane {
namespace {

void WriteLine(std::FILE* stream, std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fputc('\n', stream);
}

}  // namespace

int RunDiffCommand(int argc, char** argv) {
  const std::vector<std::string> args(argv, argv + argc);
  DiffEnvironment environment;
  environment.openUserSettings = [] { return std::make_unique<QtSettingsStore>(); };
  environment.writeOutput = [](std::string_view line) { WriteLine(stdout, line); };
  environment.writeError = [](std::string_view line) { WriteLine(stderr, line); };
  const int status = RunDiff(args, environment);
  return std::fflush(stdout) == 0 ? status : kExitFailure;
}

}  // namespace corvane
