#include "document/settings_table.h"

#include <array>
#include <charconv>
#include <type_traits>

#include "document/corvane_doc.h"
#include "document/work_file_keys.h"
#include "platform/settings_store.h"
#include "text/fields.h"

namespace corvane {
namespace {

// Field orders are cut at the work file's line limit there, and shorter in the store.
constexpr std::size_t kWorkFileListLimit = 1022;
constexpr std::size_t kStoredListLimit = 254;

// "%0.4f" without the process locale: a decimal point whatever LC_NUMERIC says.
std::string Fixed4(double value) {
  std::array<char, 400> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 4);
  return std::string(buffer.data(), result.ptr);
}

// --- Written forms ------------------------------------------------------------------

// The text of a value of the forms that a work file and the store write alike.
std::string WrittenText(SettingForm form, const SettingValue& value) {
  switch (form) {
    case SettingForm::kInteger:
      return std::to_string(std::get<int32_t>(value));
    case SettingForm::kReal:
      return Fixed4(std::get<double>(value));
    case SettingForm::kNumberFormat: {
      const NumberFormat& f = std::get<NumberFormat>(value);
      return std::to_string(f.intDigits) + "," + std::to_string(f.decDigits);
    }
    case SettingForm::kOffsets: {
      const OffsetPair& o = std::get<OffsetPair>(value);
      return Fixed4(o.x) + "," + Fixed4(o.y);
    }
    case SettingForm::kText:
      return std::get<std::string>(value);
    case SettingForm::kFieldOrder:
    case SettingForm::kApertureFormat:
      break;
  }
  return {};
}

// The reading of the same forms. Offsets start from 0 and a number format from
// 2 and 4, so that a text without a number gives those.
SettingValue ReadText(SettingForm form, const std::string& text) {
  switch (form) {
    case SettingForm::kInteger:
      return ParseCInt(text);
    case SettingForm::kReal:
      return ParseCDouble(text);
    case SettingForm::kNumberFormat:
      return ReadNumberFormat(text.c_str());
    case SettingForm::kOffsets: {
      OffsetPair o;
      const char* p = ReadRealField(text.c_str(), o.x, 0.0, true);
      ReadRealField(p, o.y, 0.0, true);
      return o;
    }
    case SettingForm::kText:
    case SettingForm::kFieldOrder:
    case SettingForm::kApertureFormat:
      break;
  }
  return text;
}

FieldOrder ParsedOrder(std::string_view text) {
  FieldOrder order;
  ParseByteList(order, text);
  return order;
}

// The characters up to the first comma are the identifier; a value without a
// comma is all identifier, with an empty order.
ApertureFormat ReadApertureFormat(std::string_view value) {
  const std::size_t comma = value.find(',');
  ApertureFormat format;
  format.identifier = std::string(value.substr(0, comma));
  if (comma != std::string_view::npos) format.fieldOrder = ParsedOrder(value.substr(comma + 1));
  return format;
}

std::string StoredOrderText(const FieldOrder& order) {
  std::string text;
  FormatByteList(text, "", order, kStoredListLimit);
  return text;
}

// --- Fields -------------------------------------------------------------------------

template <auto Member>
SettingValue GetField(const CCorvaneDoc& doc) {
  return doc.Settings().*Member;
}

template <auto Member>
void SetField(CCorvaneDoc& doc, const SettingValue& value) {
  using Field = std::remove_cvref_t<decltype(doc.Settings().*Member)>;
  doc.Settings().*Member = std::get<Field>(value);
}

template <auto Getter>
SettingValue GetFlag(const CCorvaneDoc& doc) {
  return (doc.*Getter)();
}

template <auto Setter, typename Value>
void SetFlag(CCorvaneDoc& doc, const SettingValue& value) {
  (doc.*Setter)(std::get<Value>(value));
}

template <auto X, auto Y>
SettingValue GetOffsets(const CCorvaneDoc& doc) {
  return OffsetPair{doc.Settings().*X, doc.Settings().*Y};
}

template <auto X, auto Y>
void SetOffsets(CCorvaneDoc& doc, const SettingValue& value) {
  doc.Settings().*X = std::get<OffsetPair>(value).x;
  doc.Settings().*Y = std::get<OffsetPair>(value).y;
}

// The Gerber number format is written from X and read into both axes.
SettingValue GetGerberFormat(const CCorvaneDoc& doc) { return doc.Settings().gerberXFormat; }
void SetGerberFormat(CCorvaneDoc& doc, const SettingValue& value) {
  doc.Settings().SetGerberNumberFormat(std::get<NumberFormat>(value));
}

template <int Index>
SettingValue GetApertureFormat(const CCorvaneDoc& doc) {
  return doc.Settings().GetApertureFormat(Index);
}

template <int Index>
void SetApertureFormat(CCorvaneDoc& doc, const SettingValue& value) {
  doc.Settings().SetApertureFormat(Index, std::get<ApertureFormat>(value));
}

template <int Index>
SettingValue BuiltInApertureFormat() {
  return ApertureFormat{std::string(FormatSettings::BuiltInApertureIdentifier(Index)),
                        FormatSettings::BuiltInApertureFieldOrder()};
}

// An old work file's one field order serves all five aperture types.
void SetLegacyApertureOrder(CCorvaneDoc& doc, const SettingValue& value) {
  for (ApertureFormat& format : doc.Settings().apertureFormats) {
    format.fieldOrder = std::get<FieldOrder>(value);
  }
}

using enum SettingForm;
using enum WorkFilePlace;
using S = FormatSettings;
using D = CCorvaneDoc;

// One row per setting, in the order a work file is written.
// clang-format off
const Setting kSettings[] = {
  // form, stored key, identifier key, work-file key, place, converts, built-in value, get, set
  {kInteger, "AutoOrigin", {}, kKeyResetOrigin, kBeforeFiles, false,
   [] { return SettingValue(0); },
   GetFlag<&D::GetAutoOrigin>, SetFlag<&D::SetAutoOrigin, int32_t>},
  {kInteger, "MirrorX", {}, kKeyMirrorX, kBeforeFiles, false,
   [] { return SettingValue(1); },
   GetFlag<&D::GetMirrorX>, SetFlag<&D::SetMirrorX, int32_t>},
  {kInteger, "MirrorY", {}, kKeyMirrorY, kBeforeFiles, false,
   [] { return SettingValue(0); },
   GetFlag<&D::GetMirrorY>, SetFlag<&D::SetMirrorY, int32_t>},
  {kText, "GerberFileExt", {}, kKeyGerberFileExtension, kBeforeFiles, false,
   [] { return SettingValue(std::string("ger")); },
   GetField<&S::gerberFileExt>, SetField<&S::gerberFileExt>},
  {kReal, "GerberMultiplier", {}, kKeyGerberMultiplier, kBeforeFiles, false,
   [] { return SettingValue(1.0); },
   GetField<&S::gerberMultiplier>, SetField<&S::gerberMultiplier>},
  {kNumberFormat, "GerberNumberFormat", {}, kKeyGerberNumberFormat, kBeforeFiles, false,
   [] { return SettingValue(NumberFormat{2, 4}); },
   GetGerberFormat, SetGerberFormat},
  {kOffsets, "GerberOffsets", {}, kKeyGerberOffsets, kBeforeFiles, false,
   [] { return SettingValue(OffsetPair{}); },
   GetOffsets<&S::gerberOffsetX, &S::gerberOffsetY>,
   SetOffsets<&S::gerberOffsetX, &S::gerberOffsetY>},
  {kInteger, "GerberCompression", {}, kKeyGerberCompression, kBeforeFiles, false,
   [] { return SettingValue(kLeadingZerosOmitted); },
   GetField<&S::gerberCompression>, SetField<&S::gerberCompression>},
  {kText, "ApertureFileExt", {}, kKeyApertureFileExtension, kBeforeFiles, false,
   [] { return SettingValue(std::string("apr")); },
   GetField<&S::apertureFileExt>, SetField<&S::apertureFileExt>},
  {kReal, "ApertureMultiplier", {}, kKeyApertureMultiplier, kBeforeFiles, false,
   [] { return SettingValue(1.0); },
   GetField<&S::apertureMultiplier>, SetField<&S::apertureMultiplier>},
  {kText, "DrillFileExt", {}, kKeyDrillFileExtension, kBeforeFiles, false,
   [] { return SettingValue(std::string("drl")); },
   GetField<&S::drillFileExt>, SetField<&S::drillFileExt>},
  {kReal, "DrillMultiplier", {}, kKeyDrillMultiplier, kBeforeFiles, false,
   [] { return SettingValue(1.0); },
   GetField<&S::drillMultiplier>, SetField<&S::drillMultiplier>},
  {kNumberFormat, "DrillNumberFormat", {}, kKeyDrillNumberFormat, kBeforeFiles, false,
   [] { return SettingValue(NumberFormat{2, 4}); },
   GetField<&S::drillFormat>, SetField<&S::drillFormat>},
  {kOffsets, "DrillOffsets", {}, kKeyDrillOffsets, kBeforeFiles, false,
   [] { return SettingValue(OffsetPair{}); },
   GetOffsets<&S::drillOffsetX, &S::drillOffsetY>, SetOffsets<&S::drillOffsetX, &S::drillOffsetY>},
  {kInteger, "DrillCompression", {}, kKeyDrillCompression, kBeforeFiles, false,
   [] { return SettingValue(kLeadingZerosOmitted); },
   GetField<&S::drillCompression>, SetField<&S::drillCompression>},
  {kText, "DrillToolFileExt", {}, kKeyDrillToolFileExtension, kBeforeFiles, false,
   [] { return SettingValue(std::string("rck")); },
   GetField<&S::drillToolFileExt>, SetField<&S::drillToolFileExt>},
  {kReal, "DrillToolMultiplier", {}, kKeyDrillToolMultiplier, kBeforeFiles, false,
   [] { return SettingValue(1.0); },
   GetField<&S::drillToolMultiplier>, SetField<&S::drillToolMultiplier>},
  {kText, "PlatedFieldName", {}, kKeyPlatedDrillFieldName, kBeforeFiles, false,
   [] { return SettingValue(std::string("Plated")); },
   GetField<&S::platedFieldName>, SetField<&S::platedFieldName>},
  {kText, "UnplatedFieldName", {}, kKeyUnplatedDrillFieldName, kBeforeFiles, false,
   [] { return SettingValue(std::string("Unplated")); },
   GetField<&S::unplatedFieldName>, SetField<&S::unplatedFieldName>},
  {kFieldOrder, "DrillToolFieldOrder", {}, kKeyDrillToolFieldOrder, kBeforeFiles, false,
   [] { return SettingValue(S::BuiltInDrillToolFieldOrder()); },
   GetField<&S::drillToolFieldOrder>, SetField<&S::drillToolFieldOrder>},
  {kApertureFormat, "ApertureFieldOrder0", "ApertureIdentifier0",
   kKeyCircleApertureFormat, kBeforeFiles, false,
   BuiltInApertureFormat<0>,
   GetApertureFormat<0>, SetApertureFormat<0>},
  {kApertureFormat, "ApertureFieldOrder1", "ApertureIdentifier1",
   kKeyLineApertureFormat, kBeforeFiles, false,
   BuiltInApertureFormat<1>,
   GetApertureFormat<1>, SetApertureFormat<1>},
  {kApertureFormat, "ApertureFieldOrder2", "ApertureIdentifier2",
   kKeyRectangleApertureFormat, kBeforeFiles, false,
   BuiltInApertureFormat<2>,
   GetApertureFormat<2>, SetApertureFormat<2>},
  {kApertureFormat, "ApertureFieldOrder3", "ApertureIdentifier3",
   kKeySquareApertureFormat, kBeforeFiles, false,
   BuiltInApertureFormat<3>,
   GetApertureFormat<3>, SetApertureFormat<3>},
  {kApertureFormat, "ApertureFieldOrder4", "ApertureIdentifier4",
   kKeyEllipseApertureFormat, kBeforeFiles, false,
   BuiltInApertureFormat<4>,
   GetApertureFormat<4>, SetApertureFormat<4>},
  // Old work files only: one field order for all five aperture types.
  {kFieldOrder, {}, {}, kKeyApertureFieldOrder, kNotWritten, true,
   [] { return SettingValue(S::BuiltInApertureFieldOrder()); },
   nullptr, SetLegacyApertureOrder},
  {kReal, "PrintMagnification", {}, kKeyPrintMagnification, kAfterFiles, false,
   [] { return SettingValue(1.0); },
   GetFlag<&D::GetPrintMagnification>, SetFlag<&D::SetPrintMagnification, double>},
};
// clang-format on

// One stored setting from the store, or its built-in value when the store has
// no entry: the built-in value's written text is the fallback of the read.
SettingValue StoredValue(const Setting& s, const SettingsStore& store) {
  const SettingValue builtIn = s.builtIn();
  switch (s.form) {
    case kInteger:
      return store.ReadInt(kSectionDefaults, s.storedKey, std::get<int32_t>(builtIn));
    case kFieldOrder: {
      const std::string text = store.ReadText(kSectionDefaults, s.storedKey, "");
      return text.empty() ? builtIn : SettingValue(ParsedOrder(text));
    }
    case kApertureFormat: {
      ApertureFormat format = std::get<ApertureFormat>(builtIn);
      const std::string order = store.ReadText(kSectionDefaults, s.storedKey, "");
      if (!order.empty()) format.fieldOrder = ParsedOrder(order);
      std::string identifier = store.ReadText(kSectionDefaults, s.identifierKey, "");
      if (!identifier.empty()) format.identifier = std::move(identifier);
      return format;
    }
    default:
      return ReadText(s.form,
                      store.ReadText(kSectionDefaults, s.storedKey, WrittenText(s.form, builtIn)));
  }
}

}  // namespace

std::span<const Setting> SettingsTable() { return kSettings; }

const Setting* FindWorkFileSetting(int workFileKey) {
  for (const Setting& s : kSettings) {
    if (s.workFileKey == workFileKey) return &s;
  }
  return nullptr;
}

const Setting* FindStoredSetting(std::string_view storedKey) {
  if (storedKey.empty()) return nullptr;
  for (const Setting& s : kSettings) {
    if (s.storedKey == storedKey || s.identifierKey == storedKey) return &s;
  }
  return nullptr;
}

void LoadStoredDefaults(CCorvaneDoc& doc, const SettingsStore* store) {
  for (const Setting& s : kSettings) {
    if (s.storedKey.empty()) continue;
    s.set(doc, store != nullptr ? StoredValue(s, *store) : s.builtIn());
  }
}

bool WriteStoredDefault(SettingsStore& store, const CCorvaneDoc& doc, std::string_view storedKey) {
  const Setting* s = FindStoredSetting(storedKey);
  if (s == nullptr) return false;
  const SettingValue value = s->get(doc);
  switch (s->form) {
    case kInteger:
      store.WriteInt(kSectionDefaults, storedKey, std::get<int32_t>(value));
      break;
    case kFieldOrder:
      store.WriteText(kSectionDefaults, storedKey, StoredOrderText(std::get<FieldOrder>(value)));
      break;
    case kApertureFormat: {
      const ApertureFormat& format = std::get<ApertureFormat>(value);
      store.WriteText(
          kSectionDefaults, storedKey,
          storedKey == s->identifierKey ? format.identifier : StoredOrderText(format.fieldOrder));
      break;
    }
    default:
      store.WriteText(kSectionDefaults, storedKey, WrittenText(s->form, value));
  }
  return true;
}

std::string WorkFileSettingLine(const Setting& setting, const CCorvaneDoc& doc) {
  const std::string_view key = WorkFileKeyName(setting.workFileKey);
  const SettingValue value = setting.get(doc);
  std::string line;
  switch (setting.form) {
    case kFieldOrder:
      FormatByteList(line, key, std::get<FieldOrder>(value), kWorkFileListLimit);
      break;
    case kApertureFormat: {
      const ApertureFormat& format = std::get<ApertureFormat>(value);
      line.assign(key);
      line += '=';
      line += format.identifier;
      line += ',';
      AppendByteList(line, format.fieldOrder, kWorkFileListLimit);
      break;
    }
    default:
      line.assign(key);
      line += '=';
      line += WrittenText(setting.form, value);
  }
  return line;
}

void ApplyWorkFileSetting(const Setting& setting, CCorvaneDoc& doc, const char* value) {
  switch (setting.form) {
    case kFieldOrder:
      setting.set(doc, ParsedOrder(value));
      break;
    case kApertureFormat:
      setting.set(doc, ReadApertureFormat(value));
      break;
    default:
      setting.set(doc, ReadText(setting.form, value));
  }
}

}  // namespace corvane
