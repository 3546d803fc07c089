#include "app/disk_work_file_io.h"

#include "document/work_file.h"
#include "loading/work_file_reader.h"

namespace corvane {

// The reader leaves the document untouched when the file cannot be opened and
// never fails once it has started, so a failure never means a cleared document.
WorkFileResult DiskWorkFileIo::Read(DocumentLoader& loader, const std::string& path) {
  const FileResult result = ReadWorkFile(loader, path);
  return {result.ok, result.message, false};
}

WorkFileResult DiskWorkFileIo::Write(CCorvaneDoc& doc, const std::string& path) {
  const FileResult result = WriteWorkFile(doc, path);
  return {result.ok, result.message, false};
}

}  // namespace corvane
