#pragma once

#include <string_view>

namespace corvane {

// The keys a work file may hold, in table order; the index is what
// FindWorkFileKey returns. Which of them are settings, and how each setting is
// read and written, is the settings table's (document/settings_table.h).
enum WorkFileKey : int {
  kKeyUnknown = 0,
  kKeyApertureFile,
  kKeyDrillToolFile,
  kKeyDrillFile,
  kKeyGerberFile,
  kKeyGerberLayer,
  kKeyLayerInfo,
  kKeyMirrorX,
  kKeyMirrorY,
  kKeyResetOrigin,
  kKeyGerberMultiplier,
  kKeyApertureMultiplier,
  kKeyDrillMultiplier,
  kKeyDrillToolMultiplier,
  kKeyGerberNumberFormat,
  kKeyDrillNumberFormat,
  kKeyGerberCompression,
  kKeyDrillCompression,
  kKeyGerberFileExtension,
  kKeyGerberOffsets,
  kKeyDrillFileExtension,
  kKeyDrillOffsets,
  kKeyApertureFileExtension,
  kKeyApertureFieldOrder,
  kKeyGerberFileLayerOrder,
  kKeyDrillToolFileExtension,
  kKeyPlatedDrillFieldName,
  kKeyUnplatedDrillFieldName,
  kKeyDrillToolFieldOrder,
  kKeyPrintMagnification,
  kKeyCircleApertureFormat,
  kKeyLineApertureFormat,
  kKeyRectangleApertureFormat,
  kKeySquareApertureFormat,
  kKeyEllipseApertureFormat,
  kWorkFileKeyCount,
};

inline constexpr int kNoWorkFileKey = -1;

std::string_view WorkFileKeyName(int key);
// Index of the key compared case-insensitively as a whole, or kNoWorkFileKey.
int FindWorkFileKey(std::string_view key);

}  // namespace corvane
