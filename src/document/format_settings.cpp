#include "document/format_settings.h"

#include <array>
#include <charconv>
#include <string>

#include "text/fields.h"

namespace corvane {

FieldOrder FormatSettings::BuiltInDrillToolFieldOrder() {
  return {kDrillToolFieldToolCode, kDrillToolFieldHoleType, kDrillToolFieldSkip,
          kDrillToolFieldDiameter, kDrillToolFieldQuantity};
}

FieldOrder FormatSettings::BuiltInApertureFieldOrder() {
  return {kApertureFieldDCode, kApertureFieldIdentifier, kApertureFieldWidth, kApertureFieldHeight,
          kApertureFieldQuantity};
}

std::string_view FormatSettings::BuiltInApertureIdentifier(int index) {
  static constexpr std::string_view kIdentifiers[kApertureFormatCount] = {
      "CIRCLE", "LINE", "RECTANGLE", "SQUARE", "ELLIPSE"};
  return index >= 0 && index < kApertureFormatCount ? kIdentifiers[index] : std::string_view();
}

std::array<ApertureFormat, kApertureFormatCount> FormatSettings::BuiltInApertureFormats() {
  std::array<ApertureFormat, kApertureFormatCount> formats;
  for (int i = 0; i < kApertureFormatCount; ++i) {
    formats[static_cast<std::size_t>(i)] =
        ApertureFormat{std::string(BuiltInApertureIdentifier(i)), BuiltInApertureFieldOrder()};
  }
  return formats;
}

const ApertureFormat& FormatSettings::GetApertureFormat(int index) const {
  return apertureFormats.at(static_cast<std::size_t>(index));
}

void FormatSettings::SetApertureFormat(int index, const ApertureFormat& format) {
  apertureFormats.at(static_cast<std::size_t>(index)) = format;
}

NumberFormat ReadNumberFormat(const char* text) {
  NumberFormat format;
  const char* p = ReadIntField(text, format.intDigits, 2, true);
  ReadIntField(p, format.decDigits, 4, true);
  return format;
}

std::string_view ApertureFieldName(int code) {
  static constexpr std::string_view kNames[] = {"D Code", "Identifier", "Width",
                                                "Height", "Quantity",   "Skip"};
  return code >= 0 && code <= kApertureFieldSkip ? kNames[code] : "Unknown";
}

std::string_view DrillToolFieldName(int code) {
  static constexpr std::string_view kNames[] = {"Tool Code", "Hole Type", "Diameter", "Quantity",
                                                "Skip"};
  return code >= 0 && code <= kDrillToolFieldSkip ? kNames[code] : "Unknown";
}

void ParseByteList(FieldOrder& list, std::string_view text) {
  const std::string buffer(text);  // the field readers want NUL-terminated text
  const char* p = buffer.c_str();
  while (*p != '\0') {
    int32_t value = 0;
    p = ReadIntField(p, value, 0, true);
    list.push_back(static_cast<uint8_t>(value));
  }
}

void AppendByteList(std::string& buffer, const FieldOrder& list, std::size_t limit) {
  if (list.empty()) return;
  buffer += std::to_string(list.front());
  std::size_t length = buffer.size();
  for (std::size_t i = 1; i < list.size(); ++i) {
    // ",255" at most; formatted in place, since a saved work file writes six lists.
    std::array<char, 8> field{','};
    const auto written = std::to_chars(field.data() + 1, field.data() + field.size(), list[i]);
    const auto size = static_cast<std::size_t>(written.ptr - field.data());
    length += size;
    if (length >= limit) break;
    buffer.append(field.data(), size);
  }
}

void FormatByteList(std::string& buffer, std::string_view key, const FieldOrder& list,
                    std::size_t limit) {
  buffer.assign(key);
  buffer += '=';
  AppendByteList(buffer, list, limit);
}

}  // namespace corvane
