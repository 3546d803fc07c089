#pragma once

// One answer of a question asked of a board's geometry: a place that differs
// between two revisions, an open or a short against the netlist, a
// fabrication rule broken. The window's lists and the JSON of the headless
// commands are both made from these records.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace corvane {

// Millimetres, in the coordinates of the files (after the working set's
// offsets and mirroring of single layers).
struct FindingBox {
  double minX = std::numeric_limits<double>::infinity();
  double minY = std::numeric_limits<double>::infinity();
  double maxX = -std::numeric_limits<double>::infinity();
  double maxY = -std::numeric_limits<double>::infinity();

  bool Empty() const { return !(minX <= maxX && minY <= maxY); }
  void Add(double x, double y);
  void Add(const FindingBox& other);
  friend bool operator==(const FindingBox&, const FindingBox&) = default;
};

struct Finding {
  // What was found: a rule's name ("width", "clearance", "annular-ring"...),
  // or a kind ("added", "removed", "open", "short", "unconnected").
  std::string rule;
  std::vector<std::string> layers;  // the paths of the layers involved
  double atX = 0.0;                 // where it is worst, mm
  double atY = 0.0;
  // The value found and the value asked for (mm, or mm² for an area); not a
  // number where the finding has none.
  double measured = std::numeric_limits<double>::quiet_NaN();
  double required = std::numeric_limits<double>::quiet_NaN();
  FindingBox box;                 // the place's extent, mm
  std::vector<std::string> nets;  // the nets involved, where known
  std::string detail;             // anything else worth a line, in words
};

// A list stays readable and bounded however many there are: the first
// kMaxListedFindings are kept, the rest only counted.
inline constexpr std::size_t kMaxListedFindings = 10'000;

struct FindingList {
  std::vector<Finding> listed;
  uint64_t unlisted = 0;

  void Add(Finding finding);
  uint64_t Total() const { return listed.size() + unlisted; }
  // Sorted by the first layer's path, then by position (y, then x, as read).
  void SortByLayerAndPosition();
};

}  // namespace corvane
