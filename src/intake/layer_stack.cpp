#include "intake/layer_stack.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace corvane {
namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

constexpr int32_t kInnerBase = 100;  // inner copper n ranks kInnerBase + n
constexpr int32_t kBelowInner = 1000;

// Inner copper layers in turn: distinct from both sides and from each other.
constexpr std::array<uint32_t, 6> kInnerColors{Rgb(30, 160, 60),  Rgb(200, 120, 0),
                                               Rgb(140, 60, 190), Rgb(0, 150, 150),
                                               Rgb(150, 150, 0),  Rgb(190, 60, 120)};

int32_t SidedRank(LayerType type, LayerSide side) {
  const bool bottom = side == LayerSide::kBottom;
  switch (type) {
    case LayerType::kSilkscreen:
      return bottom ? kBelowInner + 4 : 1;
    case LayerType::kSolderpaste:
      return bottom ? kBelowInner + 3 : 2;
    case LayerType::kSoldermask:
      return bottom ? kBelowInner + 2 : 3;
    case LayerType::kCopper:
      return bottom ? kBelowInner + 1 : 4;
    default:
      return -1;
  }
}

}  // namespace

int32_t StackRank(const LayerFunction& f) {
  if (f.kind != FileKind::kGerber && f.kind != FileKind::kExcellon) {
    return 3000 + static_cast<int32_t>(f.kind);
  }
  if (f.type == LayerType::kCopper && f.side == LayerSide::kInner) {
    return kInnerBase + std::clamp(f.inner, 0, kBelowInner - kInnerBase - 1);
  }
  const int32_t sided = SidedRank(f.type, f.side);
  if (sided >= 0) return sided;
  switch (f.type) {
    case LayerType::kOutline:
      return 2000;
    case LayerType::kDrill:
      return 2100 + static_cast<int32_t>(f.plating);
    case LayerType::kDrawing:
      return 2200 + static_cast<int32_t>(f.side);
    default:
      return 2300 + static_cast<int32_t>(f.side);
  }
}

uint32_t FunctionColor(const LayerFunction& f) {
  const bool bottom = f.side == LayerSide::kBottom;
  switch (f.type) {
    case LayerType::kCopper:
      if (f.side == LayerSide::kInner) {
        return kInnerColors[static_cast<std::size_t>(std::max(f.inner - 1, 0)) % kInnerColors.size()];
      }
      return bottom ? Rgb(30, 70, 220) : Rgb(220, 30, 30);
    case LayerType::kSoldermask:
      return bottom ? Rgb(110, 160, 240) : Rgb(240, 120, 150);
    case LayerType::kSolderpaste:
      return bottom ? Rgb(80, 110, 160) : Rgb(170, 90, 70);
    case LayerType::kSilkscreen:
      return bottom ? Rgb(0, 160, 210) : Rgb(230, 140, 0);
    case LayerType::kOutline:
      return Rgb(170, 150, 0);
    case LayerType::kDrill:
      return Rgb(0, 0, 0);
    case LayerType::kDrawing:
      return Rgb(110, 110, 110);
    case LayerType::kOther:
      break;
  }
  return Rgb(150, 150, 150);
}

std::vector<std::size_t> StackOrder(const std::vector<LayerFunction>& functions) {
  std::vector<std::size_t> order(functions.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&functions](std::size_t a, std::size_t b) {
    return StackRank(functions[a]) < StackRank(functions[b]);
  });
  return order;
}

}  // namespace corvane
