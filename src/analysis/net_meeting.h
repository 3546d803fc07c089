#pragma once

// Where the copper of two nets meets inside one extracted net: the pieces of
// copper (each layer's objects and the plated holes) are walked outwards from
// every net's own points at once, to the pieces whose boxes overlap; the
// first two pieces of different walks that meet give the place, exactly
// where their copper overlaps (or comes nearest), usually at the bridge.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/board_nets.h"

namespace corvane {

// A piece of copper to start from: an object of a copper layer.
struct MeetingSeed {
  uint32_t copperPosition = 0;
  uint32_t object = 0;
  uint32_t label = 0;  // which net it belongs to
};

struct Meeting {
  double x = 0.0;  // mm
  double y = 0.0;
  std::string layer;  // the path of the layer where the walks touched
  uint32_t labels[2] = {0, 0};
};

// Walks at most this many pieces; a net larger than that is given no meeting.
inline constexpr std::size_t kMaxMeetingPieces = 200'000;

std::optional<Meeting> FindMeeting(const BoardNets& nets, uint32_t net,
                                   const std::vector<MeetingSeed>& seeds);

}  // namespace corvane
