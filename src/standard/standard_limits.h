#pragma once

// The bounds that keep a hostile file from making the standard reading hang
// or run out of memory. What a file states literally costs memory in
// proportion to its size; these bound what it can multiply. Each bound that a
// file reaches sets its StandardLimit bit on the layer, and the reading goes
// on with what fits.

#include <cstdint>

namespace corvane {

// The fuzz build (CORVANE_FUZZ_BOUNDS) keeps every bound small, so that no
// input can make one run slow; the program and its tests keep the real ones.
#ifdef CORVANE_FUZZ_BOUNDS
inline constexpr bool kFuzzBounds = true;
#else
inline constexpr bool kFuzzBounds = false;
#endif

// Step and repeat: a count above this on either axis is taken as this.
inline constexpr uint32_t kMaxRepeatsPerAxis = kFuzzBounds ? 100 : 10'000;

// Objects that step and repeat, block flashes and Excellon R repeats may add
// to one file, beyond the objects the file states one by one (40 bytes each:
// 320 MB). Copies beyond it are dropped.
inline constexpr uint64_t kMaxExpandedObjects = kFuzzBounds ? 800 : 8'000'000;

// Points that flattened arcs, copied regions and shapes may add to one file
// (16 bytes each: 256 MB). Beyond it an arc of a region becomes a single
// chord, and copies that need new points are dropped.
inline constexpr uint64_t kMaxAddedPoints = kFuzzBounds ? 1'600 : 16'000'000;

// Shape parts (circles and polygons) of one file; beyond it a new shape or a
// transformed copy of one stays empty.
inline constexpr uint64_t kMaxShapeParts = kFuzzBounds ? 400 : 4'000'000;

// Aperture blocks opened inside each other; a deeper AB is passed over, its
// content staying in the block around it.
inline constexpr int kMaxBlockDepth = 32;

// Nesting of unary signs and parentheses in one macro expression; a deeper
// expression is worth 0.
inline constexpr int kMaxExpressionDepth = 64;

// Characters of macro bodies evaluated for one file (each AD that uses a macro
// evaluates its body once); beyond it a macro aperture stays empty.
inline constexpr uint64_t kMaxMacroWork = kFuzzBounds ? 6'400 : 64'000'000;

// Vertices of one outline primitive; a larger outline is dropped.
inline constexpr uint32_t kMaxOutlineVertices = kFuzzBounds ? 1'000 : 100'000;

// Macro variables $1 to $kMaxMacroVariable; a higher one reads as 0 and is
// never assigned.
inline constexpr uint32_t kMaxMacroVariable = kFuzzBounds ? 99 : 9'999;

// The four bounds a caller may set tighter (or looser) for one reading.
struct ReadBounds {
  uint64_t expandedObjects = kMaxExpandedObjects;
  uint64_t addedPoints = kMaxAddedPoints;
  uint64_t shapeParts = kMaxShapeParts;
  uint64_t macroWork = kMaxMacroWork;
};

// Flattening of arcs in regions and of round parts of macro primitives: the
// chords stay within this distance of the arc (inches), with between these
// many chords per full turn.
inline constexpr double kFlatteningTolerance = 0.0001;
inline constexpr uint32_t kMinChordsPerTurn = 16;
inline constexpr uint32_t kMaxChordsPerTurn = 256;

}  // namespace corvane
