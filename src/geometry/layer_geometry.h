#pragma once

// One standard layer as exact geometry: what is dark after every clear object
// has erased what the layer drew before it, as islands (separate dark areas,
// each an outer contour with its holes) in integer nanometres, with the
// objects that make each island and the islands each object went into.
//
// Built by BuildLayerGeometry (layer_geometry_builder.h); asked by the
// spatial index (geometry_index.h) and by the analyses above it. A plain
// value: copy it, keep it, hand it between threads.

#include <cstdint>
#include <span>
#include <vector>

#include "geometry/geometry_types.h"

namespace corvane {

// Largest number of vertices a layer's geometry may hold (800 MB of points);
// a layer that needs more is left empty with kGeometryBoundReached.
inline constexpr uint64_t kMaxGeometryVertices = 50'000'000;

enum GeometryFlag : uint32_t {
  // A coordinate lay beyond kMaxCoordinate and was clamped.
  kGeometryClamped = 1u << 0,
  // The geometry would have exceeded the vertex bound; the build stopped and
  // the geometry is empty.
  kGeometryBoundReached = 1u << 1,
  // The build was cancelled; the geometry is empty.
  kGeometryCancelled = 1u << 2,
};

// A closed contour: points[firstPoint .. firstPoint + pointCount).
struct GeoRing {
  uint32_t firstPoint = 0;
  uint32_t pointCount = 0;
};

struct GeoIsland {
  // rings[firstRing] is the outer contour (counter-clockwise), the rest its
  // holes (clockwise).
  uint32_t firstRing = 0;
  uint32_t ringCount = 0;
  // islandObjects[firstObject .. firstObject + objectCount): the dark objects
  // whose surviving parts lie in this island, in file order.
  uint32_t firstObject = 0;
  uint32_t objectCount = 0;
  GeoBox box;         // of the outer contour
  double area = 0.0;  // square nanometres, holes taken away
};

struct LayerGeometry {
  std::vector<GeoPoint> points;
  std::vector<GeoRing> rings;
  std::vector<GeoIsland> islands;
  std::vector<uint32_t> islandObjects;
  // The islands of object i: objectIslands[objectIslandStart[i] ..
  // objectIslandStart[i + 1]). None for a clear object, for a dark one that
  // a later clear object erased entirely, or for one that covers no area;
  // several for one that a clear object cut in pieces.
  std::vector<uint32_t> objectIslandStart;
  std::vector<uint32_t> objectIslands;

  uint64_t objectCount = 0;  // objects of the layer, dark and clear
  uint64_t holeCount = 0;    // inner contours of all islands
  double darkArea = 0.0;     // square nanometres
  GeoBox extents;            // of every island
  int64_t tolerance = kDefaultFlatteningTolerance;
  uint32_t flags = 0;  // GeometryFlag bits

  std::span<const GeoPoint> Ring(uint32_t ring) const {
    return {points.data() + rings[ring].firstPoint, rings[ring].pointCount};
  }
  // The island's outer contour first, then its holes.
  GeoPaths IslandPaths(uint32_t island) const;
  // Every island's contours: the layer's dark area as polygons.
  GeoPaths AllPaths() const;
  std::span<const uint32_t> ObjectsOf(uint32_t island) const {
    return {islandObjects.data() + islands[island].firstObject, islands[island].objectCount};
  }
  std::span<const uint32_t> IslandsOf(uint64_t object) const;
  uint64_t VertexCount() const { return points.size(); }
  bool Complete() const { return (flags & (kGeometryBoundReached | kGeometryCancelled)) == 0; }
};

}  // namespace corvane
