#pragma once

// Two revisions of a board compared as made: their layers paired
// (layer_pairing.h), each pair compared as geometry or, for two drill
// layers, hole by hole, and every difference a place with its kind, box and
// area. The headless diff command and the window's compare mode both show
// this record.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/difference_place.h"
#include "analysis/geometry_difference.h"
#include "analysis/layer_pairing.h"
#include "geometry/layer_geometry.h"
#include "standard/standard_model.h"

namespace corvane {

struct CompareOptions {
  int64_t tolerance = kDefaultCompareTolerance;  // nanometres
  unsigned threads = 0;                          // 0 for one per core
  // Stops the comparison early when it becomes true; may be null.
  const std::atomic<bool>* cancel = nullptr;
  // The most places kept with their shapes over all layers; the rest are
  // counted (and their areas summed) only.
  uint64_t maxListedPlaces = 10'000;
};

struct LayerComparison {
  uint32_t before = 0;  // the layer's index in the old model
  uint32_t after = 0;   // and in the new one
  bool holeByHole = false;
  double addedArea = 0.0;  // square nanometres, every place counted
  double removedArea = 0.0;
  uint64_t placeCount = 0;              // listed and unlisted
  std::vector<DifferencePlace> places;  // the listed ones, in PlaceBefore order
  // A layer's geometry could not be built whole (too large, cancelled): what
  // was compared is not the whole layer.
  bool incomplete = false;
};

struct BoardComparison {
  std::vector<LayerComparison> layers;  // every pair, in the new model's order
  std::vector<uint32_t> unmatchedBefore;
  std::vector<uint32_t> unmatchedAfter;
  uint64_t unlistedPlaces = 0;

  uint64_t PlaceCount() const;
  // Layers with at least one place.
  std::size_t ChangedLayerCount() const;
  // Nothing differs beyond the tolerance and every layer is paired.
  bool Same() const {
    return PlaceCount() == 0 && unmatchedBefore.empty() && unmatchedAfter.empty();
  }
};

// Geometry of each layer of a model, by index; an entry may be missing
// (null) when it has not been built, and is then built here.
using ModelGeometry = std::vector<const LayerGeometry*>;

BoardComparison CompareBoards(const StandardModel& before, const StandardModel& after,
                              const CompareOptions& options = {});
BoardComparison CompareBoards(const StandardModel& before, const ModelGeometry& beforeGeometry,
                              const StandardModel& after, const ModelGeometry& afterGeometry,
                              const CompareOptions& options = {});

// One pair compared; the places are all kept.
LayerComparison CompareLayers(const StandardLayer& before, const LayerGeometry* beforeGeometry,
                              const StandardLayer& after, const LayerGeometry* afterGeometry,
                              const CompareOptions& options);

// "No differences", "1 difference on 1 layer", "12 differences on 3 layers",
// with ", 2 layers unmatched" when some are.
std::string ComparisonSummary(const BoardComparison& comparison);

}  // namespace corvane
