#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/path_shortening.h"
#include "platform/dialog_runner.h"

namespace corvane {

inline constexpr std::string_view kOffsetLayerTitle = "Offset Layer";
inline constexpr std::string_view kOffsetLayerPrompt = "Select layer to offset";
// The last entry of the list, after the layers.
inline constexpr std::string_view kOffsetDrillEntry = "NC Drill file";

// The offset tool's chooser: a single-selection list of names, in the order
// they were added; OK hands back the chosen line's index (-1 for none).
class COffsetLayerDlg : public ModalDialog {
 public:
  static constexpr int32_t kResourceId = 158;
  static constexpr int32_t kListId = 1000;

  int32_t ResourceId() const override { return kResourceId; }

  // Before the run.
  void AddName(std::string name) { names_.push_back(std::move(name)); }
  const std::vector<std::string>& Names() const { return names_; }
  // After OK.
  int32_t GetSelection() const { return selection_; }

  // The window's side. Opening fills the list with every name shortened to
  // the list's client width, unsorted, with nothing selected.
  void OnInitDialog(int32_t listWidth, const TextWidthFunction& measure);
  const std::vector<std::string>& ListLines() const { return lines_; }
  // The list's selected line, -1 for none.
  void OnSelChange(int32_t line);
  int32_t ListSelection() const { return listSelection_; }
  void OnOK() { selection_ = listSelection_; }

 private:
  std::vector<std::string> names_;
  std::vector<std::string> lines_;
  int32_t listSelection_ = -1;
  int32_t selection_ = -1;
};

}  // namespace corvane
