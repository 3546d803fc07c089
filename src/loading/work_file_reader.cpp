#include "loading/work_file_reader.h"

#include <charconv>
#include <cstring>
#include <optional>
#include <string_view>

#include "document/corvane_doc.h"
#include "document/settings_table.h"
#include "document/work_file_keys.h"
#include "loading/data_path.h"
#include "loading/document_loader.h"
#include "loading/text_file.h"
#include "text/ascii.h"
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
      reading.layerLines.push_back(loaded ? loader.Doc().GetLayerCount() - 1 : -1);
      break;
    }
    case Kind::kNothing:
    case Kind::kSetting:
      return;
  }
  if (!loaded && !name.empty()) reading.unopened.push_back(ResolveDataPath(loader.Doc(), name));
}

// "R,G,B," at the start of `p`; returns where the rest begins.
const char* ReadColor(const char* p, uint32_t& color) {
  int32_t n[3];
  p = ReadLayerNumbers(p, n, 3);
  color = ColorFromComponents(n[0], n[1], n[2]);
  return p;
}

// A function's seven fields at the start of `text`, and what follows them.
std::optional<LayerFunction> SplitFunction(std::string_view text, std::string_view& rest) {
  std::size_t cut = 0;
  for (int field = 0; field < 7 && cut != std::string_view::npos; ++field) {
    cut = text.find(',', field == 0 ? 0 : cut + 1);
  }
  rest = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);
  return ParseLayerFunction(text.substr(0, cut));
}

void ApplyLayerFunction(CCorvaneDoc& doc, std::string_view value, const WorkFileReading& reading) {
  const std::size_t comma = value.find(',');
  int32_t line = -1;
  const std::string_view number = value.substr(0, comma);
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), line);
  if (comma == std::string_view::npos || error != std::errc() || end != number.data() + number.size() ||
      line < 0 || static_cast<std::size_t>(line) >= reading.layerLines.size()) {
    return;
  }
  const auto function = ParseLayerFunction(value.substr(comma + 1));
  PlotLayer layer;
  const int32_t index = reading.layerLines[static_cast<std::size_t>(line)];
  if (!function || !doc.GetLayer(index, layer)) return;
  layer.function = *function;
  doc.SetLayer(index, layer);
}

// A line of a key the classic table does not hold.
void ApplyExtensionLine(DocumentLoader& loader, ExtensionKey key, const char* value,
                        WorkFileReading& reading) {
  CCorvaneDoc& doc = loader.Doc();
  const std::string_view text(value);
  switch (key) {
    case ExtensionKey::kReading:
      if (EqualNoCase(text, "standard")) doc.SetReading(Reading::kStandard);
      if (EqualNoCase(text, "classic")) doc.SetReading(Reading::kClassic);
      return;
    case ExtensionKey::kLayerFunction:
      ApplyLayerFunction(doc, text, reading);
      return;
    case ExtensionKey::kDrillFunction:
      if (const auto function = ParseLayerFunction(text); function && !doc.GetNcDrillFileName().empty())
        doc.SetNcDrillFunction(*function);
      return;
    case ExtensionKey::kDrillColor: {
      uint32_t color = 0;
      ReadColor(value, color);
      doc.SetNcDrillColor(color);
      return;
    }
    case ExtensionKey::kDrillFiles: {
      DrillFileEntry entry;
      std::string_view name;
      const auto function = SplitFunction(ReadColor(value, entry.color), name);
      if (!function || name.empty()) return;
      entry.function = *function;
      entry.fileName = std::string(name);
      if (!loader.AddDrillFile(entry)) reading.unopened.push_back(ResolveDataPath(doc, name));
      return;
    }
    case ExtensionKey::kNetlistFile: {
      if (text.empty()) return;
      const std::string path = ResolveDataPath(doc, text);
      TextFile file;
      if (file.Open(path)) {
        doc.SetNetlistFileName(path);
      } else {
        reading.unopened.push_back(path);
      }
      return;
    }
    case ExtensionKey::kCount:
      return;
  }
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
  if (parsed.kind == WorkFileLine::Kind::kNothing) {
    if (const char* equals = std::strchr(line, '=')) {
      const ExtensionKey key =
          FindExtensionKey(std::string_view(line, static_cast<std::size_t>(equals - line)));
      if (key != ExtensionKey::kCount) ApplyExtensionLine(loader, key, equals + 1, reading);
    }
    return;
  }
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
