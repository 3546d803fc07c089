#pragma once

// The Inspector's rules: what lies under the pointer (at most every
// kHoverIntervalMs), the object the user chose with a click, the net or
// component found by name and lit up on every layer. Works on the standard
// reading and its layer geometry; in the classic reading it answers nothing
// and says why. The panel and the Find field only show what this decides.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/board_query.h"
#include "analysis/object_report.h"
#include "app/probe_text.h"
#include "app/layer_geometry_cache.h"
#include "view/highlight_overlay.h"
#include "view/pointer_probe.h"

namespace corvane {

class CCorvaneView;

inline constexpr uint64_t kHoverIntervalMs = 30;
// A measurement snaps to a point at most this many pixels away.
inline constexpr double kSnapPixels = 8.0;
inline constexpr char kInspectorNeedsStandard[] =
    "Inspecting objects needs the standard interpretation (View > Standard Interpretation).";

struct FindOutcome {
  bool found = false;
  NameKind kind = NameKind::kNet;
  std::size_t objects = 0;
  std::size_t layers = 0;
  std::string status;  // the status bar's text, found or not
};

class Inspector : public PointerInspector {
 public:
  // Both outlive the inspector; the overlay is added to the view here.
  Inspector(CCorvaneView& view, LayerGeometryCache& geometry);
  ~Inspector() override;
  Inspector(const Inspector&) = delete;
  Inspector& operator=(const Inspector&) = delete;

  // Whether the view shows the standard reading, which the Inspector needs.
  bool Available() const;

  // The pointer is at `pixel` of the view at `nowMs`; true when the text
  // changed. A movement sooner than kHoverIntervalMs after the last one
  // taken waits, and is taken by the next movement or Refresh.
  bool Hover(DevicePoint pixel, uint64_t nowMs);
  // Chooses the topmost object at `pixel` (none there clears the choice) and
  // lights its net, or the object alone when it has none. True when the
  // picture changed.
  bool Select(DevicePoint pixel);
  // Escape: no object chosen, nothing lit. True when anything was.
  bool Clear();
  // Lights the net of that name, or else the component, on every layer and
  // zooms to fit it.
  FindOutcome Find(std::string_view name);
  // Ctrl+F: nothing when the Find field may take a name, otherwise the
  // status text that says why not.
  std::optional<std::string> RefusesFind() const;
  // Every net and component name of the set, for completing a typed name.
  std::vector<std::string> Completions();

  // The objects at a point of the reading (inches), top layer first.
  std::vector<ObjectReport> ReportsAt(double x, double y);

  // PointerInspector: the view's pointer, clicks and Escape. Each change of
  // the text is told to the sink; each change of the picture repaints.
  void PointerAt(DevicePoint pixel) override;
  bool Choose(DevicePoint pixel) override;
  bool EndChoice() override;
  MeasureSnap SnapAt(DevicePoint pixel) override;
  std::string MeasurementText(const MeasureSnap& first, const MeasureSnap& second) override;
  void ShowSnap(const std::optional<MeasureSnap>& snap) override;

  void SetTextSink(std::function<void()> sink) { textChanged_ = std::move(sink); }
  // Milliseconds of a steady clock; the system's unless a test gives its own.
  void SetClock(std::function<uint64_t()> clock) { clock_ = std::move(clock); }

  // Takes a change of reading or a reload, and a movement that waited, into
  // the text; true when it changed.
  bool Refresh();
  const std::string& Text() const { return text_; }
  const HighlightOverlay& Overlay() const { return overlay_; }
  HighlightOverlay& Overlay() { return overlay_; }
  // The unit stored by the user, or the files' own when none is.
  // The text's sink hears of the change.
  void SetUnit(std::optional<LengthUnit> unit);
  LengthUnit Unit();

 private:
  // The shown layers whose geometry is built, asking for the rest.
  std::vector<QueryLayer> Layers();
  void Sync();
  void Light(const std::vector<ObjectRef>& objects);
  void UpdateText();
  // A layer's geometry has come from the worker: what is under the pointer
  // is looked for again, so that the panel fills without another move.
  void OnGeometryBuilt();

  CCorvaneView& view_;
  LayerGeometryCache& geometry_;
  std::vector<LayerGeometryCache::Built> built_;
  uint64_t generation_ = 0;
  std::optional<uint64_t> lastHover_;
  std::optional<DevicePoint> waitingHover_;
  std::optional<DevicePoint> lastPixel_;  // of the last hover looked up
  bool awaitingGeometry_ = false;
  // Outlived by the geometry's callbacks, which do nothing once it is gone.
  std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
  std::vector<ObjectReport> hovered_;
  std::vector<ObjectReport> selected_;
  std::string text_;
  std::optional<LengthUnit> unit_;
  HighlightOverlay overlay_;
  std::function<void()> textChanged_;
  std::function<uint64_t()> clock_;
};

}  // namespace corvane
