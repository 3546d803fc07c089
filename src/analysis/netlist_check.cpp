#include "analysis/netlist_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <unordered_map>

#include "analysis/net_meeting.h"
#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

constexpr double kMillimetresPerInch = 25.4;
// How far from a point its copper may lie when the point itself is in a gap
// (a drilled pad drawn with its hole): half its pad or hole, at least this.
constexpr double kLeastSearchRadiusMm = 0.05;

std::string Fixed3(double value) {
  char text[48];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

std::string PointLabel(const NetPoint& point) {
  if (point.component.empty()) return Fixed3(point.x) + "," + Fixed3(point.y);
  return point.pin.empty() ? point.component : point.component + "-" + point.pin;
}

bool IsNoConnection(std::string_view net) { return net.empty() || net == kNoConnectionNet; }

// The value of attribute `name` in an object attribute set ("name,value;...").
std::string AttributeValue(std::string_view set, std::string_view name) {
  while (!set.empty()) {
    const std::size_t end = std::min(set.find(';'), set.size());
    const std::string_view attribute = set.substr(0, end);
    const std::size_t comma = attribute.find(',');
    if (attribute.substr(0, comma) == name)
      return comma == std::string_view::npos ? std::string() : std::string(attribute.substr(comma + 1));
    set.remove_prefix(std::min(end + 1, set.size()));
  }
  return {};
}

NetPoint AttributePoint(const StandardObject& object,
                        std::string net, int32_t access) {
  NetPoint point;
  point.net = std::move(net);
  double x = object.x0;
  double y = object.y0;
  if (object.kind == StandardKind::kRegion) {
    x = (object.x0 + object.x1) / 2.0;
    y = (object.y0 + object.y1) / 2.0;
  }
  point.x = x * kMillimetresPerInch;
  point.y = y * kMillimetresPerInch;
  point.access = access;
  return point;
}

// ".P,U1,3" -> component "U1", pin "3".
void TakeComponent(std::string_view set, NetPoint& point) {
  const std::string value = AttributeValue(set, ".P");
  if (value.empty()) return;
  const std::size_t comma = value.find(',');
  point.component = value.substr(0, comma);
  if (comma != std::string::npos) {
    const std::size_t next = value.find(',', comma + 1);
    point.pin = value.substr(comma + 1, next == std::string::npos ? next : next - comma - 1);
  }
}

// The copper layers a point may lie on, in the order they are tried.
std::vector<std::size_t> LayersToTry(int32_t access, std::size_t copperCount) {
  std::vector<std::size_t> layers;
  if (copperCount == 0) return layers;
  if (access == 1) return {0};
  if (access >= 2) {
    const auto n = static_cast<std::size_t>(access);
    return {n - 1 < copperCount - 1 ? n - 1 : copperCount - 1};
  }
  layers.push_back(0);
  if (copperCount > 1) layers.push_back(copperCount - 1);
  for (std::size_t c = 1; c + 1 < copperCount; ++c) layers.push_back(c);
  return layers;
}

}  // namespace

NetReference ReferenceFromAttributes(const BoardNets& nets) {
  NetReference reference;
  for (std::size_t c = 0; c < nets.CopperCount(); ++c) {
    const StandardLayer& layer = nets.Model().layers[nets.Board().copper[c]];
    const GeometryIndex* index = nets.Copper(c);
    const auto& runs = layer.objectAttributeRuns;
    const auto access = static_cast<int32_t>(c + 1);
    // One point per net and island is all the comparison needs.
    std::set<std::pair<std::string, uint32_t>> seen;
    for (std::size_t r = 0; r < runs.size(); ++r) {
      if (runs[r].set >= layer.objectAttributeSets.size()) continue;
      const std::string& set = layer.objectAttributeSets[runs[r].set];
      std::string net = AttributeValue(set, ".N");
      if (IsNoConnection(net)) continue;
      const std::size_t end =
          std::min<std::size_t>(r + 1 < runs.size() ? runs[r + 1].firstObject : layer.geometry.objects.size(),
                                layer.geometry.objects.size());
      for (std::size_t o = runs[r].firstObject; o < end; ++o) {
        const StandardObject& object = layer.geometry.objects[o];
        if (object.polarity != StandardPolarity::kDark) continue;
        const auto islands = index != nullptr ? index->Geometry().IslandsOf(o)
                                              : std::span<const uint32_t>{};
        const uint32_t island = islands.empty() ? kNoNet : islands.front();
        if (island != kNoNet && !seen.emplace(net, island).second) continue;
        ReferencePoint point;
        point.point = AttributePoint(object, net, access);
        TakeComponent(set, point.point);
        point.copperPosition = static_cast<int32_t>(c);
        point.object = static_cast<uint32_t>(o);
        reference.points.push_back(std::move(point));
      }
    }
  }
  if (!reference.points.empty()) reference.source = kAttributeReference;
  return reference;
}

NetReference ReferenceFromIpc(const IpcNetlist& netlist, std::string source) {
  NetReference reference;
  reference.source = std::move(source);
  reference.malformedLines = netlist.malformedLines;
  for (const NetPoint& point : netlist.points) {
    if (point.tooling || IsNoConnection(point.net)) continue;
    reference.points.push_back({point, -1, 0});
  }
  return reference;
}

namespace {

// Where a reference point lies on the copper.
struct Located {
  uint32_t net = kNoNet;
  uint32_t copperPosition = 0;
  uint32_t object = 0;  // a dark object of the copper there
};

GeoPoint ToGeo(double xMm, double yMm) {
  bool clamped = false;
  return ToNanometres(xMm / kMillimetresPerInch, yMm / kMillimetresPerInch, clamped);
}

std::optional<uint32_t> NearestIsland(const GeometryIndex& copper, GeoPoint at, double radius) {
  const auto r = static_cast<int64_t>(radius);
  std::optional<uint32_t> best;
  double bestDistance = radius;
  for (const uint32_t island : copper.IslandsIn(GeoBox{at.x, at.y, at.x, at.y}.Grown(r))) {
    const double distance = ClosestTo(at, copper.Geometry().IslandPaths(island)).distance;
    if (distance <= bestDistance) {
      best = island;
      bestDistance = distance;
    }
  }
  return best;
}

std::optional<Located> LocateOnLayer(const BoardNets& nets, std::size_t c, const NetPoint& point) {
  const GeometryIndex* copper = nets.Copper(c);
  if (copper == nullptr) return std::nullopt;
  const GeoPoint at = ToGeo(point.x, point.y);
  std::optional<uint32_t> island = nets.IslandAt(c, at);
  if (!island) {
    double radius = std::max(point.holeDiameter / 2.0, kLeastSearchRadiusMm);
    if (point.padWidth > 0.0 && point.padHeight > 0.0)
      radius = std::max(radius, std::min(point.padWidth, point.padHeight) / 2.0);
    island = NearestIsland(*copper, at, radius * kNanometresPerMillimetre);
  }
  if (!island) return std::nullopt;
  Located located{nets.NetOfIsland(c, *island), static_cast<uint32_t>(c), 0};
  const std::vector<uint32_t> dark = copper->DarkObjectsAt(at);
  const auto objects = copper->Geometry().ObjectsOf(*island);
  if (!dark.empty()) {
    located.object = dark.back();
  } else if (!objects.empty()) {
    located.object = objects.front();
  } else {
    return std::nullopt;
  }
  return located;
}

std::optional<Located> Locate(const BoardNets& nets, const ReferencePoint& reference) {
  if (reference.copperPosition >= 0) {
    const auto c = static_cast<std::size_t>(reference.copperPosition);
    const GeometryIndex* copper = nets.Copper(c);
    if (copper == nullptr) return std::nullopt;
    const auto islands = copper->Geometry().IslandsOf(reference.object);
    if (islands.empty()) return std::nullopt;
    return Located{nets.NetOfIsland(c, islands.front()), static_cast<uint32_t>(c),
                   reference.object};
  }
  for (const std::size_t c : LayersToTry(reference.point.access, nets.CopperCount())) {
    if (auto located = LocateOnLayer(nets, c, reference.point)) return located;
  }
  return std::nullopt;
}

// The reference nets in order of their first point, each with its points.
struct ReferenceNet {
  std::string name;
  std::vector<std::size_t> points;
};

std::vector<ReferenceNet> GroupByNet(const NetReference& reference) {
  std::vector<ReferenceNet> groups;
  std::unordered_map<std::string, std::size_t> byName;
  for (std::size_t p = 0; p < reference.points.size(); ++p) {
    const std::string& name = reference.points[p].point.net;
    const auto [at, added] = byName.emplace(name, groups.size());
    if (added) groups.push_back({name, {}});
    groups[at->second].points.push_back(p);
  }
  return groups;
}

double Distance2(const NetPoint& a, const NetPoint& b) {
  return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
}

class Comparison {
 public:
  Comparison(const BoardNets& nets, const NetReference& reference)
      : nets_(nets), reference_(reference) {}

  NetlistCheck Run() {
    check_.referenceSource = reference_.source;
    check_.referencePoints = reference_.points.size();
    check_.malformedLines = reference_.malformedLines;
    check_.notes = nets_.Notes();
    located_.reserve(reference_.points.size());
    std::size_t onCopper = 0;
    for (const ReferencePoint& point : reference_.points) {
      located_.push_back(Locate(nets_, point));
      if (located_.back()) ++onCopper;
    }
    const std::vector<ReferenceNet> groups = GroupByNet(reference_);
    netsOfExtracted_.assign(nets_.NetCount(), {});
    if (!reference_.points.empty() &&
        static_cast<double>(onCopper) < kLeastMatchingShare * static_cast<double>(reference_.points.size())) {
      check_.referenceMismatch = true;
      check_.notes.push_back("the reference matches almost nothing: " + std::to_string(onCopper) +
                             " of " + std::to_string(reference_.points.size()) +
                             " points fall on copper (another board, units or origin?)");
    } else {
      for (std::size_t g = 0; g < groups.size(); ++g) CompareNet(groups[g], g);
      for (uint32_t net = 0; net < nets_.NetCount(); ++net) FindShort(net, groups);
    }
    NameNets(groups);
    return std::move(check_);
  }

 private:
  void CompareNet(const ReferenceNet& group, std::size_t g) {
    std::vector<uint32_t> extracted;
    std::vector<std::vector<std::size_t>> parts;
    for (const std::size_t p : group.points) {
      const NetPoint& point = reference_.points[p].point;
      if (!located_[p]) {
        check_.unconnected.push_back({group.name, PointLabel(point), point.x, point.y});
        continue;
      }
      const uint32_t net = located_[p]->net;
      auto at = std::find(extracted.begin(), extracted.end(), net);
      if (at == extracted.end()) {
        extracted.push_back(net);
        parts.emplace_back();
        at = extracted.end() - 1;
        netsOfExtracted_[net].push_back(g);
      }
      parts[static_cast<std::size_t>(at - extracted.begin())].push_back(p);
      ++pointsIn_[net];
    }
    if (extracted.size() > 1) AddOpen(group, extracted, parts);
  }

  void AddOpen(const ReferenceNet& group, const std::vector<uint32_t>& extracted,
               const std::vector<std::vector<std::size_t>>& parts) {
    NetOpen open;
    open.net = group.name;
    open.extracted = extracted;
    for (std::size_t k = 0; k < parts.size(); ++k) {
      std::vector<std::string> labels;
      for (const std::size_t p : parts[k]) {
        const NetPoint& point = reference_.points[p].point;
        labels.push_back(PointLabel(point));
        open.box.Add(point.x, point.y);
      }
      open.parts.push_back(std::move(labels));
      if (k == 0) continue;
      // The nearest pair of points between this part and any before it.
      const NetPoint* a = nullptr;
      const NetPoint* b = nullptr;
      for (const std::size_t p : parts[k]) {
        for (std::size_t j = 0; j < k; ++j) {
          for (const std::size_t q : parts[j]) {
            const NetPoint& pp = reference_.points[p].point;
            const NetPoint& qq = reference_.points[q].point;
            if (a == nullptr || Distance2(pp, qq) < Distance2(*a, *b)) {
              a = &pp;
              b = &qq;
            }
          }
        }
      }
      open.locations.push_back((a->x + b->x) / 2.0);
      open.locations.push_back((a->y + b->y) / 2.0);
    }
    check_.opens.push_back(std::move(open));
  }

  void FindShort(uint32_t net, const std::vector<ReferenceNet>& groups) {
    const std::vector<std::size_t>& inside = netsOfExtracted_[net];
    if (inside.size() < 2) return;
    NetShort found;
    found.extracted = net;
    std::vector<MeetingSeed> seeds;
    for (std::size_t label = 0; label < inside.size(); ++label) {
      found.nets.push_back(groups[inside[label]].name);
      for (const std::size_t p : groups[inside[label]].points) {
        if (!located_[p] || located_[p]->net != net) continue;
        seeds.push_back({located_[p]->copperPosition, located_[p]->object,
                         static_cast<uint32_t>(label)});
        found.box.Add(reference_.points[p].point.x, reference_.points[p].point.y);
      }
    }
    if (const auto meeting = FindMeeting(nets_, net, seeds)) {
      found.x = meeting->x;
      found.y = meeting->y;
      found.layer = meeting->layer;
    } else {
      found.x = (found.box.minX + found.box.maxX) / 2.0;
      found.y = (found.box.minY + found.box.maxY) / 2.0;
      const auto layers = nets_.LayersOf(net);
      if (!layers.empty()) found.layer = layers.front();
    }
    found.box.Add(found.x, found.y);
    check_.shorts.push_back(std::move(found));
  }

  // A net is named after the reference nets in it ("A+B" for a short, "A#2"
  // for the second part of an open), else after a pad it contains.
  void NameNets(const std::vector<ReferenceNet>& groups) {
    check_.nets.resize(nets_.NetCount());
    std::vector<std::size_t> partsNamed(groups.size(), 0);
    for (uint32_t net = 0; net < nets_.NetCount(); ++net) {
      ExtractedNet& out = check_.nets[net];
      out.layers = nets_.LayersOf(net);
      const auto points = pointsIn_.find(net);
      out.points = points == pointsIn_.end() ? 0 : points->second;
      const std::vector<std::size_t>& inside = netsOfExtracted_[net];
      for (const std::size_t g : inside) {
        if (!out.name.empty()) out.name += "+";
        out.name += groups[g].name;
        if (++partsNamed[g] > 1) out.name += "#" + std::to_string(partsNamed[g]);
      }
      if (out.name.empty()) out.name = PadName(net);
    }
    RestoreLongNames(groups);
  }

  // A netlist file keeps 14 characters of a name; where the copper's own net
  // attributes in that net say more of the same name, the net gets it whole.
  void RestoreLongNames(const std::vector<ReferenceNet>& groups) {
    if (reference_.source == kAttributeReference) return;
    std::unordered_map<uint32_t, std::vector<std::string>> copperNames;
    for (const ReferencePoint& point : ReferenceFromAttributes(nets_).points) {
      const auto located = Locate(nets_, point);
      if (located && located->net != kNoNet) copperNames[located->net].push_back(point.point.net);
    }
    for (uint32_t net = 0; net < nets_.NetCount(); ++net) {
      const auto found = copperNames.find(net);
      if (found == copperNames.end() || netsOfExtracted_[net].size() != 1) continue;
      const std::string& cut = groups[netsOfExtracted_[net].front()].name;
      if (cut.size() != kNetNameColumns || check_.nets[net].name != cut) continue;
      for (const std::string& whole : found->second) {
        if (whole.size() > cut.size() && SameNetName(whole, cut)) {
          check_.nets[net].name = whole;
          break;
        }
      }
    }
  }

  std::string PadName(uint32_t net) const {
    const BoardNets::Piece& piece = nets_.PiecesOf(net).front();
    GeoPoint at;
    if (piece.hole) {
      at = HoleCentre(nets_.Drill(piece.position).Layer().geometry.objects[piece.item]);
    } else {
      const GeometryIndex& copper = *nets_.Copper(piece.position);
      const auto objects = copper.Geometry().ObjectsOf(piece.item);
      if (objects.empty()) return "net " + std::to_string(net + 1);
      const StandardObject& object = copper.Layer().geometry.objects[objects.front()];
      at = ToGeo(object.x0 * kMillimetresPerInch, object.y0 * kMillimetresPerInch);
    }
    return "pad@" + Fixed3(NanometresToMillimetres(static_cast<double>(at.x))) + "," +
           Fixed3(NanometresToMillimetres(static_cast<double>(at.y)));
  }

  const BoardNets& nets_;
  const NetReference& reference_;
  NetlistCheck check_;
  std::vector<std::optional<Located>> located_;
  std::vector<std::vector<std::size_t>> netsOfExtracted_;  // reference nets in each extracted net
  std::unordered_map<uint32_t, std::size_t> pointsIn_;
};

}  // namespace

NetlistCheck CheckNetlist(const BoardNets& nets, const NetReference& reference) {
  return Comparison(nets, reference).Run();
}

FindingList NetlistFindings(const NetlistCheck& check) {
  FindingList list;
  for (const NetOpen& open : check.opens) {
    Finding finding;
    finding.rule = "open";
    finding.nets = {open.net};
    finding.atX = open.locations.empty() ? open.box.minX : open.locations[0];
    finding.atY = open.locations.empty() ? open.box.minY : open.locations[1];
    finding.box = open.box;
    for (const uint32_t net : open.extracted) {
      for (const std::string& layer : check.nets[net].layers) {
        if (std::find(finding.layers.begin(), finding.layers.end(), layer) == finding.layers.end())
          finding.layers.push_back(layer);
      }
    }
    finding.detail = std::to_string(open.parts.size()) + " parts";
    list.Add(std::move(finding));
  }
  for (const NetShort& found : check.shorts) {
    Finding finding;
    finding.rule = "short";
    finding.nets = found.nets;
    finding.atX = found.x;
    finding.atY = found.y;
    finding.box = found.box;
    if (!found.layer.empty()) finding.layers = {found.layer};
    finding.detail = std::to_string(found.nets.size()) + " nets joined";
    list.Add(std::move(finding));
  }
  for (const UnconnectedPoint& point : check.unconnected) {
    Finding finding;
    finding.rule = "unconnected";
    finding.nets = {point.net};
    finding.atX = point.x;
    finding.atY = point.y;
    finding.box.Add(point.x, point.y);
    finding.detail = point.point;
    list.Add(std::move(finding));
  }
  return list;
}

namespace {

double ShapeSize(const StandardLayer& layer, uint32_t shape, bool width) {
  if (shape >= layer.shapes.shapes.size()) return 0.0;
  const StandardBox& box = layer.shapes.shapes[shape].box;
  if (box.Empty()) return 0.0;
  return (width ? box.maxX - box.minX : box.maxY - box.minY) * kMillimetresPerInch;
}

// The pads of an outer layer's island: its dark flashes.
void AddPads(const BoardNets& nets, const BoardNets::Piece& piece, std::vector<NetPoint>& points) {
  const std::size_t last = nets.CopperCount() - 1;
  if (piece.position != 0 && piece.position != last) return;
  const GeometryIndex& copper = *nets.Copper(piece.position);
  for (const uint32_t o : copper.Geometry().ObjectsOf(piece.item)) {
    const StandardObject& object = copper.Layer().geometry.objects[o];
    if (object.kind != StandardKind::kFlash || object.polarity != StandardPolarity::kDark) continue;
    NetPoint point;
    point.x = object.x0 * kMillimetresPerInch;
    point.y = object.y0 * kMillimetresPerInch;
    point.access = static_cast<int32_t>(piece.position + 1);
    point.padWidth = ShapeSize(copper.Layer(), object.ref, true);
    point.padHeight = ShapeSize(copper.Layer(), object.ref, false);
    points.push_back(point);
  }
}

void AddHole(const BoardNets& nets, const BoardNets::Piece& piece, std::vector<NetPoint>& points) {
  const StandardLayer& layer = nets.Drill(piece.position).Layer();
  const StandardObject& object = layer.geometry.objects[piece.item];
  const GeoPoint centre = HoleCentre(object);
  NetPoint point;
  point.x = NanometresToMillimetres(static_cast<double>(centre.x));
  point.y = NanometresToMillimetres(static_cast<double>(centre.y));
  point.plated = true;
  const uint32_t shape = object.kind == StandardKind::kArc && object.ref < layer.geometry.arcs.size()
                             ? layer.geometry.arcs[object.ref].shape
                             : object.ref;
  point.holeDiameter = ShapeSize(layer, shape, true);
  points.push_back(point);
}

}  // namespace

std::vector<NetToWrite> NetsToWrite(const BoardNets& nets, const NetlistCheck& check) {
  std::vector<NetToWrite> out;
  for (uint32_t net = 0; net < nets.NetCount() && net < check.nets.size(); ++net) {
    NetToWrite written;
    written.name = check.nets[net].name;
    for (const BoardNets::Piece& piece : nets.PiecesOf(net)) {
      if (piece.hole) AddHole(nets, piece, written.points);
      else AddPads(nets, piece, written.points);
    }
    if (!written.points.empty()) out.push_back(std::move(written));
  }
  return out;
}

}  // namespace corvane

namespace corvane {

NetReference ChooseReference(const BoardNets& nets, const std::string* netlistText,
                             const std::string& netlistPath) {
  if (netlistText != nullptr) return ReferenceFromIpc(ReadIpcNetlist(*netlistText), netlistPath);
  return ReferenceFromAttributes(nets);
}

}  // namespace corvane
