#pragma once

#include <string>

namespace corvane {

class CCorvaneDoc;
class DocumentLoader;

// The outcome of opening or saving a work file. On failure `message` is what
// the user is told: a text naming the file and the cause, or empty for the
// general "Failed to open document." / "Failed to save document.".
struct WorkFileResult {
  bool ok = false;
  std::string message;
  // Reading failed after the document had been cleared.
  bool documentCleared = false;
};

// How the document reaches its work file on disk; the lifecycle calls it and
// tests replace it.
class WorkFileIo {
 public:
  virtual ~WorkFileIo() = default;
  // Clears the loader's document and applies the file's lines. The document's
  // path is already the file's path while it runs.
  virtual WorkFileResult Read(DocumentLoader& loader, const std::string& path) = 0;
  // Writes the document, replacing the file only when the whole write succeeded.
  virtual WorkFileResult Write(CCorvaneDoc& doc, const std::string& path) = 0;
};

}  // namespace corvane
