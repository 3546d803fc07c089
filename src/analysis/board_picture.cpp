#include "analysis/board_picture.h"

#include <algorithm>

#include "analysis/board_pieces.h"
#include "analysis/board_shape.h"
#include "geometry/parallel_tasks.h"
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

void AddPart(BoardPicture& picture, BoardPart part, uint32_t color,
             std::vector<PlacedPaths> placed) {
  if (placed.empty()) return;
  GeoBox box;
  for (const PlacedPaths& p : placed) box.Add(p.box);
  picture.parts.push_back({part, color, std::move(placed), box});
}

void AddPart(BoardPicture& picture, BoardPart part, uint32_t color, GeoPaths paths) {
  if (paths.empty()) return;
  const GeoBox box = BoxOf(paths);
  std::vector<PlacedPaths> placed;
  placed.push_back({std::make_shared<const GeoPaths>(std::move(paths)), {}, box});
  AddPart(picture, part, color, std::move(placed));
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

GeoPaths BoardPicturePart::Paths() const {
  GeoPaths paths;
  for (const PlacedPaths& p : placed) {
    for (const GeoPath& path : *p.paths) {
      GeoPath& moved = paths.emplace_back(path);
      for (GeoPoint& q : moved) q = {q.x + p.at.x, q.y + p.at.y};
    }
  }
  return paths;
}

uint64_t BoardPicturePart::PointCount() const {
  uint64_t count = 0;
  for (const PlacedPaths& p : placed) {
    for (const GeoPath& path : *p.paths) count += path.size();
  }
  return count;
}

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

namespace {

// The booleans as the parts are defined, each over the whole board.
void ComposeInOnePass(BoardPicture& picture, const StandardModel& model, const BoardLayers& layers,
                      const BoardStyle& style, const LayerGeometryOf& geometryOf,
                      const GeoPaths& region) {
  const BoardSide side = picture.side;
  const GeoPaths board = DifferenceOf(region, Drawn(Drills(layers), geometryOf));
  if (board.empty()) return;
  AddPart(picture, BoardPart::kSubstrate, kSubstrateColor, board);
  const SideLayers& s = layers.Side(side);
  const bool masked = !s.mask.empty();
  const GeoPaths openings = masked ? IntersectionOf(Drawn(s.mask, geometryOf), board) : GeoPaths{};
  if (masked) AddPart(picture, BoardPart::kMask, style.MaskColor(), DifferenceOf(board, openings));
  const GeoPaths copper =
      IntersectionOf(Drawn(OuterCopper(model, layers, side), geometryOf), board);
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
}

// The layers' pieces, the large ones in tiles.
BoardPieces PiecesOfLayers(const std::vector<uint32_t>& indices, const LayerGeometryOf& geometryOf,
                           unsigned threads) {
  std::vector<const LayerGeometry*> geometry;
  for (const uint32_t i : indices) geometry.push_back(geometryOf(i));
  return TiledPieces(PiecesOf(geometry, threads));
}

// The same parts, piece by piece. The holes are taken out of the board once
// (with the openings, for the mask); copper, paste and silkscreen pieces are
// clipped to the board only where they come near its edge, and lose only
// the holes and openings their boxes meet. The finish is the copper that is
// left, within the openings near it.
void ComposeByPieces(BoardPicture& picture, const StandardModel& model, const BoardLayers& layers,
                     const BoardStyle& style, const LayerGeometryOf& geometryOf, GeoPaths region,
                     unsigned threads) {
  const BoardSide side = picture.side;
  const RegionEdges board(std::move(region));
  const BoardPieces holes = PiecesOfLayers(Drills(layers), geometryOf, threads);
  std::vector<PlacedPaths> substrate = RegionLess(board, holes);
  if (substrate.empty()) return;
  AddPart(picture, BoardPart::kSubstrate, kSubstrateColor, std::move(substrate));

  const SideLayers& s = layers.Side(side);
  const bool masked = !s.mask.empty();
  const BoardPieces openings = PiecesOfLayers(s.mask, geometryOf, threads);
  // Where the board is not covered: the holes and the openings together.
  const BoardPieces joined = holes.empty() || openings.empty()
                                 ? BoardPieces{}
                                 : TiledPieces(JoinedPieces(holes, openings, threads));
  const BoardPieces& bare = joined.empty() ? (holes.empty() ? openings : holes) : joined;
  if (masked) AddPart(picture, BoardPart::kMask, style.MaskColor(), RegionLess(board, bare));

  const PieceSet holeSet(holes);
  const PieceClip onTheBoard{&board, nullptr, &holeSet};
  BoardPieces copper = ClipPieces(
      PiecesOfLayers(OuterCopper(model, layers, side), geometryOf, threads), onTheBoard, threads);
  if (masked) {
    const PieceSet openingSet(openings);
    std::vector<PlacedPaths> finish =
        PlacedOf(ClipPieces(copper, {nullptr, &openingSet, nullptr}, threads));
    AddPart(picture, BoardPart::kCopperUnderMask, style.CopperUnderMaskColor(),
            PlacedOf(std::move(copper)));
    AddPart(picture, BoardPart::kFinish, style.FinishColor(), std::move(finish));
  } else {
    AddPart(picture, BoardPart::kFinish, style.FinishColor(), PlacedOf(std::move(copper)));
  }
  if (style.paste && !s.paste.empty()) {
    AddPart(
        picture, BoardPart::kPaste, kPasteColor,
        PlacedOf(ClipPieces(PiecesOfLayers(s.paste, geometryOf, threads), onTheBoard, threads)));
  }
  const PieceSet notSilkscreened(bare);
  AddPart(picture, BoardPart::kSilkscreen, style.SilkColor(),
          PlacedOf(ClipPieces(PiecesOfLayers(s.silkscreen, geometryOf, threads),
                              {&board, nullptr, &notSilkscreened}, threads)));
}

}  // namespace

BoardPicture ComposeBoardPicture(const StandardModel& model, const BoardLayers& layers,
                                 BoardSide side, const BoardStyle& style,
                                 const LayerGeometryOf& geometryOf,
                                 const BoardComposeOptions& options) {
  BoardPicture picture;
  picture.side = side;
  BoardShape shape = ShapeOf(model, layers, geometryOf);
  picture.notes = std::move(shape.notes);
  if (options.wholeBoardInOnePass) {
    ComposeInOnePass(picture, model, layers, style, geometryOf, shape.region);
  } else {
    ComposeByPieces(picture, model, layers, style, geometryOf, std::move(shape.region),
                    ThreadCount(options.threads));
  }
  if (picture.Empty()) return picture;
  picture.box = shape.box;
  if (layers.Side(side).mask.empty()) {
    picture.notes.push_back("no " + std::string(SideWord(side)) +
                            " soldermask layer; the bare board is drawn");
  }
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
  BoardPicture picture = ComposeBoardPicture(
      model, layers, side, style,
      [&](uint32_t i) { return i < built.size() && usable[i] ? &built[i] : nullptr; },
      BoardComposeOptions{options.threads});
  picture.notes.insert(picture.notes.begin(), left.begin(), left.end());
  return picture;
}

}  // namespace corvane
