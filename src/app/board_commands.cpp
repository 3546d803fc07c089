#include "app/board_commands.h"

#include <memory>
#include <vector>

#include "app/command_ids.h"
#include "app/command_router.h"
#include "app/layer_geometry_cache.h"
#include "loading/standard_model_cache.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "view/board_style_store.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

BoardSide SideOf(ViewPicture picture) {
  return picture == ViewPicture::kBoardBottom ? BoardSide::kBottom : BoardSide::kTop;
}

std::string_view WordOf(BoardPaint paint, uint32_t index) {
  const std::span<const PaintChoice> choices = PaintChoices(paint);
  return choices[index < choices.size() ? index : 0].name;
}

}  // namespace

BoardCommands::BoardCommands(CCorvaneView& view, StandardModelCache& models,
                             GeometrySource geometry, SettingsStore& store,
                             Prompter& prompter, StatusSink status)
    : view_(view),
      models_(models),
      geometry_(std::move(geometry)),
      store_(store),
      prompter_(prompter),
      status_(std::move(status)),
      style_(StoredBoardStyle(&store)) {}

void BoardCommands::Register(CommandTarget& viewTarget) {
  const auto hasFiles = [this](int32_t, CommandUi& ui) {
    ui.enabled = !view_.GetDocument().IsEmpty();
  };
  const struct {
    int32_t id;
    ViewPicture picture;
  } pictures[] = {{kIdViewBoardTop, ViewPicture::kBoardTop},
                  {kIdViewBoardBottom, ViewPicture::kBoardBottom},
                  {kIdViewPlotLayers, ViewPicture::kLayers}};
  for (const auto& p : pictures) {
    viewTarget.On(
        p.id, [this, picture = p.picture](int32_t) { Show(picture); },
        [this, picture = p.picture](int32_t, CommandUi& ui) {
          ui.enabled = picture == ViewPicture::kLayers || !view_.GetDocument().IsEmpty();
          ui.checked = view_.GetPicture() == picture;
        });
  }
  viewTarget.On(kIdBoardMaskColor, [this](int32_t) { NextColor(BoardPaint::kMask); }, hasFiles);
  viewTarget.On(kIdBoardFinishColor, [this](int32_t) { NextColor(BoardPaint::kFinish); }, hasFiles);
  viewTarget.On(kIdBoardSilkColor, [this](int32_t) { NextColor(BoardPaint::kSilk); }, hasFiles);
  viewTarget.On(
      kIdBoardPaste, [this](int32_t) { TogglePaste(); },
      [this, hasFiles](int32_t id, CommandUi& ui) {
        hasFiles(id, ui);
        ui.checked = style_.paste;
      });
}

void BoardCommands::Show(ViewPicture picture) {
  view_.ShowPicture(picture);
  if (picture != ViewPicture::kLayers) {
    const BoardSide side = SideOf(picture);
    if (composed_[static_cast<int>(side)] != models_.Generation() ||
        view_.GetBoardPicture(side) == nullptr) {
      Compose(side);
    }
  }
  view_.OnInitialUpdate();
  view_.RedrawView();
}

void BoardCommands::Compose(BoardSide side) {
  WaitCursor wait(&prompter_);
  const StandardLoad& load = models_.Current();
  const uint64_t generation = models_.Generation();
  std::vector<std::shared_ptr<const BuiltLayerGeometry>> found(load.model.layers.size());
  if (LayerGeometryCache* cache = geometry_ ? geometry_() : nullptr) {
    for (std::size_t i = 0; i < found.size(); ++i) found[i] = cache->Find(i);
  }
  // What the cache has is used; the rest is built here, once.
  std::vector<LayerGeometry> own(load.model.layers.size());
  std::vector<bool> built(load.model.layers.size(), false);
  const BoardLayers layers = FindBoardLayers(load.model);
  auto picture = std::make_shared<BoardPicture>(ComposeBoardPicture(
      load.model, layers, side, style_, [&](uint32_t i) -> const LayerGeometry* {
        if (i >= own.size()) return nullptr;
        if (found[i] != nullptr && found[i]->geometry.Complete()) return &found[i]->geometry;
        if (!built[i]) own[i] = BuildLayerGeometry(load.model.layers[i]);
        built[i] = true;
        return own[i].Complete() ? &own[i] : nullptr;
      }));
  std::string said;
  for (const std::string& note : picture->notes) said += (said.empty() ? "" : "; ") + note;
  if (picture->Empty() && said.empty()) said = "The working set draws no board";
  view_.SetBoardPicture(side, picture->Empty() ? nullptr : std::move(picture));
  composed_[static_cast<int>(side)] = generation;
  if (status_ && !said.empty()) status_(said);
}

void BoardCommands::Recompose() {
  composed_[0] = composed_[1] = 0;
  view_.SetBoardPicture(BoardSide::kTop, nullptr);
  view_.SetBoardPicture(BoardSide::kBottom, nullptr);
  if (view_.GetPicture() != ViewPicture::kLayers) Show(view_.GetPicture());
}

void BoardCommands::NextColor(BoardPaint paint) {
  uint32_t& choice = style_.Choice(paint);
  choice = (choice + 1) % static_cast<uint32_t>(PaintChoices(paint).size());
  StoreBoardStyle(store_, style_);
  Recompose();
  if (status_) status_(StyleInWords());
}

void BoardCommands::TogglePaste() {
  style_.paste = !style_.paste;
  StoreBoardStyle(store_, style_);
  Recompose();
}

void BoardCommands::OnIdle() {
  if (view_.GetPicture() == ViewPicture::kLayers) return;
  const BoardSide side = SideOf(view_.GetPicture());
  if (composed_[static_cast<int>(side)] != 0 &&
      composed_[static_cast<int>(side)] != models_.Generation()) {
    Recompose();
  }
}

std::string BoardCommands::StyleInWords() const {
  return "Mask: " + std::string(WordOf(BoardPaint::kMask, style_.mask)) +
         ", finish: " + std::string(WordOf(BoardPaint::kFinish, style_.finish)) +
         ", silkscreen: " + std::string(WordOf(BoardPaint::kSilk, style_.silk));
}

}  // namespace corvane
