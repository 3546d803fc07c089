#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/format_settings.h"
#include "document/item_buffer.h"
#include "document/plot_records.h"

namespace corvane {

class Prompter;
class SettingsStore;

struct Extents {
  double maxX = 0.0;
  double minX = 0.0;
  double maxY = 0.0;
  double minY = 0.0;
  friend bool operator==(const Extents&, const Extents&) = default;
};

// What ComputeExtents starts the minima at; they stay there when no draw or hit is seen.
inline constexpr double kExtentsUnset = 99999999.0;

// The Gerber reader's modal state. It is shared by all files of a load; the
// loader resets the per-file part before each file.
struct GerberReaderState {
  // Reset per file.
  PlotItem statement;
  PlotItem arcCentre;  // x = I, y = J
  bool arcCentrePending = false;
  int32_t incremental = 0;
  int32_t multiQuadrant = 0;
  // Kept across files and loads.
  double interpolationScale = 1.0;
  int32_t metricCoordinates = 0;
  int32_t metricApertures = 0;

  void ResetForFile() {
    statement = PlotItem{};
    arcCentre = PlotItem{};
    arcCentrePending = false;
    incremental = 0;
    multiQuadrant = 0;
  }
};

// The NC drill reader's modal state.
struct DrillReaderState {
  int32_t currentTool = 0;  // kept across files; only ClearAll resets it
  double lastDrillX = 0.0;  // raw, after zero filling; reset per file by the loader
  double lastDrillY = 0.0;
};

// Everything loaded: layers, the flat item array, apertures and macros, drill
// tools and hits, the document flags the view reads, the extents and the
// format settings. Readers append to it; the loaders clear and refill it.
class CCorvaneDoc {
 public:
  // Neither service is owned; either may be null (no stored defaults, no messages).
  explicit CCorvaneDoc(SettingsStore* store = nullptr, Prompter* prompter = nullptr);
  ~CCorvaneDoc();
  CCorvaneDoc(const CCorvaneDoc&) = delete;
  CCorvaneDoc& operator=(const CCorvaneDoc&) = delete;

  SettingsStore* GetSettingsStore() const { return store_; }
  Prompter* GetPrompter() const { return prompter_; }
  void SetPrompter(Prompter* prompter) { prompter_ = prompter; }

  // --- Collections ------------------------------------------------------------
  void ClearAll();
  void AddItem(const PlotItem& item) { items_.Append(item); }
  void TrimItems() { items_.Trim(); }
  void ComputeExtents();
  Extents GetExtents() const { return extents_; }

  int32_t GetItemCount() const { return static_cast<int32_t>(items_.Count()); }
  // A copy; an index outside the list gives a default item.
  PlotItem GetItem(int32_t index) const;
  std::span<const PlotItem> Items() const { return items_.Items(); }
  std::span<PlotItem> MutableItems() { return items_.Items(); }
  std::size_t GetItemCapacity() const { return items_.Capacity(); }

  int32_t GetLayerCount() const { return static_cast<int32_t>(layers_.size()); }
  // Copies the layer into `layer`; an index outside the list leaves it unchanged
  // and returns false.
  bool GetLayer(int32_t index, PlotLayer& layer) const;
  bool SetLayer(int32_t index, const PlotLayer& layer);
  // Appends and returns the new layer's index.
  int32_t AddLayer(const PlotLayer& layer);
  void RemoveAllLayers() { layers_.clear(); }
  const std::vector<PlotLayer>& Layers() const { return layers_; }
  std::string GetLayerFileName(int32_t index) const;
  // 1 for an index outside the list.
  int32_t IsLayerVisible(int32_t index) const;
  void SetLayerVisible(int32_t index, int32_t value);

  void AddAperture(const Aperture& aperture) { apertures_.push_back(aperture); }
  void ClearApertures() { apertures_.clear(); }
  // The layer's own definition, else an aperture file's entry (layer below 0),
  // else dcode 0, shape none, sizes 0.
  Aperture FindAperture(int32_t dcode, int32_t layer) const;
  int32_t GetApertureCount() const { return static_cast<int32_t>(apertures_.size()); }
  bool GetAperture(int32_t index, Aperture& aperture) const;

  // The document owns its macros; returns the new macro's index.
  int32_t AddMacro(std::unique_ptr<ApertureMacro> macro);
  int32_t GetMacroCount() const { return static_cast<int32_t>(macros_.size()); }
  const ApertureMacro* GetMacro(int32_t index) const;
  // Index of the first macro of `layer` named exactly `name`, or -1.
  int32_t FindMacro(std::string_view name, int32_t layer) const;

  void AddDrillTool(const DrillTool& tool) { drillTools_.push_back(tool); }
  void ClearDrillTools() { drillTools_.clear(); }
  // Copies the first tool with that number; leaves `tool` unchanged and returns
  // false when there is none.
  bool FindDrillTool(int32_t toolNumber, DrillTool& tool) const;
  int32_t GetDrillToolCount() const { return static_cast<int32_t>(drillTools_.size()); }
  bool GetDrillTool(int32_t index, DrillTool& tool) const;

  void AddDrillHit(const DrillHit& hit) { drillHits_.push_back(hit); }
  void ClearDrillHits() { drillHits_.clear(); }
  int32_t GetDrillHitCount() const { return static_cast<int32_t>(drillHits_.size()); }
  bool GetDrillHit(int32_t index, DrillHit& hit) const;
  std::span<const DrillHit> DrillHits() const { return drillHits_; }

  const std::string& GetApertureFileName() const { return apertureFileName_; }
  const std::string& GetDrillToolFileName() const { return drillToolFileName_; }
  const std::string& GetNcDrillFileName() const { return ncDrillFileName_; }
  void SetApertureFileName(std::string name) { apertureFileName_ = std::move(name); }
  void SetDrillToolFileName(std::string name) { drillToolFileName_ = std::move(name); }
  void SetNcDrillFileName(std::string name) { ncDrillFileName_ = std::move(name); }

  bool IsEmpty() const;

  // --- Document flags ---------------------------------------------------------
  int32_t GetAutoOrigin() const { return autoOrigin_; }
  void SetAutoOrigin(int32_t value) { autoOrigin_ = value; }
  int32_t GetMirrorX() const { return mirrorX_; }
  void SetMirrorX(int32_t value) { mirrorX_ = value; }
  int32_t GetMirrorY() const { return mirrorY_; }
  void SetMirrorY(int32_t value) { mirrorY_ = value; }
  int32_t GetShowDrillHoles() const { return showDrillHoles_; }
  void SetShowDrillHoles(int32_t value) { showDrillHoles_ = value; }
  double GetPrintMagnification() const { return printMagnification_; }
  void SetPrintMagnification(double value) { printMagnification_ = value; }

  bool IsModified() const { return modified_; }
  void SetModified(bool modified = true) { modified_ = modified; }

  // --- Format settings --------------------------------------------------------
  FormatSettings& Settings() { return settings_; }
  const FormatSettings& Settings() const { return settings_; }
  // Fills the format settings and the four stored flags from the store's
  // "Defaults" section (built-in values where the store has none).
  void LoadStoredDefaults();

  // --- Reader state -----------------------------------------------------------
  GerberReaderState& GerberState() { return gerberState_; }
  const GerberReaderState& GerberState() const { return gerberState_; }
  DrillReaderState& DrillState() { return drillState_; }
  const DrillReaderState& DrillState() const { return drillState_; }

  // --- Paths and loading ------------------------------------------------------
  // The work file's path; empty for a document never saved or opened.
  const std::string& GetPathName() const { return pathName_; }
  void SetPathName(std::string path) { pathName_ = std::move(path); }
  // The folder of the work file, without a trailing separator.
  std::string GetDocumentDirectory() const;
  std::string ResolveDataPath(std::string_view name) const;

  // Each returns whether the file could be opened and read.
  bool LoadGerberLayer(PlotLayer layer);
  bool LoadApertureFile(std::string_view name);
  bool LoadDrillToolFile(std::string_view name);
  bool LoadNcDrillFile(std::string_view name);
  void ReloadAll();

  // --- Default colours --------------------------------------------------------
  static uint32_t DefaultLayerColor(int32_t index);
  static std::string_view ColorName(int32_t index);

 private:
  SettingsStore* store_;
  Prompter* prompter_;

  ItemBuffer items_;
  std::vector<PlotLayer> layers_;
  GerberReaderState gerberState_;

  std::string apertureFileName_;
  std::vector<Aperture> apertures_;
  std::vector<std::unique_ptr<ApertureMacro>> macros_;

  std::string drillToolFileName_;
  std::vector<DrillTool> drillTools_;
  std::string ncDrillFileName_;
  std::vector<DrillHit> drillHits_;
  DrillReaderState drillState_;

  int32_t autoOrigin_ = 0;
  int32_t mirrorX_ = 0;
  int32_t mirrorY_ = 0;
  int32_t showDrillHoles_ = 1;
  double printMagnification_ = 1.0;

  Extents extents_;
  FormatSettings settings_;

  std::string pathName_;
  bool modified_ = false;
};

}  // namespace corvane
