#pragma once

// The board as it will be made, seen from one side: the board's shape in the
// substrate's colour, the mask over it, copper seen through the mask, the
// finish where the mask opens over copper, paste when asked for, silkscreen
// where the mask is not open, and every hole cut through. Each part is exact
// polygons in nanometres, drawn in order, each over the ones before; nothing
// lies outside the board or in a hole, so what is not drawn is transparent.
//
// The picture is as the board lies: the bottom side is not yet mirrored.
// Whoever draws it mirrors the bottom, left to right, to show it from below.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/board_layers.h"
#include "analysis/board_style.h"
#include "geometry/layer_geometry.h"
#include "geometry/layer_geometry_builder.h"
#include "standard/standard_model.h"

namespace corvane {

enum class BoardPart : uint8_t {
  kSubstrate,
  kMask,
  kCopperUnderMask,
  kFinish,
  kPaste,
  kSilkscreen,
};

// Contours drawn moved by `at`; the copies of a shape share its contours.
struct PlacedPaths {
  std::shared_ptr<const GeoPaths> paths;
  GeoPoint at;
  GeoBox box;  // where they are drawn
};

struct BoardPicturePart {
  BoardPart part = BoardPart::kSubstrate;
  uint32_t color = 0;  // 0x00BBGGRR
  // Filled together by the nonzero rule; each point is covered once at most.
  std::vector<PlacedPaths> placed;
  GeoBox box;

  // Every contour where it is drawn.
  GeoPaths Paths() const;
  uint64_t PointCount() const;
};

struct BoardPicture {
  BoardSide side = BoardSide::kTop;
  GeoBox box;  // of the board, nanometres
  std::vector<BoardPicturePart> parts;
  // What was lacking or assumed, one sentence each, to be said once.
  std::vector<std::string> notes;

  const BoardPicturePart* Find(BoardPart part) const;
  bool Empty() const { return parts.empty(); }
};

// The geometry of a model's layer by index; null when it is not to be had.
// Asked on the calling thread only.
using LayerGeometryOf = std::function<const LayerGeometry*(uint32_t layer)>;

struct BoardComposeOptions {
  // Threads to use; 0 for one per core. The picture is the same for any number.
  unsigned threads = 0;
  // Each part by booleans over the whole board at once, as the parts are
  // defined: slow on a panel, and the reference the piecewise composing is
  // checked against.
  bool wholeBoardInOnePass = false;
};

// Each separate dark area of copper, mask, silkscreen and paste is clipped
// only against the holes, openings and board edges near it
// (board_pieces.h): the same areas as booleans over the whole board, with
// vertices at most a few nanometres apart where intersections were rounded.
BoardPicture ComposeBoardPicture(const StandardModel& model, const BoardLayers& layers,
                                 BoardSide side, const BoardStyle& style,
                                 const LayerGeometryOf& geometryOf,
                                 const BoardComposeOptions& options = {});

// Builds the geometry of the layers the picture needs, then composes it; a
// layer whose geometry could not be built whole is left out and said.
BoardPicture BuildBoardPicture(const StandardModel& model, BoardSide side, const BoardStyle& style,
                               const GeometryBuildOptions& options = {});

// The layers a picture of `side` is made from: the ones ComposeBoardPicture
// asks geometry of.
std::vector<uint32_t> BoardPictureLayers(const StandardModel& model, const BoardLayers& layers,
                                         BoardSide side);

}  // namespace corvane
