#pragma once

// Plane geometry shared by the standard readers: affine maps, arcs (their
// sweep, their box, their flattening into chords) and circles as polygons.

#include <cstdint>
#include <vector>

#include "standard/standard_model.h"

namespace corvane {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;

// x' = a x + b y + tx, y' = c x + d y + ty.
struct Affine {
  double a = 1.0;
  double b = 0.0;
  double c = 0.0;
  double d = 1.0;
  double tx = 0.0;
  double ty = 0.0;

  static Affine Translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
  static Affine Scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  // Counter-clockwise by `degrees`; multiples of 90° are exact.
  static Affine Rotation(double degrees);

  StandardPoint Apply(StandardPoint p) const {
    return {a * p.x + b * p.y + tx, c * p.x + d * p.y + ty};
  }
  StandardPoint ApplyLinear(StandardPoint p) const {
    return {a * p.x + b * p.y, c * p.x + d * p.y};
  }
  // `next` applied after this one.
  Affine Then(const Affine& next) const;
  double Determinant() const { return a * d - b * c; }
  bool Mirrors() const { return Determinant() < 0.0; }
  bool IsIdentity() const {
    return a == 1.0 && b == 0.0 && c == 0.0 && d == 1.0 && tx == 0.0 && ty == 0.0;
  }
  bool IsLinearIdentity() const { return a == 1.0 && b == 0.0 && c == 0.0 && d == 1.0; }
  // True when circles stay circles; `scale` gets the factor of lengths.
  bool IsSimilarity(double& scale) const;
  friend bool operator==(const Affine&, const Affine&) = default;
};

// The signed sweep of an arc from `start` to `end` about `centre`: in (0, 2π]
// counter-clockwise, in [-2π, 0) clockwise. Equal start and end give a full
// turn when `closedIsFull`, else 0.
double ArcSweep(StandardPoint start, StandardPoint end, StandardPoint centre, bool counterClockwise,
                bool closedIsFull);

// The box of the circular arc that leaves `start` about `centre` by `sweep`.
StandardBox ArcBox(StandardPoint start, StandardPoint centre, double sweep);

// How many chords a flattened arc of this radius and sweep gets: enough to
// stay within kFlatteningTolerance of the arc, within the bounds of
// standard_limits.h.
uint32_t ArcChordCount(double radius, double sweep);

// Appends the points after `start` of the arc's chords; the last one is `end`
// exactly. At most `maxChords` chords (at least one).
void FlattenArc(StandardPoint start, StandardPoint end, StandardPoint centre, double sweep,
                uint32_t maxChords, std::vector<StandardPoint>& out);

// Appends a counter-clockwise polygon of `count` points on the circle.
void AppendCirclePoints(double cx, double cy, double radius, uint32_t count,
                        std::vector<StandardPoint>& out);

}  // namespace corvane
