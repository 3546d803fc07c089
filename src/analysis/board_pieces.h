#pragma once

// The board picture made piece by piece. A piece is a separate dark area of
// a layer (an island with its holes, or the few islands of several layers
// that overlap, joined), and the pieces of one list never overlap. Each piece
// is clipped only against what comes near it: the board's edge where its box
// meets an edge, and the pieces of other layers whose boxes meet its box. No
// boolean sweeps across the whole board, and the pieces are shared out over a
// few threads, each result in its own slot, so the picture does not depend on
// how many there are.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/box_tree.h"
#include "geometry/layer_geometry.h"

namespace corvane {

struct BoardPiece {
  GeoPaths paths;  // outer contours counter-clockwise, holes clockwise
  GeoBox box;
};
using BoardPieces = std::vector<BoardPiece>;

// What the layers draw together: one layer's islands as they are, the
// islands of several layers joined where their boxes overlap (one union for
// each group of overlapping boxes). Null layers are left out.
BoardPieces PiecesOf(const std::vector<const LayerGeometry*>& layers, unsigned threads);

// A piece of more than this many points is cut in tiles before any boolean
// meets it: the booleans slow down much faster than their input grows.
inline constexpr std::size_t kPiecePoints = 512;

// The pieces with every large one cut in tiles, halving its box across the
// longer side until a tile holds at most `maxPoints` points. The tiles of a
// piece meet along the cuts and fill exactly what it filled, but for the
// crossings of a cut, rounded to the nanometre.
BoardPieces TiledPieces(BoardPieces pieces, std::size_t maxPoints = kPiecePoints);

// Both lists as one, joined where their boxes overlap.
BoardPieces JoinedPieces(const BoardPieces& a, const BoardPieces& b, unsigned threads);

// Every piece's contours, in the pieces' order.
GeoPaths PathsOf(BoardPieces pieces);

// A fingerprint of a piece's contours as seen from its box's lower left
// corner: the same for the copies of a piece wherever they lie.
uint64_t ShapeOf(const BoardPiece& piece);
// Whether two pieces are the same contours, one moved onto the other.
bool SameShape(const BoardPiece& a, const BoardPiece& b);

// A list of pieces by place. Keeps a reference: the pieces outlive it.
class PieceSet {
 public:
  explicit PieceSet(const BoardPieces& pieces, unsigned threads = 1);
  // The pieces whose boxes overlap `box`, in increasing order: within `box`
  // their fill is the fill of the whole list.
  std::vector<uint32_t> Near(const GeoBox& box) const { return tree_.Overlapping(box); }
  const BoardPiece& Piece(uint32_t i) const { return pieces_[i]; }
  uint64_t Shape(uint32_t i) const { return shapes_[i]; }

 private:
  const BoardPieces& pieces_;
  std::vector<uint64_t> shapes_;
  BoxTree tree_;
};

enum class BoxPlace : uint8_t { kOutside, kInside, kAcross };

// A region (the board) and its edges by place. The region is the nonzero
// fill of its contours, each covered point covered once, as the booleans
// give it.
class RegionEdges {
 public:
  explicit RegionEdges(GeoPaths region);
  const GeoPaths& Region() const { return region_; }
  // Wholly inside the region, wholly outside, or some edge of the region
  // meets the box (or may: the test is by the edges' boxes).
  BoxPlace Locate(const GeoBox& box) const;

 private:
  struct Edge {
    GeoPoint a;
    GeoPoint b;
  };
  int WindingAt(GeoPoint p) const;

  GeoPaths region_;
  std::vector<Edge> edges_;
  BoxTree tree_;
  int64_t maxX_ = 0;
};

// What each piece keeps: the part inside `region` (when given), within the
// pieces of `within` (when given), less the pieces of `less` (when given).
// Pieces with nothing left are dropped; the rest keep their order. A piece
// that repeats another one together with all that lies near it (the copies
// of a panel) is computed once and moved.
struct PieceClip {
  const RegionEdges* region = nullptr;
  const PieceSet* within = nullptr;
  const PieceSet* less = nullptr;
};
BoardPieces ClipPieces(BoardPieces pieces, const PieceClip& clip, unsigned threads);

// The region less the pieces: a piece wholly inside it becomes holes in it as
// it is (its contours turned round), and only the pieces across its edges are
// taken away by a boolean. Empty when nothing of the region is left.
GeoPaths RegionLess(const RegionEdges& region, const BoardPieces& pieces);

}  // namespace corvane
