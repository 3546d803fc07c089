// The document's defaults from the settings store's "Defaults" section.

#include <string>

#include "document/corvane_doc.h"
#include "platform/settings_store.h"
#include "readers/numeric_fields.h"

namespace corvane {
namespace {

// Reads through a store that may be absent: then every key yields its default.
class DefaultsReader {
 public:
  explicit DefaultsReader(const SettingsStore* store) : store_(store) {}

  int32_t Int(std::string_view key, int32_t fallback) const {
    return store_ != nullptr ? store_->ReadInt(kSectionDefaults, key, fallback) : fallback;
  }
  std::string Text(std::string_view key, std::string_view fallback) const {
    return store_ != nullptr ? store_->ReadText(kSectionDefaults, key, fallback)
                             : std::string(fallback);
  }
  double Real(std::string_view key) const { return ParseCDouble(Text(key, "1")); }
  NumberFormat Format(std::string_view key) const {
    return ReadNumberFormat(Text(key, "2, 4").c_str());
  }
  void Offsets(std::string_view key, double& x, double& y) const {
    const std::string text = Text(key, "0.0, 0.0");
    const char* p = ReadRealField(text.c_str(), x, 0.0, true);
    ReadRealField(p, y, 0.0, true);
  }

 private:
  const SettingsStore* store_;
};

FieldOrder StoredOrder(const DefaultsReader& reader, const std::string& key,
                       const FieldOrder& builtIn) {
  const std::string text = reader.Text(key, "");
  if (text.empty()) return builtIn;
  FieldOrder order;
  ParseByteList(order, text);
  return order;
}

}  // namespace

void CCorvaneDoc::LoadStoredDefaults() {
  const DefaultsReader reader(store_);
  FormatSettings& s = settings_;

  mirrorX_ = reader.Int("MirrorX", 1);
  mirrorY_ = reader.Int("MirrorY", 0);
  autoOrigin_ = reader.Int("AutoOrigin", 0);

  s.gerberMultiplier = reader.Real("GerberMultiplier");
  s.apertureMultiplier = reader.Real("ApertureMultiplier");
  s.drillMultiplier = reader.Real("DrillMultiplier");
  s.drillToolMultiplier = reader.Real("DrillToolMultiplier");
  printMagnification_ = reader.Real("PrintMagnification");

  s.SetGerberNumberFormat(reader.Format("GerberNumberFormat"));
  s.drillFormat = reader.Format("DrillNumberFormat");

  // The two readings start from 0 so that a text without a number gives 0.0.
  s.gerberOffsetX = s.gerberOffsetY = s.drillOffsetX = s.drillOffsetY = 0.0;
  reader.Offsets("GerberOffsets", s.gerberOffsetX, s.gerberOffsetY);
  reader.Offsets("DrillOffsets", s.drillOffsetX, s.drillOffsetY);

  s.gerberCompression = reader.Int("GerberCompression", 1);
  s.drillCompression = reader.Int("DrillCompression", 1);

  s.gerberFileExt = reader.Text("GerberFileExt", "ger");
  s.drillFileExt = reader.Text("DrillFileExt", "drl");
  s.apertureFileExt = reader.Text("ApertureFileExt", "apr");
  s.drillToolFileExt = reader.Text("DrillToolFileExt", "rck");
  s.platedFieldName = reader.Text("PlatedFieldName", "Plated");
  s.unplatedFieldName = reader.Text("UnplatedFieldName", "Unplated");

  s.drillToolFieldOrder =
      StoredOrder(reader, "DrillToolFieldOrder", FormatSettings::BuiltInDrillToolFieldOrder());
  for (int i = 0; i < kApertureFormatCount; ++i) {
    const std::string index = std::to_string(i);
    ApertureFormat format;
    format.fieldOrder = StoredOrder(reader, "ApertureFieldOrder" + index,
                                    FormatSettings::BuiltInApertureFieldOrder());
    format.identifier = reader.Text("ApertureIdentifier" + index, "");
    if (format.identifier.empty()) {
      format.identifier = FormatSettings::BuiltInApertureIdentifier(i);
    }
    s.apertureFormats[static_cast<std::size_t>(i)] = format;
  }
}

}  // namespace corvane
