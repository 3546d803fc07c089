#pragma once

// Builds a standard layer's geometry (layer_geometry.h).
//
// The layer is the union of each dark object less the clear objects that
// come after it in the file and overlap it: the same as laying the objects
// down in file order, since a point stays dark exactly when the last object
// covering it is dark. That form needs no order between dark objects, so the
// build splits freely:
//   - objects whose boxes do not overlap, directly or through others, cannot
//     touch: each such cluster is made on its own, about its own corner;
//   - a cluster that repeats another (step and repeat, the same part placed
//     twice) up to a whole-nanometre move is made once and moved;
//   - a large cluster is cut in tiles, halving across the longer side until
//     a tile holds few members' centres; what survives of each member is made
//     once, each tile is the union of the members that reach it clipped to
//     its rectangle, and the tiles are stitched along the cuts into islands
//     (tile_stitch.h), so no boolean ever sweeps across the whole cluster.
// Clusters and tiles run on a few threads; the result does not depend on how
// many. The cuts depend only on the layer, so a build is the same on every
// machine; against one boolean pass over the whole layer it agrees in
// islands, holes and area, with vertices at most a few nanometres apart where
// intersections (and crossings of a cut) were rounded.

#include <atomic>
#include <cstdint>

#include "geometry/layer_geometry.h"
#include "geometry/object_flattener.h"
#include "standard/standard_model.h"

namespace corvane {

struct GeometryBuildOptions {
  FlattenOptions flatten;
  // The build stops with kGeometryBoundReached when the geometry, or the
  // polygons one step of it holds at once, would need more vertices.
  uint64_t maxVertices = kMaxGeometryVertices;
  // Threads to use; 0 for one per core.
  unsigned threads = 0;
  // Checked between steps; when it becomes true the build stops with
  // kGeometryCancelled. May be null.
  const std::atomic<bool>* cancel = nullptr;
  // One boolean pass over the whole layer in file order (dark runs added,
  // clear objects taken away), without clusters, copies or splitting: slow,
  // and the reference the fast build is checked against.
  bool wholeLayerInOnePass = false;
};

LayerGeometry BuildLayerGeometry(const StandardLayer& layer,
                                 const GeometryBuildOptions& options = {});

}  // namespace corvane
