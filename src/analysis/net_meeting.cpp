#include "analysis/net_meeting.h"

#include <deque>
#include <unordered_map>

#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

struct Node {
  bool hole = false;
  uint32_t position = 0;
  uint32_t object = 0;
};

uint64_t KeyOf(const Node& node) {
  return (uint64_t{node.hole} << 63) | (uint64_t{node.position} << 40) | node.object;
}

class Walk {
 public:
  Walk(const BoardNets& nets, uint32_t net) : nets_(nets), net_(net) {
    for (const BoardNets::Piece& piece : nets.PiecesOf(net))
      if (piece.hole) holes_.push_back({true, piece.position, piece.item});
  }

  std::optional<Meeting> Run(const std::vector<MeetingSeed>& seeds) {
    for (const MeetingSeed& seed : seeds) {
      const Node node{false, seed.copperPosition, seed.object};
      const auto [at, added] = labels_.emplace(KeyOf(node), seed.label);
      if (added) {
        queue_.push_back(node);
      } else if (at->second != seed.label) {
        return MeetingAt(node, node, at->second, seed.label);
      }
    }
    while (!queue_.empty() && labels_.size() <= kMaxMeetingPieces) {
      const Node node = queue_.front();
      queue_.pop_front();
      const uint32_t label = labels_.at(KeyOf(node));
      for (const Node& next : Touching(node, label)) {
        const auto [at, added] = labels_.emplace(KeyOf(next), label);
        if (added) {
          queue_.push_back(next);
        } else if (at->second != label) {
          return MeetingAt(node, next, label, at->second);
        }
      }
    }
    return std::nullopt;
  }

 private:
  GeoPaths PolygonsOf(const Node& node) const {
    if (node.hole) return nets_.Drill(node.position).Polygons(node.object);
    return nets_.Copper(node.position)->ObjectPolygons(node.object);
  }

  GeoBox BoxOfNode(const Node& node) const {
    if (node.hole) return nets_.Drill(node.position).Box(node.object);
    return nets_.Copper(node.position)->Flattener().Box(node.object);
  }

  bool InNet(uint32_t position, uint32_t object) const {
    const GeometryIndex& copper = *nets_.Copper(position);
    if (copper.Layer().geometry.objects[object].polarity != StandardPolarity::kDark) return false;
    const auto islands = copper.Geometry().IslandsOf(object);
    return !islands.empty() && nets_.NetOfIsland(position, islands.front()) == net_;
  }

  bool SameLabel(const Node& node, uint32_t label) const {
    const auto at = labels_.find(KeyOf(node));
    return at != labels_.end() && at->second == label;
  }

  // The pieces of the net whose boxes overlap the node's: a walk by boxes
  // costs a box query a step, where one by polygons would cost a boolean per
  // pair; the meeting's place is then found exactly from the two pieces.
  std::vector<Node> Touching(const Node& node, uint32_t label) const {
    std::vector<Node> found;
    const GeoBox box = BoxOfNode(node);
    for (uint32_t c = 0; c < nets_.CopperCount(); ++c) {
      if (nets_.Copper(c) == nullptr || (!node.hole && c != node.position)) continue;
      for (const uint32_t object : nets_.Copper(c)->ObjectsIn(box)) {
        const Node next{false, c, object};
        if ((!node.hole && object == node.object) || SameLabel(next, label) || !InNet(c, object))
          continue;
        found.push_back(next);
      }
    }
    if (!node.hole) {
      for (const Node& hole : holes_) {
        if (!SameLabel(hole, label) && BoxOfNode(hole).Overlaps(box)) found.push_back(hole);
      }
    }
    return found;
  }

  Meeting MeetingAt(const Node& a, const Node& b, uint32_t labelA, uint32_t labelB) const {
    const GeoPaths pa = PolygonsOf(a);
    const GeoPaths pb = PolygonsOf(b);
    Meeting meeting;
    const GeoBox common = BoxOf(IntersectionOf(pa, pb));
    if (!common.Empty()) {
      meeting.x = NanometresToMillimetres((static_cast<double>(common.minX) + common.maxX) / 2.0);
      meeting.y = NanometresToMillimetres((static_cast<double>(common.minY) + common.maxY) / 2.0);
    } else {
      const ClosestPoints closest = ClosestBetween(pa, pb);
      meeting.x = NanometresToMillimetres((closest.ax + closest.bx) / 2.0);
      meeting.y = NanometresToMillimetres((closest.ay + closest.by) / 2.0);
    }
    const Node& onCopper = a.hole ? b : a;
    meeting.layer = onCopper.hole ? nets_.Drill(onCopper.position).Layer().fileName
                                  : nets_.Copper(onCopper.position)->Layer().fileName;
    meeting.labels[0] = labelA;
    meeting.labels[1] = labelB;
    return meeting;
  }

  const BoardNets& nets_;
  uint32_t net_;
  std::vector<Node> holes_;
  std::unordered_map<uint64_t, uint32_t> labels_;
  std::deque<Node> queue_;
};

}  // namespace

std::optional<Meeting> FindMeeting(const BoardNets& nets, uint32_t net,
                                   const std::vector<MeetingSeed>& seeds) {
  return Walk(nets, net).Run(seeds);
}

}  // namespace corvane
