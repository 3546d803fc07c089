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

// The keys of what the classic table has no room for: the set's reading, the
// function of each layer and drill file, the further drill files and the
// netlist. They are written only when there is something to say, so a work
// file without any of it stays as it always was; a reader that knows only
// the table above passes over them.
enum class ExtensionKey : int {
  kReading = 0,   // "standard" or "classic"; written first, so the loads know it
  kLayerFunction, // <layer line number from 0>,<function>
  kDrillFunction, // <function> of the NC drill file
  kDrillColor,    // R,G,B of the NC drill file's holes
  kDrillFiles,    // R,G,B,<function>,<file name>: one further drill file a line
  kNetlistFile,   // the IPC-D-356 netlist's file name
  kCount,
};
std::string_view ExtensionKeyName(ExtensionKey key);
// The key compared case-insensitively as a whole, or kCount.
ExtensionKey FindExtensionKey(std::string_view key);

}  // namespace corvane
