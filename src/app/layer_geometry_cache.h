#pragma once

// The window's layer geometry: built on first use on a worker thread, kept
// with the standard model until the document reloads (Reload All, offsets,
// format changes all bump the model's generation), never built on the
// window's thread. The window keeps painting while a build runs; a long build
// says so in the status bar; whoever asked is told on the window's thread
// when it is ready.
//
// Everything here is called on the window's thread. A build holds the load it
// reads (a shared pointer), so a reload while it runs frees nothing under it;
// its result is dropped when the generation has changed meanwhile.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "geometry/geometry_index.h"
#include "geometry/layer_geometry.h"
#include "loading/standard_loader.h"

namespace corvane {

class StandardModelCache;
class UiThreadPoster;

// One layer's geometry with what it was made from.
struct BuiltLayerGeometry {
  std::shared_ptr<const StandardLoad> load;
  uint64_t generation = 0;
  std::size_t layer = 0;  // index into load->model.layers
  LayerGeometry geometry;
  // Over the layer and `geometry`; null when the build did not complete.
  std::unique_ptr<GeometryIndex> index;

  const StandardLayer& Layer() const { return load->model.layers[layer]; }
};

// Layers of at least this many objects are a long build: the status bar says
// that it is running.
inline constexpr std::size_t kLongGeometryBuildObjects = 50'000;

class LayerGeometryCache {
 public:
  using Built = std::shared_ptr<const BuiltLayerGeometry>;
  using Ready = std::function<void(const Built&)>;
  using StatusSink = std::function<void(std::string_view)>;

  // Both outlive the cache.
  LayerGeometryCache(StandardModelCache& models, UiThreadPoster& poster);
  // Cancels what is building and waits for the worker to stop.
  ~LayerGeometryCache();
  LayerGeometryCache(const LayerGeometryCache&) = delete;
  LayerGeometryCache& operator=(const LayerGeometryCache&) = delete;

  // The geometry of layer `layer` of the current model when it is built;
  // otherwise null, a build is started (once, however often it is asked
  // for), and `ready`, when given, runs on the window's thread when it is
  // done, unless the model has been read again before.
  Built Request(std::size_t layer, Ready ready = {});
  // Starts the builds of every layer not built yet.
  void RequestAll();
  // The built geometry of `layer` of the current model, or null; starts nothing.
  Built Find(std::size_t layer);
  // A build is waiting or running for the current model.
  bool Building() const;

  // Receives "Building the geometry of <file>..." when a long build starts
  // and an empty text when the last one has ended.
  void SetStatusSink(StatusSink sink) { status_ = std::move(sink); }

  // Blocks until the worker has nothing left to do (its results may still
  // wait in the poster). For tests.
  void WaitForWorker();

 private:
  struct Job;
  struct Worker;
  struct Window;

  // Drops what belongs to an older model; returns the current load.
  std::shared_ptr<const StandardLoad> Sync();
  void Enqueue(std::size_t layer, const std::shared_ptr<const StandardLoad>& load);
  static void Deliver(Window& window, const std::shared_ptr<BuiltLayerGeometry>& built,
                      bool cancelled, bool longBuild);

  StandardModelCache& models_;
  UiThreadPoster& poster_;
  StatusSink status_;
  std::shared_ptr<Window> window_;
  std::shared_ptr<Worker> worker_;
};

}  // namespace corvane
