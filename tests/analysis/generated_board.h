#pragma once

// A small two-sided board written here for the board picture's tests, in
// millimetres (30 x 20, origin at its lower left corner):
//   - outline: the rectangle drawn with a 0.1 mm line, and a closed square
//     20..24 x 5..9 inside it, a cut-out;
//   - top copper: square pads 2 x 2 at (5, 10) and (10, 10), a round pad of
//     2 mm at (15, 10) with a plated hole of 0.8 mm through it;
//   - top mask: openings 2.2 x 2.2 over (5, 10) and (15, 10), and one over
//     bare laminate at (25, 3); none over (10, 10);
//   - top silkscreen: a 0.2 mm line from (5, 7) to (5, 13), across the
//     opening at (5, 10);
//   - bottom copper: a pad 2 x 2 at (5, 4); no bottom mask.
// `outline` replaces the outline layer's body (empty: no outline layer).

#include <string>

#include "standard/standard_reader.h"

namespace corvane {
namespace testboard {

inline const std::string kRectangleOutline =
    "%ADD10C,0.1*%D10*X0Y0D02*X30000000Y0D01*X30000000Y20000000D01*X0Y20000000D01*X0Y0D01*"
    "X20000000Y5000000D02*X24000000Y5000000D01*X24000000Y9000000D01*X20000000Y9000000D01*"
    "X20000000Y5000000D01*";

inline StandardLayer Gerber(const std::string& name, LayerSide side, LayerType type,
                            const std::string& body) {
  StandardLayer layer =
      ReadStandardGerber("%FSLAX46Y46*%%MOMM*%" + body + "M02*", StandardContext{});
  layer.fileName = name;
  layer.function.kind = FileKind::kGerber;
  layer.function.side = side;
  layer.function.type = type;
  layer.function.from = FunctionSource::kName;
  return layer;
}

inline StandardLayer Drill(const std::string& name, const std::string& hits) {
  StandardLayer layer =
      ReadStandardExcellon("M48\nMETRIC\nT1C0.8\n%\nT1\n" + hits + "M30\n", StandardContext{});
  layer.fileName = name;
  layer.function.kind = FileKind::kExcellon;
  layer.function.side = LayerSide::kAll;
  layer.function.type = LayerType::kDrill;
  layer.function.plating = LayerPlating::kPlated;
  layer.function.from = FunctionSource::kName;
  return layer;
}

inline StandardModel Board(const std::string& outline = kRectangleOutline) {
  StandardModel model;
  model.layers.push_back(Gerber("top.gbr", LayerSide::kTop, LayerType::kCopper,
                                "%ADD10R,2X2*%%ADD11C,2*%D10*X5000000Y10000000D03*"
                                "X10000000Y10000000D03*D11*X15000000Y10000000D03*"));
  model.layers.push_back(Gerber("topmask.gbr", LayerSide::kTop, LayerType::kSoldermask,
                                "%ADD10R,2.2X2.2*%D10*X5000000Y10000000D03*"
                                "X15000000Y10000000D03*X25000000Y3000000D03*"));
  model.layers.push_back(Gerber("topsilk.gbr", LayerSide::kTop, LayerType::kSilkscreen,
                                "%ADD10C,0.2*%D10*X5000000Y7000000D02*X5000000Y13000000D01*"));
  model.layers.push_back(Gerber("bottom.gbr", LayerSide::kBottom, LayerType::kCopper,
                                "%ADD10R,2X2*%D10*X5000000Y4000000D03*"));
  model.layers.push_back(Drill("pth.drl", "X15.0Y10.0\n"));
  if (!outline.empty())
    model.layers.push_back(Gerber("edge.gbr", LayerSide::kAll, LayerType::kOutline, outline));
  return model;
}

}  // namespace testboard
}  // namespace corvane
