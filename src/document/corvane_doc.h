#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/plot_records.h"
#include "document/read_target.h"

namespace corvane {

struct Extents {
  double maxX = 0.0;
  double minX = 0.0;
  double maxY = 0.0;
  double minY = 0.0;
  friend bool operator==(const Extents&, const Extents&) = default;
};

// What ComputeExtents starts the minima at; they stay there when no draw or hit is seen.
inline constexpr double kExtentsUnset = 99999999.0;

// The items a cleared document reserves room for: a board file yields hundreds
// of thousands, so the array starts large and grows in big steps.
inline constexpr std::size_t kInitialItemCapacity = 100000;

// Which reading a working set asks for. kUnset: none of its own; the
// user's choice stands (work files of before, plain lists of classic files).
enum class Reading : uint8_t { kUnset = 0, kClassic, kStandard };

// Everything loaded: layers, the flat item array, apertures and macros, drill
// tools and hits (the read target it derives from), the document flags the
// view reads, the extents, the format settings, its path and the modified
// flag. The loading code (loading/) fills it; it knows no reader, file or
// settings store.
class CCorvaneDoc : public ReadTarget {
 public:
  // A document with the built-in settings and flags, as if read from an empty
  // store. `itemReservation` is the room ClearAll reserves; only runs that read
  // small files by the thousand (fuzzing) want less.
  explicit CCorvaneDoc(std::size_t itemReservation = kInitialItemCapacity);
  ~CCorvaneDoc();
  CCorvaneDoc(const CCorvaneDoc&) = delete;
  CCorvaneDoc& operator=(const CCorvaneDoc&) = delete;

  // --- Collections ------------------------------------------------------------
  // Empties every collection and file name (the further drill files and the
  // netlist too), forgets the set's reading, clears the mirror and origin flags
  // and the modified flag; the format settings and the print magnification stay.
  void ClearAll();
  void ComputeExtents();
  Extents GetExtents() const { return extents_; }

  int32_t GetLayerCount() const { return static_cast<int32_t>(layers_.size()); }
  // Copies the layer into `layer`; an index outside the list leaves it unchanged
  // and returns false.
  bool GetLayer(int32_t index, PlotLayer& layer) const;
  bool SetLayer(int32_t index, const PlotLayer& layer);
  // Appends and returns the new layer's index.
  int32_t AddLayer(const PlotLayer& layer);
  void RemoveAllLayers() {
    BeforeChange();
    layers_.clear();
  }
  const std::vector<PlotLayer>& Layers() const { return layers_; }
  std::string GetLayerFileName(int32_t index) const;
  // 1 for an index outside the list.
  int32_t IsLayerVisible(int32_t index) const;
  void SetLayerVisible(int32_t index, int32_t value);

  const std::string& GetApertureFileName() const { return apertureFileName_; }
  const std::string& GetDrillToolFileName() const { return drillToolFileName_; }
  const std::string& GetNcDrillFileName() const { return ncDrillFileName_; }
  void SetApertureFileName(std::string name) { apertureFileName_ = std::move(name); }
  void SetDrillToolFileName(std::string name) { drillToolFileName_ = std::move(name); }
  void SetNcDrillFileName(std::string name) { ncDrillFileName_ = std::move(name); }

  // The NC drill file's function and the colour its holes are drawn in.
  const LayerFunction& GetNcDrillFunction() const { return ncDrillFunction_; }
  void SetNcDrillFunction(const LayerFunction& function) { ncDrillFunction_ = function; }
  uint32_t GetNcDrillColor() const { return ncDrillColor_; }
  void SetNcDrillColor(uint32_t color) {
    BeforeChange();
    ncDrillColor_ = color;
  }

  // The drill files beyond the NC drill file, in order.
  const std::vector<DrillFileEntry>& DrillFiles() const { return drillFiles_; }
  std::vector<DrillFileEntry>& MutableDrillFiles() {
    BeforeChange();
    return drillFiles_;
  }
  void AddDrillFile(DrillFileEntry entry) {
    BeforeChange();
    drillFiles_.push_back(std::move(entry));
  }
  void RemoveAllDrillFiles() {
    BeforeChange();
    drillFiles_.clear();
  }

  // The IPC-D-356 netlist that came with the set; kept for the checks, never drawn.
  const std::string& GetNetlistFileName() const { return netlistFileName_; }
  void SetNetlistFileName(std::string name) { netlistFileName_ = std::move(name); }

  Reading GetReading() const { return reading_; }
  void SetReading(Reading reading) { reading_ = reading; }

  bool IsEmpty() const;

  // --- Document flags ---------------------------------------------------------
  int32_t GetAutoOrigin() const { return autoOrigin_; }
  void SetAutoOrigin(int32_t value) {
    BeforeChange();
    autoOrigin_ = value;
  }
  int32_t GetMirrorX() const { return mirrorX_; }
  void SetMirrorX(int32_t value) {
    BeforeChange();
    mirrorX_ = value;
  }
  int32_t GetMirrorY() const { return mirrorY_; }
  void SetMirrorY(int32_t value) {
    BeforeChange();
    mirrorY_ = value;
  }
  int32_t GetShowDrillHoles() const { return showDrillHoles_; }
  void SetShowDrillHoles(int32_t value) {
    BeforeChange();
    showDrillHoles_ = value;
  }
  double GetPrintMagnification() const { return printMagnification_; }
  void SetPrintMagnification(double value) { printMagnification_ = value; }

  bool IsModified() const { return modified_; }
  void SetModified(bool modified = true) { modified_ = modified; }

  // --- Path ---------------------------------------------------------------------
  // The work file's path; empty for a document never saved or opened.
  const std::string& GetPathName() const { return pathName_; }
  void SetPathName(std::string path) { pathName_ = std::move(path); }
  // The folder of the work file, without a trailing separator.
  std::string GetDocumentDirectory() const;

  // --- Default colours --------------------------------------------------------
  static uint32_t DefaultLayerColor(int32_t index);
  static std::string_view ColorName(int32_t index);

 private:
  std::vector<PlotLayer> layers_;
  std::string apertureFileName_;
  std::string drillToolFileName_;
  std::string ncDrillFileName_;
  LayerFunction ncDrillFunction_;
  uint32_t ncDrillColor_ = 0;
  std::vector<DrillFileEntry> drillFiles_;
  std::string netlistFileName_;
  Reading reading_ = Reading::kUnset;

  int32_t autoOrigin_ = 0;
  int32_t mirrorX_ = 0;
  int32_t mirrorY_ = 0;
  int32_t showDrillHoles_ = 1;
  double printMagnification_ = 1.0;

  Extents extents_;

  std::string pathName_;
  bool modified_ = false;
  std::size_t itemReservation_;
};

}  // namespace corvane
