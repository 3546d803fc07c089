#pragma once

#include <string>
#include <vector>

#include "document/atomic_write.h"

namespace corvane {

class DocumentLoader;

// Opens the work file at `path` into the loader's document: the document
// takes that path, is cleared, and applies the lines in order, each setting
// through the settings table and each file line loading its file at once. A
// work file that cannot be opened leaves the document untouched. The files
// its lines name that cannot be opened are skipped, as the program does
// without a word; `unopened`, when given, receives their resolved paths for
// the headless commands to warn about.
FileResult ReadWorkFile(DocumentLoader& loader, const std::string& path,
                        std::vector<std::string>* unopened = nullptr);

// What reading the lines so far has found.
struct WorkFileReading {
  bool converted = false;  // a legacy aperture field order was applied
  std::vector<std::string> unopened;
};
void ApplyWorkFileLine(DocumentLoader& loader, const char* line, WorkFileReading& reading);

}  // namespace corvane
