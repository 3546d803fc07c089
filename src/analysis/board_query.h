#pragma once

// Questions asked of a whole set of layers by place and by name: which
// objects cover a point (for the pointer and for `corvane query --at`), which
// objects belong to a net or a component (for highlighting and `--net`,
// `--component`), and which names there are to complete a typed one.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/geometry_index.h"
#include "standard/standard_model.h"

namespace corvane {

// One layer as the questions see it; `index` may be null when its geometry
// is not built (the layer then answers no question by place).
struct QueryLayer {
  std::size_t layer = 0;  // index into the model's layers
  const StandardLayer* standard = nullptr;
  const GeometryIndex* index = nullptr;
};

struct ObjectRef {
  std::size_t layer = 0;
  uint32_t object = 0;
  friend bool operator==(const ObjectRef&, const ObjectRef&) = default;
};

enum class NameKind : uint8_t { kNet, kComponent };

// The objects whose own polygons cover `p`, dark or clear: top layer first
// (stack order, then the order given), and in a layer the one drawn last first.
std::vector<ObjectRef> ObjectsAtPoint(std::span<const QueryLayer> layers, GeoPoint p);

// Every object of the net (its ".N" names it, among others) or of the
// component (its ".C" or the component of its ".P"), the name compared
// without case; in the order of the layers given, then file order.
std::vector<ObjectRef> ObjectsNamed(std::span<const QueryLayer> layers, NameKind kind,
                                    std::string_view name);

// Every net or component name of the layers, sorted without case, each once.
std::vector<std::string> NamesOf(std::span<const QueryLayer> layers, NameKind kind);

// A point a measurement snaps to, and the object it belongs to.
struct BoardSnap {
  std::size_t layer = 0;
  SnapPoint point;
  double distance = 0.0;  // from the point asked about, nm
};

// The snap point (pad centre, line end, arc centre, region corner) nearest
// to `p` within `maxDistance` nm over every layer with an index; among
// equally near ones the top layer's.
std::optional<BoardSnap> NearestSnapPoint(std::span<const QueryLayer> layers, GeoPoint p,
                                          double maxDistance);

// Edge to edge between two objects, nm: 0 where they touch or overlap;
// nothing when either layer has no index or an object covers no area.
std::optional<double> ObjectClearance(std::span<const QueryLayer> layers, const ObjectRef& a,
                                      const ObjectRef& b);

// The copper that lights `objects` of one layer: the islands their dark
// parts went into, each once, when the layer has an index; otherwise the
// objects' own polygons. A clear object lights nothing.
void AddLitPolygons(const StandardLayer& layer, const GeometryIndex* index,
                    std::span<const uint32_t> objects, GeoPaths& out);

// The names of `kind` an object's attribute set gives.
std::vector<std::string> NamesInSet(std::string_view set, NameKind kind);

}  // namespace corvane
