#include "analysis/board_comparison.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "analysis/drill_difference.h"
#include "geometry/layer_geometry_builder.h"

namespace corvane {
namespace {

bool IsDrill(const StandardLayer& layer) { return layer.source == StandardSource::kExcellon; }

// The geometry to compare: the one given, or one built here into `own`.
const LayerGeometry& GeometryOf(const StandardLayer& layer, const LayerGeometry* given,
                                const CompareOptions& options, std::optional<LayerGeometry>& own) {
  if (given != nullptr) return *given;
  GeometryBuildOptions build;
  build.threads = options.threads;
  build.cancel = options.cancel;
  own = BuildLayerGeometry(layer, build);
  return *own;
}

void Count(LayerComparison& layer) {
  layer.placeCount = layer.places.size();
  for (const DifferencePlace& place : layer.places) {
    (place.kind == DifferenceKind::kAdded ? layer.addedArea : layer.removedArea) += place.area;
  }
}

// Keeps the first `budget` places over all layers with their shapes.
void Bound(BoardComparison& comparison, uint64_t budget) {
  for (LayerComparison& layer : comparison.layers) {
    const uint64_t keep = std::min<uint64_t>(budget, layer.places.size());
    comparison.unlistedPlaces += layer.places.size() - keep;
    layer.places.resize(keep);
    budget -= keep;
  }
}

const LayerGeometry* At(const ModelGeometry& geometry, uint32_t layer) {
  return layer < geometry.size() ? geometry[layer] : nullptr;
}

}  // namespace

uint64_t BoardComparison::PlaceCount() const {
  uint64_t count = 0;
  for (const LayerComparison& layer : layers) count += layer.placeCount;
  return count;
}

std::size_t BoardComparison::ChangedLayerCount() const {
  std::size_t count = 0;
  for (const LayerComparison& layer : layers) count += layer.placeCount > 0 ? 1 : 0;
  return count;
}

LayerComparison CompareLayers(const StandardLayer& before, const LayerGeometry* beforeGeometry,
                              const StandardLayer& after, const LayerGeometry* afterGeometry,
                              const CompareOptions& options) {
  LayerComparison result;
  DifferenceOptions difference{options.tolerance, options.threads, options.cancel};
  if (IsDrill(before) && IsDrill(after)) {
    result.holeByHole = true;
    result.places = CompareHoles(RoundHolesOf(before), RoundHolesOf(after), options.tolerance);
    // Slots and other shapes: built from the layer without its round holes.
    std::optional<LayerGeometry> restBefore;
    std::optional<LayerGeometry> restAfter;
    const LayerGeometry& a = GeometryOf(WithoutRoundHoles(before), nullptr, options, restBefore);
    const LayerGeometry& b = GeometryOf(WithoutRoundHoles(after), nullptr, options, restAfter);
    result.incomplete = !a.Complete() || !b.Complete();
    for (DifferencePlace& place : CompareGeometry(a, b, difference)) {
      result.places.push_back(std::move(place));
    }
    std::sort(result.places.begin(), result.places.end(), PlaceBefore);
  } else {
    std::optional<LayerGeometry> ownBefore;
    std::optional<LayerGeometry> ownAfter;
    const LayerGeometry& a = GeometryOf(before, beforeGeometry, options, ownBefore);
    const LayerGeometry& b = GeometryOf(after, afterGeometry, options, ownAfter);
    result.incomplete = !a.Complete() || !b.Complete();
    result.places = CompareGeometry(a, b, difference);
  }
  Count(result);
  return result;
}

BoardComparison CompareBoards(const StandardModel& before, const StandardModel& after,
                              const CompareOptions& options) {
  return CompareBoards(before, {}, after, {}, options);
}

BoardComparison CompareBoards(const StandardModel& before, const ModelGeometry& beforeGeometry,
                              const StandardModel& after, const ModelGeometry& afterGeometry,
                              const CompareOptions& options) {
  const LayerPairing pairing = PairLayers(before, after);
  BoardComparison comparison;
  comparison.unmatchedBefore = pairing.unmatchedBefore;
  comparison.unmatchedAfter = pairing.unmatchedAfter;
  for (const LayerPair& pair : pairing.pairs) {
    if (options.cancel != nullptr && options.cancel->load()) break;
    LayerComparison layer =
        CompareLayers(before.layers[pair.before], At(beforeGeometry, pair.before),
                      after.layers[pair.after], At(afterGeometry, pair.after), options);
    layer.before = pair.before;
    layer.after = pair.after;
    comparison.layers.push_back(std::move(layer));
  }
  Bound(comparison, options.maxListedPlaces);
  return comparison;
}

std::string ComparisonSummary(const BoardComparison& comparison) {
  const uint64_t places = comparison.PlaceCount();
  const std::size_t layers = comparison.ChangedLayerCount();
  std::string text = places == 0
                         ? std::string("No differences")
                         : std::to_string(places) +
                               (places == 1 ? " difference on " : " differences on ") +
                               std::to_string(layers) + (layers == 1 ? " layer" : " layers");
  const std::size_t unmatched =
      comparison.unmatchedBefore.size() + comparison.unmatchedAfter.size();
  if (unmatched > 0) {
    text +=
        ", " + std::to_string(unmatched) + (unmatched == 1 ? " layer" : " layers") + " unmatched";
  }
  return text;
}

}  // namespace corvane
