#include "document/corvane_doc.h"

#include <array>

namespace corvane {
namespace {

constexpr std::size_t kInitialItemCapacity = 100000;

struct NamedColor {
  std::string_view name;
  uint32_t color;  // 0x00BBGGRR
};

constexpr std::array<NamedColor, 10> kDefaultColors{{
    {"Red", 0x0000FF},
    {"Blue", 0xFF0000},
    {"Green", 0x00FF00},
    {"Yellow", 0x00FFFF},
    {"Brown", 0x000080},
    {"Navy", 0x800000},
    {"Aqua", 0xFFFF00},
    {"Purple", 0xFF00FF},
    {"Light Gray", 0xC0C0C0},
    {"Gray", 0x808080},
}};
constexpr NamedColor kBlack{"Black", 0x000000};

const NamedColor& DefaultColorEntry(int32_t index) {
  const auto low = static_cast<uint8_t>(index);
  return low < kDefaultColors.size() ? kDefaultColors[low] : kBlack;
}

template <typename T>
bool CopyAt(const std::vector<T>& list, int32_t index, T& out) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return false;
  out = list[static_cast<std::size_t>(index)];
  return true;
}

}  // namespace

std::string_view ShapeName(int32_t shape) {
  static constexpr std::array<std::string_view, 5> kNames{"Circle", "Line", "Rectangle",
                                                          "Square", "Ellipse"};
  return shape >= 0 && shape < 5 ? kNames[static_cast<std::size_t>(shape)] : std::string_view();
}

std::string_view PlatingName(int32_t plating) {
  switch (plating) {
    case kPlatingPlated:
      return "Plated";
    case kPlatingUnplated:
      return "Unplated";
    default:
      return "Unknown";
  }
}

CCorvaneDoc::CCorvaneDoc(SettingsStore* store, Prompter* prompter)
    : store_(store), prompter_(prompter) {
  items_.Reset(kInitialItemCapacity);
  LoadStoredDefaults();
}

CCorvaneDoc::~CCorvaneDoc() = default;

void CCorvaneDoc::ClearAll() {
  layers_.clear();
  items_.Reset(kInitialItemCapacity);
  apertureFileName_.clear();
  drillToolFileName_.clear();
  ncDrillFileName_.clear();
  apertures_.clear();
  drillTools_.clear();
  macros_.clear();
  drillState_.currentTool = 0;
  drillHits_.clear();
  mirrorX_ = 0;
  mirrorY_ = 0;
  autoOrigin_ = 0;
  modified_ = false;
}

void CCorvaneDoc::ComputeExtents() {
  Extents e{0.0, kExtentsUnset, 0.0, kExtentsUnset};
  auto visit = [&e](double x, double y) {
    if (x > e.maxX) e.maxX = x;
    if (x < e.minX) e.minX = x;
    if (y > e.maxY) e.maxY = y;
    if (y < e.minY) e.minY = y;
  };
  for (const PlotItem& item : items_.Items()) {
    if (item.kind == kKindStatement && item.dcode == 1) visit(item.x, item.y);
  }
  for (const DrillHit& hit : drillHits_) visit(hit.x, hit.y);
  extents_ = e;
}

PlotItem CCorvaneDoc::GetItem(int32_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.Count()) return PlotItem{};
  return items_[static_cast<std::size_t>(index)];
}

bool CCorvaneDoc::GetLayer(int32_t index, PlotLayer& layer) const {
  return CopyAt(layers_, index, layer);
}

bool CCorvaneDoc::SetLayer(int32_t index, const PlotLayer& layer) {
  if (index < 0 || static_cast<std::size_t>(index) >= layers_.size()) return false;
  layers_[static_cast<std::size_t>(index)] = layer;
  return true;
}

int32_t CCorvaneDoc::AddLayer(const PlotLayer& layer) {
  layers_.push_back(layer);
  return static_cast<int32_t>(layers_.size()) - 1;
}

std::string CCorvaneDoc::GetLayerFileName(int32_t index) const {
  PlotLayer layer;
  return GetLayer(index, layer) ? layer.fileName : std::string();
}

int32_t CCorvaneDoc::IsLayerVisible(int32_t index) const {
  PlotLayer layer;
  return GetLayer(index, layer) ? layer.visible : 1;
}

void CCorvaneDoc::SetLayerVisible(int32_t index, int32_t value) {
  if (index < 0 || static_cast<std::size_t>(index) >= layers_.size()) return;
  layers_[static_cast<std::size_t>(index)].visible = value;
}

Aperture CCorvaneDoc::FindAperture(int32_t dcode, int32_t layer) const {
  for (const Aperture& a : apertures_) {
    if (a.dcode == dcode && a.layer == layer) return a;
  }
  for (const Aperture& a : apertures_) {
    if (a.dcode == dcode && a.layer < 0) return a;
  }
  Aperture none;
  none.dcode = 0;
  none.shape = kShapeNone;
  return none;
}

bool CCorvaneDoc::GetAperture(int32_t index, Aperture& aperture) const {
  return CopyAt(apertures_, index, aperture);
}

int32_t CCorvaneDoc::AddMacro(std::unique_ptr<ApertureMacro> macro) {
  macros_.push_back(std::move(macro));
  return static_cast<int32_t>(macros_.size()) - 1;
}

const ApertureMacro* CCorvaneDoc::GetMacro(int32_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= macros_.size()) return nullptr;
  return macros_[static_cast<std::size_t>(index)].get();
}

int32_t CCorvaneDoc::FindMacro(std::string_view name, int32_t layer) const {
  for (std::size_t i = 0; i < macros_.size(); ++i) {
    if (macros_[i]->layer == layer && macros_[i]->name == name) return static_cast<int32_t>(i);
  }
  return -1;
}

bool CCorvaneDoc::FindDrillTool(int32_t toolNumber, DrillTool& tool) const {
  for (const DrillTool& t : drillTools_) {
    if (t.tool == toolNumber) {
      tool = t;
      return true;
    }
  }
  return false;
}

bool CCorvaneDoc::GetDrillTool(int32_t index, DrillTool& tool) const {
  return CopyAt(drillTools_, index, tool);
}

bool CCorvaneDoc::GetDrillHit(int32_t index, DrillHit& hit) const {
  return CopyAt(drillHits_, index, hit);
}

bool CCorvaneDoc::IsEmpty() const {
  return items_.Count() == 0 && apertureFileName_.empty() && apertures_.empty() &&
         drillToolFileName_.empty() && drillTools_.empty() && ncDrillFileName_.empty() &&
         drillHits_.empty();
}

uint32_t CCorvaneDoc::DefaultLayerColor(int32_t index) { return DefaultColorEntry(index).color; }

std::string_view CCorvaneDoc::ColorName(int32_t index) { return DefaultColorEntry(index).name; }

}  // namespace corvane
