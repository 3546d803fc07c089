#include "analysis/layer_pairing.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

#include "text/ascii.h"

namespace corvane {
namespace {

using FunctionKey = std::tuple<int, int, int, int32_t, int>;

// A layer whose function says nothing it could be told apart by has no key.
std::optional<FunctionKey> KeyOf(const StandardLayer& layer) {
  const LayerFunction& f = layer.function;
  const bool drill = f.type == LayerType::kDrill || layer.source == StandardSource::kExcellon;
  if (!drill && (!f.Identified() || f.type == LayerType::kOther)) return std::nullopt;
  const int plating = drill ? static_cast<int>(f.plating) : 0;
  const int type = drill ? static_cast<int>(LayerType::kDrill) : static_cast<int>(f.type);
  const int side = drill ? 0 : static_cast<int>(f.side);
  const int32_t inner = f.side == LayerSide::kInner ? f.inner : 0;
  return FunctionKey{drill ? 1 : 0, side, type, inner, plating};
}

// Layers of one model that are not yet paired, grouped by a key.
template <typename Key>
std::map<Key, std::vector<uint32_t>> Group(const StandardModel& model,
                                           const std::vector<bool>& paired,
                                           std::optional<Key> (*keyOf)(const StandardLayer&)) {
  std::map<Key, std::vector<uint32_t>> groups;
  for (uint32_t i = 0; i < model.layers.size(); ++i) {
    if (paired[i]) continue;
    if (const std::optional<Key> key = keyOf(model.layers[i])) groups[*key].push_back(i);
  }
  return groups;
}

std::optional<std::string> NameOf(const StandardLayer& layer) {
  return PairingName(layer.fileName);
}

// Pairs the layers whose key is the only one of its kind on both sides.
template <typename Key>
void PairUnique(const StandardModel& before, const StandardModel& after,
                std::optional<Key> (*keyOf)(const StandardLayer&), bool byName,
                std::vector<bool>& pairedBefore, std::vector<bool>& pairedAfter,
                std::vector<LayerPair>& pairs) {
  const auto old = Group(before, pairedBefore, keyOf);
  const auto now = Group(after, pairedAfter, keyOf);
  for (const auto& [key, layers] : now) {
    const auto other = old.find(key);
    if (layers.size() != 1 || other == old.end() || other->second.size() != 1) continue;
    pairs.push_back({other->second.front(), layers.front(), byName});
    pairedBefore[other->second.front()] = true;
    pairedAfter[layers.front()] = true;
  }
}

std::vector<uint32_t> Unpaired(const std::vector<bool>& paired) {
  std::vector<uint32_t> left;
  for (uint32_t i = 0; i < paired.size(); ++i) {
    if (!paired[i]) left.push_back(i);
  }
  return left;
}

}  // namespace

std::string PairingName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  for (char& c : name) c = LowerAscii(c);
  return name;
}

LayerPairing PairLayers(const StandardModel& before, const StandardModel& after) {
  std::vector<bool> pairedBefore(before.layers.size(), false);
  std::vector<bool> pairedAfter(after.layers.size(), false);
  LayerPairing pairing;
  PairUnique<FunctionKey>(before, after, KeyOf, false, pairedBefore, pairedAfter, pairing.pairs);
  PairUnique<std::string>(before, after, NameOf, true, pairedBefore, pairedAfter, pairing.pairs);
  std::sort(pairing.pairs.begin(), pairing.pairs.end(),
            [](const LayerPair& a, const LayerPair& b) { return a.after < b.after; });
  pairing.unmatchedBefore = Unpaired(pairedBefore);
  pairing.unmatchedAfter = Unpaired(pairedAfter);
  return pairing;
}

}  // namespace corvane
