#pragma once

#include <cstdint>
#include <vector>

namespace corvane {

// Layers beyond the twentieth selected one stay hidden when a choice is applied.
inline constexpr int32_t kMaxShownLayers = 20;

// The open Set Layer Visibility dialog as the view reads it when it applies
// the dialog's choice.
class LayerVisibilityChoice {
 public:
  virtual ~LayerVisibilityChoice() = default;
  // The first min(maxCount, selected) selected layers, in ascending order.
  virtual std::vector<int32_t> GetSelectedLayers(int32_t maxCount) const = 0;
  virtual int32_t GetShowDrillHoles() const = 0;
};

// What applies the dialog's changes while it is open: the view.
class LayerVisibilityTarget {
 public:
  virtual ~LayerVisibilityTarget() = default;
  virtual void ApplyLayerVisibility() = 0;
};

}  // namespace corvane
