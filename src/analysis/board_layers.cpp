#include "analysis/board_layers.h"

#include <algorithm>
#include <limits>

namespace corvane {
namespace {

constexpr int32_t kBottomDepth = std::numeric_limits<int32_t>::max();

std::vector<uint32_t>* SideList(SideLayers& side, LayerType type) {
  switch (type) {
    case LayerType::kSoldermask:
      return &side.mask;
    case LayerType::kSilkscreen:
      return &side.silkscreen;
    case LayerType::kSolderpaste:
      return &side.paste;
    default:
      return nullptr;
  }
}

void TakeDrill(const StandardLayer& layer, uint32_t index, BoardLayers& board) {
  switch (layer.function.plating) {
    case LayerPlating::kNonPlated:
      board.nonPlatedDrills.push_back(index);
      return;
    case LayerPlating::kUnstated:
      board.notes.push_back(layer.fileName + ": plating not stated, taken as plated");
      break;
    case LayerPlating::kMixed:
      board.notes.push_back(layer.fileName + ": plated and non-plated holes, all taken as plated");
      break;
    case LayerPlating::kPlated:
      break;
  }
  board.platedDrills.push_back(index);
}

bool IsDrill(const StandardLayer& layer) {
  return layer.function.type == LayerType::kDrill ||
         (!layer.function.Identified() && layer.source == StandardSource::kExcellon);
}

}  // namespace

std::optional<int32_t> CopperDepth(const LayerFunction& function) {
  if (function.type != LayerType::kCopper) return std::nullopt;
  switch (function.side) {
    case LayerSide::kTop:
      return 0;
    case LayerSide::kInner:
      return std::max(function.inner, 1);
    case LayerSide::kBottom:
      return kBottomDepth;
    default:
      return std::nullopt;
  }
}

BoardLayers FindBoardLayers(const StandardModel& model) {
  BoardLayers board;
  std::vector<std::pair<int32_t, uint32_t>> copper;
  for (uint32_t i = 0; i < model.layers.size(); ++i) {
    const StandardLayer& layer = model.layers[i];
    const LayerFunction& f = layer.function;
    if (const auto depth = CopperDepth(f)) {
      copper.emplace_back(*depth, i);
    } else if (IsDrill(layer)) {
      TakeDrill(layer, i, board);
    } else if (f.type == LayerType::kOutline) {
      board.outlines.push_back(i);
    } else if (f.side == LayerSide::kTop || f.side == LayerSide::kBottom) {
      SideLayers& side = board.sides[f.side == LayerSide::kTop ? 0 : 1];
      if (std::vector<uint32_t>* list = SideList(side, f.type)) list->push_back(i);
    }
  }
  std::stable_sort(copper.begin(), copper.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [depth, index] : copper) board.copper.push_back(index);
  const bool inner = std::any_of(copper.begin(), copper.end(), [](const auto& c) {
    return c.first != 0 && c.first != kBottomDepth;
  });
  if (board.copper.empty()) board.notes.insert(board.notes.begin(), "no copper layers");
  if (!board.copper.empty() && !inner)
    board.notes.insert(board.notes.begin(), "no inner copper layers");
  if (board.platedDrills.empty()) board.notes.push_back("no plated drill file");
  return board;
}

}  // namespace corvane
