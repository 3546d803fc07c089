#include "app/app_startup.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/command_line_info.h"
#include "app/document_lifecycle.h"
#include "platform/settings_store.h"

namespace corvane {

bool FileExists(std::string_view path) {
  if (path.empty()) return false;
  const std::filesystem::path p{std::string(path)};
  std::error_code error;
  // A folder opens for reading on this system but is no work file.
  if (std::filesystem::is_directory(p, error)) return false;
  std::ifstream file(p, std::ios::binary);
  return file.is_open();
}

bool PathExists(std::string_view path) {
  std::error_code error;
  return FileExists(path) ||
         (!path.empty() && std::filesystem::is_directory(std::filesystem::path{std::string(path)}, error));
}

namespace {

void ReopenLastFile(SettingsStore& store, DocumentLifecycle& lifecycle,
                    const std::function<bool(std::string_view)>& fileExists) {
  const std::string lastFile = store.ReadText(kSectionRecentFiles, "File1", "");
  const std::string lastResult = store.ReadText(kSectionSettings, kLastOpenResultKey, kSucceeded);
  bool opened = false;
  if (!lastFile.empty() && fileExists(lastFile) && lastResult == kSucceeded) {
    // Stays "Failed" if this open never returns, so the next start skips the file.
    store.WriteText(kSectionSettings, kLastOpenResultKey, kFailed);
    opened = lifecycle.OpenDocumentFile(lastFile);
  }
  if (!opened) lifecycle.NewDocument();
  store.WriteText(kSectionSettings, kLastOpenResultKey, kSucceeded);
}

}  // namespace

StartupResult RunStartup(const CommandLineInfo& commandLine, SettingsStore& store,
                         DocumentLifecycle& lifecycle,
                         const std::function<bool(std::string_view)>& fileExists) {
  using Action = CommandLineInfo::Action;
  switch (commandLine.action) {
    case Action::kUsageError:
      return {false, 2, "corvane: " + commandLine.error};
    case Action::kFileOpen:
      // An explicit request: its failure ends the program (the reason was shown).
      if (!lifecycle.OpenPaths(commandLine.fileNames.empty()
                                   ? std::vector<std::string>{commandLine.fileName}
                                   : commandLine.fileNames)) {
        return {false, 1, {}};
      }
      return {true, 0, {}};
    case Action::kShowHelp:
    case Action::kShowVersion:
    case Action::kFilePrint:
    case Action::kFilePrintTo:
      // Answered before start-up, where the program's texts are printed and
      // a print request is printed (RunPrint): the window never runs.
      return {false, 0, {}};
    case Action::kFileNew:
      break;
  }
  ReopenLastFile(store, lifecycle, fileExists);
  return {true, 0, {}};
}

}  // namespace corvane
