#include "view/polygon_booleans.h"

#include <polyclipping/clipper.hpp>

namespace corvane {
namespace {

ClipperLib::Paths ToPaths(const LongPolygons& polygons) {
  ClipperLib::Paths paths;
  paths.reserve(polygons.size());
  for (const LongPolygon& polygon : polygons) {
    if (polygon.size() < 3) continue;
    ClipperLib::Path& path = paths.emplace_back();
    path.reserve(polygon.size());
    for (const LongPoint& p : polygon) path.emplace_back(p.x, p.y);
  }
  return paths;
}

LongPolygons FromPaths(const ClipperLib::Paths& paths) {
  LongPolygons polygons;
  polygons.reserve(paths.size());
  for (const ClipperLib::Path& path : paths) {
    LongPolygon& polygon = polygons.emplace_back();
    polygon.reserve(path.size());
    for (const ClipperLib::IntPoint& p : path) polygon.push_back({p.X, p.Y});
  }
  return polygons;
}

}  // namespace

LongPolygons CombinePolygons(const LongPolygons& subject, const LongPolygons& clip, BooleanOp op) {
  // The library reports coordinates beyond its range by throwing; no
  // exception may leave a paint.
  try {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(ToPaths(subject), ClipperLib::ptSubject, true);
    clipper.AddPaths(ToPaths(clip), ClipperLib::ptClip, true);
    ClipperLib::Paths solution;
    const ClipperLib::ClipType type =
        op == BooleanOp::kUnion ? ClipperLib::ctUnion : ClipperLib::ctDifference;
    if (!clipper.Execute(type, solution, ClipperLib::pftNonZero, ClipperLib::pftNonZero)) {
      return {};
    }
    return FromPaths(solution);
  } catch (...) {
    return {};
  }
}

LongPolygons SimplifyContour(const LongPolygon& contour) {
  if (contour.size() < 3) return {};
  try {
    ClipperLib::Paths solution;
    ClipperLib::SimplifyPolygon(ToPaths({contour}).front(), solution, ClipperLib::pftNonZero);
    return FromPaths(solution);
  } catch (...) {
    return {};
  }
}

double SignedArea2(const LongPolygon& contour) {
  double sum = 0.0;
  const std::size_t n = contour.size();
  for (std::size_t i = 0; i < n; ++i) {
    const LongPoint& a = contour[i];
    const LongPoint& b = contour[(i + 1) % n];
    sum += static_cast<double>(a.x) * static_cast<double>(b.y) -
           static_cast<double>(b.x) * static_cast<double>(a.y);
  }
  return sum;
}

}  // namespace corvane
