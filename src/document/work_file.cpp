#include "document/work_file.h"

#include <array>
#include <charconv>
#include <cstring>
#include <vector>

#include "document/corvane_doc.h"
#include "document/text_file.h"
#include "readers/numeric_fields.h"

namespace corvane {

std::string FormatFixed4(double value) {
  std::array<char, 400> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 4);
  return std::string(buffer.data(), result.ptr);
}

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

// The field order lists are written with the work file's line limit.
constexpr std::size_t kListLimit = 1022;

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

// Builds the work file one CR LF line at a time.
class WorkFileWriter {
 public:
  void Text(int key, std::string_view value) {
    Start(key);
    out_ += value;
    End();
  }
  void Int(int key, int32_t value) { Text(key, std::to_string(value)); }
  void Real(int key, double value) { Text(key, FormatFixed4(value)); }
  void Pair(int key, int32_t a, int32_t b) {
    Text(key, std::to_string(a) + "," + std::to_string(b));
  }
  void RealPair(int key, double a, double b) { Text(key, FormatFixed4(a) + "," + FormatFixed4(b)); }
  void List(int key, const FieldOrder& list) {
    std::string line;
    FormatByteList(line, WorkFileKeyName(key), list, kListLimit);
    out_ += line;
    End();
  }
  void ApertureFormatLine(int key, const ApertureFormat& format) {
    std::string line(WorkFileKeyName(key));
    line += '=';
    line += format.identifier;
    line += ',';
    AppendByteList(line, format.fieldOrder, kListLimit);
    out_ += line;
    End();
  }
  std::string Take() { return std::move(out_); }

 private:
  void Start(int key) {
    out_ += WorkFileKeyName(key);
    out_ += '=';
  }
  void End() { out_ += "\r\n"; }

  std::string out_;
};

void WriteSettings(const CCorvaneDoc& doc, WorkFileWriter& w) {
  const FormatSettings& s = doc.Settings();
  w.Int(kKeyResetOrigin, doc.GetAutoOrigin());
  w.Int(kKeyMirrorX, doc.GetMirrorX());
  w.Int(kKeyMirrorY, doc.GetMirrorY());
  w.Text(kKeyGerberFileExtension, s.gerberFileExt);
  w.Real(kKeyGerberMultiplier, s.gerberMultiplier);
  w.Pair(kKeyGerberNumberFormat, s.gerberXFormat.intDigits, s.gerberXFormat.decDigits);
  w.RealPair(kKeyGerberOffsets, s.gerberOffsetX, s.gerberOffsetY);
  w.Int(kKeyGerberCompression, s.gerberCompression);
  w.Text(kKeyApertureFileExtension, s.apertureFileExt);
  w.Real(kKeyApertureMultiplier, s.apertureMultiplier);
  w.Text(kKeyDrillFileExtension, s.drillFileExt);
  w.Real(kKeyDrillMultiplier, s.drillMultiplier);
  w.Pair(kKeyDrillNumberFormat, s.drillFormat.intDigits, s.drillFormat.decDigits);
  w.RealPair(kKeyDrillOffsets, s.drillOffsetX, s.drillOffsetY);
  w.Int(kKeyDrillCompression, s.drillCompression);
  w.Text(kKeyDrillToolFileExtension, s.drillToolFileExt);
  w.Real(kKeyDrillToolMultiplier, s.drillToolMultiplier);
  w.Text(kKeyPlatedDrillFieldName, s.platedFieldName);
  w.Text(kKeyUnplatedDrillFieldName, s.unplatedFieldName);
  w.List(kKeyDrillToolFieldOrder, s.drillToolFieldOrder);
  for (int i = 0; i < kApertureFormatCount; ++i) {
    w.ApertureFormatLine(kKeyCircleApertureFormat + i,
                         s.apertureFormats[static_cast<std::size_t>(i)]);
  }
}

void WriteFiles(const CCorvaneDoc& doc, std::string_view folder, WorkFileWriter& w) {
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
    w.Text(kKeyLayerInfo, value);
  }
  w.Text(kKeyApertureFile, StoredFileName(doc.GetApertureFileName(), folder));
  w.Text(kKeyDrillToolFile, StoredFileName(doc.GetDrillToolFileName(), folder));
  w.Text(kKeyDrillFile, StoredFileName(doc.GetNcDrillFileName(), folder));
  w.Real(kKeyPrintMagnification, doc.GetPrintMagnification());
}

// --- Reading ------------------------------------------------------------------

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

void ReadOffsets(const char* value, double& x, double& y) {
  x = 0.0;
  y = 0.0;
  const char* p = ReadRealField(value, x, 0.0, true);
  ReadRealField(p, y, 0.0, true);
}

void ReadApertureFormat(ApertureFormat& format, std::string_view value) {
  const std::size_t comma = value.find(',');
  format.identifier = std::string(value.substr(0, comma));
  format.fieldOrder.clear();
  if (comma != std::string_view::npos) ParseByteList(format.fieldOrder, value.substr(comma + 1));
}

// An old work file's one field order serves all five aperture types.
void ApplyLegacyApertureOrder(FormatSettings& settings, const FieldOrder& order) {
  for (ApertureFormat& format : settings.apertureFormats) format.fieldOrder = order;
}

// Returns false for a key that is not a setting.
bool ApplySetting(CCorvaneDoc& doc, int key, const char* value, bool& converted) {
  FormatSettings& s = doc.Settings();
  const std::string_view text(value);
  switch (key) {
    case kKeyMirrorX:
      doc.SetMirrorX(ParseCInt(text));
      break;
    case kKeyMirrorY:
      doc.SetMirrorY(ParseCInt(text));
      break;
    case kKeyResetOrigin:
      doc.SetAutoOrigin(ParseCInt(text));
      break;
    case kKeyGerberMultiplier:
      s.gerberMultiplier = ParseCDouble(text);
      break;
    case kKeyApertureMultiplier:
      s.apertureMultiplier = ParseCDouble(text);
      break;
    case kKeyDrillMultiplier:
      s.drillMultiplier = ParseCDouble(text);
      break;
    case kKeyDrillToolMultiplier:
      s.drillToolMultiplier = ParseCDouble(text);
      break;
    case kKeyPrintMagnification:
      doc.SetPrintMagnification(ParseCDouble(text));
      break;
    case kKeyGerberNumberFormat:
      s.SetGerberNumberFormat(ReadNumberFormat(value));
      break;
    case kKeyDrillNumberFormat:
      s.drillFormat = ReadNumberFormat(value);
      break;
    case kKeyGerberCompression:
      s.gerberCompression = ParseCInt(text);
      break;
    case kKeyDrillCompression:
      s.drillCompression = ParseCInt(text);
      break;
    case kKeyGerberOffsets:
      ReadOffsets(value, s.gerberOffsetX, s.gerberOffsetY);
      break;
    case kKeyDrillOffsets:
      ReadOffsets(value, s.drillOffsetX, s.drillOffsetY);
      break;
    case kKeyGerberFileExtension:
      s.gerberFileExt = text;
      break;
    case kKeyDrillFileExtension:
      s.drillFileExt = text;
      break;
    case kKeyApertureFileExtension:
      s.apertureFileExt = text;
      break;
    case kKeyDrillToolFileExtension:
      s.drillToolFileExt = text;
      break;
    case kKeyPlatedDrillFieldName:
      s.platedFieldName = text;
      break;
    case kKeyUnplatedDrillFieldName:
      s.unplatedFieldName = text;
      break;
    case kKeyDrillToolFieldOrder:
      s.drillToolFieldOrder.clear();
      ParseByteList(s.drillToolFieldOrder, text);
      break;
    case kKeyApertureFieldOrder: {
      FieldOrder order;
      ParseByteList(order, text);
      ApplyLegacyApertureOrder(s, order);
      converted = true;
      break;
    }
    default:
      if (key < kKeyCircleApertureFormat || key > kKeyEllipseApertureFormat) return false;
      ReadApertureFormat(
          s.apertureFormats[static_cast<std::size_t>(key - kKeyCircleApertureFormat)], text);
  }
  return true;
}

// Loads the file a line names; a name that cannot be opened is listed.
void ApplyFileLine(CCorvaneDoc& doc, int key, const char* value, WorkFileReading& reading) {
  std::string name = value;
  bool loaded = false;
  switch (key) {
    case kKeyApertureFile:
      loaded = doc.LoadApertureFile(value);
      break;
    case kKeyDrillToolFile:
      loaded = doc.LoadDrillToolFile(value);
      break;
    case kKeyDrillFile:
      loaded = doc.LoadNcDrillFile(value);
      break;
    case kKeyLayerInfo:
    case kKeyGerberLayer:
    case kKeyGerberFile: {
      const PlotLayer layer = key == kKeyLayerInfo     ? LayerInfoLayer(value)
                              : key == kKeyGerberLayer ? GerberLayerLayer(value)
                                                       : GerberFileLayer(doc, value);
      name = layer.fileName;
      loaded = doc.LoadGerberLayer(layer);
      break;
    }
    default:
      return;
  }
  if (!loaded && !name.empty()) reading.unopened.push_back(doc.ResolveDataPath(name));
}

FileResult OpenFailure(const std::string& path, int error) {
  if (error == 0) return {false, "Failed to open document."};
  return {false, "Could not open " + path + ": " + std::strerror(error) + "."};
}

}  // namespace

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

std::string_view PathFolder(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? std::string_view() : path.substr(0, separator);
}

std::string StoredFileName(std::string_view path, std::string_view workFolder) {
  if (PathFolder(path) != workFolder) return std::string(path);
  const std::size_t separator = path.find_last_of("/\\");
  return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string FormatWorkFile(const CCorvaneDoc& doc, std::string_view workFolder) {
  WorkFileWriter writer;
  WriteSettings(doc, writer);
  WriteFiles(doc, workFolder, writer);
  return writer.Take();
}

FileResult WriteWorkFile(CCorvaneDoc& doc, const std::string& path) {
  FileResult result = WriteFileAtomically(path, FormatWorkFile(doc, PathFolder(path)));
  if (result.ok) doc.SetModified(false);
  return result;
}

void ApplyWorkFileLine(CCorvaneDoc& doc, const char* line, WorkFileReading& reading) {
  const char* equals = std::strchr(line, '=');
  if (equals == nullptr) return;
  const int key = FindWorkFileKey(std::string_view(line, static_cast<std::size_t>(equals - line)));
  if (key == kNoWorkFileKey || key == kKeyUnknown || key == kKeyGerberFileLayerOrder) return;
  const char* value = equals + 1;
  if (!ApplySetting(doc, key, value, reading.converted)) ApplyFileLine(doc, key, value, reading);
}

FileResult ReadWorkFile(CCorvaneDoc& doc, const std::string& path,
                        std::vector<std::string>* unopened) {
  TextFile file;
  if (!file.Open(path)) return OpenFailure(path, file.OpenError());
  // Names in the file resolve against its folder while it is read.
  doc.SetPathName(path);
  doc.ClearAll();
  WorkFileReading reading;
  std::vector<char> line(kWorkFileLineLimit + 1);
  while (ReadLine(file, line.data(), kWorkFileLineLimit) != 0) {
    ApplyWorkFileLine(doc, line.data(), reading);
  }
  doc.SetModified(reading.converted);
  if (unopened != nullptr) *unopened = std::move(reading.unopened);
  return {};
}

}  // namespace corvane
