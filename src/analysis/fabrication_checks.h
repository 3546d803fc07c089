#pragma once

// The fabrication checks of a board: each rule that has a value, on the
// layers it needs (board_layers.h), over the layers' geometry. What a set
// lacks for a rule is said in the notes and the rule is passed over.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/fabrication_rules.h"
#include "analysis/finding.h"
#include "geometry/layer_geometry.h"
#include "standard/standard_model.h"

namespace corvane {

// The rules' names, in the order their counts are given.
inline constexpr std::array<std::string_view, 8> kCheckRuleNames{
    "width", "clearance", "annular-ring", "drill", "drill-to-copper",
    "mask-web", "mask-expansion", "silk-on-pad"};

struct FabricationCheckResult {
  FindingList findings;  // sorted by layer and position
  std::array<uint64_t, kCheckRuleNames.size()> counts{};  // by kCheckRuleNames, listed or not
  std::vector<std::string> notes;  // the board's notes, then each rule passed over and why

  uint64_t CountOf(std::string_view rule) const;
};

class GeometryIndex;

// `geometry[i]` is the geometry of model.layers[i]. The mask openings'
// sizes are checked (mask-expansion) whenever the mask web is.
FabricationCheckResult RunFabricationChecks(const StandardModel& model,
                                            std::span<const LayerGeometry> geometry,
                                            const FabricationRules& rules, unsigned threads = 0);

// The same over indices the caller already has: `indexOf(i)` is the index
// over model.layers[i]'s geometry, or null where it is not built (the rules
// needing that layer then pass it over and say so).
using LayerIndexSource = std::function<const GeometryIndex*(uint32_t layer)>;
FabricationCheckResult RunFabricationChecks(const StandardModel& model,
                                            const LayerIndexSource& indexOf,
                                            const FabricationRules& rules, unsigned threads = 0);

// The layers the rules will look at: only these need geometry.
std::vector<uint32_t> LayersToCheck(const StandardModel& model, const FabricationRules& rules);

}  // namespace corvane
