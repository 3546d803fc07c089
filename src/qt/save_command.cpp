#include "qt/save_command.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/dump_run.h"
#include "app/save_run.h"
#include "platform/prompter.h"
#include "qt/qt_settings_store.h"

namespace corvane {
namespace {

void WriteErrorLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fputc('\n', stderr);
}

// Messages of the load become warnings on standard error.
class StderrPrompter : public Prompter {
 public:
  Answer ShowMessage(std::string_view text, Buttons) override {
    WriteErrorLine(WarningLine(text));
    return Answer::kOk;
  }
};

}  // namespace

int RunSaveCommand(int argc, char** argv) {
  const std::vector<std::string> args(argv, argv + argc);
  StderrPrompter prompter;
  DumpEnvironment environment;
  environment.openUserSettings = [] { return std::make_unique<QtSettingsStore>(); };
  environment.prompter = &prompter;
  environment.writeOutput = [](std::string_view) {};
  environment.writeError = WriteErrorLine;
  return RunSave(args, environment);
}

}  // namespace corvane
