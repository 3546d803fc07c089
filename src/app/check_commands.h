#pragma once

// The window's fabrication checks: the rule values kept in the user's
// settings, a run over the geometry the window has built, the findings as a
// list of places (the Findings panel), their markers on the picture, and
// the counts per rule for the status bar.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/fabrication_checks.h"
#include "app/place_list.h"
#include "view/view_overlay.h"

namespace corvane {

class CCorvaneView;
class CommandTarget;
class DialogRunner;
class Prompter;
class LayerGeometryCache;
class SettingsStore;
class StandardModelCache;

// The settings section of the rule values ("min-width" = "0.1", empty: off).
inline constexpr std::string_view kChecksSection = "Fabrication Checks";

// The stored values; the shop's usual values where nothing was ever stored.
FabricationRules ReadCheckRules(const SettingsStore& store);
void WriteCheckRules(SettingsStore& store, const FabricationRules& rules);

// One row per finding (rule, layers, measured, required, where), in inches
// of the standard reading; the findings of the lists' columns.
std::vector<PlaceRow> FindingRows(const FindingList& findings);
inline constexpr const char* kFindingColumns[] = {"Rule", "Layer", "Measured", "Required",
                                                   "Where"};
// "3 findings: width 2, clearance 1", "No findings", with the unlisted said.
std::string CheckCounts(const FabricationCheckResult& result);

struct CheckServices {
  std::function<LayerGeometryCache*()> geometry;
  std::function<void(std::string_view)> status;
  std::function<void()> showFindings;  // the window shows its Findings panel
};

class CheckCommands {
 public:
  // All outlive the commands.
  CheckCommands(CCorvaneView& view, StandardModelCache& models, SettingsStore& store,
                DialogRunner& dialogs, Prompter& prompter, CheckServices services);
  ~CheckCommands();
  CheckCommands(const CheckCommands&) = delete;
  CheckCommands& operator=(const CheckCommands&) = delete;

  // Tools > Fabrication Checks..., enabled while CanRun().
  void Register(CommandTarget& target);
  void SetShowFindings(std::function<void()> show) { services_.showFindings = std::move(show); }

  PlaceList& Findings() { return findings_; }
  // The standard reading is drawn and there is something to check.
  bool CanRun() const;
  // Tools > Fabrication Checks...: the dialog over the stored values; on OK
  // they are stored and run.
  void Run();
  // Runs the stored rules. When a layer's geometry is still being built the
  // run waits for it: the status bar says so and the run happens when the
  // last layer is ready.
  void RunStored();
  // Forgets the findings and their markers (a new working set).
  void Clear();

 private:
  void RunOnBuilt();
  void Show(const FabricationCheckResult& result);
  void Choose(std::size_t row);

  CCorvaneView& view_;
  StandardModelCache& models_;
  SettingsStore& store_;
  DialogRunner& dialogs_;
  Prompter& prompter_;
  CheckServices services_;
  PlaceList findings_;
  MarkerOverlay markers_;
  std::weak_ptr<const void> viewLifetime_;  // the view may go first
  bool waiting_ = false;
};

}  // namespace corvane
