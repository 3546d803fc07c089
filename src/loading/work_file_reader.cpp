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

// Loads the file a layer or file line names; a name that cannot be opened is listed.
void LoadFileLine(DocumentLoader& loader, const WorkFileLine& line, WorkFileReading& reading) {
  using Kind = WorkFileLine::Kind;
  const std::string name = line.kind == Kind::kLayer ? line.layer.fileName : line.value;
  bool loaded = false;
  switch (line.kind) {
    case Kind::kApertureFile:
      loaded = loader.LoadApertureFile(name);
      break;
    case Kind::kDrillToolFile:
      loaded = loader.LoadDrillToolFile(name);
      break;
    case Kind::kDrillFile:
      loaded = loader.LoadNcDrillFile(name);
      break;
    case Kind::kLayer: {
      PlotLayer layer = line.layer;
      if (line.defaultColor)
        layer.color = CCorvaneDoc::DefaultLayerColor(loader.Doc().GetLayerCount());
      loaded = loader.LoadGerberLayer(layer);
      break;
    }
    case Kind::kNothing:
    case Kind::kSetting:
      return;
  }
  if (!loaded && !name.empty()) reading.unopened.push_back(ResolveDataPath(loader.Doc(), name));
}

FileResult OpenFailure(const std::string& path, int error) {
  if (error == 0) return {false, "Failed to open document."};
  return {false, "Could not open " + path + ": " + std::strerror(error) + "."};
}

}  // namespace

WorkFileLine ParseWorkFileLine(const char* line) {
  using Kind = WorkFileLine::Kind;
  WorkFileLine parsed;
  const char* equals = std::strchr(line, '=');
  if (equals == nullptr) return parsed;
  const int key = FindWorkFileKey(std::string_view(line, static_cast<std::size_t>(equals - line)));
  if (key == kNoWorkFileKey || key == kKeyUnknown || key == kKeyGerberFileLayerOrder) return parsed;
  parsed.value = equals + 1;
  if ((parsed.setting = FindWorkFileSetting(key)) != nullptr) {
    parsed.kind = Kind::kSetting;
    return parsed;
  }
  switch (key) {
    case kKeyApertureFile:
      parsed.kind = Kind::kApertureFile;
      break;
    case kKeyDrillToolFile:
      parsed.kind = Kind::kDrillToolFile;
      break;
    case kKeyDrillFile:
      parsed.kind = Kind::kDrillFile;
      break;
    case kKeyLayerInfo:
      parsed.kind = Kind::kLayer;
      parsed.layer = LayerInfoLayer(parsed.value);
      break;
    case kKeyGerberLayer:
      parsed.kind = Kind::kLayer;
      parsed.layer = GerberLayerLayer(parsed.value);
      break;
    case kKeyGerberFile:
      parsed.kind = Kind::kLayer;
      parsed.layer.fileName = parsed.value;
      parsed.defaultColor = true;
      break;
    default:
      break;
  }
  return parsed;
}

void ApplyWorkFileLine(DocumentLoader& loader, const char* line, WorkFileReading& reading) {
  const WorkFileLine parsed = ParseWorkFileLine(line);
  if (parsed.kind == WorkFileLine::Kind::kNothing) return;
  if (parsed.kind != WorkFileLine::Kind::kSetting) {
    LoadFileLine(loader, parsed, reading);
    return;
  }
  ApplyWorkFileSetting(*parsed.setting, loader.Doc(), parsed.value);
  if (parsed.setting->convertsOldFile) reading.converted = true;
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
