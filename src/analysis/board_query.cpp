#include "analysis/board_query.h"

#include <algorithm>
#include <cmath>

#include "analysis/object_attributes.h"
#include "analysis/object_report.h"
#include "geometry/object_flattener.h"
#include "geometry/polygon_ops.h"
#include "intake/layer_stack.h"
#include "text/ascii.h"

namespace corvane {
namespace {

// Whether any object drawn under attribute set `set` carries `name`.
std::vector<bool> MatchingSets(const StandardLayer& layer, NameKind kind, std::string_view name) {
  std::vector<bool> matching(layer.objectAttributeSets.size(), false);
  for (std::size_t s = 0; s < matching.size(); ++s) {
    for (const std::string& found : NamesInSet(layer.objectAttributeSets[s], kind)) {
      if (EqualNoCase(found, name)) {
        matching[s] = true;
        break;
      }
    }
  }
  return matching;
}

void AddMatchingObjects(const QueryLayer& layer, const std::vector<bool>& matching,
                        std::vector<ObjectRef>& out) {
  const std::vector<AttributeRun>& runs = layer.standard->objectAttributeRuns;
  const auto objectCount = static_cast<uint32_t>(layer.standard->geometry.objects.size());
  for (std::size_t r = 0; r < runs.size(); ++r) {
    if (runs[r].set >= matching.size() || !matching[runs[r].set]) continue;
    const uint32_t end =
        r + 1 < runs.size() ? std::min(runs[r + 1].firstObject, objectCount) : objectCount;
    for (uint32_t object = runs[r].firstObject; object < end; ++object)
      out.push_back({layer.layer, object});
  }
}

// Layer indices in stack order, top first; equal ranks keep the order given.
std::vector<std::size_t> TopFirst(std::span<const QueryLayer> layers) {
  std::vector<std::size_t> order(layers.size());
  std::vector<int32_t> ranks(layers.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    order[i] = i;
    ranks[i] = StackRank(KnownFunction(*layers[i].standard));
  }
  std::stable_sort(order.begin(), order.end(),
                   [&ranks](std::size_t a, std::size_t b) { return ranks[a] < ranks[b]; });
  return order;
}

const GeometryIndex* IndexOf(std::span<const QueryLayer> layers, std::size_t layer) {
  for (const QueryLayer& l : layers) {
    if (l.layer == layer) return l.index;
  }
  return nullptr;
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
}

}  // namespace

std::vector<std::string> NamesInSet(std::string_view set, NameKind kind) {
  std::vector<std::string> names;
  for (const StandardAttribute& attribute : SplitAttributeText(set)) {
    if (kind == NameKind::kNet && attribute.name == ".N") {
      for (std::string& net : NetNames(attribute.value)) names.push_back(std::move(net));
    } else if (kind == NameKind::kComponent && attribute.name == ".C") {
      if (!attribute.value.empty()) names.push_back(attribute.value);
    } else if (kind == NameKind::kComponent && attribute.name == ".P") {
      PinReference pin = ParsePinReference(attribute.value);
      if (!pin.component.empty()) names.push_back(std::move(pin.component));
    }
  }
  return names;
}

std::vector<ObjectRef> ObjectsAtPoint(std::span<const QueryLayer> layers, GeoPoint p) {
  std::vector<ObjectRef> found;
  for (const std::size_t i : TopFirst(layers)) {
    if (layers[i].index == nullptr) continue;
    const std::vector<uint32_t> objects = layers[i].index->ObjectsAt(p);
    for (auto o = objects.rbegin(); o != objects.rend(); ++o)
      found.push_back({layers[i].layer, *o});
  }
  return found;
}

std::vector<ObjectRef> ObjectsNamed(std::span<const QueryLayer> layers, NameKind kind,
                                    std::string_view name) {
  std::vector<ObjectRef> found;
  if (name.empty()) return found;
  for (const QueryLayer& layer : layers)
    AddMatchingObjects(layer, MatchingSets(*layer.standard, kind, name), found);
  return found;
}

std::optional<BoardSnap> NearestSnapPoint(std::span<const QueryLayer> layers, GeoPoint p,
                                          double maxDistance) {
  std::optional<BoardSnap> best;
  for (const std::size_t i : TopFirst(layers)) {
    if (layers[i].index == nullptr) continue;
    const std::optional<SnapPoint> snap = layers[i].index->NearestSnap(p, maxDistance);
    if (!snap) continue;
    const double dx = static_cast<double>(snap->at.x - p.x);
    const double dy = static_cast<double>(snap->at.y - p.y);
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (!best || distance < best->distance) best = BoardSnap{layers[i].layer, *snap, distance};
  }
  return best;
}

std::optional<double> ObjectClearance(std::span<const QueryLayer> layers, const ObjectRef& a,
                                      const ObjectRef& b) {
  const GeometryIndex* first = IndexOf(layers, a.layer);
  const GeometryIndex* second = IndexOf(layers, b.layer);
  if (first == nullptr || second == nullptr) return std::nullopt;
  const ClosestPoints closest =
      ClosestBetween(first->ObjectPolygons(a.object), second->ObjectPolygons(b.object));
  if (!std::isfinite(closest.distance)) return std::nullopt;
  return closest.distance;
}

void AddLitPolygons(const StandardLayer& layer, const GeometryIndex* index,
                    std::span<const uint32_t> objects, GeoPaths& out) {
  if (index == nullptr) {
    const ObjectFlattener flattener(layer);
    for (const uint32_t object : objects) {
      if (object >= layer.geometry.objects.size() ||
          layer.geometry.objects[object].polarity == StandardPolarity::kClear)
        continue;
      for (GeoPath& path : flattener.Polygons(object)) out.push_back(std::move(path));
    }
    return;
  }
  const LayerGeometry& geometry = index->Geometry();
  std::vector<bool> lit(geometry.islands.size(), false);
  for (const uint32_t object : objects) {
    for (const uint32_t island : geometry.IslandsOf(object)) {
      if (lit[island]) continue;
      lit[island] = true;
      for (GeoPath& path : geometry.IslandPaths(island)) out.push_back(std::move(path));
    }
  }
}

std::vector<std::string> NamesOf(std::span<const QueryLayer> layers, NameKind kind) {
  std::vector<std::string> names;
  for (const QueryLayer& layer : layers) {
    for (const std::string& set : layer.standard->objectAttributeSets) {
      for (std::string& found : NamesInSet(set, kind)) names.push_back(std::move(found));
    }
  }
  std::sort(names.begin(), names.end(), LessNoCase);
  names.erase(
      std::unique(names.begin(), names.end(),
                  [](const std::string& a, const std::string& b) { return EqualNoCase(a, b); }),
      names.end());
  return names;
}

}  // namespace corvane
