#pragma once

#include <string>

#include "cli/export_options.h"

namespace corvane {

class HeadlessDocument;

// "corvane export ...": writes a PNG, SVG or PDF picture of the working set.
// Runs on Qt's offscreen platform: no display is needed. `argc`/`argv` are
// the arguments after "export".
int RunExportCommand(int argc, char** argv);

// Writes the picture the options ask for; false with the cause in `error`.
// SVG and PDF need a QGuiApplication; PNG needs none.
bool WriteExportPicture(HeadlessDocument& loaded, const ExportOptions& options, std::string& error);

}  // namespace corvane
