#pragma once

// Questions asked of one layer's geometry by place: what lies under the
// pointer, what lies in a box, what is nearest, where a measurement snaps.
// Box trees (Boost.Geometry's rtree, packed once) over the objects' boxes and
// the islands' boxes find the candidates; each answer is then exact against
// the object's own polygons or the island's contours.
//
// Objects are indices into the layer's objects. Points and distances are in
// nanometres (geometry_types.h). The index keeps references: the layer and
// its geometry must outlive it. Its questions may be asked from several
// threads at once.

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "geometry/layer_geometry.h"
#include "geometry/object_flattener.h"
#include "standard/standard_model.h"

namespace corvane {

enum class SnapKind : uint8_t {
  kPadCentre = 0,     // a flash's position (a drill hit's centre)
  kLineEnd = 1,       // either end of a line or an arc
  kArcCentre = 2,     // the centre of an arc
  kRegionCorner = 3,  // a point of a region's contour
};

struct SnapPoint {
  GeoPoint at;
  SnapKind kind = SnapKind::kPadCentre;
  uint32_t object = 0;
};

struct NearestObject {
  uint32_t object = 0;
  double distance = 0.0;  // edge distance; 0 when the object covers the point
};

class GeometryIndex {
 public:
  GeometryIndex(const StandardLayer& layer, const LayerGeometry& geometry);
  ~GeometryIndex();
  GeometryIndex(const GeometryIndex&) = delete;
  GeometryIndex& operator=(const GeometryIndex&) = delete;

  const StandardLayer& Layer() const { return layer_; }
  const LayerGeometry& Geometry() const { return geometry_; }

  // Every object, dark or clear, whose own polygons cover `p` (an edge
  // counts), in file order. A point in a hole of a region or of a pad is not
  // covered by it.
  std::vector<uint32_t> ObjectsAt(GeoPoint p) const;
  // The dark objects that make the copper at `p`: those covering it after
  // the last clear object that covers it. Empty where `p` is not dark.
  std::vector<uint32_t> DarkObjectsAt(GeoPoint p) const;
  // Objects whose boxes overlap `box`, in file order.
  std::vector<uint32_t> ObjectsIn(const GeoBox& box) const;
  // The object whose polygons come nearest to `p`, within `maxDistance`.
  std::optional<NearestObject> Nearest(
      GeoPoint p, double maxDistance = std::numeric_limits<double>::infinity()) const;

  // The island that holds `p` (its edge included); none in a gap or a hole.
  std::optional<uint32_t> IslandAt(GeoPoint p) const;
  // Islands whose boxes overlap `box`, in order.
  std::vector<uint32_t> IslandsIn(const GeoBox& box) const;

  // The snap point nearest to `p` within `maxDistance` (centre to centre);
  // among equally near ones the first object's.
  std::optional<SnapPoint> NearestSnap(GeoPoint p, double maxDistance) const;

  // Whether object `object`'s own polygons cover `p`.
  bool Covers(uint32_t object, GeoPoint p) const;
  // The exact polygons of one object, for hit tests and drawing a highlight.
  GeoPaths ObjectPolygons(uint32_t object) const;
  const ObjectFlattener& Flattener() const { return flattener_; }

 private:
  struct Trees;
  void MakeSnapTree() const;

  const StandardLayer& layer_;
  const LayerGeometry& geometry_;
  ObjectFlattener flattener_;
  std::unique_ptr<Trees> trees_;
};

}  // namespace corvane
