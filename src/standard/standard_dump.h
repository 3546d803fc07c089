#pragma once

// The plain-text dump of the standard model, one record a line, fields
// separated by one blank. Lengths are inches, printed with at most six
// decimals (trailing zeros dropped); angles are degrees; texts are quoted with
// C escapes. Per layer, in this order:
//
//   layer <index> <gerber|excellon> <color 0x%06X> <mirrorOnXAxis> <mirrorOnYAxis>
//         <offsetX> <offsetY> <visible> <fileName>
//   format <inch|mm|unstated> <X digits int.dec> <Y digits int.dec>
//          <none|leading|trailing zeros omitted> <file|document> <positive|negative>
//   features <name>...          only when the file uses what the classic reading
//                               draws differently: region clear-polarity
//                               step-repeat block macro-flash polygon-flash
//                               obround-flash metric-without-g71
//                               aperture-transform image-transform header-format
//                               routing slot
//   limits <name>...            only when a bound was reached: expanded-objects
//                               points shape-parts repeats block-depth
//                               expression-depth macro-work outline-vertices
//                               macro-variables
//   attribute <name> <value>    each file attribute, in file order
//   aperture <code> <standard|macro|block|table|tool|tool-table> <shape>
//            <definition> <attributes>
//   counts <flashes> <lines> <arcs> <regions> <clear objects> <contours> <contour points>
//   extents <minX> <minY> <maxX> <maxY>     (extents none: nothing drawn)
//
// and with --items, after those:
//
//   shape <index> <round diameter, or - when not round> <parts>
//   part circle <dark|clear> <cx> <cy> <diameter>
//   part polygon <dark|clear> <points> <x> <y> <x> <y> ...
//   set <index> <object attributes>          each set but the empty set 0
//   run <first object> <set>                 from that object on, that set
//   object <index> flash <dark|clear> <x> <y> <shape>
//   object <index> line <dark|clear> <x0> <y0> <x1> <y1> <shape>
//   object <index> arc <dark|clear> <x0> <y0> <x1> <y1> <cx> <cy> <sweep> <shape>
//   object <index> region <dark|clear> <contours>
//   contour <points> <x> <y> <x> <y> ...     after its region, one per contour

#include <functional>
#include <string>
#include <string_view>

#include "standard/standard_model.h"

namespace corvane {

struct StandardDumpOptions {
  bool items = false;
};

using StandardDumpSink = std::function<void(std::string_view line)>;

void DumpStandardLayer(const StandardLayer& layer, int index, const StandardDumpOptions& options,
                       const StandardDumpSink& sink);
void DumpStandardModel(const StandardModel& model, const StandardDumpOptions& options,
                       const StandardDumpSink& sink);

// The whole dump as text, each record ended by a line feed.
std::string DumpStandardModelText(const StandardModel& model, const StandardDumpOptions& options);
std::string DumpStandardLayerText(const StandardLayer& layer, int index,
                                  const StandardDumpOptions& options);

// A length as the dump prints it: "%.6f" without trailing zeros, never "-0".
std::string FormatLength(double value);

}  // namespace corvane
