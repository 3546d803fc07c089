#include "analysis/finding.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace corvane {

void FindingBox::Add(double x, double y) {
  minX = std::min(minX, x);
  minY = std::min(minY, y);
  maxX = std::max(maxX, x);
  maxY = std::max(maxY, y);
}

void FindingBox::Add(const FindingBox& other) {
  if (other.Empty()) return;
  Add(other.minX, other.minY);
  Add(other.maxX, other.maxY);
}

void FindingList::Add(Finding finding) {
  if (listed.size() < kMaxListedFindings) {
    listed.push_back(std::move(finding));
  } else {
    ++unlisted;
  }
}

void FindingList::SortByLayerAndPosition() {
  const auto key = [](const Finding& f) {
    static const std::string kNone;
    return std::tie(f.layers.empty() ? kNone : f.layers.front(), f.atY, f.atX);
  };
  std::stable_sort(listed.begin(), listed.end(),
                   [&](const Finding& a, const Finding& b) { return key(a) < key(b); });
}

}  // namespace corvane
