#include "dialogs/gerber_files_dlg.h"

#include <cstdio>
#include <utility>

#include "dialogs/data_exchange.h"
#include "dialogs/file_request.h"
#include "document/corvane_doc.h"
#include "platform/settings_store.h"
#include "text/path_parts.h"

namespace corvane {
namespace {

std::string CustomColorKey(std::size_t index) {
  char key[16];
  std::snprintf(key, sizeof key, "Color%d", static_cast<int>(index));
  return key;
}

}  // namespace

CustomColors LoadCustomColors(const SettingsStore& store) {
  CustomColors colors{};
  for (std::size_t i = 0; i < colors.size(); ++i) {
    colors[i] = static_cast<uint32_t>(store.ReadInt(kSectionCustom, CustomColorKey(i),
                                                    static_cast<int32_t>(kDefaultCustomColor)));
  }
  return colors;
}

void SaveCustomColors(SettingsStore& store, const CustomColors& colors) {
  for (std::size_t i = 0; i < colors.size(); ++i) {
    store.WriteInt(kSectionCustom, CustomColorKey(i), static_cast<int32_t>(colors[i]));
  }
}

void CGerberFilesDlg::OnInitDialog(int32_t listWidth, TextWidthFunction measure) {
  listWidth_ = listWidth;
  measure_ = std::move(measure);
  for (int32_t i = 0; i < kPaletteSize; ++i) {
    colors_.AddColor(CCorvaneDoc::DefaultLayerColor(i), std::string(CCorvaneDoc::ColorName(i)));
  }
  if (doc_ != nullptr) chooserDirectory_ = doc_->GetDocumentDirectory();
  FillList();
  ShowControlValues();
}

std::optional<int32_t> CGerberFilesDlg::TakeFocusRequest() {
  return std::exchange(focusRequest_, std::nullopt);
}

bool CGerberFilesDlg::Commit() {
  DataExchange exchange(prompter_);
  exchange.Integer(kOffsetXId, offsetXText_, offsetX_);
  exchange.Integer(kOffsetYId, offsetYText_, offsetY_);
  if (exchange.Failed()) focusRequest_ = exchange.FailedControl();
  if (IsEntry(shown_)) {
    PlotLayer& entry = entries_[static_cast<std::size_t>(shown_)];
    entry.offsetX = offsetX_;
    entry.offsetY = offsetY_;
  }
  return !exchange.Failed();
}

void CGerberFilesDlg::ShowControlValues() {
  offsetXText_ = std::to_string(offsetX_);
  offsetYText_ = std::to_string(offsetY_);
}

void CGerberFilesDlg::FillList() {
  lines_.clear();
  lines_.reserve(entries_.size());
  for (const PlotLayer& entry : entries_) {
    lines_.push_back(measure_ ? ShortenPathToFit(entry.fileName, listWidth_, measure_)
                              : entry.fileName);
  }
  selection_ = -1;
  ++listRevision_;
}

void CGerberFilesDlg::OnSelChange(int32_t line) {
  // A field that holds no integer keeps the shown entry's old offset; the
  // new selection goes ahead, as the list has already moved.
  Commit();
  selection_ = IsEntry(line) ? line : -1;
  if (IsEntry(selection_)) {
    const PlotLayer& entry = entries_[static_cast<std::size_t>(selection_)];
    colors_.SetColor(entry.color);
    mirrorX_ = entry.mirrorOnXAxis;
    mirrorY_ = entry.mirrorOnYAxis;
    offsetX_ = entry.offsetX;
    offsetY_ = entry.offsetY;
  }
  shown_ = selection_;
  ShowControlValues();
}

void CGerberFilesDlg::OnMirrorXClicked(bool checked) {
  mirrorX_ = checked ? 1 : 0;
  if (IsEntry(selection_)) entries_[static_cast<std::size_t>(selection_)].mirrorOnXAxis = mirrorX_;
}

void CGerberFilesDlg::OnMirrorYClicked(bool checked) {
  mirrorY_ = checked ? 1 : 0;
  if (IsEntry(selection_)) entries_[static_cast<std::size_t>(selection_)].mirrorOnYAxis = mirrorY_;
}

void CGerberFilesDlg::OnAddFile() {
  if (!Commit() || doc_ == nullptr || prompter_ == nullptr) return;
  const std::string& ext = doc_->Settings().gerberFileExt;
  FileChooserRequest request = OpenFileRequest(kFilter, ext, chooserDirectory_);
  request.filter = WithTodaysExtensions(request.filter, FileFamily::kPlot);
  const auto path = prompter_->ChooseFile(request);
  if (!path) return;
  PlotLayer entry;
  entry.fileName = *path;
  // The first ten files get the palette in turn, every further one black.
  entry.color = CCorvaneDoc::DefaultLayerColor(static_cast<int32_t>(entries_.size()));
  entry.mirrorOnXAxis = mirrorX_;
  entry.mirrorOnYAxis = mirrorY_;
  entry.offsetX = offsetX_;
  entry.offsetY = offsetY_;
  entry.visible = 1;
  entries_.push_back(std::move(entry));
  chooserDirectory_ = std::string(PathFolder(*path));
  FillList();
}

void CGerberFilesDlg::OnRemove() {
  if (!IsEntry(selection_)) return;
  entries_.erase(entries_.begin() + selection_);
  shown_ = -1;
  // The mirror boxes keep their state for the next file added.
  offsetX_ = 0;
  offsetY_ = 0;
  FillList();
  ShowControlValues();
}

void CGerberFilesDlg::Move(int32_t step) {
  if (!Commit() || !IsEntry(selection_) || !IsEntry(selection_ + step)) return;
  const int32_t to = selection_ + step;
  std::swap(entries_[static_cast<std::size_t>(selection_)], entries_[static_cast<std::size_t>(to)]);
  FillList();
  // The offset fields stay bound to the entry that moved.
  selection_ = to;
  shown_ = to;
}

void CGerberFilesDlg::OnColorSelChange(int32_t index) {
  colors_.SelectIndex(index);
  if (index < 0 || index >= colors_.GetCount() || !IsEntry(selection_)) return;
  entries_[static_cast<std::size_t>(selection_)].color = RgbValue(colors_.GetItemColor(index));
}

void CGerberFilesDlg::OnColorPicture() {
  if (prompter_ == nullptr) return;
  CustomColors custom{};
  custom.fill(kDefaultCustomColor);
  if (store_ != nullptr) custom = LoadCustomColors(*store_);
  const std::optional<uint32_t> chosen = prompter_->ChooseColor(custom);
  if (!chosen) return;
  if (store_ != nullptr) SaveCustomColors(*store_, custom);
  if (!IsEntry(selection_)) return;
  const uint32_t color = *chosen & 0xFFFFFFu;
  entries_[static_cast<std::size_t>(selection_)].color = color;
  colors_.SetColor(color);
}

}  // namespace corvane
