#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Digits of a coordinate written without a decimal point: "2, 4" means raw
// 12500 is 1.25 units.
struct NumberFormat {
  int32_t intDigits = 2;
  int32_t decDigits = 4;
  friend bool operator==(const NumberFormat&, const NumberFormat&) = default;
};

// 0 none, 1 leading zeros omitted, 2 trailing zeros omitted; only 2 changes decoding.
using ZeroSuppression = int32_t;
inline constexpr ZeroSuppression kZeroSuppressionNone = 0;
inline constexpr ZeroSuppression kLeadingZerosOmitted = 1;
inline constexpr ZeroSuppression kTrailingZerosOmitted = 2;

enum ApertureFieldCode : uint8_t {
  kApertureFieldDCode = 0,
  kApertureFieldIdentifier = 1,
  kApertureFieldWidth = 2,
  kApertureFieldHeight = 3,
  kApertureFieldQuantity = 4,
  kApertureFieldSkip = 5,
};

enum DrillToolFieldCode : uint8_t {
  kDrillToolFieldToolCode = 0,
  kDrillToolFieldHoleType = 1,
  kDrillToolFieldDiameter = 2,
  kDrillToolFieldQuantity = 3,
  kDrillToolFieldSkip = 4,
};

using FieldOrder = std::vector<uint8_t>;

struct ApertureFormat {
  std::string identifier;
  FieldOrder fieldOrder;
  friend bool operator==(const ApertureFormat&, const ApertureFormat&) = default;
};

inline constexpr int kApertureFormatCount = 5;

// How the readers interpret their input. A plain value record: every field is
// read and written directly; the few rules that tie fields together are the
// member functions.
struct FormatSettings {
  double gerberMultiplier = 1.0;
  double apertureMultiplier = 1.0;
  double drillMultiplier = 1.0;
  double drillToolMultiplier = 1.0;
  NumberFormat gerberXFormat;
  NumberFormat gerberYFormat;
  double gerberOffsetX = 0.0;
  double gerberOffsetY = 0.0;
  ZeroSuppression gerberCompression = kLeadingZerosOmitted;
  NumberFormat drillFormat;
  double drillOffsetX = 0.0;
  double drillOffsetY = 0.0;
  ZeroSuppression drillCompression = kLeadingZerosOmitted;
  std::string gerberFileExt = "ger";
  std::string drillFileExt = "drl";
  std::string apertureFileExt = "apr";
  std::string drillToolFileExt = "rck";
  std::string platedFieldName = "Plated";
  std::string unplatedFieldName = "Unplated";
  FieldOrder drillToolFieldOrder = BuiltInDrillToolFieldOrder();
  std::array<ApertureFormat, kApertureFormatCount> apertureFormats = BuiltInApertureFormats();

  // The Gerber File Format dialog edits one pair for both axes.
  void SetGerberNumberFormat(NumberFormat format) {
    gerberXFormat = format;
    gerberYFormat = format;
  }
  const ApertureFormat& GetApertureFormat(int index) const;
  void SetApertureFormat(int index, const ApertureFormat& format);
  static constexpr int GetApertureFormatCount() { return kApertureFormatCount; }

  static FieldOrder BuiltInDrillToolFieldOrder();
  static FieldOrder BuiltInApertureFieldOrder();
  static std::string_view BuiltInApertureIdentifier(int index);
  static std::array<ApertureFormat, kApertureFormatCount> BuiltInApertureFormats();

  friend bool operator==(const FormatSettings&, const FormatSettings&) = default;
};

// "3,5", "3 5" or "3, 5"; a missing count falls back to 2 and 4.
NumberFormat ReadNumberFormat(const char* text);

// Display names of field codes; "Unknown" outside the defined range.
std::string_view ApertureFieldName(int code);
std::string_view DrillToolFieldName(int code);

// Appends the fields of a comma, blank or tab separated list of numbers, one
// byte each. Characters before the first digit are passed over, so "=0,1" and
// "0,1" read the same.
void ParseByteList(FieldOrder& list, std::string_view text);

// buffer = key "=" list; values that would take the text past limit characters
// are dropped, with every value after them.
void FormatByteList(std::string& buffer, std::string_view key, const FieldOrder& list,
                    std::size_t limit);
// The same without the key: appends the list behind what the buffer holds.
void AppendByteList(std::string& buffer, const FieldOrder& list, std::size_t limit);

}  // namespace corvane
