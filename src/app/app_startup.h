#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace corvane {

struct CommandLineInfo;
class DocumentLifecycle;
class SettingsStore;

inline constexpr std::string_view kLastOpenResultKey = "LastOpenResult";
inline constexpr std::string_view kSucceeded = "Succeeded";
inline constexpr std::string_view kFailed = "Failed";

// The outcome of start-up: run the window, or end at once with this exit
// status and, if any, this line for standard error.
struct StartupResult {
  bool run = false;
  int exitCode = 0;
  std::string message;
};

// Whether a path names a file that can be opened for reading.
bool FileExists(std::string_view path);
// A file that can be opened, or a folder: what the recent-file list may hold.
bool PathExists(std::string_view path);

// Carries out the command line, or else reopens the last work file unless its
// previous opening never finished ("LastOpenResult"). The document and the
// recent-file list are ready; the lifecycle's observer is the window.
StartupResult RunStartup(const CommandLineInfo& commandLine, SettingsStore& store,
                         DocumentLifecycle& lifecycle,
                         const std::function<bool(std::string_view)>& fileExists = PathExists);

}  // namespace corvane
