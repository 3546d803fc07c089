#include "document/work_file.h"

#include <array>

#include "document/corvane_doc.h"
#include "document/settings_table.h"
#include "text/ascii.h"
#include "text/path_parts.h"

namespace corvane {
namespace {

constexpr std::array<std::string_view, kWorkFileKeyCount> kKeyNames{
    "Unknown",
    "ApertureFile",
    "DrillToolFile",
    "DrillFile",
    "GerberFile",
    "GerberLayer",
    "LayerInfo",
    "MirrorX",
    "MirrorY",
    "ResetOrigin",
    "GerberMultiplier",
    "ApertureMultiplier",
    "DrillMultiplier",
    "DrillToolMultiplier",
    "GerberNumberFormat",
    "DrillNumberFormat",
    "GerberCompression",
    "DrillCompression",
    "GerberFileExtension",
    "GerberOffsets",
    "DrillFileExtension",
    "DrillOffsets",
    "ApertureFileExtension",
    "ApertureFieldOrder",
    "GerberFileLayerOrder",
    "DrillToolFileExtension",
    "PlatedDrillFieldName",
    "UnplatedDrillFieldName",
    "DrillToolFieldOrder",
    "PrintMagnification",
    "CircleApertureFormat",
    "LineApertureFormat",
    "RectangleApertureFormat",
    "SquareApertureFormat",
    "EllipseApertureFormat",
};

constexpr std::array<std::string_view, static_cast<std::size_t>(ExtensionKey::kCount)>
    kExtensionKeyNames{"Reading", "LayerFunction", "DrillFunction", "DrillColor", "DrillFiles",
                       "NetlistFile"};

void AddLine(std::string& out, std::string_view key, std::string_view value) {
  out += key;
  out += '=';
  out += value;
  out += "\r\n";
}

void WriteSettings(const CCorvaneDoc& doc, WorkFilePlace place, std::string& out) {
  for (const Setting& setting : SettingsTable()) {
    if (setting.place != place) continue;
    out += WorkFileSettingLine(setting, doc);
    out += "\r\n";
  }
}

void WriteFiles(const CCorvaneDoc& doc, std::string_view folder, std::string& out) {
  for (const PlotLayer& layer : doc.Layers()) {
    const uint32_t c = layer.color;
    std::string value;
    for (const int32_t field :
         {static_cast<int32_t>(c & 0xFFu), static_cast<int32_t>((c >> 8) & 0xFFu),
          static_cast<int32_t>((c >> 16) & 0xFFu), layer.mirrorOnXAxis, layer.mirrorOnYAxis,
          layer.offsetX, layer.offsetY}) {
      value += std::to_string(field);
      value += ',';
    }
    value += StoredFileName(layer.fileName, folder);
    AddLine(out, WorkFileKeyName(kKeyLayerInfo), value);
  }
  AddLine(out, WorkFileKeyName(kKeyApertureFile),
          StoredFileName(doc.GetApertureFileName(), folder));
  AddLine(out, WorkFileKeyName(kKeyDrillToolFile),
          StoredFileName(doc.GetDrillToolFileName(), folder));
  AddLine(out, WorkFileKeyName(kKeyDrillFile), StoredFileName(doc.GetNcDrillFileName(), folder));
}

void AddExtensionLine(std::string& out, ExtensionKey key, std::string_view value) {
  AddLine(out, ExtensionKeyName(key), value);
}

std::string ColorFields(uint32_t c) {
  return std::to_string(c & 0xFFu) + "," + std::to_string((c >> 8) & 0xFFu) + "," +
         std::to_string((c >> 16) & 0xFFu);
}

// What the classic keys cannot hold, after everything they do hold.
void WriteExtensions(const CCorvaneDoc& doc, std::string_view folder, std::string& out) {
  for (std::size_t i = 0; i < doc.Layers().size(); ++i) {
    const LayerFunction& function = doc.Layers()[i].function;
    if (!function.Identified()) continue;
    AddExtensionLine(out, ExtensionKey::kLayerFunction,
                     std::to_string(i) + "," + FormatLayerFunction(function));
  }
  if (!doc.GetNcDrillFileName().empty() && doc.GetNcDrillFunction().Identified()) {
    AddExtensionLine(out, ExtensionKey::kDrillFunction,
                     FormatLayerFunction(doc.GetNcDrillFunction()));
  }
  if (doc.GetNcDrillColor() != 0) {
    AddExtensionLine(out, ExtensionKey::kDrillColor, ColorFields(doc.GetNcDrillColor()));
  }
  for (const DrillFileEntry& entry : doc.DrillFiles()) {
    AddExtensionLine(out, ExtensionKey::kDrillFiles,
                     ColorFields(entry.color) + "," + FormatLayerFunction(entry.function) + "," +
                         StoredFileName(entry.fileName, folder));
  }
  if (!doc.GetNetlistFileName().empty()) {
    AddExtensionLine(out, ExtensionKey::kNetlistFile,
                     StoredFileName(doc.GetNetlistFileName(), folder));
  }
}

}  // namespace

std::string_view ExtensionKeyName(ExtensionKey key) {
  const auto index = static_cast<std::size_t>(key);
  return index < kExtensionKeyNames.size() ? kExtensionKeyNames[index] : std::string_view();
}

ExtensionKey FindExtensionKey(std::string_view key) {
  for (std::size_t i = 0; i < kExtensionKeyNames.size(); ++i) {
    if (EqualNoCase(key, kExtensionKeyNames[i])) return static_cast<ExtensionKey>(i);
  }
  return ExtensionKey::kCount;
}

std::string_view WorkFileKeyName(int key) {
  return key >= 0 && key < kWorkFileKeyCount ? kKeyNames[static_cast<std::size_t>(key)]
                                             : std::string_view();
}

int FindWorkFileKey(std::string_view key) {
  for (int i = 0; i < kWorkFileKeyCount; ++i) {
    if (EqualNoCase(key, kKeyNames[static_cast<std::size_t>(i)])) return i;
  }
  return kNoWorkFileKey;
}

std::string StoredFileName(std::string_view path, std::string_view workFolder) {
  if (PathFolder(path) != workFolder) return std::string(path);
  return std::string(PathFileName(path));
}

std::string FormatWorkFile(const CCorvaneDoc& doc, std::string_view workFolder) {
  std::string out;
  if (doc.GetReading() != Reading::kUnset) {
    AddExtensionLine(out, ExtensionKey::kReading,
                     doc.GetReading() == Reading::kStandard ? "standard" : "classic");
  }
  WriteSettings(doc, WorkFilePlace::kBeforeFiles, out);
  WriteFiles(doc, workFolder, out);
  WriteSettings(doc, WorkFilePlace::kAfterFiles, out);
  WriteExtensions(doc, workFolder, out);
  return out;
}

FileResult WriteWorkFile(CCorvaneDoc& doc, const std::string& path) {
  FileResult result = WriteFileAtomically(path, FormatWorkFile(doc, PathFolder(path)));
  if (result.ok) doc.SetModified(false);
  return result;
}

}  // namespace corvane
