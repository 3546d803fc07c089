#pragma once

// The layer panel without its widget: one row per layer and per drill file,
// front first (the layer drawn last at the top, the drill files at the end),
// each with its file's name, its function in words, whether it is shown and
// its colour. Every change goes through the rules the dialogs use: a layer is
// shown or hidden as Set Layer Visibility applies a choice, its colour is
// picked as the Gerber Files dialog's colour picture picks it, and it moves as
// that dialog's Move Up and Move Down move it; so the panel and the dialogs
// never disagree, whichever the user last used.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class CCorvaneView;
class DocumentLoader;
class Prompter;
class SettingsStore;

struct LayerPanelRow {
  enum class Source { kLayer, kNcDrill, kDrillFile };
  Source source = Source::kLayer;
  int32_t index = 0;  // the document's layer, or its further drill file
  std::string name;   // the file's name without its folders
  std::string function;
  bool visible = true;
  uint32_t color = 0;  // 0x00BBGGRR
  friend bool operator==(const LayerPanelRow&, const LayerPanelRow&) = default;
};

class LayerPanel {
 public:
  // Nothing is owned; the loader is the view's document's. `store` keeps the
  // colour chooser's custom colours; may be null.
  LayerPanel(CCorvaneView& view, DocumentLoader& loader, Prompter& prompter, SettingsStore* store);

  std::vector<LayerPanelRow> Rows() const;

  // The check box of a row; repaints.
  void SetVisible(std::size_t row, bool visible);
  // The colour of a row, from the colour chooser; repaints when one was chosen.
  void ChooseColor(std::size_t row);
  // Only layers move, and only among layers: the drill files are always drawn last.
  bool CanMove(std::size_t from, std::size_t to) const;
  // Moves a layer's row to another layer's place and reads the layers again
  // in their new order (as the Gerber Files dialog's OK does), keeping what
  // is shown and what is hidden. False when it cannot move there.
  bool MoveRow(std::size_t from, std::size_t to);

 private:
  CCorvaneView& view_;
  DocumentLoader& loader_;
  Prompter& prompter_;
  SettingsStore* store_;
};

}  // namespace corvane
