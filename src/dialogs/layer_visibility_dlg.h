#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/path_shortening.h"
#include "platform/dialog_runner.h"
#include "view/layer_visibility.h"

namespace corvane {

class SettingsStore;

inline constexpr std::string_view kLayerVisibilityTitle = "Set Layer Visibility";
inline constexpr std::string_view kSelectAllText = "Select All";
inline constexpr std::string_view kDeselectAllText = "Deselect All";
inline constexpr std::string_view kShowDrillHolesText = "Show drill holes";
inline constexpr std::string_view kAutoApplyText = "Automatically apply changes";
inline constexpr std::string_view kApertureFileLabel = "Aperture File:";
inline constexpr std::string_view kNcDrillFileLabel = "NC Drill File:";
inline constexpr std::string_view kDrillToolFileLabel = "Drill Tool File:";
inline constexpr std::string_view kAutoApplyVisibilityKey = "AutoApplyVisibility";

// The Set Layer Visibility dialog: one list line per layer, selected = shown,
// the drill-hole box, and the choice to apply every change at once.
class CLayerVisibilityDlg : public ModalDialog, public LayerVisibilityChoice {
 public:
  static constexpr int32_t kResourceId = 143;
  static constexpr int32_t kListId = 1000;
  static constexpr int32_t kSelectAllId = 1001;
  static constexpr int32_t kDeselectAllId = 1002;
  static constexpr int32_t kHelpId = 1003;
  static constexpr int32_t kShowDrillHolesId = 1006;
  static constexpr int32_t kApertureFileId = 1007;
  static constexpr int32_t kNcDrillFileId = 1008;
  static constexpr int32_t kDrillToolFileId = 1009;
  static constexpr int32_t kAutoApplyId = 1010;
  // Entries of the table of visible flags and of selected lines.
  static constexpr int32_t kTableSize = 256;

  // `store` holds the auto-apply choice; it may be null (on, and not kept).
  explicit CLayerVisibilityDlg(SettingsStore* store) : store_(store) {}

  int32_t ResourceId() const override { return kResourceId; }

  // --- Before the run ---------------------------------------------------------
  // Appends a layer; only the first 256 keep their visible flag (the others
  // start unselected).
  void AddLayerName(std::string name, int32_t visible);
  const std::vector<std::string>& LayerNames() const { return names_; }
  void SetApertureFileName(std::string name) { apertureFile_ = std::move(name); }
  void SetNcDrillFileName(std::string name) { ncDrillFile_ = std::move(name); }
  void SetDrillToolFileName(std::string name) { drillToolFile_ = std::move(name); }
  // The view that applies changes while the dialog is open; may be null.
  void SetView(LayerVisibilityTarget* view) { view_ = view; }
  void SetShowDrillHoleBox(bool show) { drillHoleBoxShown_ = show; }
  void SetShowDrillHoles(int32_t show) { showDrillHoles_ = show; }
  int32_t GetShowDrillHoles() const override { return showDrillHoles_; }

  // The first min(maxCount, selected) selected lines, ascending, as last read
  // from the list.
  std::vector<int32_t> GetSelectedLayers(int32_t maxCount) const override;

  // --- The window's side ------------------------------------------------------
  // A control and how wide it is, with its own font.
  struct Fit {
    int32_t width = 0;
    TextWidthFunction measure;
  };
  // Shortens the names to their controls, selects the lines of visible layers
  // and reads the auto-apply choice from the store.
  void OnInitDialog(const Fit& list, const Fit& apertureText, const Fit& ncDrillText,
                    const Fit& drillToolText);
  const std::vector<std::string>& ListLines() const { return lines_; }
  bool IsLineSelected(int32_t line) const;
  const std::string& GetApertureFileName() const { return apertureFile_; }
  const std::string& GetNcDrillFileName() const { return ncDrillFile_; }
  const std::string& GetDrillToolFileName() const { return drillToolFile_; }
  const std::string& ShownApertureFile() const { return shownApertureFile_; }
  const std::string& ShownNcDrillFile() const { return shownNcDrillFile_; }
  const std::string& ShownDrillToolFile() const { return shownDrillToolFile_; }
  bool IsDrillHoleBoxShown() const { return drillHoleBoxShown_; }
  bool IsAutoApplyOn() const { return autoApply_ != 0; }

  // The list's selection changed; `selectedLines` are all its selected lines.
  void OnSelChange(const std::vector<int32_t>& selectedLines);
  void OnSelectAll();
  void OnDeselectAll();
  void OnShowDrillHolesClicked(bool checked);
  void OnAutoApplyClicked(bool checked) { autoApply_ = checked ? 1 : 0; }
  // Reads the selection and keeps the auto-apply choice; Cancel keeps nothing.
  void OnOK();

 private:
  void AfterChange();
  void ReadSelection();

  SettingsStore* store_;
  LayerVisibilityTarget* view_ = nullptr;
  std::vector<std::string> names_;
  // First each layer's visible flag; once the list has been read, the
  // selected lines in ascending order.
  std::array<int32_t, kTableSize> table_{};
  int32_t selectedCount_ = 0;
  std::string apertureFile_;
  std::string ncDrillFile_;
  std::string drillToolFile_;
  int32_t showDrillHoles_ = 1;
  int32_t autoApply_ = 1;
  bool drillHoleBoxShown_ = false;

  std::vector<std::string> lines_;
  std::vector<bool> lineSelected_;
  std::string shownApertureFile_;
  std::string shownNcDrillFile_;
  std::string shownDrillToolFile_;
};

}  // namespace corvane
