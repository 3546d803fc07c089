#pragma once

// Each object of a standard layer as integer polygons, the way the drawing
// means it: a flash is its shape (clear parts of the shape cut out), a round
// stroke a stadium, any other stroke its shape's convex outline swept along the
// line, an arc its shape swept along the circle, a region the union of its
// contours each filled by the nonzero rule. Drill hits and slots of Excellon
// layers are flashes and round strokes of the tool's circle.
//
// Circles and arcs become chords within the tolerance, placed so that the
// polygon's area equals the true one (the vertices lie a little outside the
// circle, the chords' middles a little inside, both within the tolerance):
// areas are exact to far better than 0.01 % at any size. Region arcs come
// already flattened from the standard model.
//
// Every polygon is computed about the object's own anchor (its first point,
// rounded to 1 nm), so two objects that differ only by a whole-nanometre move
// give the same polygons moved: copies of a step and repeat stay copies.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/geometry_types.h"
#include "standard/standard_model.h"

namespace corvane {

struct FlattenOptions {
  // Largest distance between a flattened circle or arc and the true one, nm.
  int64_t tolerance = kDefaultFlatteningTolerance;
};

class ObjectFlattener {
 public:
  // The layer must outlive the flattener. Shapes are prepared here, once.
  explicit ObjectFlattener(const StandardLayer& layer, FlattenOptions options = {});

  const StandardLayer& Layer() const { return layer_; }
  int64_t Tolerance() const { return tolerance_; }
  std::size_t ObjectCount() const { return layer_.geometry.objects.size(); }

  // Appends the polygons of object `index`, in nanometres less `origin`: outer
  // contours counter-clockwise, holes clockwise, so that their nonzero fill is
  // the object (dark or clear alike; polarity is the caller's). Nothing for an
  // object that covers no area (a zero-size aperture, a region of fewer than
  // three points). Sets `clamped` when a coordinate had to be clamped. Safe to
  // call from several threads at once.
  void Flatten(std::size_t index, GeoPoint origin, GeoPaths& out, bool& clamped) const;
  // The object's exact polygons in nanometres, for a hit test.
  GeoPaths Polygons(std::size_t index) const;

  // A box that holds every polygon of the object (its box in the model grown
  // by the tolerance): objects whose boxes do not overlap cannot touch.
  GeoBox Box(std::size_t index) const {
    bool clamped = false;
    return Box(index, clamped);
  }
  // The same, setting `clamped` when the object lies beyond kMaxCoordinate
  // (or is not a number, and then has no box).
  GeoBox Box(std::size_t index, bool& clamped) const;
  // Where the object's polygons are computed from (see above).
  GeoPoint Anchor(std::size_t index) const;

 private:
  struct PreparedShape {
    enum class Kind : uint8_t { kEmpty, kRound, kPolygons };
    Kind kind = Kind::kEmpty;
    double radius = 0.0;  // kRound, nm
    GeoPaths net;         // about the shape's origin: the circle, or dark parts less clear ones
    GeoPath hull;         // convex outline of the dark parts, counter-clockwise
    double reach = 0.0;   // farthest hull point from the origin, nm
  };

  PreparedShape Prepare(const StandardShape& shape) const;
  void FlattenFlash(const StandardObject& object, GeoPoint origin, GeoPaths& out,
                    bool& clamped) const;
  void FlattenLine(const StandardObject& object, GeoPoint origin, GeoPaths& out,
                   bool& clamped) const;
  void FlattenArc(const StandardObject& object, GeoPoint origin, GeoPaths& out,
                  bool& clamped) const;
  void FlattenRegion(const StandardObject& object, GeoPoint origin, GeoPaths& out,
                     bool& clamped) const;
  // Shape `shape` swept from `from` to `to` (relative to `base`), appended.
  void Sweep(const PreparedShape& shape, GeoPoint base, double fromX, double fromY, double toX,
             double toY, GeoPaths& out) const;
  const PreparedShape* ShapeAt(uint32_t index) const;

  const StandardLayer& layer_;
  int64_t tolerance_;
  std::vector<PreparedShape> shapes_;
};

}  // namespace corvane
