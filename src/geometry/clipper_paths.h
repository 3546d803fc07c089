#pragma once

// Between GeoPaths and the Clipper library's paths, for the geometry folder's
// own sources: the public headers speak GeoPaths only.

#include <polyclipping/clipper.hpp>

#include "geometry/geometry_types.h"

namespace corvane {

inline ClipperLib::Path ToClipper(const GeoPath& path) {
  ClipperLib::Path out;
  out.reserve(path.size());
  for (const GeoPoint& p : path) out.emplace_back(p.x, p.y);
  return out;
}

inline ClipperLib::Paths ToClipper(const GeoPaths& paths) {
  ClipperLib::Paths out;
  out.reserve(paths.size());
  for (const GeoPath& path : paths) {
    if (path.size() >= 3) out.push_back(ToClipper(path));
  }
  return out;
}

inline GeoPath FromClipper(const ClipperLib::Path& path) {
  GeoPath out;
  out.reserve(path.size());
  for (const ClipperLib::IntPoint& p : path) out.push_back({p.X, p.Y});
  return out;
}

inline GeoPaths FromClipper(const ClipperLib::Paths& paths) {
  GeoPaths out;
  out.reserve(paths.size());
  for (const ClipperLib::Path& path : paths) out.push_back(FromClipper(path));
  return out;
}

}  // namespace corvane
