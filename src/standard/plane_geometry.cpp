#include "standard/plane_geometry.h"

#include <algorithm>
#include <cmath>

#include "standard/standard_limits.h"

namespace corvane {
namespace {

bool NearlyEqual(double p, double q) {
  return std::fabs(p - q) <= 1e-12 * std::max({1.0, std::fabs(p), std::fabs(q)});
}

}  // namespace

Affine Affine::Rotation(double degrees) {
  double turns = std::fmod(degrees, 360.0);
  if (turns < 0.0) turns += 360.0;
  double cosine = 0.0;
  double sine = 0.0;
  // Exact quarter turns: a rotated rectangle stays a rectangle to the last bit.
  if (turns == 0.0) {
    cosine = 1.0;
  } else if (turns == 90.0) {
    sine = 1.0;
  } else if (turns == 180.0) {
    cosine = -1.0;
  } else if (turns == 270.0) {
    sine = -1.0;
  } else if (std::isfinite(turns)) {
    const double radians = turns * kPi / 180.0;
    cosine = std::cos(radians);
    sine = std::sin(radians);
  } else {
    cosine = 1.0;
  }
  return {cosine, -sine, sine, cosine, 0.0, 0.0};
}

Affine Affine::Then(const Affine& n) const {
  return {n.a * a + n.b * c, n.a * b + n.b * d,          n.c * a + n.d * c,
          n.c * b + n.d * d, n.a * tx + n.b * ty + n.tx, n.c * tx + n.d * ty + n.ty};
}

bool Affine::IsSimilarity(double& scale) const {
  scale = std::hypot(a, c);
  const bool turning = NearlyEqual(a, d) && NearlyEqual(b, -c);
  const bool mirrored = NearlyEqual(a, -d) && NearlyEqual(b, c);
  return turning || mirrored;
}

double ArcSweep(StandardPoint start, StandardPoint end, StandardPoint centre, bool counterClockwise,
                bool closedIsFull) {
  if (start == end) {
    if (!closedIsFull) return 0.0;
    return counterClockwise ? kTwoPi : -kTwoPi;
  }
  const double from = std::atan2(start.y - centre.y, start.x - centre.x);
  const double to = std::atan2(end.y - centre.y, end.x - centre.x);
  double sweep = to - from;
  if (counterClockwise) {
    while (sweep <= 0.0) sweep += kTwoPi;
    while (sweep > kTwoPi) sweep -= kTwoPi;
  } else {
    while (sweep >= 0.0) sweep -= kTwoPi;
    while (sweep < -kTwoPi) sweep += kTwoPi;
  }
  return sweep;
}

StandardBox ArcBox(StandardPoint start, StandardPoint centre, double sweep) {
  const double dx = start.x - centre.x;
  const double dy = start.y - centre.y;
  const double radius = std::hypot(dx, dy);
  const double from = std::atan2(dy, dx);
  StandardBox box;
  box.Add(start.x, start.y);
  box.Add(centre.x + radius * std::cos(from + sweep), centre.y + radius * std::sin(from + sweep));
  const double low = sweep >= 0.0 ? from : from + sweep;
  const double high = sweep >= 0.0 ? from + sweep : from;
  const bool whole = std::fabs(sweep) >= kTwoPi;
  // The arc reaches the circle's extreme on an axis when its angle range holds
  // that axis direction.
  for (int quarter = 0; quarter < 4; ++quarter) {
    const double axis = quarter * (kPi / 2.0);
    const double first = axis + std::ceil((low - axis) / kTwoPi) * kTwoPi;
    if (!whole && first > high) continue;
    const double ex = quarter == 0 ? radius : quarter == 2 ? -radius : 0.0;
    const double ey = quarter == 1 ? radius : quarter == 3 ? -radius : 0.0;
    box.Add(centre.x + ex, centre.y + ey);
  }
  return box;
}

uint32_t ArcChordCount(double radius, double sweep) {
  if (!(radius > 0.0) || !std::isfinite(radius) || !std::isfinite(sweep)) return 1;
  double perTurn = kMaxChordsPerTurn;
  if (radius > kFlatteningTolerance) {
    const double step = 2.0 * std::acos(1.0 - kFlatteningTolerance / radius);
    perTurn = std::ceil(kTwoPi / step);
  } else {
    perTurn = kMinChordsPerTurn;
  }
  perTurn = std::clamp(perTurn, static_cast<double>(kMinChordsPerTurn),
                       static_cast<double>(kMaxChordsPerTurn));
  const double turns = std::min(std::fabs(sweep) / kTwoPi, 1.0);
  return std::max<uint32_t>(1, static_cast<uint32_t>(std::ceil(perTurn * turns)));
}

void FlattenArc(StandardPoint start, StandardPoint end, StandardPoint centre, double sweep,
                uint32_t maxChords, std::vector<StandardPoint>& out) {
  const double dx = start.x - centre.x;
  const double dy = start.y - centre.y;
  const double radius = std::hypot(dx, dy);
  const uint32_t chords = std::max<uint32_t>(1, std::min(ArcChordCount(radius, sweep), maxChords));
  const double from = std::atan2(dy, dx);
  for (uint32_t i = 1; i < chords; ++i) {
    const double angle = from + sweep * i / chords;
    out.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
  }
  out.push_back(end);
}

void AppendCirclePoints(double cx, double cy, double radius, uint32_t count,
                        std::vector<StandardPoint>& out) {
  for (uint32_t i = 0; i < count; ++i) {
    const double angle = kTwoPi * i / count;
    out.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
  }
}

}  // namespace corvane
