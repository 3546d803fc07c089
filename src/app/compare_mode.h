#pragma once

// Compare mode of the window: the working set that is open is the old
// revision, the one the user chooses the new; the picture shows what was
// added and removed over a muted picture of the new revision, the
// Differences list holds one row per place (choosing one zooms there, Next
// and Previous step through them), and the status bar says how many there
// are. Leaving it gives the normal picture back. The window's widgets only
// show the list and pass the commands on.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/board_comparison.h"
#include "app/place_list.h"
#include "loading/standard_loader.h"
#include "view/compare_overlay.h"
#include "view/interpretation.h"

namespace corvane {

class CCorvaneView;
class Prompter;
class SettingsStore;
class StandardModelCache;

// The texts compare mode gives the user.
inline constexpr std::string_view kNothingToCompare =
    "Open a working set first: it is compared as the old revision.";
inline constexpr std::string_view kCompareWithTitle = "Compare With";

class CompareMode {
 public:
  struct Services {
    CCorvaneView& view;
    StandardModelCache& models;  // the open set's standard reading: the old revision
    Prompter& prompter;
    const SettingsStore* store = nullptr;  // the user's settings, for reading the new set
    std::function<void(std::string_view)> status;
  };

  // The view must outlive compare mode's use of it; leave before it goes.
  explicit CompareMode(Services services);
  CompareMode(const CompareMode&) = delete;
  CompareMode& operator=(const CompareMode&) = delete;

  // Workspace > Compare With... (an archive, job file, work file or plot
  // file) and Compare With Folder...: asks for the new revision and starts.
  bool OnCompareWith();
  bool OnCompareWithFolder();
  // Compares the open set with the set at `path`; false (after saying why)
  // when there is nothing open or the set cannot be read.
  bool Start(const std::string& path);
  // Back to the normal picture; nothing happens when not comparing.
  void Leave();
  bool Active() const { return active_; }

  bool Next() { return active_ && differences_.Next(); }
  bool Previous() { return active_ && differences_.Previous(); }

  PlaceList& Differences() { return differences_; }
  const BoardComparison& Comparison() const { return comparison_; }
  const CompareOverlay& Overlay() const { return overlay_; }
  // Told whenever compare mode starts (true) or ends (false): the window
  // shows or hides the Differences panel.
  void OnActiveChanged(std::function<void(bool)> changed) { activeChanged_ = std::move(changed); }

  // The smallest side a place is zoomed to, inches: a hole stays in view
  // with what lies round it.
  static constexpr double kMinimumZoomSide = 0.25;

 private:
  std::optional<StandardLoad> LoadNewSet(const std::string& path, std::string& error) const;
  void Show(const StandardModel& after, const std::vector<LayerGeometry>& afterGeometry);
  void ChooseRow(std::size_t row);
  void SetActive(bool active);

  Services services_;
  PlaceList differences_;
  CompareOverlay overlay_;
  BoardComparison comparison_;
  std::shared_ptr<const StandardLoad> before_;
  bool active_ = false;
  Interpretation interpretationBefore_ = Interpretation::kClassic;
  std::function<void(bool)> activeChanged_;
};

// One row of the Differences list: layer, kind, area and position texts,
// the box in inches, green for added and red for removed.
PlaceRow DifferenceRow(const StandardLayer& layer, const DifferencePlace& place);

}  // namespace corvane
