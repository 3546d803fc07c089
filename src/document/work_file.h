#pragma once

#include <string>
#include <string_view>

#include "document/atomic_write.h"
#include "document/work_file_keys.h"

namespace corvane {

class CCorvaneDoc;

// The name a referenced file is written under: the bare name when the file
// lies in the work file's folder, else the path unchanged.
std::string StoredFileName(std::string_view path, std::string_view workFolder);

// The text of the work file for a file in `workFolder`, every line ended by CR
// LF: the settings of the settings table, the layer and file lines, then the
// settings written after them.
std::string FormatWorkFile(const CCorvaneDoc& doc, std::string_view workFolder);
// Writes the document to `path` (atomically: a failed save leaves an existing
// file as it was) and on success marks it unmodified.
FileResult WriteWorkFile(CCorvaneDoc& doc, const std::string& path);

}  // namespace corvane
