#include "cli/diff_pictures.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>

#include "analysis/layer_pairing.h"
#include "cli/png_writer.h"
#include "geometry/layer_geometry_builder.h"

namespace corvane {
namespace {

constexpr uint32_t kBackground = 0x101010;
constexpr uint32_t kUnchanged = 0x5A5A5A;
constexpr uint32_t kAdded = 0x20D040;
constexpr uint32_t kRemoved = 0xE03030;
constexpr uint32_t kFrame = 0xF0E040;
constexpr int32_t kMinFramePixels = 9;
constexpr int32_t kMargin = 8;

struct Edge {
  double x0, y0, x1, y1;
  int winding;  // +1 upwards on the picture, -1 downwards
};

void Span(DiffPicture& picture, int32_t row, double from, double to, uint32_t color) {
  const int32_t first = std::max<int32_t>(0, static_cast<int32_t>(std::ceil(from - 0.5)));
  const int32_t last =
      std::min<int32_t>(picture.width - 1, static_cast<int32_t>(std::floor(to - 0.5)));
  uint32_t* line = picture.pixels.data() + static_cast<std::size_t>(row) * picture.width;
  for (int32_t x = first; x <= last; ++x) line[x] = color;
}

void Plot(DiffPicture& picture, int32_t x, int32_t y, uint32_t color) {
  if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return;
  picture.pixels[static_cast<std::size_t>(y) * picture.width + x] = color;
}

bool WritePicture(const std::string& path, const DiffPicture& picture) {
  std::ofstream out(path, std::ios::binary);
  if (!out) return false;
  const PngPicture png{picture.pixels.data(), picture.width, picture.width, picture.height};
  const bool written = WritePng(png, [&](std::string_view bytes) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
  });
  out.close();
  return written && static_cast<bool>(out);
}

DiffPicture DrawLayer(const LayerGeometry& now, const LayerComparison& layer) {
  GeoBox area = now.extents;
  for (const DifferencePlace& place : layer.places) area.Add(place.box);
  const PictureFrame frame(area, kDiffPictureSize);
  DiffPicture picture{frame.Width(), frame.Height(), {}};
  picture.pixels.assign(static_cast<std::size_t>(picture.width) * picture.height, kBackground);
  FillPaths(now.AllPaths(), frame, kUnchanged, picture);
  for (const DifferencePlace& place : layer.places) {
    FillPaths(place.shape, frame, place.kind == DifferenceKind::kAdded ? kAdded : kRemoved,
              picture);
  }
  for (const DifferencePlace& place : layer.places) {
    FrameBox(place.box, frame, kMinFramePixels, kFrame, picture);
  }
  return picture;
}

}  // namespace

PictureFrame::PictureFrame(const GeoBox& area, int32_t size) {
  if (area.Empty()) return;
  const double w = std::max<double>(1.0, static_cast<double>(area.maxX - area.minX));
  const double h = std::max<double>(1.0, static_cast<double>(area.maxY - area.minY));
  const double inner = static_cast<double>(std::max<int32_t>(size - 2 * kMargin, 1));
  scale_ = inner / std::max(w, h);
  width_ = std::max<int32_t>(1, static_cast<int32_t>(std::ceil(w * scale_)) + 2 * kMargin);
  height_ = std::max<int32_t>(1, static_cast<int32_t>(std::ceil(h * scale_)) + 2 * kMargin);
  originX_ = static_cast<double>(area.minX) - kMargin / scale_;
  originY_ = static_cast<double>(area.minY) - kMargin / scale_;
}

void FillPaths(const GeoPaths& paths, const PictureFrame& frame, uint32_t color,
               DiffPicture& picture) {
  // Edges bucketed by the first row whose centre they cross, then an active
  // list walked down the rows: linear in the edges and the rows.
  std::vector<std::vector<Edge>> starting(static_cast<std::size_t>(picture.height));
  for (const GeoPath& path : paths) {
    for (std::size_t i = 0; i < path.size(); ++i) {
      const GeoPoint& a = path[i];
      const GeoPoint& b = path[i + 1 == path.size() ? 0 : i + 1];
      Edge e{frame.X(a.x), frame.Y(a.y), frame.X(b.x), frame.Y(b.y), 1};
      if (e.y0 == e.y1) continue;
      if (e.y0 > e.y1) {
        std::swap(e.x0, e.x1);
        std::swap(e.y0, e.y1);
        e.winding = -1;
      }
      const double firstRow = std::ceil(e.y0 - 0.5);
      if (firstRow + 0.5 >= e.y1 || firstRow >= picture.height) continue;
      starting[static_cast<std::size_t>(std::max(0.0, firstRow))].push_back(e);
    }
  }
  std::vector<Edge> active;
  std::vector<std::pair<double, int>> crossings;
  for (int32_t row = 0; row < picture.height; ++row) {
    const double y = row + 0.5;
    for (const Edge& e : starting[row]) active.push_back(e);
    active.erase(
        std::remove_if(active.begin(), active.end(), [y](const Edge& e) { return e.y1 <= y; }),
        active.end());
    crossings.clear();
    for (const Edge& e : active) {
      if (e.y0 > y) continue;
      crossings.emplace_back(e.x0 + (y - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.winding);
    }
    std::sort(crossings.begin(), crossings.end());
    int winding = 0;
    for (std::size_t k = 0; k + 1 < crossings.size(); ++k) {
      winding += crossings[k].second;
      if (winding != 0) Span(picture, row, crossings[k].first, crossings[k + 1].first, color);
    }
  }
}

void FrameBox(const GeoBox& box, const PictureFrame& frame, int32_t minPixels, uint32_t color,
              DiffPicture& picture) {
  double x0 = frame.X(static_cast<double>(box.minX));
  double x1 = frame.X(static_cast<double>(box.maxX));
  double y0 = frame.Y(static_cast<double>(box.maxY));
  double y1 = frame.Y(static_cast<double>(box.minY));
  const double grow = static_cast<double>(minPixels) / 2.0;
  if (x1 - x0 < minPixels) {
    const double c = (x0 + x1) / 2;
    x0 = c - grow;
    x1 = c + grow;
  }
  if (y1 - y0 < minPixels) {
    const double c = (y0 + y1) / 2;
    y0 = c - grow;
    y1 = c + grow;
  }
  const auto left = static_cast<int32_t>(std::floor(x0)) - 1;
  const auto right = static_cast<int32_t>(std::ceil(x1)) + 1;
  const auto top = static_cast<int32_t>(std::floor(y0)) - 1;
  const auto bottom = static_cast<int32_t>(std::ceil(y1)) + 1;
  for (int32_t x = std::max(left, 0); x <= std::min(right, picture.width - 1); ++x) {
    Plot(picture, x, top, color);
    Plot(picture, x, bottom, color);
  }
  for (int32_t y = std::max(top, 0); y <= std::min(bottom, picture.height - 1); ++y) {
    Plot(picture, left, y, color);
    Plot(picture, right, y, color);
  }
}

bool WriteDifferencePictures(const std::string& folder, const StandardModel& after,
                             const BoardComparison& comparison, std::string& error) {
  std::error_code made;
  std::filesystem::create_directories(folder, made);
  if (made || !std::filesystem::is_directory(folder)) {
    error = "cannot make the folder " + folder;
    return false;
  }
  std::set<std::string> used;
  for (const LayerComparison& layer : comparison.layers) {
    if (layer.placeCount == 0) continue;
    const StandardLayer& now = after.layers[layer.after];
    const std::string base = PairingName(now.fileName);
    std::string name = base;
    for (int n = 2; used.count(name) != 0; ++n) name = base + "-" + std::to_string(n);
    used.insert(name);
    const LayerGeometry geometry = BuildLayerGeometry(now);
    const std::string path = (std::filesystem::path(folder) / (name + ".png")).string();
    if (!WritePicture(path, DrawLayer(geometry, layer))) {
      error = "cannot write " + path;
      return false;
    }
  }
  return true;
}

}  // namespace corvane
