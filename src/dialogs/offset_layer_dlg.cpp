#include "dialogs/offset_layer_dlg.h"

namespace corvane {

void COffsetLayerDlg::OnInitDialog(int32_t listWidth, const TextWidthFunction& measure) {
  lines_.clear();
  lines_.reserve(names_.size());
  for (const std::string& name : names_) {
    lines_.push_back(ShortenPathToFit(name, listWidth, measure));
  }
  listSelection_ = -1;
}

void COffsetLayerDlg::OnSelChange(int32_t line) {
  listSelection_ = line >= 0 && line < static_cast<int32_t>(lines_.size()) ? line : -1;
}

}  // namespace corvane
