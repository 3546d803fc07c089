#pragma once

#include <cstdint>
#include <functional>
#include <memory>
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
class UiThreadPoster;

// View > Board Top, Board Bottom and Plot Layers, and the board's colours.
// A board side's picture is composed when it is first shown for a working
// set, again after every reload or change of colour, and what it lacked or
// assumed is said once in the status bar.
//
// With a poster (the window), the picture is composed on a worker thread
// from the geometry cache's layers, once they are built there: the view
// shows the layers meanwhile and stays usable, the status bar says that the
// picture is being composed, and a picture that arrives after a reload or a
// change of colour is dropped. Without one (tests, headless), it is composed
// at once, building what geometry it needs.
class BoardCommands {
 public:
  using StatusSink = std::function<void(std::string_view)>;

  using GeometrySource = std::function<LayerGeometryCache*()>;
  // Nothing is owned; all outlive the commands. `geometry` gives the layers'
  // geometry cache, or null: the picture then builds what it needs itself.
  BoardCommands(CCorvaneView& view, StandardModelCache& models, GeometrySource geometry,
                SettingsStore& store, Prompter& prompter, StatusSink status);
  ~BoardCommands();
  BoardCommands(const BoardCommands&) = delete;
  BoardCommands& operator=(const BoardCommands&) = delete;
  void Register(CommandTarget& viewTarget);
  // From now on pictures are composed on a worker thread; results come back
  // through `poster`, which outlives the commands.
  void SetPoster(UiThreadPoster* poster);
  // A picture is being composed (or waits for its layers' geometry).
  bool Composing() const;
  // Blocks until the worker has nothing left to do. For tests.
  void WaitForWorker();

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
  struct Worker;
  struct Pending;

  void Compose(BoardSide side);
  void ComposeNow(BoardSide side);
  void ComposeLater(BoardSide side);
  void Launch(const std::shared_ptr<Pending>& pending);
  void Deliver(BoardSide side, uint64_t ticket, std::shared_ptr<BoardPicture> picture);
  void Recompose();
  void Say(std::string_view text);

  CCorvaneView& view_;
  StandardModelCache& models_;
  GeometrySource geometry_;
  SettingsStore& store_;
  Prompter& prompter_;
  StatusSink status_;
  BoardStyle style_;
  // The model generation each side's picture was composed from; 0: none.
  uint64_t composed_[2] = {0, 0};
  UiThreadPoster* poster_ = nullptr;
  // Each side's latest composing; what an older one gives is dropped.
  uint64_t tickets_[2] = {0, 0};
  bool composing_[2] = {false, false};
  // "Composing..." is the last thing said.
  bool composingSaid_ = false;
  // What posted results reach; gone with the commands.
  std::shared_ptr<BoardCommands*> self_;
  std::unique_ptr<Worker> worker_;
};

}  // namespace corvane
