#include "geometry/box_tree.h"

#include <algorithm>
#include <iterator>

#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>

namespace corvane {
namespace {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;
// Integer corners: a box tree in doubles would round coordinates past 2^53.
using TreePoint = bg::model::point<int64_t, 2, bg::cs::cartesian>;
using TreeBox = bg::model::box<TreePoint>;
using TreeEntry = std::pair<TreeBox, uint32_t>;

TreeBox ToTree(const GeoBox& box) {
  return {TreePoint(box.minX, box.minY), TreePoint(box.maxX, box.maxY)};
}

}  // namespace

struct BoxTree::Tree {
  bgi::rtree<TreeEntry, bgi::rstar<16>> entries;
};

BoxTree::BoxTree() : tree_(std::make_unique<Tree>()) {}

BoxTree::BoxTree(const std::vector<GeoBox>& boxes) : tree_(std::make_unique<Tree>()) {
  std::vector<TreeEntry> entries;
  entries.reserve(boxes.size());
  for (uint32_t i = 0; i < boxes.size(); ++i) {
    if (!boxes[i].Empty()) entries.emplace_back(ToTree(boxes[i]), i);
  }
  // The range constructor packs the tree once.
  tree_->entries = decltype(tree_->entries)(entries.begin(), entries.end());
}

BoxTree::~BoxTree() = default;
BoxTree::BoxTree(BoxTree&&) noexcept = default;
BoxTree& BoxTree::operator=(BoxTree&&) noexcept = default;

std::vector<uint32_t> BoxTree::Overlapping(const GeoBox& box) const {
  std::vector<uint32_t> found;
  if (box.Empty() || tree_ == nullptr) return found;
  std::vector<TreeEntry> entries;
  tree_->entries.query(bgi::intersects(ToTree(box)), std::back_inserter(entries));
  found.reserve(entries.size());
  for (const TreeEntry& entry : entries) found.push_back(entry.second);
  std::sort(found.begin(), found.end());
  return found;
}

bool BoxTree::AnyOverlapping(const GeoBox& box) const {
  if (box.Empty() || tree_ == nullptr) return false;
  return tree_->entries.qbegin(bgi::intersects(ToTree(box))) != tree_->entries.qend();
}

}  // namespace corvane
