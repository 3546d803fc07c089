#include "app/layer_geometry_cache.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "loading/standard_model_cache.h"
#include "platform/ui_thread_poster.h"
#include "temp_folder.h"

namespace corvane {
namespace {

PlotLayer Layer(const std::string& path) {
  PlotLayer layer;
  layer.fileName = path;
  return layer;
}

// Two layers loaded through a loader, their geometry built on the cache's
// worker and delivered through a poster the test runs by hand.
class LayerGeometryCacheTest : public ::testing::Test {
 protected:
  LayerGeometryCacheTest() : loader(doc), models(loader) {
    one = folder.Write("one.gbr", "%FSLAX24Y24*%%MOIN*%%ADD10C,0.1*%D10*X0Y0D03*X10000Y0D03*");
    two = folder.Write("two.gbr", "%FSLAX24Y24*%%MOIN*%%ADD10R,0.2X0.1*%D10*X0Y0D03*");
    EXPECT_TRUE(loader.LoadGerberLayer(Layer(one)));
    EXPECT_TRUE(loader.LoadGerberLayer(Layer(two)));
  }

  // Lets the worker finish and the window's thread take its results.
  std::size_t Settle(LayerGeometryCache& cache) {
    cache.WaitForWorker();
    return poster.RunPending();
  }

  TempFolder folder;
  std::string one;
  std::string two;
  CCorvaneDoc doc;
  DocumentLoader loader;
  StandardModelCache models;
  QueuedPoster poster;
};

TEST_F(LayerGeometryCacheTest, BuildsOnTheWorkerAndTellsTheWindowsThread) {
  LayerGeometryCache cache(models, poster);
  std::vector<LayerGeometryCache::Built> told;
  EXPECT_EQ(cache.Request(0, [&](const LayerGeometryCache::Built& b) { told.push_back(b); }),
            nullptr);
  EXPECT_EQ(cache.Request(0, [&](const LayerGeometryCache::Built& b) { told.push_back(b); }),
            nullptr);
  EXPECT_TRUE(cache.Building());
  cache.WaitForWorker();
  EXPECT_TRUE(told.empty()) << "nothing reaches the caller off the window's thread";
  EXPECT_EQ(poster.RunPending(), 1u) << "one build for both requests";
  ASSERT_EQ(told.size(), 2u);
  ASSERT_NE(told[0], nullptr);
  EXPECT_EQ(told[0], told[1]);
  EXPECT_EQ(told[0]->geometry.islands.size(), 2u);
  ASSERT_NE(told[0]->index, nullptr);
  EXPECT_EQ(told[0]->index->ObjectsAt({0, 0}).size(), 1u);
  EXPECT_FALSE(cache.Building());
  // Kept: asked again, it answers at once and builds nothing.
  EXPECT_EQ(cache.Request(0), told[0]);
  EXPECT_EQ(cache.Find(0), told[0]);
  EXPECT_EQ(cache.Find(1), nullptr);
  EXPECT_EQ(Settle(cache), 0u);
  EXPECT_EQ(cache.Request(7), nullptr) << "no such layer";
  EXPECT_FALSE(cache.Building());
}

TEST_F(LayerGeometryCacheTest, AReloadDropsWhatWasBuiltAndWhatWasBuilding) {
  LayerGeometryCache cache(models, poster);
  cache.RequestAll();
  EXPECT_EQ(Settle(cache), 2u);
  const LayerGeometryCache::Built before = cache.Find(1);
  ASSERT_NE(before, nullptr);
  EXPECT_EQ(before->geometry.islands.size(), 1u);

  // A build asked for, then the document reloads before its result arrives.
  int stale = 0;
  loader.ReloadAll();
  cache.Request(0, [&](const LayerGeometryCache::Built&) { ++stale; });
  cache.WaitForWorker();
  folder.Write("one.gbr", "%FSLAX24Y24*%%MOIN*%%ADD10C,0.1*%D10*X0Y0D03*");
  loader.ReloadAll();
  EXPECT_EQ(cache.Find(1), nullptr) << "the old model's geometry is gone";
  poster.RunPending();
  EXPECT_EQ(stale, 0) << "a result for an older model is dropped";
  EXPECT_EQ(cache.Find(0), nullptr);
  int fresh = 0;
  cache.Request(0, [&](const LayerGeometryCache::Built& b) {
    ++fresh;
    EXPECT_EQ(b->geometry.islands.size(), 1u);
  });
  Settle(cache);
  EXPECT_EQ(fresh, 1);
  // The old result still holds the model it was made from.
  EXPECT_EQ(before->Layer().geometry.objects.size(), 1u);
  EXPECT_EQ(before->index->ObjectsAt({0, 0}).size(), 1u);
}

TEST_F(LayerGeometryCacheTest, ALongBuildSaysSoInTheStatusBar) {
  std::string body = "%FSLAX24Y24*%%MOIN*%%ADD10C,0.004*%D10*";
  for (std::size_t i = 0; i < kLongGeometryBuildObjects; ++i) {
    body += "X" + std::to_string(i % 1000 * 100) + "Y" + std::to_string(i / 1000 * 100) + "D03*";
  }
  const std::string big = folder.Write("big.gbr", body);
  ASSERT_TRUE(loader.LoadGerberLayer(Layer(big)));
  LayerGeometryCache cache(models, poster);
  std::vector<std::string> texts;
  cache.SetStatusSink([&](std::string_view text) { texts.emplace_back(text); });
  cache.Request(0);
  cache.Request(2);
  Settle(cache);
  EXPECT_EQ(texts, (std::vector<std::string>{"Building the geometry of big.gbr...", ""}));
  ASSERT_NE(cache.Find(2), nullptr);
  EXPECT_EQ(cache.Find(2)->geometry.islands.size(), kLongGeometryBuildObjects);
}

TEST_F(LayerGeometryCacheTest, GoingAwayWhileBuildingIsSafe) {
  {
    LayerGeometryCache cache(models, poster);
    cache.RequestAll();
  }
  // Whatever the worker posted before it stopped finds no cache and does nothing.
  poster.RunPending();
  SUCCEED();
}

}  // namespace
}  // namespace corvane
