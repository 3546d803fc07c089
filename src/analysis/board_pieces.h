#pragma once

// The board picture made piece by piece. A piece is a separate dark area of
// a layer (an island with its holes, or the few islands of several layers
// that overlap, joined), and the pieces of one list never overlap. Each piece
// is clipped only against what comes near it: the board's edge where its box
// meets an edge, and the pieces of other layers whose boxes meet its box. No
// boolean sweeps across the whole board, and the pieces are shared out over a
// few threads, each result in its own slot, so the picture does not depend on
// how many there are.
//
// The copies of a shape (a panel's step and repeat, a part placed twice)
// share its contours: a piece is its shape's contours moved into place, and
// what is made of a copy with the same surroundings is made once and moved.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "analysis/board_picture.h"
#include "geometry/box_tree.h"
#include "geometry/layer_geometry.h"

namespace corvane {

struct BoardPiece {
  // Outer contours counter-clockwise, holes clockwise, moved by `at`.
  std::shared_ptr<const GeoPaths> shape;
  GeoPoint at;
  GeoBox box;          // where the piece lies
  uint64_t print = 0;  // of the shape as seen from the box's corner

  // A piece of `shape` moved by `at`.
  static BoardPiece Of(std::shared_ptr<const GeoPaths> shape, GeoPoint at = {});
  // The contours where the piece lies.
  GeoPaths Paths() const;
  std::size_t PointCount() const;
};
using BoardPieces = std::vector<BoardPiece>;

// Whether two pieces are the same contours, one moved onto the other.
bool SameShape(const BoardPiece& a, const BoardPiece& b);

// What the layers draw together: one layer's islands as they are, copies
// sharing one shape; the islands of several layers joined where their boxes
// overlap (one union for each group of overlapping boxes). Null layers are
// left out.
BoardPieces PiecesOf(const std::vector<const LayerGeometry*>& layers, unsigned threads);

// A piece of more than this many points is cut in tiles before any boolean
// meets it: the booleans slow down much faster than their input grows.
inline constexpr std::size_t kPiecePoints = 512;

// The pieces with every large one cut in tiles, halving its box across the
// longer side until a tile holds at most `maxPoints` points; the copies of a
// shape share its tiles. The tiles of a piece meet along the cuts and fill
// exactly what it filled, but for the crossings of a cut, rounded to the
// nanometre.
BoardPieces TiledPieces(BoardPieces pieces, std::size_t maxPoints = kPiecePoints);

// Both lists as one, joined where their boxes overlap.
BoardPieces JoinedPieces(const BoardPieces& a, const BoardPieces& b, unsigned threads);

// The pieces as a picture part draws them.
std::vector<PlacedPaths> PlacedOf(BoardPieces pieces);

// A list of pieces by place. Keeps a reference: the pieces outlive it.
class PieceSet {
 public:
  explicit PieceSet(const BoardPieces& pieces);
  // The pieces whose boxes overlap `box`, in increasing order: within `box`
  // their fill is the fill of the whole list.
  std::vector<uint32_t> Near(const GeoBox& box) const { return tree_.Overlapping(box); }
  const BoardPiece& Piece(uint32_t i) const { return pieces_[i]; }

 private:
  const BoardPieces& pieces_;
  BoxTree tree_;
};

enum class BoxPlace : uint8_t { kOutside, kInside, kAcross };

// A region (the board) and its edges by place. The region is the nonzero
// fill of its contours.
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

// The region less the pieces, as a part draws it: a piece wholly inside it
// becomes holes in it as it is (its shape turned round, shared by its
// copies), and only the pieces across its edges are taken away by a boolean.
// Empty when nothing of the region is left.
std::vector<PlacedPaths> RegionLess(const RegionEdges& region, const BoardPieces& pieces);

}  // namespace corvane
