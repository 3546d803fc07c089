#pragma once

// The plain values of layer geometry: integer points in nanometres, paths,
// boxes. The standard model is in inches as doubles; geometry is in integers
// so that booleans are exact and repeatable, at 1 nm (inches x 25.4e6), which
// is far below anything a board can be made to.
//
// Orientation: y grows upwards; an outer contour runs counter-clockwise
// (positive area), a hole clockwise (negative area).

#include <cstdint>
#include <limits>
#include <vector>

namespace corvane {

inline constexpr double kNanometresPerInch = 25.4e6;
inline constexpr double kNanometresPerMillimetre = 1e6;

// Chord error of flattened circles and arcs: 0.5 um.
inline constexpr int64_t kDefaultFlatteningTolerance = 500;

// Coordinates are clamped to this many nanometres (about 9 000 km) either
// side of the origin, and the layer says so: it keeps every sum and offset
// far inside the booleans' full integer range.
inline constexpr int64_t kMaxCoordinate = int64_t{1} << 53;

// The booleans run fastest while every coordinate stays within this (about
// 1.07 m); each cluster of a layer is computed about its own corner, so only
// a cluster larger than this pays for the slower arithmetic.
inline constexpr int64_t kFastCoordinateRange = 0x3FFFFFFF;

struct GeoPoint {
  int64_t x = 0;
  int64_t y = 0;
  friend bool operator==(const GeoPoint&, const GeoPoint&) = default;
};

using GeoPath = std::vector<GeoPoint>;  // closed: the last point joins the first
using GeoPaths = std::vector<GeoPath>;  // filled together by the nonzero rule

// An axis-aligned box with closed edges; empty until something is added.
struct GeoBox {
  int64_t minX = std::numeric_limits<int64_t>::max();
  int64_t minY = std::numeric_limits<int64_t>::max();
  int64_t maxX = std::numeric_limits<int64_t>::min();
  int64_t maxY = std::numeric_limits<int64_t>::min();

  bool Empty() const { return minX > maxX || minY > maxY; }
  void Add(GeoPoint p) {
    if (p.x < minX) minX = p.x;
    if (p.x > maxX) maxX = p.x;
    if (p.y < minY) minY = p.y;
    if (p.y > maxY) maxY = p.y;
  }
  void Add(const GeoBox& other) {
    if (other.Empty()) return;
    Add(GeoPoint{other.minX, other.minY});
    Add(GeoPoint{other.maxX, other.maxY});
  }
  // Boxes that share an edge or a corner overlap: what they hold may touch.
  bool Overlaps(const GeoBox& other) const {
    return !Empty() && !other.Empty() && minX <= other.maxX && other.minX <= maxX &&
           minY <= other.maxY && other.minY <= maxY;
  }
  bool Contains(GeoPoint p) const {
    return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY;
  }
  GeoBox Grown(int64_t by) const {
    if (Empty()) return *this;
    return {minX - by, minY - by, maxX + by, maxY + by};
  }
  GeoBox Moved(GeoPoint by) const {
    if (Empty()) return *this;
    return {minX + by.x, minY + by.y, maxX + by.x, maxY + by.y};
  }
  friend bool operator==(const GeoBox&, const GeoBox&) = default;
};

GeoBox BoxOf(const GeoPath& path);
GeoBox BoxOf(const GeoPaths& paths);

// Inches of the standard model to nanometres, rounded; a value beyond
// kMaxCoordinate (or not a number) is clamped and sets `clamped`.
// Inline: every region point passes here, often more than once.
inline int64_t ToNanometres(double inches, bool& clamped) {
  const double nm = inches * kNanometresPerInch;
  if (nm != nm) {  // not a number
    clamped = true;
    return 0;
  }
  constexpr double kLimit = static_cast<double>(kMaxCoordinate);
  if (nm > kLimit || nm < -kLimit) {
    clamped = true;
    return nm > 0 ? kMaxCoordinate : -kMaxCoordinate;
  }
  // Half away from zero, without the library call.
  return static_cast<int64_t>(nm >= 0.0 ? nm + 0.5 : nm - 0.5);
}
inline GeoPoint ToNanometres(double x, double y, bool& clamped) {
  return {ToNanometres(x, clamped), ToNanometres(y, clamped)};
}

inline double NanometresToMillimetres(double nm) { return nm / kNanometresPerMillimetre; }
inline double NanometresToInches(double nm) { return nm / kNanometresPerInch; }

}  // namespace corvane
