#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/atomic_write.h"

namespace corvane {

class CCorvaneDoc;

// The keys a work file may hold, in table order; the index is what
// FindWorkFileKey returns.
enum WorkFileKey : int {
  kKeyUnknown = 0,
  kKeyApertureFile,
  kKeyDrillToolFile,
  kKeyDrillFile,
  kKeyGerberFile,
  kKeyGerberLayer,
  kKeyLayerInfo,
  kKeyMirrorX,
  kKeyMirrorY,
  kKeyResetOrigin,
  kKeyGerberMultiplier,
  kKeyApertureMultiplier,
  kKeyDrillMultiplier,
  kKeyDrillToolMultiplier,
  kKeyGerberNumberFormat,
  kKeyDrillNumberFormat,
  kKeyGerberCompression,
  kKeyDrillCompression,
  kKeyGerberFileExtension,
  kKeyGerberOffsets,
  kKeyDrillFileExtension,
  kKeyDrillOffsets,
  kKeyApertureFileExtension,
  kKeyApertureFieldOrder,
  kKeyGerberFileLayerOrder,
  kKeyDrillToolFileExtension,
  kKeyPlatedDrillFieldName,
  kKeyUnplatedDrillFieldName,
  kKeyDrillToolFieldOrder,
  kKeyPrintMagnification,
  kKeyCircleApertureFormat,
  kKeyLineApertureFormat,
  kKeyRectangleApertureFormat,
  kKeySquareApertureFormat,
  kKeyEllipseApertureFormat,
  kWorkFileKeyCount,
};

inline constexpr int kNoWorkFileKey = -1;

// "%0.4f" without the process locale (a decimal point whatever LC_NUMERIC
// says): how work files and the stored defaults write a real.
std::string FormatFixed4(double value);

std::string_view WorkFileKeyName(int key);
// Index of the key compared case-insensitively as a whole, or kNoWorkFileKey.
int FindWorkFileKey(std::string_view key);

// The folder part of a path: everything before its last '/' or '\'; empty
// when it has neither.
std::string_view PathFolder(std::string_view path);
// The name a referenced file is written under: the bare name when the file
// lies in the work file's folder, else the path unchanged.
std::string StoredFileName(std::string_view path, std::string_view workFolder);

// The text of the work file for a file in `workFolder`, every line ended by CR LF.
std::string FormatWorkFile(const CCorvaneDoc& doc, std::string_view workFolder);
// Writes the document to `path` (atomically: a failed save leaves an existing
// file as it was) and on success marks it unmodified.
FileResult WriteWorkFile(CCorvaneDoc& doc, const std::string& path);

// Opens the work file at `path`: the document takes that path, is cleared, and
// applies the lines in order, each file line loading its file at once. A work
// file that cannot be opened leaves the document untouched. The files its
// lines name that cannot be opened are skipped, as the program does without a
// word; `unopened`, when given, receives their resolved paths for the
// headless commands to warn about.
FileResult ReadWorkFile(CCorvaneDoc& doc, const std::string& path,
                        std::vector<std::string>* unopened = nullptr);

// What reading the lines so far has found.
struct WorkFileReading {
  bool converted = false;  // a legacy aperture field order was applied
  std::vector<std::string> unopened;
};
void ApplyWorkFileLine(CCorvaneDoc& doc, const char* line, WorkFileReading& reading);

}  // namespace corvane
