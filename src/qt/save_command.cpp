#include "qt/save_command.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/dump_run.h"
#include "cli/headless_document.h"
#include "cli/save_run.h"
#include "qt/qt_settings_store.h"

namespace corvane {
namespace {

void WriteErrorLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fputc('\n', stderr);
}

}  // namespace

int RunSaveCommand(int argc, char** argv) {
  const std::vector<std::string> args(argv, argv + argc);
  WarningLinePrompter prompter([](std::string_view line) { WriteErrorLine(line); });
  DumpEnvironment environment;
  environment.openUserSettings = [] { return std::make_unique<QtSettingsStore>(); };
  environment.prompter = &prompter;
  environment.writeOutput = [](std::string_view) {};
  environment.writeError = WriteErrorLine;
  return RunSave(args, environment);
}

}  // namespace corvane
