#pragma once

// The one table of settings: for each setting the field it sets, its key in
// the store's "Defaults" section, its work-file key, its written form, its
// place in a written work file and its built-in value. Reading the stored
// defaults, reading and writing a work file, and writing one default all walk
// this table; a new setting is one new row.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "document/format_settings.h"

namespace corvane {

class CCorvaneDoc;
class SettingsStore;

// How a setting is written. A work file and the store use the same text,
// except where noted.
enum class SettingForm : uint8_t {
  kInteger,         // "%d"; the store keeps it as an integer
  kReal,            // "%0.4f"
  kNumberFormat,    // "%d,%d": integer digits, decimal digits
  kOffsets,         // "%0.4f,%0.4f": X, Y
  kText,            // as it stands
  kFieldOrder,      // codes as a comma list; the store's text starts with "=", is cut at
                    // 254 characters, and when empty means the built-in order
  kApertureFormat,  // one work-file value "identifier,list"; in the store two keys, the
                    // field order's (as kFieldOrder) and the identifier's (as kText, when
                    // empty meaning the built-in identifier)
};

struct OffsetPair {
  double x = 0.0;
  double y = 0.0;
};

// A setting's value; the alternative is the one of its form, in SettingForm's order.
using SettingValue = std::variant<int32_t, double, NumberFormat, OffsetPair, std::string,
                                  FieldOrder, ApertureFormat>;

// Where a setting's line stands in a written work file.
enum class WorkFilePlace : uint8_t { kBeforeFiles, kAfterFiles, kNotWritten };

struct Setting {
  SettingForm form;
  std::string_view storedKey;      // in "Defaults"; empty for a work-file key only
  std::string_view identifierKey;  // kApertureFormat: the identifier's stored key
  int workFileKey;                 // a WorkFileKey
  WorkFilePlace place;
  // An old work file's key: reading it converts the file, which then counts as modified.
  bool convertsOldFile;
  SettingValue (*builtIn)();
  SettingValue (*get)(const CCorvaneDoc& doc);  // null for a key that is never written
  void (*set)(CCorvaneDoc& doc, const SettingValue& value);
};

// Every setting, in the order a work file is written.
std::span<const Setting> SettingsTable();
// The setting a work-file key sets, or nullptr (file lines and ignored keys).
const Setting* FindWorkFileSetting(int workFileKey);
// The setting stored under `storedKey` (either key of an aperture format), or nullptr.
const Setting* FindStoredSetting(std::string_view storedKey);

// Fills every stored setting of the document from the store's "Defaults"
// section, with the built-in value where the store has none; without a store
// every setting takes its built-in value.
void LoadStoredDefaults(CCorvaneDoc& doc, const SettingsStore* store);
// Writes the document's value of the setting stored under `storedKey` to
// "Defaults" in its written form; false for a key that is no setting.
bool WriteStoredDefault(SettingsStore& store, const CCorvaneDoc& doc, std::string_view storedKey);

// The setting's work-file line "Key=value", without its line end.
std::string WorkFileSettingLine(const Setting& setting, const CCorvaneDoc& doc);
// Applies a work-file value to the document.
void ApplyWorkFileSetting(const Setting& setting, CCorvaneDoc& doc, const char* value);

}  // namespace corvane
