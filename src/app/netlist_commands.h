#pragma once

// Tools > Check Netlist...: the open set's copper turned into nets and
// compared with its netlist (the set's own netlist file, else the copper's
// net attributes), once every copper layer's geometry is built. The opens,
// shorts and unconnected points fill the Netlist list; choosing a line zooms
// there, marks it and outlines the copper of the nets involved. The result
// stays until the set is read again.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/netlist_check.h"
#include "app/command_router.h"
#include "app/layer_geometry_cache.h"
#include "app/place_list.h"
#include "view/view_overlay.h"

namespace corvane {

class CCorvaneView;
class Prompter;
class StandardModelCache;
class DocumentLoader;

class NetlistCommands {
 public:
  // Everything outlives the commands.
  NetlistCommands(CCorvaneView& view, const DocumentLoader& loader, StandardModelCache& models,
                  Prompter& prompter);
  // The layers' geometry, once there is one; without it the command is disabled.
  void SetGeometry(LayerGeometryCache* geometry) { geometry_ = geometry; }
  ~NetlistCommands();
  NetlistCommands(const NetlistCommands&) = delete;
  NetlistCommands& operator=(const NetlistCommands&) = delete;

  void Register(CommandTarget& target);
  PlaceList& List() { return list_; }
  // Runs when a check has filled the list: the window shows its Netlist dock.
  void OnShown(std::function<void()> shown) { shown_ = std::move(shown); }
  // Called when the window is idle: once the set has been read again, the
  // result is dropped.
  void OnIdle();

  void Check();
  // The last check's result; null before one, or after the set changed.
  const NetlistCheck* Result() const;

 private:
  struct Session;
  std::string AskForReference();
  void Continue(uint64_t generation);
  void Compare();
  void Show();
  void Chosen(std::size_t row);
  std::vector<PlotMarker> NetMarkers(const std::vector<uint32_t>& nets) const;

  CCorvaneView& view_;
  const DocumentLoader& loader_;
  StandardModelCache& models_;
  LayerGeometryCache* geometry_ = nullptr;
  Prompter& prompter_;
  PlaceList list_;
  MarkerOverlay places_;
  MarkerOverlay netCopper_;
  bool overlaysAdded_ = false;
  std::weak_ptr<const void> viewLifetime_;  // the view may go first
  std::unique_ptr<Session> session_;
  std::vector<std::vector<uint32_t>> rowNets_;  // the extracted nets of each row
  std::function<void()> shown_;
  uint64_t loadCount_ = 0;
};

// The Netlist list's line of a finding: kind, nets, place (mm), detail.
std::vector<std::string> NetlistRowTexts(const Finding& finding);

}  // namespace corvane
