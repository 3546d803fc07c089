#pragma once

#include <string>
#include <vector>

#include "document/atomic_write.h"
#include "document/plot_records.h"

namespace corvane {

class DocumentLoader;
struct Setting;

// Opens the work file at `path` into the loader's document: the document
// takes that path, is cleared, and applies the lines in order, each setting
// through the settings table and each file line loading its file at once. A
// work file that cannot be opened leaves the document untouched. The files
// its lines name that cannot be opened are skipped, as the program does
// without a word; `unopened`, when given, receives their resolved paths for
// the headless commands to warn about.
FileResult ReadWorkFile(DocumentLoader& loader, const std::string& path,
                        std::vector<std::string>* unopened = nullptr);

// One line of a work file taken apart, before anything is applied or loaded.
struct WorkFileLine {
  enum class Kind { kNothing, kSetting, kLayer, kApertureFile, kDrillToolFile, kDrillFile };
  Kind kind = Kind::kNothing;
  const Setting* setting = nullptr;  // kSetting
  const char* value = nullptr;       // the text after the first '=', for a setting or a file
  PlotLayer layer;                   // kLayer: colour, mirror flags, offsets and file name
  // A GerberFile line: the layer takes the default colour of its position.
  bool defaultColor = false;
};
// Lines without "=", keys outside the table and the keys read only to be
// passed over give kNothing.
WorkFileLine ParseWorkFileLine(const char* line);

// What reading the lines so far has found.
struct WorkFileReading {
  bool converted = false;  // a legacy aperture field order was applied
  std::vector<std::string> unopened;
  // For each layer line so far, the document layer it loaded, or -1.
  std::vector<int32_t> layerLines;
};
void ApplyWorkFileLine(DocumentLoader& loader, const char* line, WorkFileReading& reading);

}  // namespace corvane
