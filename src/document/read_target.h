#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "document/change_guard.h"
#include "document/format_settings.h"
#include "document/item_buffer.h"
#include "document/plot_records.h"

namespace corvane {

// What the readers write into: the flat item array, apertures, aperture macros
// and their lookup by name, drill tools, drill hits, and the format settings a
// reader reads and an FS block changes. The document is one (it derives from
// it), so loaded data lives in the document; a reader test or a fuzz run builds
// one alone, without layers, flags, paths or reader state.
class ReadTarget {
 public:
  ReadTarget() = default;
  ReadTarget(const ReadTarget&) = delete;
  ReadTarget& operator=(const ReadTarget&) = delete;

  // Who is told before a change of what a paint reads; not owned, may be null.
  // Every change below passes BeforeChange first, so that no picture drawn on
  // another thread reads the records while they change.
  void SetChangeGuard(DocumentChangeGuard* guard) { changeGuard_ = guard; }
  DocumentChangeGuard* ChangeGuard() const { return changeGuard_; }

  // Empties the items (reserving room for `itemCapacity`), apertures, macros,
  // drill tools and hits; the format settings stay.
  void ClearRecords(std::size_t itemCapacity = 0);

  // --- Items ------------------------------------------------------------------
  void AddItem(const PlotItem& item) {
    BeforeChange();
    items_.Append(item);
  }
  void TrimItems() {
    BeforeChange();
    items_.Trim();
  }
  int32_t GetItemCount() const { return static_cast<int32_t>(items_.Count()); }
  // A copy; an index outside the list gives a default item.
  PlotItem GetItem(int32_t index) const;
  std::span<const PlotItem> Items() const { return items_.Items(); }
  std::span<PlotItem> MutableItems() {
    BeforeChange();
    return items_.Items();
  }
  std::size_t GetItemCapacity() const { return items_.Capacity(); }

  // --- Apertures and macros ---------------------------------------------------
  void AddAperture(const Aperture& aperture) {
    BeforeChange();
    apertures_.push_back(aperture);
  }
  void ClearApertures() {
    BeforeChange();
    apertures_.clear();
  }
  // The layer's own definition, else an aperture file's entry (layer below 0),
  // else dcode 0, shape none, sizes 0.
  Aperture FindAperture(int32_t dcode, int32_t layer) const;
  int32_t GetApertureCount() const { return static_cast<int32_t>(apertures_.size()); }
  bool GetAperture(int32_t index, Aperture& aperture) const;
  std::span<const Aperture> Apertures() const { return apertures_; }

  // The target owns its macros; returns the new macro's index.
  int32_t AddMacro(std::unique_ptr<ApertureMacro> macro);
  int32_t GetMacroCount() const { return static_cast<int32_t>(macros_.size()); }
  const ApertureMacro* GetMacro(int32_t index) const;
  // Index of the first macro of `layer` named exactly `name`, or -1.
  int32_t FindMacro(std::string_view name, int32_t layer) const;

  // --- Drill tools and hits ---------------------------------------------------
  void AddDrillTool(const DrillTool& tool) {
    BeforeChange();
    drillTools_.push_back(tool);
  }
  void ClearDrillTools() {
    BeforeChange();
    drillTools_.clear();
  }
  // Copies the first tool with that number; leaves `tool` unchanged and returns
  // false when there is none.
  bool FindDrillTool(int32_t toolNumber, DrillTool& tool) const;
  int32_t GetDrillToolCount() const { return static_cast<int32_t>(drillTools_.size()); }
  bool GetDrillTool(int32_t index, DrillTool& tool) const;
  std::span<const DrillTool> DrillTools() const { return drillTools_; }

  void AddDrillHit(const DrillHit& hit) {
    BeforeChange();
    drillHits_.push_back(hit);
  }
  void ClearDrillHits() {
    BeforeChange();
    drillHits_.clear();
  }
  int32_t GetDrillHitCount() const { return static_cast<int32_t>(drillHits_.size()); }
  bool GetDrillHit(int32_t index, DrillHit& hit) const;
  std::span<const DrillHit> DrillHits() const { return drillHits_; }

  // --- Format settings --------------------------------------------------------
  FormatSettings& Settings() { return settings_; }
  const FormatSettings& Settings() const { return settings_; }

 protected:
  void BeforeChange() const {
    if (changeGuard_ != nullptr) changeGuard_->BeforeDocumentChange();
  }

 private:
  DocumentChangeGuard* changeGuard_ = nullptr;
  ItemBuffer items_;
  std::vector<Aperture> apertures_;
  std::vector<std::unique_ptr<ApertureMacro>> macros_;
  std::vector<DrillTool> drillTools_;
  std::vector<DrillHit> drillHits_;
  FormatSettings settings_;
};

}  // namespace corvane
