#pragma once

// Joins the dark areas of tiles into the islands of the whole. The tiles are
// rectangles that do not overlap; each one's area is the union of what lies
// in it clipped to its rectangle, so two neighbours meet along the line
// between them in edges of opposite direction. Where such edges overlap both
// sides are dark and the line is no edge: those parts cancel, what is left
// of the line's edges is kept, and the edges are chained into rings again.
// Islands are the pieces joined through the cancelled parts; each one's
// outer contour runs counter-clockwise, its holes clockwise, as the booleans
// give them.
//
// Only edges along the given cut lines are cancelled or split, and a ring
// with none passes as the tile gave it; a ring that had one loses the points
// where it now runs straight on, as the booleans drop them.

#include <cstdint>
#include <vector>

#include "geometry/geometry_types.h"

namespace corvane {

struct StitchIsland {
  GeoPaths rings;  // the outer contour first, then its holes
};

struct StitchResult {
  std::vector<StitchIsland> islands;
  // False when joined pieces have no outer contour, which tiles' islands
  // never give: the caller builds the area another way.
  bool closed = true;
  // The island each piece went into, by the pieces' order.
  std::vector<uint32_t> islandOfPiece;
};

// `pieces`: every tile's islands (outer contour first), all tiles together.
// `cutX`, `cutY`: the lines between tiles, x = c and y = c.
StitchResult StitchTiles(std::vector<StitchIsland> pieces, std::vector<int64_t> cutX,
                         std::vector<int64_t> cutY);

}  // namespace corvane
