#pragma once

// The plain-text dump of a document: one record a line, fields separated by
// one blank, in this order of kinds and, within a kind, in the document's order:
//
//   layer <index> <color 0x%06X> <mirrorOnXAxis> <mirrorOnYAxis> <offsetX> <offsetY> <visible>
//   <fileName> aperture <layer> <dcode> <shape> <sizeX> <sizeY> <quantity> <macroIndex>
//   <paramCount> <params...> macro <index> <layer> <name> <primitive count> primitive <macro index>
//   <type> <paramCount> <value, or $value for a variable...> tool <tool> <plating> <diameter>
//   <quantity> hit <tool> <x> <y> extents <maxX> <minX> <maxY> <minY> items <itemCount> item
//   <layer> <kind> <mode> <dcode> <x> <y>       (only when asked for)
//
// Reals print with "%.17g", so they read back exactly; names print quoted
// with C escapes.

#include <functional>
#include <string>
#include <string_view>

namespace corvane {

class CCorvaneDoc;

struct DumpOptions {
  bool items = false;
};

// Receives one record at a time, without its line end.
using DumpSink = std::function<void(std::string_view line)>;

void DumpDocument(const CCorvaneDoc& doc, const DumpOptions& options, const DumpSink& sink);

// The whole dump as text, each record ended by a line feed.
std::string DumpDocumentText(const CCorvaneDoc& doc, const DumpOptions& options);

// `text` in double quotes: \\ \" \n \r \t, and \xNN for any other byte outside
// printable ASCII.
std::string QuoteName(std::string_view text);

// A real as "%.17g".
std::string FormatReal(double value);

}  // namespace corvane
