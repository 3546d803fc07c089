#pragma once

#include <span>
#include <string>
#include <string_view>

namespace corvane {

// What the command line asks of the window program.
struct CommandLineInfo {
  enum class Action { kFileNew, kFileOpen, kFilePrint, kFilePrintTo, kUsageError };
  Action action = Action::kFileNew;
  std::string fileName;
  std::string printerName;  // for kFilePrintTo
  std::string error;        // for kUsageError
};

// The arguments after the program name: at most one work file; "-p"/"--print"
// prints it, "-pt"/"--print-to" prints it to the printer named next. A name
// starting with "-" is an option unless it follows "--".
CommandLineInfo ParseCommandLine(std::span<const std::string> args);

}  // namespace corvane
