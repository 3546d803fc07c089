#include "app/layer_geometry_cache.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "geometry/layer_geometry_builder.h"
#include "loading/standard_model_cache.h"
#include "platform/ui_thread_poster.h"
#include "text/path_parts.h"

namespace corvane {

struct LayerGeometryCache::Job {
  std::size_t layer = 0;
  std::shared_ptr<const StandardLoad> load;
  uint64_t generation = 0;
  std::shared_ptr<std::atomic<bool>> cancel;
};

// What the window's thread keeps; posted results reach it through a weak
// pointer, so a result that arrives after the cache has gone does nothing.
struct LayerGeometryCache::Window {
  uint64_t generation = 0;
  std::map<std::size_t, Built> built;
  std::map<std::size_t, std::vector<Ready>> waiting;
  std::set<std::size_t> pending;
  int longBuilds = 0;
  StatusSink* status = nullptr;
};

// Shared with the worker thread, under its mutex.
struct LayerGeometryCache::Worker {
  std::mutex mutex;
  std::condition_variable wake;
  std::condition_variable idle;
  std::deque<Job> queue;
  std::shared_ptr<std::atomic<bool>> runningCancel;
  bool running = false;
  bool stop = false;
  std::thread thread;
};

namespace {

std::string BuildingText(const StandardLayer& layer) {
  return "Building the geometry of " + std::string(PathFileName(layer.fileName)) + "...";
}

}  // namespace

LayerGeometryCache::LayerGeometryCache(StandardModelCache& models, UiThreadPoster& poster)
    : models_(models),
      poster_(poster),
      window_(std::make_shared<Window>()),
      worker_(std::make_shared<Worker>()) {
  window_->status = &status_;
}

LayerGeometryCache::~LayerGeometryCache() {
  {
    const std::lock_guard<std::mutex> lock(worker_->mutex);
    worker_->stop = true;
    for (Job& job : worker_->queue) *job.cancel = true;
    if (worker_->runningCancel) *worker_->runningCancel = true;
  }
  worker_->wake.notify_all();
  if (worker_->thread.joinable()) worker_->thread.join();
  window_->status = nullptr;
}

std::shared_ptr<const StandardLoad> LayerGeometryCache::Sync() {
  std::shared_ptr<const StandardLoad> load = models_.Shared();
  Window& window = *window_;
  if (models_.Generation() == window.generation) return load;
  window.generation = models_.Generation();
  window.built.clear();
  window.waiting.clear();
  window.pending.clear();
  {
    // What was asked of the old model is of no use now.
    const std::lock_guard<std::mutex> lock(worker_->mutex);
    for (Job& job : worker_->queue) *job.cancel = true;
    worker_->queue.clear();
    if (worker_->runningCancel) *worker_->runningCancel = true;
  }
  if (window.longBuilds > 0) {
    window.longBuilds = 0;
    if (status_) status_("");
  }
  return load;
}

LayerGeometryCache::Built LayerGeometryCache::Request(std::size_t layer, Ready ready) {
  const std::shared_ptr<const StandardLoad> load = Sync();
  if (load == nullptr || layer >= load->model.layers.size()) return nullptr;
  Window& window = *window_;
  const auto found = window.built.find(layer);
  if (found != window.built.end()) return found->second;
  if (ready) window.waiting[layer].push_back(std::move(ready));
  if (window.pending.insert(layer).second) Enqueue(layer, load);
  return nullptr;
}

void LayerGeometryCache::RequestAll() {
  const std::shared_ptr<const StandardLoad> load = Sync();
  if (load == nullptr) return;
  for (std::size_t layer = 0; layer < load->model.layers.size(); ++layer) Request(layer);
}

LayerGeometryCache::Built LayerGeometryCache::Find(std::size_t layer) {
  Sync();
  const auto found = window_->built.find(layer);
  return found == window_->built.end() ? nullptr : found->second;
}

bool LayerGeometryCache::Building() const { return !window_->pending.empty(); }

void LayerGeometryCache::Enqueue(std::size_t layer,
                                 const std::shared_ptr<const StandardLoad>& load) {
  const std::lock_guard<std::mutex> lock(worker_->mutex);
  worker_->queue.push_back(
      {layer, load, window_->generation, std::make_shared<std::atomic<bool>>(false)});
  worker_->wake.notify_all();
  if (worker_->thread.joinable()) return;
  const std::weak_ptr<Window> window = window_;
  worker_->thread = std::thread([worker = worker_.get(), &poster = poster_, window] {
    while (true) {
      Job job;
      {
        std::unique_lock<std::mutex> wait(worker->mutex);
        worker->wake.wait(wait, [&] { return worker->stop || !worker->queue.empty(); });
        if (worker->stop) break;
        job = std::move(worker->queue.front());
        worker->queue.pop_front();
        worker->running = true;
        worker->runningCancel = job.cancel;
      }
      const StandardLayer& layer = job.load->model.layers[job.layer];
      const bool longBuild = layer.geometry.objects.size() >= kLongGeometryBuildObjects;
      if (longBuild) {
        poster.Post([window, text = BuildingText(layer)] {
          const std::shared_ptr<Window> w = window.lock();
          if (w == nullptr) return;
          ++w->longBuilds;
          if (w->status != nullptr && *w->status) (*w->status)(text);
        });
      }
      auto built = std::make_shared<BuiltLayerGeometry>();
      built->load = job.load;
      built->generation = job.generation;
      built->layer = job.layer;
      GeometryBuildOptions options;
      options.cancel = job.cancel.get();
      built->geometry = BuildLayerGeometry(layer, options);
      if (built->geometry.Complete()) {
        built->index = std::make_unique<GeometryIndex>(layer, built->geometry);
      }
      const bool cancelled = job.cancel->load();
      poster.Post([window, built, cancelled, longBuild] {
        if (const std::shared_ptr<Window> w = window.lock())
          Deliver(*w, built, cancelled, longBuild);
      });
      {
        const std::lock_guard<std::mutex> lock(worker->mutex);
        worker->running = false;
        worker->runningCancel.reset();
      }
      worker->idle.notify_all();
    }
  });
}

void LayerGeometryCache::Deliver(Window& window, const std::shared_ptr<BuiltLayerGeometry>& built,
                                 bool cancelled, bool longBuild) {
  if (longBuild && window.longBuilds > 0 && --window.longBuilds == 0 && window.status != nullptr &&
      *window.status) {
    (*window.status)("");
  }
  if (cancelled || built->generation != window.generation) return;
  const Built result = built;
  window.built[built->layer] = result;
  window.pending.erase(built->layer);
  const auto waiting = window.waiting.find(built->layer);
  if (waiting == window.waiting.end()) return;
  const std::vector<Ready> callers = std::move(waiting->second);
  window.waiting.erase(waiting);
  for (const Ready& ready : callers) ready(result);
}

void LayerGeometryCache::WaitForWorker() {
  std::unique_lock<std::mutex> wait(worker_->mutex);
  worker_->idle.wait(wait, [&] { return worker_->queue.empty() && !worker_->running; });
}

}  // namespace corvane
