#include "dialogs/layer_visibility_dlg.h"

#include <algorithm>

#include "platform/settings_store.h"

namespace corvane {

void CLayerVisibilityDlg::AddLayerName(std::string name, int32_t visible) {
  if (names_.size() < table_.size()) table_[names_.size()] = visible;
  names_.push_back(std::move(name));
}

std::vector<int32_t> CLayerVisibilityDlg::GetSelectedLayers(int32_t maxCount) const {
  const int32_t count = std::clamp(maxCount, 0, selectedCount_);
  return {table_.begin(), table_.begin() + count};
}

void CLayerVisibilityDlg::OnInitDialog(const Fit& list, const Fit& apertureText,
                                       const Fit& ncDrillText, const Fit& drillToolText) {
  shownApertureFile_ = ShortenPathToFit(apertureFile_, apertureText.width, apertureText.measure);
  shownNcDrillFile_ = ShortenPathToFit(ncDrillFile_, ncDrillText.width, ncDrillText.measure);
  shownDrillToolFile_ =
      ShortenPathToFit(drillToolFile_, drillToolText.width, drillToolText.measure);
  lines_.clear();
  lineSelected_.assign(names_.size(), false);
  for (std::size_t i = 0; i < names_.size(); ++i) {
    lines_.push_back(ShortenPathToFit(names_[i], list.width, list.measure));
    lineSelected_[i] = i < table_.size() && table_[i] != 0;
  }
  const int32_t stored =
      store_ == nullptr ? 1 : store_->ReadInt(kSectionSettings, kAutoApplyVisibilityKey, 1);
  autoApply_ = stored != 0 ? 1 : 0;
}

bool CLayerVisibilityDlg::IsLineSelected(int32_t line) const {
  return line >= 0 && line < static_cast<int32_t>(lineSelected_.size()) &&
         lineSelected_[static_cast<std::size_t>(line)];
}

void CLayerVisibilityDlg::OnSelChange(const std::vector<int32_t>& selectedLines) {
  std::fill(lineSelected_.begin(), lineSelected_.end(), false);
  for (const int32_t line : selectedLines) {
    if (line >= 0 && line < static_cast<int32_t>(lineSelected_.size())) {
      lineSelected_[static_cast<std::size_t>(line)] = true;
    }
  }
  AfterChange();
}

void CLayerVisibilityDlg::OnSelectAll() {
  std::fill(lineSelected_.begin(), lineSelected_.end(), true);
  AfterChange();
}

void CLayerVisibilityDlg::OnDeselectAll() {
  std::fill(lineSelected_.begin(), lineSelected_.end(), false);
  AfterChange();
}

void CLayerVisibilityDlg::OnShowDrillHolesClicked(bool checked) {
  showDrillHoles_ = checked ? 1 : 0;
  AfterChange();
}

void CLayerVisibilityDlg::AfterChange() {
  if (!autoApply_) return;
  ReadSelection();
  if (view_ != nullptr) view_->ApplyLayerVisibility();
}

void CLayerVisibilityDlg::ReadSelection() {
  selectedCount_ = 0;
  for (std::size_t i = 0; i < lineSelected_.size() && selectedCount_ < kTableSize; ++i) {
    if (lineSelected_[i])
      table_[static_cast<std::size_t>(selectedCount_++)] = static_cast<int32_t>(i);
  }
}

void CLayerVisibilityDlg::OnOK() {
  ReadSelection();
  if (store_ != nullptr) store_->WriteInt(kSectionSettings, kAutoApplyVisibilityKey, autoApply_);
}

}  // namespace corvane
