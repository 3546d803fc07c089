#include "loading/work_file_reader.h"

#include <cstring>
#include <string_view>

#include "document/corvane_doc.h"
#include "document/settings_table.h"
#include "document/work_file_keys.h"
#include "loading/data_path.h"
#include "loading/document_loader.h"
#include "loading/text_file.h"
#include "text/fields.h"

namespace corvane {
namespace {

// Integers read from a layer line, each starting at 0 so that a missing
// number gives 0; returns where the file name begins.
const char* ReadLayerNumbers(const char* p, int32_t* values, int count) {
  for (int i = 0; i < count; ++i) {
    values[i] = 0;
    p = ReadIntField(p, values[i], 0, true);
  }
  return p;
}

uint32_t ColorFromComponents(int32_t r, int32_t g, int32_t b) {
  return (static_cast<uint32_t>(r) & 0xFFu) | ((static_cast<uint32_t>(g) & 0xFFu) << 8) |
         ((static_cast<uint32_t>(b) & 0xFFu) << 16);
}

PlotLayer LayerInfoLayer(const char* value) {
  int32_t n[7];
  const char* name = ReadLayerNumbers(value, n, 7);
  PlotLayer layer;
  layer.color = ColorFromComponents(n[0], n[1], n[2]);
  layer.mirrorOnXAxis = n[3];
  layer.mirrorOnYAxis = n[4];
  layer.offsetX = n[5];
  layer.offsetY = n[6];
  layer.fileName = name;
  return layer;
}

PlotLayer GerberLayerLayer(const char* value) {
  int32_t n[3];
  const char* name = ReadLayerNumbers(value, n, 3);
  PlotLayer layer;
  layer.color = ColorFromComponents(n[0], n[1], n[2]);
  layer.fileName = name;
  return layer;
}

PlotLayer GerberFileLayer(const CCorvaneDoc& doc, const char* value) {
  PlotLayer layer;
  layer.color = CCorvaneDoc::DefaultLayerColor(doc.GetLayerCount());
  layer.fileName = value;
  return layer;
}

// Loads the file a line names; a name that cannot be opened is listed.
void ApplyFileLine(DocumentLoader& loader, int key, const char* value, WorkFileReading& reading) {
  std::string name = value;
  bool loaded = false;
  switch (key) {
    case kKeyApertureFile:
      loaded = loader.LoadApertureFile(value);
      break;
    case kKeyDrillToolFile:
      loaded = loader.LoadDrillToolFile(value);
      break;
    case kKeyDrillFile:
      loaded = loader.LoadNcDrillFile(value);
      break;
    case kKeyLayerInfo:
    case kKeyGerberLayer:
    case kKeyGerberFile: {
      const PlotLayer layer = key == kKeyLayerInfo     ? LayerInfoLayer(value)
                              : key == kKeyGerberLayer ? GerberLayerLayer(value)
                                                       : GerberFileLayer(loader.Doc(), value);
      name = layer.fileName;
      loaded = loader.LoadGerberLayer(layer);
      break;
    }
    default:
      return;
  }
  if (!loaded && !name.empty()) reading.unopened.push_back(ResolveDataPath(loader.Doc(), name));
}

FileResult OpenFailure(const std::string& path, int error) {
  if (error == 0) return {false, "Failed to open document."};
  return {false, "Could not open " + path + ": " + std::strerror(error) + "."};
}

}  // namespace

void ApplyWorkFileLine(DocumentLoader& loader, const char* line, WorkFileReading& reading) {
  const char* equals = std::strchr(line, '=');
  if (equals == nullptr) return;
  const int key = FindWorkFileKey(std::string_view(line, static_cast<std::size_t>(equals - line)));
  if (key == kNoWorkFileKey || key == kKeyUnknown || key == kKeyGerberFileLayerOrder) return;
  const char* value = equals + 1;
  if (const Setting* setting = FindWorkFileSetting(key)) {
    ApplyWorkFileSetting(*setting, loader.Doc(), value);
    if (setting->convertsOldFile) reading.converted = true;
    return;
  }
  ApplyFileLine(loader, key, value, reading);
}

FileResult ReadWorkFile(DocumentLoader& loader, const std::string& path,
                        std::vector<std::string>* unopened) {
  TextFile file;
  if (!file.Open(path)) return OpenFailure(path, file.OpenError());
  CCorvaneDoc& doc = loader.Doc();
  // Names in the file resolve against its folder while it is read.
  doc.SetPathName(path);
  loader.ClearAll();
  WorkFileReading reading;
  std::vector<char> line(kWorkFileLineLimit + 1);
  while (ReadLine(file, line.data(), kWorkFileLineLimit) != 0) {
    ApplyWorkFileLine(loader, line.data(), reading);
  }
  doc.SetModified(reading.converted);
  if (unopened != nullptr) *unopened = std::move(reading.unopened);
  return {};
}

}  // namespace corvane
