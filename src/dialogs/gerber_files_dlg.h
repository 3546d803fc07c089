#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/color_combo.h"
#include "dialogs/path_shortening.h"
#include "document/plot_records.h"
#include "platform/dialog_runner.h"
#include "platform/prompter.h"

namespace corvane {

class CCorvaneDoc;
class SettingsStore;

// The colour chooser's custom colours live in the settings store, section
// "Custom", as "Color0" to "Color15"; white where none is stored.
inline constexpr uint32_t kDefaultCustomColor = 16777215;
CustomColors LoadCustomColors(const SettingsStore& store);
void SaveCustomColors(SettingsStore& store, const CustomColors& colors);

// The Gerber Files dialog: the plot files of the picture with, for each, its
// colour, mirroring and offsets, edited in a working copy that OK hands back.
// The mirror boxes and offset fields show the values the dialog holds, which
// belong to the shown entry (the one last selected); they are stored into it
// before Add File, Move Up, Move Down, OK and every change of selection.
class CGerberFilesDlg : public ModalDialog {
 public:
  static constexpr int32_t kResourceId = 150;
  static constexpr int32_t kListId = 1020;
  static constexpr int32_t kColorListId = 1023;
  static constexpr int32_t kColorPictureId = 1035;
  static constexpr int32_t kMirrorXId = 1036;
  static constexpr int32_t kMirrorYId = 1037;
  static constexpr int32_t kOffsetXId = 1038;
  static constexpr int32_t kOffsetYId = 1039;
  static constexpr int32_t kAddFileId = 4;
  static constexpr int32_t kRemoveId = 6;
  static constexpr int32_t kMoveUpId = 8;
  static constexpr int32_t kMoveDownId = 10;
  // The colour list's palette: the first ten default layer colours.
  static constexpr int32_t kPaletteSize = 10;

  static constexpr std::string_view kTitle = "Gerber Files";
  static constexpr std::string_view kListLabel = "Gerber Files";
  static constexpr std::string_view kFileColorLabel = "File Color";
  static constexpr std::string_view kMirrorOnXAxisText = "Mirror on X axis";
  static constexpr std::string_view kMirrorOnYAxisText = "Mirror on Y axis";
  static constexpr std::string_view kXOffsetLabel = "X Offset";
  static constexpr std::string_view kYOffsetLabel = "Y Offset";
  static constexpr std::string_view kOffsetUnitLabel = "in 0.1 (mm/mils)";
  static constexpr std::string_view kAddFileText = "Add File";
  static constexpr std::string_view kRemoveText = "Remove";
  static constexpr std::string_view kMoveUpText = "Move Up";
  static constexpr std::string_view kMoveDownText = "Move Down";
  static constexpr std::string_view kFilter = "Gerber Plot Files (*.%s)|*.%s|All Files (*.*)|*.*||";

  // Any service may be null: without a document Add File does nothing,
  // without a prompter no chooser opens and messages are dropped, without a
  // store the custom colours start white and are not kept.
  CGerberFilesDlg(const CCorvaneDoc* doc, Prompter* prompter, SettingsStore* store)
      : doc_(doc), prompter_(prompter), store_(store) {}

  int32_t ResourceId() const override { return kResourceId; }

  // --- Before the run and after OK --------------------------------------------
  void AddEntry(PlotLayer entry) { entries_.push_back(std::move(entry)); }
  const std::vector<PlotLayer>& Entries() const { return entries_; }

  // --- The window's side ------------------------------------------------------
  // Fills the colour list with the palette, starts the chooser in the work
  // file's folder, and fills the file list, each path shortened to `listWidth`
  // as `measure` finds it; nothing is selected.
  void OnInitDialog(int32_t listWidth, TextWidthFunction measure);

  const std::vector<std::string>& ListLines() const { return lines_; }
  // Grows whenever the list is filled again, so the window knows to rebuild it.
  int32_t ListRevision() const { return listRevision_; }
  int32_t ListSelection() const { return selection_; }
  int32_t ShownEntry() const { return shown_; }
  const std::string& ChooserDirectory() const { return chooserDirectory_; }
  CColorCombo& Colors() { return colors_; }
  const CColorCombo& Colors() const { return colors_; }

  // The colour list, the colour picture, Remove, Move Up, Move Down, the
  // mirror boxes and the offset fields: only while an entry is selected.
  bool AreEntryControlsEnabled() const { return IsEntry(selection_); }
  bool IsMirrorXChecked() const { return mirrorX_ != 0; }
  bool IsMirrorYChecked() const { return mirrorY_ != 0; }
  const std::string& OffsetXText() const { return offsetXText_; }
  const std::string& OffsetYText() const { return offsetYText_; }
  // The field that refused its text and wants the focus, once.
  std::optional<int32_t> TakeFocusRequest();

  void OnSelChange(int32_t line);
  void OnOffsetXEdited(std::string text) { offsetXText_ = std::move(text); }
  void OnOffsetYEdited(std::string text) { offsetYText_ = std::move(text); }
  void OnMirrorXClicked(bool checked);
  void OnMirrorYClicked(bool checked);
  void OnAddFile();
  void OnRemove();
  void OnMoveUp() { Move(-1); }
  void OnMoveDown() { Move(+1); }
  // A palette colour chosen in the colour list.
  void OnColorSelChange(int32_t index);
  // Up or Down pressed on the colour list: a step through the palette.
  void OnColorListKey(CColorCombo::Key key) { OnColorSelChange(colors_.OnKey(key)); }
  // The colour picture: any colour from the system's colour chooser.
  void OnColorPicture();
  // False keeps the dialog open: an offset field holds no integer.
  bool OnOK() { return Commit(); }

 private:
  bool IsEntry(int32_t index) const {
    return index >= 0 && index < static_cast<int32_t>(entries_.size());
  }
  // Reads the offset fields into the held values and stores them into the
  // shown entry; false, after the message, when a field holds no integer.
  bool Commit();
  void ShowControlValues();
  void FillList();
  void Move(int32_t step);

  const CCorvaneDoc* doc_;
  Prompter* prompter_;
  SettingsStore* store_;

  std::vector<PlotLayer> entries_;
  int32_t shown_ = -1;
  std::string chooserDirectory_;
  // The values the mirror boxes and offset fields stand for.
  int32_t mirrorX_ = 0;
  int32_t mirrorY_ = 0;
  int32_t offsetX_ = 0;
  int32_t offsetY_ = 0;

  // What the controls show.
  CColorCombo colors_;
  std::vector<std::string> lines_;
  int32_t listRevision_ = 0;
  int32_t selection_ = -1;
  std::string offsetXText_ = "0";
  std::string offsetYText_ = "0";
  std::optional<int32_t> focusRequest_;
  int32_t listWidth_ = 0;
  TextWidthFunction measure_;
};

}  // namespace corvane
