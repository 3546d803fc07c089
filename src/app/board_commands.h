#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "analysis/board_style.h"
#include "view/board_renderer.h"

namespace corvane {

class CCorvaneView;
class CommandTarget;
class LayerGeometryCache;
class Prompter;
class SettingsStore;
class StandardModelCache;

// View > Board Top, Board Bottom and Plot Layers, and the board's colours.
// A board side's picture is composed when it is first shown for a working
// set (from the geometry already built where there is some), again after
// every reload or change of colour, and what it lacked or assumed is said
// once in the status bar.
class BoardCommands {
 public:
  using StatusSink = std::function<void(std::string_view)>;

  using GeometrySource = std::function<LayerGeometryCache*()>;
  // Nothing is owned; all outlive the commands. `geometry` gives the layers'
  // geometry cache, or null: the picture then builds what it needs itself.
  BoardCommands(CCorvaneView& view, StandardModelCache& models, GeometrySource geometry,
                SettingsStore& store, Prompter& prompter, StatusSink status);
  void Register(CommandTarget& viewTarget);

  void Show(ViewPicture picture);
  // The next colour of that paint, stored, and the picture composed again.
  void NextColor(BoardPaint paint);
  void TogglePaste();
  // A reload since the picture was composed makes it anew.
  void OnIdle();

  const BoardStyle& Style() const { return style_; }
  // "Mask: green, finish: gold, silkscreen: white"
  std::string StyleInWords() const;

 private:
  void Compose(BoardSide side);
  void Recompose();

  CCorvaneView& view_;
  StandardModelCache& models_;
  GeometrySource geometry_;
  SettingsStore& store_;
  Prompter& prompter_;
  StatusSink status_;
  BoardStyle style_;
  // The model generation each side's picture was composed from; 0: none.
  uint64_t composed_[2] = {0, 0};
};

}  // namespace corvane
