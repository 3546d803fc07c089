#include "analysis/board_nets.h"

#include <numeric>


namespace corvane {
namespace {

uint32_t Root(std::vector<uint32_t>& parent, uint32_t piece) {
  while (parent[piece] != piece) {
    parent[piece] = parent[parent[piece]];
    piece = parent[piece];
  }
  return piece;
}

void Join(std::vector<uint32_t>& parent, uint32_t a, uint32_t b) {
  a = Root(parent, a);
  b = Root(parent, b);
  if (a == b) return;
  // The smaller keeps the root, so that numbering follows the pieces' order.
  if (a < b) parent[b] = a; else parent[a] = b;
}

bool IsDarkHole(const StandardObject& object) {
  return object.polarity == StandardPolarity::kDark &&
         (object.kind == StandardKind::kFlash || object.kind == StandardKind::kLine ||
          object.kind == StandardKind::kArc);
}

}  // namespace

GeoPoint HoleCentre(const StandardObject& object) {
  bool clamped = false;
  if (object.kind == StandardKind::kFlash) return ToNanometres(object.x0, object.y0, clamped);
  return ToNanometres((object.x0 + object.x1) / 2.0, (object.y0 + object.y1) / 2.0, clamped);
}

std::optional<uint32_t> BoardNets::IslandAt(std::size_t position, GeoPoint p) const {
  if (copper_[position] == nullptr) return std::nullopt;
  for (const uint32_t island : copper_[position]->IslandsIn(GeoBox{p.x, p.y, p.x, p.y})) {
    if (rings_[position]->Contains(island, p)) return island;
  }
  return std::nullopt;
}

BoardNets::BoardNets(const StandardModel& model, const BoardLayers& board,
                     std::vector<const GeometryIndex*> copper)
    : model_(model), board_(board), copper_(std::move(copper)), notes_(board.notes) {
  uint32_t pieces = 0;
  for (std::size_t c = 0; c < copper_.size(); ++c) {
    islandBase_.push_back(pieces);
    if (copper_[c] == nullptr || !copper_[c]->Geometry().Complete()) {
      notes_.push_back(model_.layers[board_.copper[c]].fileName +
                       ": no geometry; its copper joins nothing");
      copper_[c] = nullptr;
      continue;
    }
    pieces += static_cast<uint32_t>(copper_[c]->Geometry().islands.size());
  }
  rings_.resize(copper_.size());
  for (std::size_t c = 0; c < copper_.size(); ++c) {
    if (copper_[c] != nullptr) rings_[c] = std::make_unique<IslandRings>(copper_[c]->Geometry());
  }
  for (const uint32_t layer : board_.platedDrills) {
    holeBase_.push_back(pieces);
    drills_.push_back(std::make_unique<ObjectFlattener>(model_.layers[layer]));
    pieces += static_cast<uint32_t>(model_.layers[layer].geometry.objects.size());
  }
  if (copper_.empty()) notes_.push_back("no copper layers");
  std::vector<uint32_t> parent(pieces);
  std::iota(parent.begin(), parent.end(), 0u);
  JoinThroughHoles(parent);
  Number(parent);
}

BoardNets::~BoardNets() = default;

void BoardNets::JoinThroughHoles(std::vector<uint32_t>& parent) {
  for (std::size_t d = 0; d < drills_.size(); ++d) {
    const ObjectFlattener& drill = *drills_[d];
    const auto& objects = drill.Layer().geometry.objects;
    for (uint32_t h = 0; h < objects.size(); ++h) {
      if (!IsDarkHole(objects[h])) continue;
      const GeoBox box = drill.Box(h);
      if (box.Empty()) continue;
      const GeoPaths hole = drill.Polygons(h);
      if (hole.empty()) continue;
      const GeoPoint centre = HoleCentre(objects[h]);
      for (std::size_t c = 0; c < copper_.size(); ++c) {
        if (copper_[c] == nullptr) continue;
        for (const uint32_t island : copper_[c]->IslandsIn(box)) {
          if (rings_[c]->Touches(island, hole, box, centre))
            Join(parent, holeBase_[d] + h, islandBase_[c] + island);
        }
      }
    }
  }
}

void BoardNets::Number(std::vector<uint32_t>& parent) {
  netOfPiece_.assign(parent.size(), kNoNet);
  std::vector<uint32_t> netOfRoot(parent.size(), kNoNet);
  auto add = [&](uint32_t piece, Piece what) {
    const uint32_t root = Root(parent, piece);
    if (netOfRoot[root] == kNoNet) {
      netOfRoot[root] = netCount_++;
      pieces_.emplace_back();
    }
    netOfPiece_[piece] = netOfRoot[root];
    pieces_[netOfRoot[root]].push_back(what);
  };
  for (std::size_t c = 0; c < copper_.size(); ++c) {
    if (copper_[c] == nullptr) continue;
    const auto islands = static_cast<uint32_t>(copper_[c]->Geometry().islands.size());
    for (uint32_t i = 0; i < islands; ++i)
      add(islandBase_[c] + i, {false, static_cast<uint32_t>(c), i});
  }
  for (std::size_t d = 0; d < drills_.size(); ++d) {
    const auto& objects = drills_[d]->Layer().geometry.objects;
    for (uint32_t h = 0; h < objects.size(); ++h) {
      if (IsDarkHole(objects[h]) && !drills_[d]->Box(h).Empty())
        add(holeBase_[d] + h, {true, static_cast<uint32_t>(d), h});
    }
  }
}

uint32_t BoardNets::NetOfIsland(std::size_t copperPosition, uint32_t island) const {
  if (copper_[copperPosition] == nullptr) return kNoNet;
  return netOfPiece_[islandBase_[copperPosition] + island];
}

uint32_t BoardNets::NetOfHole(std::size_t drillPosition, uint32_t object) const {
  return netOfPiece_[holeBase_[drillPosition] + object];
}

std::vector<std::string> BoardNets::LayersOf(uint32_t net) const {
  std::vector<bool> copper(copper_.size());
  std::vector<bool> drills(drills_.size());
  for (const Piece& piece : pieces_[net]) (piece.hole ? drills : copper)[piece.position] = true;
  std::vector<std::string> paths;
  for (std::size_t c = 0; c < copper.size(); ++c)
    if (copper[c]) paths.push_back(model_.layers[board_.copper[c]].fileName);
  for (std::size_t d = 0; d < drills.size(); ++d)
    if (drills[d]) paths.push_back(model_.layers[board_.platedDrills[d]].fileName);
  return paths;
}

}  // namespace corvane
