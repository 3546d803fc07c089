#pragma once

#include "app/work_file_io.h"

namespace corvane {

// Work files on disk through the document's reader and atomic writer.
class DiskWorkFileIo : public WorkFileIo {
 public:
  WorkFileResult Read(DocumentLoader& loader, const std::string& path) override;
  WorkFileResult Write(CCorvaneDoc& doc, const std::string& path) override;
};

}  // namespace corvane
