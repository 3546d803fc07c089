#pragma once

#include "cli/print_run.h"

namespace corvane {

// Prints a work file from the command line on the default or the named
// printer and returns the exit status. Runs on Qt's offscreen platform: no
// display is needed and no window opens.
int RunPrintCommand(const PrintRequest& request);

}  // namespace corvane
