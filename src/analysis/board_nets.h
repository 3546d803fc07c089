#pragma once

// The board's real nets, read from its copper: every island of every copper
// layer, and every plated hole or slot, is a piece; a hole joins the islands
// its shape overlaps on each layer; each group of pieces joined that way is
// one net. Non-plated holes join nothing. A set without inner layers or
// without a plated drill file is taken as it is, and the notes say so.
//
// Nets are numbered in the order their first piece appears: the top layer's
// islands first, then each layer below, then the holes that reach no copper.

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/board_layers.h"
#include "analysis/island_rings.h"
#include "geometry/geometry_index.h"
#include "geometry/object_flattener.h"
#include "standard/standard_model.h"

namespace corvane {

inline constexpr uint32_t kNoNet = std::numeric_limits<uint32_t>::max();

class BoardNets {
 public:
  // `copper[i]` is the geometry of the layer board.copper[i] (null when it
  // could not be built: that layer then holds no net). The model, the board
  // and the indices must outlive this.
  BoardNets(const StandardModel& model, const BoardLayers& board,
            std::vector<const GeometryIndex*> copper);
  ~BoardNets();
  BoardNets(const BoardNets&) = delete;
  BoardNets& operator=(const BoardNets&) = delete;

  const StandardModel& Model() const { return model_; }
  const BoardLayers& Board() const { return board_; }
  std::size_t CopperCount() const { return copper_.size(); }
  const GeometryIndex* Copper(std::size_t position) const { return copper_[position]; }
  // The quick questions of that layer's islands; only where Copper() is not null.
  const IslandRings& Rings(std::size_t position) const { return *rings_[position]; }
  // The island of that layer holding `p`, if any.
  std::optional<uint32_t> IslandAt(std::size_t position, GeoPoint p) const;
  std::size_t DrillCount() const { return drills_.size(); }
  const ObjectFlattener& Drill(std::size_t position) const { return *drills_[position]; }

  uint32_t NetCount() const { return netCount_; }
  uint32_t NetOfIsland(std::size_t copperPosition, uint32_t island) const;
  // kNoNet for a clear object or one that covers nothing.
  uint32_t NetOfHole(std::size_t drillPosition, uint32_t object) const;
  // The paths of the layers the net reaches, copper in stack order then drills.
  std::vector<std::string> LayersOf(uint32_t net) const;
  // Every piece of each net: the islands by copper layer, then the holes.
  struct Piece {
    bool hole = false;
    uint32_t position = 0;  // into the copper or the drill layers
    uint32_t item = 0;      // island or object
  };
  const std::vector<Piece>& PiecesOf(uint32_t net) const { return pieces_[net]; }

  // What the extraction lacked or assumed, one line each.
  const std::vector<std::string>& Notes() const { return notes_; }

 private:
  void JoinThroughHoles(std::vector<uint32_t>& parent);
  void Number(std::vector<uint32_t>& parent);

  const StandardModel& model_;
  const BoardLayers& board_;
  std::vector<const GeometryIndex*> copper_;
  std::vector<std::unique_ptr<IslandRings>> rings_;
  std::vector<std::unique_ptr<ObjectFlattener>> drills_;
  std::vector<uint32_t> islandBase_;  // first piece of each copper layer
  std::vector<uint32_t> holeBase_;    // first piece of each drill layer
  std::vector<uint32_t> netOfPiece_;
  std::vector<std::vector<Piece>> pieces_;
  uint32_t netCount_ = 0;
  std::vector<std::string> notes_;
};

// The centre of a drill object: a hit's position, a slot's middle.
GeoPoint HoleCentre(const StandardObject& object);

}  // namespace corvane
