#include "geometry/polygon_shapes.h"

#include <algorithm>
#include <cmath>

#include "geometry/clipper_paths.h"
#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

__extension__ typedef __int128 Wide;

int Turn(GeoPoint a, GeoPoint b, GeoPoint c) {
  const Wide cross = Wide{b.x - a.x} * Wide{c.y - a.y} - Wide{b.y - a.y} * Wide{c.x - a.x};
  return cross > 0 ? 1 : cross < 0 ? -1 : 0;
}

void Push(GeoPath& out, GeoPoint base, double x, double y) {
  const double limit = static_cast<double>(kMaxCoordinate);
  const GeoPoint p{base.x + std::llround(std::clamp(x, -limit, limit)),
                   base.y + std::llround(std::clamp(y, -limit, limit))};
  if (out.empty() || !(out.back() == p)) out.push_back(p);
}

// Convex and winding once: every turn the same way, and each coordinate
// changes direction at most twice around the contour.
bool IsConvex(const GeoPath& path) {
  const std::size_t n = path.size();
  int sign = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const int turn = Turn(path[i], path[(i + 1) % n], path[(i + 2) % n]);
    if (turn == 0) continue;
    if (sign == 0) sign = turn;
    if (turn != sign) return false;
  }
  if (sign == 0) return false;
  const auto changes = [&](auto coordinate) {
    int first = 0;
    int last = 0;
    int count = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const int64_t d = coordinate(path[(i + 1) % n]) - coordinate(path[i]);
      const int s = d > 0 ? 1 : d < 0 ? -1 : 0;
      if (s == 0) continue;
      if (first == 0) first = s;
      if (last != 0 && s != last) ++count;
      last = s;
    }
    if (last != 0 && first != last) ++count;
    return count;
  };
  return changes([](GeoPoint p) { return p.x; }) <= 2 &&
         changes([](GeoPoint p) { return p.y; }) <= 2;
}

}  // namespace

uint32_t ChordCount(double radius, double sweep, double tolerance) {
  if (!(radius > 0.0) || !std::isfinite(radius) || !std::isfinite(sweep)) return 1;
  double perTurn = 4.0;
  if (radius > tolerance) perTurn = std::ceil(kPi / std::acos(1.0 - tolerance / radius));
  perTurn = std::clamp(perTurn, 4.0, static_cast<double>(kMaxChordsPerFullTurn));
  const double turns = std::min(std::fabs(sweep) / kTwoPi, 1.0);
  return std::max<uint32_t>(1, static_cast<uint32_t>(std::ceil(perTurn * turns - 1e-9)));
}

void AppendCircle(double cx, double cy, double radius, double tolerance, GeoPoint base,
                  GeoPath& out) {
  if (!(radius > 0.0)) return;
  const uint32_t n = ChordCount(radius, kTwoPi, tolerance);
  const double step = kTwoPi / n;
  // The regular polygon of the circle's area.
  const double r = radius * std::sqrt(step / std::sin(step));
  for (uint32_t i = 0; i < n; ++i) {
    const double angle = step * i;
    Push(out, base, cx + r * std::cos(angle), cy + r * std::sin(angle));
  }
}

void AppendArcPoints(double cx, double cy, double radius, double start, double sweep,
                     double tolerance, GeoPoint base, bool withStart, GeoPath& out) {
  if (withStart) Push(out, base, cx + radius * std::cos(start), cy + radius * std::sin(start));
  if (!(radius > 0.0)) return;
  const uint32_t k = ChordCount(radius, sweep, tolerance);
  const double step = sweep / k;
  // Ends on the circle, the k - 1 points between at r: the fan's triangles
  // (two of r and r', k - 2 of r' and r') add up to the sector.
  double r = radius;
  const double gain = std::fabs(step) > 1e-12 ? step / std::sin(step) : 1.0;
  if (k == 2) {
    r = radius * gain;
  } else if (k > 2) {
    const double a = static_cast<double>(k - 2);
    const double c = radius * radius * k * gain;
    r = (-radius + std::sqrt(radius * radius + a * c)) / a;
  }
  for (uint32_t i = 1; i < k; ++i) {
    const double angle = start + step * i;
    Push(out, base, cx + r * std::cos(angle), cy + r * std::sin(angle));
  }
  const double end = start + sweep;
  Push(out, base, cx + radius * std::cos(end), cy + radius * std::sin(end));
}

void AppendStadium(double x0, double y0, double x1, double y1, double radius, double tolerance,
                   GeoPoint base, GeoPath& out) {
  if (!(radius > 0.0)) return;
  if (x0 == x1 && y0 == y1) {
    AppendCircle(x0, y0, radius, tolerance, base, out);
    return;
  }
  const double direction = std::atan2(y1 - y0, x1 - x0);
  AppendArcPoints(x1, y1, radius, direction - kPi / 2, kPi, tolerance, base, true, out);
  AppendArcPoints(x0, y0, radius, direction + kPi / 2, kPi, tolerance, base, true, out);
  if (out.size() > 1 && out.back() == out.front()) out.pop_back();
}

void AppendRoundArc(double cx, double cy, double radius, double sweep, double halfWidth, double ex,
                    double ey, double tolerance, GeoPoint base, GeoPaths& out) {
  const double begin = std::atan2(-cy, -cx);
  const uint32_t pieces =
      std::max<uint32_t>(1, static_cast<uint32_t>(std::ceil(std::fabs(sweep) / (kPi / 2) - 1e-9)));
  const double turn = sweep > 0 ? kPi : -kPi;
  for (uint32_t i = 0; i < pieces; ++i) {
    const double a0 = begin + sweep * i / pieces;
    const double piece = sweep / pieces;
    const double a1 = a0 + piece;
    // The piece's ends: the arc's own ends exactly, the others on the circle.
    const double sx = i == 0 ? 0.0 : cx + radius * std::cos(a0);
    const double sy = i == 0 ? 0.0 : cy + radius * std::sin(a0);
    const double fx = i + 1 == pieces ? ex : cx + radius * std::cos(a1);
    const double fy = i + 1 == pieces ? ey : cy + radius * std::sin(a1);
    GeoPath& path = out.emplace_back();
    AppendArcPoints(cx, cy, radius + halfWidth, a0, piece, tolerance, base, true, path);
    AppendArcPoints(fx, fy, halfWidth, a1, turn, tolerance, base, false, path);
    AppendArcPoints(cx, cy, radius - halfWidth, a1, -piece, tolerance, base, false, path);
    AppendArcPoints(sx, sy, halfWidth, a0 + kPi, turn, tolerance, base, false, path);
    if (path.size() > 1 && path.back() == path.front()) path.pop_back();
    if (SignedArea(path) < 0) std::reverse(path.begin(), path.end());
  }
}

GeoPath ConvexHull(GeoPath points) {
  std::sort(points.begin(), points.end(), [](const GeoPoint& a, const GeoPoint& b) {
    return a.x < b.x || (a.x == b.x && a.y < b.y);
  });
  points.erase(std::unique(points.begin(), points.end()), points.end());
  const std::size_t n = points.size();
  if (n < 3) return points;
  GeoPath hull(2 * n);
  std::size_t k = 0;
  for (std::size_t i = 0; i < n; ++i) {
    while (k >= 2 && Turn(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  for (std::size_t i = n - 1, t = k + 1; i-- > 0;) {
    while (k >= t && Turn(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  hull.resize(k - 1);
  return hull;
}

void AppendFilledContour(GeoPath& contour, GeoPaths& out) {
  if (contour.size() < 3) return;
  if (IsConvex(contour)) {
    if (SignedArea(contour) < 0) std::reverse(contour.begin(), contour.end());
    out.push_back(contour);
    return;
  }
  // A plain union resolves the contour; strictly simple output is not needed and costs far more.
  try {
    ClipperLib::Clipper clipper;
    clipper.AddPath(ToClipper(contour), ClipperLib::ptSubject, true);
    ClipperLib::Paths solution;
    clipper.Execute(ClipperLib::ctUnion, solution, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    for (const ClipperLib::Path& path : solution) out.push_back(FromClipper(path));
  } catch (...) {
    // Coordinates the library refuses cover nothing.
  }
}

}  // namespace corvane
