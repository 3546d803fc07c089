#include "app/board_commands.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "app/command_ids.h"
#include "app/command_router.h"
#include "app/layer_geometry_cache.h"
#include "loading/standard_model_cache.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "platform/ui_thread_poster.h"
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

std::string ComposingText(BoardSide side) {
  return std::string("Composing the board picture of the ") +
         (side == BoardSide::kTop ? "top" : "bottom") + " side...";
}

// What the picture lacked or assumed, in one line.
std::string NotesOf(const BoardPicture& picture) {
  std::string said;
  for (const std::string& note : picture.notes) said += (said.empty() ? "" : "; ") + note;
  if (picture.Empty() && said.empty()) said = "The working set draws no board";
  return said;
}

}  // namespace

// One thread that composes pictures in the order asked for.
struct BoardCommands::Worker {
  std::mutex mutex;
  std::condition_variable wake;
  std::condition_variable idle;
  std::deque<std::function<void()>> jobs;
  bool running = false;
  bool stop = false;
  std::thread thread;

  void Add(std::function<void()> job) {
    const std::lock_guard<std::mutex> lock(mutex);
    jobs.push_back(std::move(job));
    wake.notify_all();
    if (!thread.joinable()) thread = std::thread([this] { Run(); });
  }
  void Run() {
    while (true) {
      std::function<void()> job;
      {
        std::unique_lock<std::mutex> wait(mutex);
        wake.wait(wait, [&] { return stop || !jobs.empty(); });
        if (stop) break;
        job = std::move(jobs.front());
        jobs.pop_front();
        running = true;
      }
      job();
      {
        const std::lock_guard<std::mutex> lock(mutex);
        running = false;
      }
      idle.notify_all();
    }
  }
  ~Worker() {
    {
      const std::lock_guard<std::mutex> lock(mutex);
      stop = true;
      jobs.clear();
    }
    wake.notify_all();
    if (thread.joinable()) thread.join();
  }
};

// A picture waiting for its layers' geometry, then composed from it.
struct BoardCommands::Pending {
  BoardSide side = BoardSide::kTop;
  uint64_t ticket = 0;
  std::shared_ptr<const StandardLoad> load;
  BoardStyle style;
  std::vector<uint32_t> layers;
  std::vector<std::shared_ptr<const BuiltLayerGeometry>> geometry;  // by model layer
  std::size_t missing = 0;
};

BoardCommands::BoardCommands(CCorvaneView& view, StandardModelCache& models,
                             GeometrySource geometry, SettingsStore& store, Prompter& prompter,
                             StatusSink status)
    : view_(view),
      models_(models),
      geometry_(std::move(geometry)),
      store_(store),
      prompter_(prompter),
      status_(std::move(status)),
      style_(StoredBoardStyle(&store)),
      self_(std::make_shared<BoardCommands*>(this)) {}

BoardCommands::~BoardCommands() {
  // Nothing posted may reach the commands now; the worker finishes its job.
  self_.reset();
  worker_.reset();
}

void BoardCommands::SetPoster(UiThreadPoster* poster) { poster_ = poster; }

void BoardCommands::Say(std::string_view text) {
  composingSaid_ = false;
  if (status_) status_(text);
}

bool BoardCommands::Composing() const { return composing_[0] || composing_[1]; }

void BoardCommands::WaitForWorker() {
  if (worker_ == nullptr) return;
  std::unique_lock<std::mutex> wait(worker_->mutex);
  worker_->idle.wait(wait, [&] { return worker_->jobs.empty() && !worker_->running; });
}

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
    const int s = static_cast<int>(side);
    // A picture on its way is not asked for again.
    if (composed_[s] != models_.Generation() ||
        (view_.GetBoardPicture(side) == nullptr && !composing_[s])) {
      Compose(side);
    }
  }
  view_.OnInitialUpdate();
  view_.RedrawView();
}

void BoardCommands::Compose(BoardSide side) {
  LayerGeometryCache* cache = geometry_ ? geometry_() : nullptr;
  if (poster_ != nullptr && cache != nullptr) {
    ComposeLater(side);
  } else {
    ComposeNow(side);
  }
}

void BoardCommands::ComposeNow(BoardSide side) {
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
  ++tickets_[static_cast<int>(side)];
  composing_[static_cast<int>(side)] = false;
  const std::string said = NotesOf(*picture);
  view_.SetBoardPicture(side, picture->Empty() ? nullptr : std::move(picture));
  composed_[static_cast<int>(side)] = generation;
  if (!said.empty()) Say(said);
}

void BoardCommands::ComposeLater(BoardSide side) {
  LayerGeometryCache& cache = *geometry_();
  auto pending = std::make_shared<Pending>();
  pending->side = side;
  pending->ticket = ++tickets_[static_cast<int>(side)];
  pending->load = models_.Shared();
  pending->style = style_;
  composing_[static_cast<int>(side)] = true;
  composed_[static_cast<int>(side)] = models_.Generation();
  Say(ComposingText(side));
  composingSaid_ = true;
  const StandardModel& model = pending->load->model;
  pending->layers = BoardPictureLayers(model, FindBoardLayers(model), side);
  pending->geometry.resize(model.layers.size());
  pending->missing = pending->layers.size();
  const std::weak_ptr<BoardCommands*> self = self_;
  for (const uint32_t layer : pending->layers) {
    auto built = cache.Request(layer, [self, pending, layer](const LayerGeometryCache::Built& b) {
      const std::shared_ptr<BoardCommands*> commands = self.lock();
      if (commands == nullptr) return;
      pending->geometry[layer] = b;
      if (--pending->missing == 0) (*commands)->Launch(pending);
    });
    if (built != nullptr) {
      pending->geometry[layer] = std::move(built);
      --pending->missing;
    }
  }
  if (pending->missing == 0) Launch(pending);
}

void BoardCommands::Launch(const std::shared_ptr<Pending>& pending) {
  if (pending->ticket != tickets_[static_cast<int>(pending->side)]) return;
  if (worker_ == nullptr) worker_ = std::make_unique<Worker>();
  worker_->Add([pending, poster = poster_, self = std::weak_ptr<BoardCommands*>(self_)] {
    const StandardModel& model = pending->load->model;
    auto picture = std::make_shared<BoardPicture>(ComposeBoardPicture(
        model, FindBoardLayers(model), pending->side, pending->style,
        [&](uint32_t i) -> const LayerGeometry* {
          const auto& built = i < pending->geometry.size() ? pending->geometry[i] : nullptr;
          return built != nullptr && built->geometry.Complete() ? &built->geometry : nullptr;
        }));
    poster->Post([self, side = pending->side, ticket = pending->ticket, picture] {
      if (const std::shared_ptr<BoardCommands*> commands = self.lock())
        (*commands)->Deliver(side, ticket, picture);
    });
  });
}

void BoardCommands::Deliver(BoardSide side, uint64_t ticket,
                            std::shared_ptr<BoardPicture> picture) {
  const int s = static_cast<int>(side);
  if (ticket != tickets_[s]) return;
  composing_[s] = false;
  const std::string said = NotesOf(*picture);
  view_.SetBoardPicture(side, picture->Empty() ? nullptr : std::move(picture));
  // Said once: what the picture lacked, or else the end of "Composing..."
  // when that is still the last word, never over what was said since.
  if (!said.empty()) {
    Say(said);
  } else if (composingSaid_) {
    Say("");
  }
  if (view_.GetPicture() ==
      (side == BoardSide::kTop ? ViewPicture::kBoardTop : ViewPicture::kBoardBottom)) {
    view_.OnInitialUpdate();
    view_.RedrawView();
  }
}

void BoardCommands::Recompose() {
  composed_[0] = composed_[1] = 0;
  // What is on its way was made for what has changed.
  for (int s = 0; s < 2; ++s) {
    ++tickets_[s];
    composing_[s] = false;
  }
  view_.SetBoardPicture(BoardSide::kTop, nullptr);
  view_.SetBoardPicture(BoardSide::kBottom, nullptr);
  if (view_.GetPicture() != ViewPicture::kLayers) Show(view_.GetPicture());
}

void BoardCommands::NextColor(BoardPaint paint) {
  uint32_t& choice = style_.Choice(paint);
  choice = (choice + 1) % static_cast<uint32_t>(PaintChoices(paint).size());
  StoreBoardStyle(store_, style_);
  Recompose();
  Say(StyleInWords());
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
