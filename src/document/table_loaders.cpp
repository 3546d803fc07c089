// Loading the aperture table, the drill tool table and the NC drill file, and
// reloading the whole working set.

#include <array>
#include <string>
#include <vector>

#include "document/corvane_doc.h"
#include "document/text_file.h"
#include "readers/aperture_reader.h"
#include "readers/drill_tool_reader.h"
#include "readers/nc_drill_reader.h"

namespace corvane {
namespace {

// Opens the resolved file; an empty name names nothing to load.
bool OpenDataFile(const CCorvaneDoc& doc, std::string_view name, TextFile& file,
                  std::string& path) {
  if (name.empty()) return false;
  path = doc.ResolveDataPath(name);
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

bool CCorvaneDoc::LoadApertureFile(std::string_view name) {
  TextFile file;
  std::string path;
  if (!OpenDataFile(*this, name, file, path)) return false;
  apertureFileName_ = path;
  // The table replaces every aperture, those that plot files defined included.
  apertures_.clear();
  ReadLines(file, true, [this](const char* line) { ReadApertureLine(*this, line); });
  modified_ = true;
  return true;
}

bool CCorvaneDoc::LoadDrillToolFile(std::string_view name) {
  TextFile file;
  std::string path;
  if (!OpenDataFile(*this, name, file, path)) return false;
  drillToolFileName_ = path;
  drillTools_.clear();
  ReadLines(file, false, [this](const char* line) { ReadDrillToolLine(*this, line); });
  modified_ = true;
  return true;
}

bool CCorvaneDoc::LoadNcDrillFile(std::string_view name) {
  TextFile file;
  std::string path;
  if (!OpenDataFile(*this, name, file, path)) return false;
  ncDrillFileName_ = path;
  drillHits_.clear();
  // The tool in force carries over from the previous drill file; positions do not.
  drillState_.lastDrillX = 0.0;
  drillState_.lastDrillY = 0.0;
  ReadLines(file, false, [this](const char* line) { ReadDrillLine(*this, line); });
  file.Close();
  ComputeExtents();
  modified_ = true;
  return true;
}

void CCorvaneDoc::ReloadAll() {
  const std::string apertureFile = apertureFileName_;
  const std::string drillToolFile = drillToolFileName_;
  const std::string ncDrillFile = ncDrillFileName_;
  const int32_t mirrorX = mirrorX_;
  const int32_t mirrorY = mirrorY_;
  const int32_t autoOrigin = autoOrigin_;
  const std::vector<PlotLayer> layers = layers_;

  ClearAll();
  // A layer whose file cannot be opened drops out of the working set.
  for (const PlotLayer& layer : layers) LoadGerberLayer(layer);
  // Read after the plot files, so an aperture file replaces their apertures.
  if (!apertureFile.empty()) LoadApertureFile(apertureFile);
  if (!drillToolFile.empty()) LoadDrillToolFile(drillToolFile);
  if (!ncDrillFile.empty()) LoadNcDrillFile(ncDrillFile);

  mirrorY_ = mirrorY;
  mirrorX_ = mirrorX;
  autoOrigin_ = autoOrigin;
}

}  // namespace corvane
