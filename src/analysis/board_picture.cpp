#include "analysis/board_picture.h"

#include <algorithm>

#include "analysis/board_shape.h"
#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

LayerSide SideOf(BoardSide side) {
  return side == BoardSide::kTop ? LayerSide::kTop : LayerSide::kBottom;
}

std::string_view SideWord(BoardSide side) { return side == BoardSide::kTop ? "top" : "bottom"; }

std::vector<uint32_t> OuterCopper(const StandardModel& model, const BoardLayers& layers,
                                  BoardSide side) {
  std::vector<uint32_t> copper;
  for (const uint32_t i : layers.copper) {
    if (model.layers[i].function.side == SideOf(side)) copper.push_back(i);
  }
  return copper;
}

// What the layers draw, together; `box` gathers their extents.
GeoPaths Drawn(const std::vector<uint32_t>& indices, const LayerGeometryOf& geometryOf,
               GeoBox* box = nullptr) {
  GeoPaths all;
  for (const uint32_t i : indices) {
    const LayerGeometry* g = geometryOf(i);
    if (g == nullptr) continue;
    if (box != nullptr) box->Add(g->extents);
    const GeoPaths paths = g->AllPaths();
    all.insert(all.end(), paths.begin(), paths.end());
  }
  // One layer's islands never overlap; several layers' may.
  return indices.size() > 1 ? UnionOf(all) : all;
}

void AddPart(BoardPicture& picture, BoardPart part, uint32_t color, GeoPaths paths) {
  if (paths.empty()) return;
  const GeoBox box = BoxOf(paths);
  picture.parts.push_back({part, color, std::move(paths), box});
}

GeoBox FallbackBox(const StandardModel& model, const BoardLayers& layers,
                   const LayerGeometryOf& geometryOf) {
  GeoBox box;
  for (const uint32_t i : layers.copper) {
    if (const LayerGeometry* g = geometryOf(i)) box.Add(g->extents);
  }
  if (!box.Empty()) return box;
  for (uint32_t i = 0; i < model.layers.size(); ++i) {
    if (const LayerGeometry* g = geometryOf(i)) box.Add(g->extents);
  }
  return box;
}

BoardShape ShapeOf(const StandardModel& model, const BoardLayers& layers,
                   const LayerGeometryOf& geometryOf) {
  std::vector<OutlineLayer> outlines;
  for (const uint32_t i : layers.outlines) outlines.push_back({model.layers[i].fileName, geometryOf(i)});
  return FindBoardShape(outlines, FallbackBox(model, layers, geometryOf));
}

std::vector<uint32_t> Drills(const BoardLayers& layers) {
  std::vector<uint32_t> drills = layers.platedDrills;
  drills.insert(drills.end(), layers.nonPlatedDrills.begin(), layers.nonPlatedDrills.end());
  return drills;
}

}  // namespace

const BoardPicturePart* BoardPicture::Find(BoardPart part) const {
  for (const BoardPicturePart& p : parts) {
    if (p.part == part) return &p;
  }
  return nullptr;
}

std::vector<uint32_t> BoardPictureLayers(const StandardModel& model, const BoardLayers& layers,
                                         BoardSide side) {
  std::vector<uint32_t> used = layers.copper;  // all: the extents stand in for an outline
  if (layers.copper.empty() && layers.outlines.empty()) {
    // Nothing says where the board is: whatever is drawn gives its extents.
    used.resize(model.layers.size());
    for (uint32_t i = 0; i < used.size(); ++i) used[i] = i;
  }
  const std::vector<uint32_t> drills = Drills(layers);
  used.insert(used.end(), drills.begin(), drills.end());
  used.insert(used.end(), layers.outlines.begin(), layers.outlines.end());
  const SideLayers& s = layers.Side(side);
  for (const auto* list : {&s.mask, &s.silkscreen, &s.paste}) used.insert(used.end(), list->begin(), list->end());
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  used.erase(std::remove_if(used.begin(), used.end(), [&](uint32_t i) { return i >= model.layers.size(); }),
             used.end());
  return used;
}

BoardPicture ComposeBoardPicture(const StandardModel& model, const BoardLayers& layers,
                                 BoardSide side, const BoardStyle& style,
                                 const LayerGeometryOf& geometryOf) {
  BoardPicture picture;
  picture.side = side;
  BoardShape shape = ShapeOf(model, layers, geometryOf);
  picture.notes = std::move(shape.notes);
  const GeoPaths board = DifferenceOf(shape.region, Drawn(Drills(layers), geometryOf));
  if (board.empty()) return picture;
  picture.box = shape.box;
  AddPart(picture, BoardPart::kSubstrate, kSubstrateColor, board);

  const SideLayers& s = layers.Side(side);
  const bool masked = !s.mask.empty();
  const GeoPaths openings = masked ? IntersectionOf(Drawn(s.mask, geometryOf), board) : GeoPaths{};
  if (masked) {
    AddPart(picture, BoardPart::kMask, style.MaskColor(), DifferenceOf(board, openings));
  } else {
    picture.notes.push_back("no " + std::string(SideWord(side)) +
                            " soldermask layer; the bare board is drawn");
  }
  const std::vector<uint32_t> copperLayers = OuterCopper(model, layers, side);
  const GeoPaths copper = IntersectionOf(Drawn(copperLayers, geometryOf), board);
  if (masked) {
    AddPart(picture, BoardPart::kCopperUnderMask, style.CopperUnderMaskColor(), copper);
    AddPart(picture, BoardPart::kFinish, style.FinishColor(), IntersectionOf(copper, openings));
  } else {
    AddPart(picture, BoardPart::kFinish, style.FinishColor(), copper);
  }
  if (style.paste && !s.paste.empty())
    AddPart(picture, BoardPart::kPaste, kPasteColor, IntersectionOf(Drawn(s.paste, geometryOf), board));
  const GeoPaths silk = IntersectionOf(Drawn(s.silkscreen, geometryOf), board);
  AddPart(picture, BoardPart::kSilkscreen, style.SilkColor(),
          masked ? DifferenceOf(silk, openings) : silk);
  return picture;
}

BoardPicture BuildBoardPicture(const StandardModel& model, BoardSide side, const BoardStyle& style,
                               const GeometryBuildOptions& options) {
  const BoardLayers layers = FindBoardLayers(model);
  std::vector<LayerGeometry> built(model.layers.size());
  std::vector<bool> usable(model.layers.size(), false);
  std::vector<std::string> left;
  for (const uint32_t i : BoardPictureLayers(model, layers, side)) {
    built[i] = BuildLayerGeometry(model.layers[i], options);
    usable[i] = built[i].Complete();
    if (!usable[i]) left.push_back(model.layers[i].fileName + ": too large to build; left out");
  }
  BoardPicture picture = ComposeBoardPicture(model, layers, side, style, [&](uint32_t i) {
    return i < built.size() && usable[i] ? &built[i] : nullptr;
  });
  picture.notes.insert(picture.notes.begin(), left.begin(), left.end());
  return picture;
}

}  // namespace corvane
