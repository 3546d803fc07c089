// Loading the aperture table, the drill tool table and the NC drill file.

#include <array>
#include <string>

#include "document/corvane_doc.h"
#include "loading/data_path.h"
#include "loading/document_loader.h"
#include "loading/text_file.h"
#include "readers/aperture_reader.h"
#include "readers/drill_tool_reader.h"
#include "readers/nc_drill_reader.h"

namespace corvane {
namespace {

// Opens the resolved file; an empty name names nothing to load.
bool OpenDataFile(const CCorvaneDoc& doc, std::string_view name, TextFile& file,
                  std::string& path) {
  if (name.empty()) return false;
  path = ResolveDataPath(doc, name);
  return file.Open(path);
}

// Hands every line to `read`; empty lines too unless `skipEmpty`.
template <typename Reader>
void ReadLines(TextFile& file, bool skipEmpty, Reader read) {
  std::array<char, kLineLimit + 1> line;
  while (ReadLine(file, line.data(), kLineLimit) != 0) {
    if (skipEmpty && line[0] == '\0') continue;
    read(line.data());
  }
}

}  // namespace

bool DocumentLoader::LoadApertureFile(std::string_view name) {
  TextFile file;
  std::string path;
  if (!OpenDataFile(doc_, name, file, path)) return false;
  doc_.SetApertureFileName(path);
  // The table replaces every aperture, those that plot files defined included.
  doc_.ClearApertures();
  ReadLines(file, true, [this](const char* line) { ReadApertureLine(doc_, line); });
  // Flashes and strokes take their sizes from the table.
  if (doc_.GetLayerCount() > 0) doc_.ComputeExtents();
  doc_.SetModified(true);
  ++loadCount_;
  return true;
}

bool DocumentLoader::LoadDrillToolFile(std::string_view name) {
  TextFile file;
  std::string path;
  if (!OpenDataFile(doc_, name, file, path)) return false;
  doc_.SetDrillToolFileName(path);
  doc_.ClearDrillTools();
  ReadLines(file, false, [this](const char* line) { ReadDrillToolLine(doc_, line); });
  doc_.SetModified(true);
  ++loadCount_;
  return true;
}

bool DocumentLoader::LoadNcDrillFile(std::string_view name) {
  TextFile file;
  std::string path;
  if (!OpenDataFile(doc_, name, file, path)) return false;
  doc_.SetNcDrillFileName(path);
  doc_.ClearDrillHits();
  // The tool in force carries over from the previous drill file; positions do not.
  drillState_.lastDrillX = 0.0;
  drillState_.lastDrillY = 0.0;
  ReadLines(file, false, [this](const char* line) { ReadDrillLine(doc_, drillState_, line); });
  file.Close();
  doc_.ComputeExtents();
  doc_.SetModified(true);
  ++loadCount_;
  return true;
}

}  // namespace corvane
