#include "loading/document_loader.h"

#include <string>
#include <vector>

#include "document/corvane_doc.h"
#include "document/settings_table.h"
#include "loading/data_path.h"
#include "loading/text_file.h"

namespace corvane {

DocumentLoader::DocumentLoader(CCorvaneDoc& doc, const SettingsStore* store, Prompter* prompter)
    : doc_(doc), store_(store), prompter_(prompter) {}

void DocumentLoader::ClearAll() {
  doc_.ClearAll();
  ++loadCount_;
  drillState_.currentTool = 0;
  settingsBeforeGerberFiles_.reset();
  mixedUnitsWarned_ = false;
}

const FormatSettings& DocumentLoader::SettingsBeforeGerberFiles() const {
  return settingsBeforeGerberFiles_ ? *settingsBeforeGerberFiles_ : doc_.Settings();
}

void DocumentLoader::LoadStoredDefaults() { corvane::LoadStoredDefaults(doc_, store_); }

bool DocumentLoader::AddDrillFile(DrillFileEntry entry) {
  if (entry.fileName.empty()) return false;
  const std::string path = ResolveDataPath(doc_, entry.fileName);
  TextFile file;
  if (!file.Open(path)) return false;
  entry.fileName = path;
  doc_.AddDrillFile(std::move(entry));
  doc_.SetModified(true);
  ++loadCount_;
  return true;
}

void DocumentLoader::ReloadAll() {
  const std::string apertureFile = doc_.GetApertureFileName();
  const std::string drillToolFile = doc_.GetDrillToolFileName();
  const std::string ncDrillFile = doc_.GetNcDrillFileName();
  const int32_t mirrorX = doc_.GetMirrorX();
  const int32_t mirrorY = doc_.GetMirrorY();
  const int32_t autoOrigin = doc_.GetAutoOrigin();
  const std::vector<PlotLayer> layers = doc_.Layers();
  const LayerFunction ncDrillFunction = doc_.GetNcDrillFunction();
  const uint32_t ncDrillColor = doc_.GetNcDrillColor();
  const std::vector<DrillFileEntry> drillFiles = doc_.DrillFiles();
  const std::string netlist = doc_.GetNetlistFileName();
  const Reading reading = doc_.GetReading();

  ClearAll();
  // First, so that the loads know the set's reading.
  doc_.SetReading(reading);
  // A layer whose file cannot be opened drops out of the working set.
  for (const PlotLayer& layer : layers) LoadGerberLayer(layer);
  // Read after the plot files, so an aperture file replaces their apertures.
  if (!apertureFile.empty()) LoadApertureFile(apertureFile);
  if (!drillToolFile.empty()) LoadDrillToolFile(drillToolFile);
  if (!ncDrillFile.empty() && LoadNcDrillFile(ncDrillFile)) {
    doc_.SetNcDrillFunction(ncDrillFunction);
    doc_.SetNcDrillColor(ncDrillColor);
  }
  for (const DrillFileEntry& entry : drillFiles) AddDrillFile(entry);
  doc_.SetNetlistFileName(netlist);

  doc_.SetMirrorY(mirrorY);
  doc_.SetMirrorX(mirrorX);
  doc_.SetAutoOrigin(autoOrigin);
}

}  // namespace corvane
