// Any byte sequence read as a Gerber and as an Excellon layer must flatten
// and resolve into geometry: no crash, no hang, no undefined behaviour, and
// what is built must hold together (every island's objects list it back).
// The reading's bounds (fuzz_bounds.h) and the vertex bound here are small
// ones, so that inputs stay quick; the code that enforces them is the same.
// A few point queries follow.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_bounds.h"
#include "geometry/geometry_index.h"
#include "geometry/layer_geometry_builder.h"
#include "standard/standard_reader.h"

namespace {

void Check(const corvane::StandardLayer& layer) {
  corvane::GeometryBuildOptions options;
  // Coarse chords and a small vertex bound: the same code, a few hundred
  // vertices per input, so that the booleans stay quick.
  options.flatten.tolerance = 25'000;
  options.maxVertices = 4'000;
  options.threads = 1;
  const corvane::LayerGeometry geometry = corvane::BuildLayerGeometry(layer, options);
  if (geometry.objectIslandStart.size() != geometry.objectCount + 1) __builtin_trap();
  for (uint32_t island = 0; island < geometry.islands.size(); ++island) {
    for (const uint32_t object : geometry.ObjectsOf(island)) {
      bool back = false;
      for (const uint32_t other : geometry.IslandsOf(object)) back = back || other == island;
      if (!back) __builtin_trap();
    }
  }
  if (!(geometry.darkArea >= 0.0) && !geometry.islands.empty()) __builtin_trap();
  const corvane::GeometryIndex index(layer, geometry);
  const corvane::GeoBox e = geometry.extents;
  if (e.Empty()) return;
  const corvane::GeoPoint middle{e.minX / 2 + e.maxX / 2, e.minY / 2 + e.maxY / 2};
  index.DarkObjectsAt(middle);
  index.IslandAt({e.minX, e.minY});
  index.NearestSnap(middle, 1e6);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size > 1024) return 0;  // small inputs: the booleans' cost grows faster than the text
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  corvane::StandardContext context;
  context.bounds = corvane_fuzz::SmallReadBounds();
  Check(corvane::ReadStandardGerber(text, context));
  Check(corvane::ReadStandardExcellon(text, context));
  return 0;
}
