#include "document/read_target.h"

namespace corvane {
namespace {

template <typename T>
bool CopyAt(const std::vector<T>& list, int32_t index, T& out) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return false;
  out = list[static_cast<std::size_t>(index)];
  return true;
}

}  // namespace

void ReadTarget::ClearRecords(std::size_t itemCapacity) {
  BeforeChange();
  items_.Reset(itemCapacity);
  apertures_.clear();
  macros_.clear();
  drillTools_.clear();
  drillHits_.clear();
}

PlotItem ReadTarget::GetItem(int32_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.Count()) return PlotItem{};
  return items_[static_cast<std::size_t>(index)];
}

Aperture ReadTarget::FindAperture(int32_t dcode, int32_t layer) const {
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

bool ReadTarget::GetAperture(int32_t index, Aperture& aperture) const {
  return CopyAt(apertures_, index, aperture);
}

int32_t ReadTarget::AddMacro(std::unique_ptr<ApertureMacro> macro) {
  BeforeChange();
  macros_.push_back(std::move(macro));
  return static_cast<int32_t>(macros_.size()) - 1;
}

const ApertureMacro* ReadTarget::GetMacro(int32_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= macros_.size()) return nullptr;
  return macros_[static_cast<std::size_t>(index)].get();
}

int32_t ReadTarget::FindMacro(std::string_view name, int32_t layer) const {
  for (std::size_t i = 0; i < macros_.size(); ++i) {
    if (macros_[i]->layer == layer && macros_[i]->name == name) return static_cast<int32_t>(i);
  }
  return -1;
}

bool ReadTarget::FindDrillTool(int32_t toolNumber, DrillTool& tool) const {
  for (const DrillTool& t : drillTools_) {
    if (t.tool == toolNumber) {
      tool = t;
      return true;
    }
  }
  return false;
}

bool ReadTarget::GetDrillTool(int32_t index, DrillTool& tool) const {
  return CopyAt(drillTools_, index, tool);
}

bool ReadTarget::GetDrillHit(int32_t index, DrillHit& hit) const {
  return CopyAt(drillHits_, index, hit);
}

}  // namespace corvane
