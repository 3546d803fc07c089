#pragma once

// The rules of the headless "export" command: arguments, which settings are
// read, messages and exit status. The Qt side opens the user's settings and
// writes the picture file.

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "cli/export_options.h"

namespace corvane {

class HeadlessDocument;
class Prompter;
class SettingsStore;

struct ExportEnvironment {
  // Opens the user's settings; called only without --defaults. Only read.
  std::function<std::unique_ptr<SettingsStore>()> openUserSettings;
  // Receives the messages of the load; may be null.
  Prompter* prompter = nullptr;
  // One line each, without its line end.
  std::function<void(std::string_view)> writeError;
  // Threads the board picture's geometry is built on; 0 for one per core.
  unsigned threads = 0;
  // Writes the picture of the loaded working set to options.output, leaving
  // no partial file behind; false with the cause in `error` when it cannot.
  std::function<bool(HeadlessDocument& loaded, const ExportOptions& options, std::string& error)>
      writePicture;
};

// `args` are the arguments after "export". Returns 0 when the picture was
// written, 2 with the usage line on bad arguments, 1 when the working set
// cannot be loaded or the picture cannot be written, and 1 after writing it
// when a file the arguments name could not be opened.
int RunExport(std::span<const std::string> args, const ExportEnvironment& environment);

}  // namespace corvane
