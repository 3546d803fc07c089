#include "document/corvane_doc.h"

#include <array>

#include "document/plot_extents.h"
#include "document/settings_table.h"
#include "text/path_parts.h"

namespace corvane {
namespace {

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

}  // namespace

CCorvaneDoc::CCorvaneDoc(std::size_t itemReservation) : itemReservation_(itemReservation) {
  ClearRecords(itemReservation_);
  LoadStoredDefaults(*this, nullptr);
}

CCorvaneDoc::~CCorvaneDoc() = default;

void CCorvaneDoc::ClearAll() {
  BeforeChange();
  layers_.clear();
  ClearRecords(itemReservation_);
  apertureFileName_.clear();
  drillToolFileName_.clear();
  ncDrillFileName_.clear();
  ncDrillFunction_ = LayerFunction{};
  ncDrillColor_ = 0;
  drillFiles_.clear();
  netlistFileName_.clear();
  reading_ = Reading::kUnset;
  mirrorX_ = 0;
  mirrorY_ = 0;
  autoOrigin_ = 0;
  modified_ = false;
}

void CCorvaneDoc::ComputeExtents() {
  BeforeChange();
  extents_ = PlotExtents(*this);
}

bool CCorvaneDoc::GetLayer(int32_t index, PlotLayer& layer) const {
  if (index < 0 || static_cast<std::size_t>(index) >= layers_.size()) return false;
  layer = layers_[static_cast<std::size_t>(index)];
  return true;
}

bool CCorvaneDoc::SetLayer(int32_t index, const PlotLayer& layer) {
  BeforeChange();
  if (index < 0 || static_cast<std::size_t>(index) >= layers_.size()) return false;
  layers_[static_cast<std::size_t>(index)] = layer;
  return true;
}

int32_t CCorvaneDoc::AddLayer(const PlotLayer& layer) {
  BeforeChange();
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
  BeforeChange();
  if (index < 0 || static_cast<std::size_t>(index) >= layers_.size()) return;
  layers_[static_cast<std::size_t>(index)].visible = value;
}

bool CCorvaneDoc::IsEmpty() const {
  return GetItemCount() == 0 && apertureFileName_.empty() && GetApertureCount() == 0 &&
         drillToolFileName_.empty() && GetDrillToolCount() == 0 && ncDrillFileName_.empty() &&
         GetDrillHitCount() == 0 && drillFiles_.empty();
}

std::string CCorvaneDoc::GetDocumentDirectory() const {
  const std::size_t cut = LastSeparator(pathName_);
  if (cut == std::string::npos) return {};
  // A work file in the root folder: the folder is the root itself.
  if (cut == 0) return "/";
  return WithForwardSlashes(PathFolder(pathName_));
}

uint32_t CCorvaneDoc::DefaultLayerColor(int32_t index) { return DefaultColorEntry(index).color; }

std::string_view CCorvaneDoc::ColorName(int32_t index) { return DefaultColorEntry(index).name; }

}  // namespace corvane
