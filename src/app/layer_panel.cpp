#include "app/layer_panel.h"

#include <numeric>

#include "dialogs/gerber_files_dlg.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "platform/prompter.h"
#include "text/path_parts.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

std::string Words(const LayerFunction& function, std::string_view fallback) {
  return function.Identified() ? FunctionInWords(function) : std::string(fallback);
}

// The choice of layers to show that the panel hands the view, as the open
// Set Layer Visibility dialog would.
class PanelChoice : public LayerVisibilityChoice {
 public:
  PanelChoice(std::vector<int32_t> shown, int32_t showDrillHoles)
      : shown_(std::move(shown)), showDrillHoles_(showDrillHoles) {}
  std::vector<int32_t> GetSelectedLayers(int32_t maxCount) const override {
    const auto count = std::min<std::size_t>(shown_.size(), static_cast<std::size_t>(maxCount));
    return {shown_.begin(), shown_.begin() + static_cast<std::ptrdiff_t>(count)};
  }
  int32_t GetShowDrillHoles() const override { return showDrillHoles_; }

 private:
  std::vector<int32_t> shown_;
  int32_t showDrillHoles_;
};

}  // namespace

LayerPanel::LayerPanel(CCorvaneView& view, DocumentLoader& loader, Prompter& prompter,
                       SettingsStore* store)
    : view_(view), loader_(loader), prompter_(prompter), store_(store) {}

std::vector<LayerPanelRow> LayerPanel::Rows() const {
  const CCorvaneDoc& doc = view_.GetDocument();
  std::vector<LayerPanelRow> rows;
  const std::vector<PlotLayer>& layers = doc.Layers();
  for (std::size_t i = layers.size(); i-- > 0;) {
    const PlotLayer& layer = layers[i];
    rows.push_back({LayerPanelRow::Source::kLayer, static_cast<int32_t>(i),
                    std::string(PathFileName(layer.fileName)), Words(layer.function, "Plot file"),
                    layer.visible != 0, layer.color});
  }
  if (!doc.GetNcDrillFileName().empty()) {
    rows.push_back({LayerPanelRow::Source::kNcDrill, 0,
                    std::string(PathFileName(doc.GetNcDrillFileName())),
                    Words(doc.GetNcDrillFunction(), "Drill"), doc.GetShowDrillHoles() != 0,
                    doc.GetNcDrillColor()});
  }
  for (std::size_t k = 0; k < doc.DrillFiles().size(); ++k) {
    const DrillFileEntry& entry = doc.DrillFiles()[k];
    rows.push_back({LayerPanelRow::Source::kDrillFile, static_cast<int32_t>(k),
                    std::string(PathFileName(entry.fileName)), Words(entry.function, "Drill"),
                    entry.visible != 0, entry.color});
  }
  return rows;
}

void LayerPanel::SetVisible(std::size_t row, bool visible) {
  const std::vector<LayerPanelRow> rows = Rows();
  if (row >= rows.size()) return;
  CCorvaneDoc& doc = view_.GetDocument();
  const LayerPanelRow& r = rows[row];
  switch (r.source) {
    case LayerPanelRow::Source::kLayer: {
      std::vector<int32_t> shown;
      for (int32_t i = 0; i < doc.GetLayerCount(); ++i) {
        const bool on = i == r.index ? visible : doc.IsLayerVisible(i) != 0;
        if (on) shown.push_back(i);
      }
      const PanelChoice choice(std::move(shown), doc.GetShowDrillHoles());
      const LayerVisibilityChoice* open = view_.VisibilityDialog();
      view_.SetVisibilityDialog(&choice);
      view_.ApplyLayerVisibility();
      view_.SetVisibilityDialog(open);
      return;
    }
    case LayerPanelRow::Source::kNcDrill:
      doc.SetShowDrillHoles(visible ? 1 : 0);
      break;
    case LayerPanelRow::Source::kDrillFile:
      doc.MutableDrillFiles()[static_cast<std::size_t>(r.index)].visible = visible ? 1 : 0;
      break;
  }
  view_.RedrawView();
}

void LayerPanel::ChooseColor(std::size_t row) {
  const std::vector<LayerPanelRow> rows = Rows();
  if (row >= rows.size()) return;
  CCorvaneDoc& doc = view_.GetDocument();
  const LayerPanelRow& r = rows[row];
  if (r.source == LayerPanelRow::Source::kLayer) {
    CGerberFilesDlg dialog(&doc, &prompter_, store_);
    for (const PlotLayer& layer : doc.Layers()) dialog.AddEntry(layer);
    dialog.OnSelChange(r.index);
    dialog.OnColorPicture();
    const uint32_t chosen = dialog.Entries()[static_cast<std::size_t>(r.index)].color;
    if (chosen == r.color) return;
    PlotLayer layer;
    doc.GetLayer(r.index, layer);
    layer.color = chosen;
    doc.SetLayer(r.index, layer);
  } else {
    CustomColors custom{};
    custom.fill(kDefaultCustomColor);
    if (store_ != nullptr) custom = LoadCustomColors(*store_);
    const std::optional<uint32_t> chosen = prompter_.ChooseColor(custom);
    if (!chosen) return;
    if (store_ != nullptr) SaveCustomColors(*store_, custom);
    const uint32_t color = *chosen & 0xFFFFFFu;
    if (r.source == LayerPanelRow::Source::kNcDrill) {
      doc.SetNcDrillColor(color);
    } else {
      doc.MutableDrillFiles()[static_cast<std::size_t>(r.index)].color = color;
    }
  }
  doc.SetModified(true);
  view_.RedrawView();
}

bool LayerPanel::CanMove(std::size_t from, std::size_t to) const {
  const auto layers = static_cast<std::size_t>(view_.GetDocument().GetLayerCount());
  return from < layers && to < layers && from != to;
}

bool LayerPanel::MoveRow(std::size_t from, std::size_t to) {
  if (!CanMove(from, to)) return false;
  CCorvaneDoc& doc = view_.GetDocument();
  const int32_t count = doc.GetLayerCount();
  // Rows run front first, the document's layers back first.
  const int32_t source = count - 1 - static_cast<int32_t>(from);
  const int32_t target = count - 1 - static_cast<int32_t>(to);
  CGerberFilesDlg dialog(&doc, &prompter_, store_);
  std::vector<int32_t> visible;
  for (const PlotLayer& layer : doc.Layers()) {
    dialog.AddEntry(layer);
    visible.push_back(layer.visible);
  }
  dialog.OnSelChange(source);
  for (int32_t at = source; at != target; at += target > at ? 1 : -1) {
    if (target > at) {
      dialog.OnMoveDown();
      std::swap(visible[static_cast<std::size_t>(at)], visible[static_cast<std::size_t>(at + 1)]);
    } else {
      dialog.OnMoveUp();
      std::swap(visible[static_cast<std::size_t>(at)], visible[static_cast<std::size_t>(at - 1)]);
    }
  }
  doc.RemoveAllLayers();
  for (const PlotLayer& entry : dialog.Entries()) doc.AddLayer(entry);
  {
    WaitCursor wait(&prompter_);
    loader_.ReloadAll();
  }
  // A reload shows every layer again; the panel keeps what the user hid.
  if (doc.GetLayerCount() == count) {
    for (int32_t i = 0; i < count; ++i) doc.SetLayerVisible(i, visible[static_cast<std::size_t>(i)]);
  }
  doc.SetModified(true);
  view_.RedrawView();
  return true;
}

}  // namespace corvane
