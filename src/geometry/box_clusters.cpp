#include "geometry/box_clusters.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace corvane {
namespace {

// At most this many cells in one level of the grid.
constexpr int64_t kMaxCellsPerLevel = int64_t{1} << 22;

class DisjointSets {
 public:
  explicit DisjointSets(std::size_t n) : parent_(n) {
    std::iota(parent_.begin(), parent_.end(), 0u);
  }
  uint32_t Find(uint32_t i) {
    while (parent_[i] != i) {
      parent_[i] = parent_[parent_[i]];
      i = parent_[i];
    }
    return i;
  }
  void Join(uint32_t a, uint32_t b) {
    a = Find(a);
    b = Find(b);
    if (a == b) return;
    if (a < b) std::swap(a, b);
    parent_[a] = b;  // the smaller index leads, so groups come out in order
  }

 private:
  std::vector<uint32_t> parent_;
};

struct Level {
  int64_t cell = 1;
  int64_t columns = 1;
  int64_t rows = 1;
  std::vector<uint32_t> start;  // per cell, into `owners`
  std::vector<uint32_t> owners;
  bool used = false;
};

struct Grid {
  GeoBox all;
  std::vector<Level> levels;

  // The cells of level `l` that `box` covers.
  void Span(const Level& level, const GeoBox& box, int64_t& c0, int64_t& c1, int64_t& r0,
            int64_t& r1) const {
    c0 = std::clamp<int64_t>((box.minX - all.minX) / level.cell, 0, level.columns - 1);
    c1 = std::clamp<int64_t>((box.maxX - all.minX) / level.cell, 0, level.columns - 1);
    r0 = std::clamp<int64_t>((box.minY - all.minY) / level.cell, 0, level.rows - 1);
    r1 = std::clamp<int64_t>((box.maxY - all.minY) / level.cell, 0, level.rows - 1);
  }
};

int64_t Extent(const GeoBox& box) {
  const int64_t w = box.maxX - box.minX;
  const int64_t h = box.maxY - box.minY;
  return std::max(w, h) + 1;
}

Grid MakeGrid(const std::vector<GeoBox>& boxes, std::vector<uint8_t>& levelOf) {
  Grid grid;
  std::vector<int64_t> extents;
  for (const GeoBox& box : boxes) {
    if (box.Empty()) continue;
    grid.all.Add(box);
    extents.push_back(Extent(box));
  }
  if (extents.empty()) return grid;
  std::nth_element(extents.begin(), extents.begin() + extents.size() / 2, extents.end());
  const double width = static_cast<double>(grid.all.maxX - grid.all.minX) + 1.0;
  const double height = static_cast<double>(grid.all.maxY - grid.all.minY) + 1.0;
  int64_t cell = std::max<int64_t>(extents[extents.size() / 2], 1);
  // No more cells than about one per box: sparse boards are not paid for in empty cells.
  const double perBox = std::sqrt(width * height / static_cast<double>(extents.size()));
  while (static_cast<double>(cell) < perBox && cell < (int64_t{1} << 61)) cell *= 2;
  // Few enough cells whatever the board's shape.
  while (std::ceil(width / static_cast<double>(cell)) *
                 std::ceil(height / static_cast<double>(cell)) >
             static_cast<double>(kMaxCellsPerLevel) &&
         cell < (int64_t{1} << 61)) {
    cell *= 2;
  }
  const double span = std::max(width, height);
  while (true) {
    Level& level = grid.levels.emplace_back();
    level.cell = cell;
    level.columns = static_cast<int64_t>(std::ceil(width / static_cast<double>(cell)));
    level.rows = static_cast<int64_t>(std::ceil(height / static_cast<double>(cell)));
    if (static_cast<double>(cell) >= span || cell > (int64_t{1} << 61)) break;
    cell *= 2;
  }
  levelOf.assign(boxes.size(), 0);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (boxes[i].Empty()) continue;
    const int64_t extent = Extent(boxes[i]);
    uint8_t l = 0;
    while (l + 1u < grid.levels.size() && grid.levels[l].cell < extent) ++l;
    levelOf[i] = l;
  }
  return grid;
}

void FillLevels(Grid& grid, const std::vector<GeoBox>& boxes, const std::vector<uint8_t>& levelOf) {
  std::vector<std::vector<uint32_t>> byLevel(grid.levels.size());
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (!boxes[i].Empty()) byLevel[levelOf[i]].push_back(static_cast<uint32_t>(i));
  }
  for (std::size_t l = 0; l < grid.levels.size(); ++l) {
    // A level without boxes of its own needs no cells.
    if (byLevel[l].empty()) continue;
    Level& level = grid.levels[l];
    level.used = true;
    const std::size_t cells = static_cast<std::size_t>(level.columns * level.rows);
    std::vector<uint32_t> counts(cells, 0);
    for (int pass = 0; pass < 2; ++pass) {
      if (pass == 1) {
        level.start.assign(cells + 1, 0);
        for (std::size_t c = 0; c < cells; ++c) level.start[c + 1] = level.start[c] + counts[c];
        level.owners.resize(level.start.back());
        counts.assign(cells, 0);
      }
      for (const uint32_t i : byLevel[l]) {
        int64_t c0, c1, r0, r1;
        grid.Span(level, boxes[i], c0, c1, r0, r1);
        for (int64_t r = r0; r <= r1; ++r) {
          for (int64_t c = c0; c <= c1; ++c) {
            const std::size_t cell = static_cast<std::size_t>(r * level.columns + c);
            if (pass == 1) level.owners[level.start[cell] + counts[cell]] = i;
            ++counts[cell];
          }
        }
      }
    }
  }
}

// Owners of one cell against each other, swept in x. A box still open in the
// sweep that a later one covers in y and outlasts in x is closed early: every
// box after it that would touch it touches the later one, which it joins. A
// box that an open one contains is joined to it and goes no further, and is
// left out of the cell for the coarser levels' tests too. Boxes stacked on
// each other so cost no more than one.
void JoinWithinCells(Level& level, const std::vector<GeoBox>& boxes, DisjointSets& sets,
                     std::vector<uint8_t>& contained) {
  // Containers sort before what they contain.
  const auto before = [&](uint32_t a, uint32_t b) {
    const GeoBox& p = boxes[a];
    const GeoBox& q = boxes[b];
    if (p.minX != q.minX) return p.minX < q.minX;
    if (p.maxX != q.maxX) return p.maxX > q.maxX;
    if (p.minY != q.minY) return p.minY < q.minY;
    if (p.maxY != q.maxY) return p.maxY > q.maxY;
    return a < b;
  };
  std::vector<uint32_t> sorted;
  std::vector<uint32_t> open;
  std::vector<uint32_t> owners;
  std::vector<uint32_t> start(level.start.size(), 0);
  owners.reserve(level.owners.size());
  for (std::size_t cell = 0; cell + 1 < level.start.size(); ++cell) {
    start[cell] = static_cast<uint32_t>(owners.size());
    const uint32_t first = level.start[cell];
    const uint32_t end = level.start[cell + 1];
    if (end - first < 2) {
      owners.insert(owners.end(), level.owners.begin() + first, level.owners.begin() + end);
      continue;
    }
    sorted.assign(level.owners.begin() + first, level.owners.begin() + end);
    std::sort(sorted.begin(), sorted.end(), before);
    open.clear();
    for (const uint32_t b : sorted) {
      const GeoBox& box = boxes[b];
      bool inside = false;
      for (const uint32_t a : open) {
        const GeoBox& other = boxes[a];
        if (other.maxX < box.minX) continue;  // the sweep has passed it
        if (other.minY > box.maxY || box.minY > other.maxY) continue;
        sets.Join(a, b);
        // It began no later, so covering it in y and outlasting it contains it.
        inside = inside ||
                 (other.minY <= box.minY && box.maxY <= other.maxY && box.maxX <= other.maxX);
      }
      if (inside) {
        contained[b] = 1;
        continue;
      }
      owners.push_back(b);
      std::size_t stay = 0;
      for (const uint32_t a : open) {
        const GeoBox& other = boxes[a];
        const bool passed = other.maxX < box.minX;
        const bool overtaken =
            box.minY <= other.minY && other.maxY <= box.maxY && other.maxX <= box.maxX;
        if (!passed && !overtaken) open[stay++] = a;
      }
      open.resize(stay);
      open.push_back(b);
    }
  }
  start.back() = static_cast<uint32_t>(owners.size());
  level.start = std::move(start);
  level.owners = std::move(owners);
}

}  // namespace

std::vector<std::vector<uint32_t>> ClusterBoxes(const std::vector<GeoBox>& boxes) {
  std::vector<uint8_t> levelOf;
  Grid grid = MakeGrid(boxes, levelOf);
  if (grid.levels.empty()) return {};
  FillLevels(grid, boxes, levelOf);
  DisjointSets sets(boxes.size());
  // Boxes that another of their level contains, which meets all they meet.
  std::vector<uint8_t> contained(boxes.size(), 0);
  for (Level& level : grid.levels) {
    if (level.used) JoinWithinCells(level, boxes, sets, contained);
  }
  // Each box against the owners of the coarser levels' cells it covers.
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (boxes[i].Empty() || contained[i] != 0) continue;
    for (std::size_t l = levelOf[i] + 1u; l < grid.levels.size(); ++l) {
      const Level& level = grid.levels[l];
      if (!level.used) continue;
      int64_t c0, c1, r0, r1;
      grid.Span(level, boxes[i], c0, c1, r0, r1);
      for (int64_t r = r0; r <= r1; ++r) {
        for (int64_t c = c0; c <= c1; ++c) {
          const std::size_t cell = static_cast<std::size_t>(r * level.columns + c);
          for (uint32_t k = level.start[cell]; k < level.start[cell + 1]; ++k) {
            const uint32_t other = level.owners[k];
            if (boxes[i].Overlaps(boxes[other])) sets.Join(static_cast<uint32_t>(i), other);
          }
        }
      }
    }
  }
  std::vector<std::vector<uint32_t>> groups;
  std::vector<uint32_t> groupOf(boxes.size(), UINT32_MAX);
  for (uint32_t i = 0; i < boxes.size(); ++i) {
    if (boxes[i].Empty()) continue;
    const uint32_t root = sets.Find(i);
    if (groupOf[root] == UINT32_MAX) {
      groupOf[root] = static_cast<uint32_t>(groups.size());
      groups.emplace_back();
    }
    groups[groupOf[root]].push_back(i);
  }
  return groups;
}

}  // namespace corvane
