#include "loading/standard_loader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "loading/standard_model_cache.h"
#include "standard/file_kind.h"
#include "temp_folder.h"

namespace corvane {
namespace {

PlotLayer Layer(const std::string& path, uint32_t color) {
  PlotLayer layer;
  layer.fileName = path;
  layer.color = color;
  return layer;
}

TEST(StandardLoaderTest, EachLayerWithItsSettingsThenTheDrillFile) {
  TempFolder folder;
  const std::string pads = folder.Write("pads.gbr", "%FSLAX24Y24*%%ADD10C,0.1*%D10*X10000Y0D03*");
  const std::string drill = folder.Write("holes.drl", "M48\nINCH\nT1C0.04\n%\nT1\nX1.0Y1.0\n");
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  PlotLayer mirrored = Layer(pads, 0x00FF00);
  mirrored.mirrorOnYAxis = 1;
  mirrored.offsetX = 3000;
  ASSERT_TRUE(loader.LoadGerberLayer(mirrored));
  ASSERT_TRUE(loader.LoadGerberLayer(Layer(pads, 0xFF0000)));
  ASSERT_TRUE(loader.LoadNcDrillFile(drill));
  doc.SetShowDrillHoles(0);
  doc.SetLayerVisible(1, 0);

  const StandardLoad load = LoadStandardModel(doc, loader.SettingsBeforeGerberFiles());
  EXPECT_TRUE(load.unopened.empty());
  ASSERT_EQ(load.model.layers.size(), 3u);
  const StandardLayer& first = load.model.layers[0];
  EXPECT_EQ(first.color, 0x00FF00u);
  ASSERT_EQ(first.geometry.objects.size(), 1u);
  EXPECT_DOUBLE_EQ(first.geometry.objects[0].x0, 2.0);  // -1 + 3
  const StandardLayer& second = load.model.layers[1];
  EXPECT_EQ(second.visible, 0);
  EXPECT_DOUBLE_EQ(second.geometry.objects[0].x0, 1.0);
  const StandardLayer& holes = load.model.layers[2];
  EXPECT_EQ(holes.source, StandardSource::kExcellon);
  EXPECT_EQ(holes.color, kStandardDrillColor);
  EXPECT_EQ(holes.visible, 0);
  EXPECT_EQ(holes.fileName, drill);
  EXPECT_DOUBLE_EQ(load.model.Extents().maxX, 2.05);
}

// The classic reading lets an FS change the document's format for the files
// after it; the standard reading of a file without FS takes the format as it
// stood before the load read any Gerber file.
TEST(StandardLoaderTest, AnFsInOneFileLeavesTheNextFilesFormatAlone) {
  TempFolder folder;
  const std::string modern =
      folder.Write("modern.gbr", "%FSLAX26Y26*%%MOIN*%%ADD10C,0.1*%D10*X1000000Y0D03*");
  const std::string legacy = folder.Write("legacy.gbr", "D10*X10000Y0D03*");
  const std::string table = folder.Write("table.apr", "D10 CIRCLE 10\r\n");
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  ASSERT_TRUE(loader.LoadGerberLayer(Layer(modern, 0)));
  ASSERT_TRUE(loader.LoadGerberLayer(Layer(legacy, 0)));
  ASSERT_TRUE(loader.LoadApertureFile(table));
  ASSERT_EQ(doc.Settings().gerberXFormat.decDigits, 6);
  EXPECT_EQ(loader.SettingsBeforeGerberFiles().gerberXFormat.decDigits, 4);

  const StandardLoad load = LoadStandardModel(doc, loader.SettingsBeforeGerberFiles());
  ASSERT_EQ(load.model.layers.size(), 2u);
  EXPECT_DOUBLE_EQ(load.model.layers[0].geometry.objects[0].x0, 1.0);
  ASSERT_EQ(load.model.layers[1].geometry.objects.size(), 1u);
  EXPECT_DOUBLE_EQ(load.model.layers[1].geometry.objects[0].x0, 1.0);
  EXPECT_EQ(load.model.layers[1].apertures[0].origin, ApertureOrigin::kTable);

  // A clear starts a new load: the settings stand as they are then.
  loader.ClearAll();
  EXPECT_EQ(loader.SettingsBeforeGerberFiles().gerberXFormat.decDigits, 6);
}

TEST(StandardLoaderTest, FilesGoneSinceTheLoadAreListedAndLeftOut) {
  TempFolder folder;
  const std::string kept = folder.Write("kept.gbr", "%FSLAX24Y24*%%ADD10C,0.1*%D10*X0Y0D03*");
  const std::string gone = folder.Write("gone.gbr", "%FSLAX24Y24*%");
  const std::string drill = folder.Write("gone.drl", "T1C0.1\nX1.0Y0\n");
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  ASSERT_TRUE(loader.LoadGerberLayer(Layer(gone, 0)));
  ASSERT_TRUE(loader.LoadGerberLayer(Layer(kept, 0)));
  ASSERT_TRUE(loader.LoadNcDrillFile(drill));
  std::remove(gone.c_str());
  std::remove(drill.c_str());

  const StandardLoad load = LoadStandardModel(doc, doc.Settings());
  EXPECT_EQ(load.unopened, (std::vector<std::string>{gone, drill}));
  ASSERT_EQ(load.model.layers.size(), 1u);
  EXPECT_EQ(load.model.layers[0].fileName, kept);
}

// A plot file's layer is read as Excellon when its content is, in the layer's
// colour, and keeps its place among the document's layers.
TEST(StandardLoaderTest, AnExcellonFileNamedAsAPlotFileIsRecognisedByItsContent) {
  TempFolder folder;
  const std::string drill = folder.Write("holes.txt", "M48\nMETRIC\nT1C1.0\n%\nT1\nX25.4Y0\nM30\n");
  const std::string pads = folder.Write("pads.gbr", "%FSLAX24Y24*%%ADD10C,0.1*%D10*X0Y0D03*");
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  ASSERT_TRUE(loader.LoadGerberLayer(Layer(drill, 0x00FF00)));
  ASSERT_TRUE(loader.LoadGerberLayer(Layer(pads, 0xFF0000)));
  const StandardLoad load = LoadStandardModel(doc, loader.SettingsBeforeGerberFiles());
  ASSERT_EQ(load.model.layers.size(), 2u);
  EXPECT_EQ(load.model.layers[0].source, StandardSource::kExcellon);
  EXPECT_EQ(load.model.layers[0].color, 0x00FF00u);
  ASSERT_EQ(load.model.layers[0].geometry.objects.size(), 1u);
  EXPECT_NEAR(load.model.layers[0].geometry.objects[0].x0, 1.0, 1e-9);
  EXPECT_EQ(load.model.layers[1].source, StandardSource::kGerber);
  EXPECT_EQ(load.documentLayers, (std::vector<int32_t>{0, 1}));
}

struct KindRow {
  const char* text;
  bool excellon;
};

TEST(FileKindTest, ExcellonByHeaderOrDrillWordsGerberByStatements) {
  const KindRow rows[] = {
      {"M48\nINCH,LZ\nT1C0.035\n%\n", true},
      {"; made by hand\nM48\n", true},
      {"T01\nX010000Y020000\nM30\n", true},
      {"%\nT1\nX1.0Y1.0\n", true},
      {";FILE_FORMAT=2:4 a comment with a * star\nT1C0.8\nX1Y1\n", true},
      {"%FSLAX24Y24*%\n%ADD10C,0.1*%\n", false},
      {"G04 comment*\nX0Y0D02*\n", false},
      {"X10000Y0D01*\n", false},  // RS-274-D
      {"", false},
      {"\n\n  \n", false},
      {"M30\n", false},  // no drill word, no header
  };
  int checked = 0;
  for (const KindRow& row : rows) {
    EXPECT_EQ(LooksLikeExcellon(row.text), row.excellon) << row.text;
    ++checked;
  }
  EXPECT_EQ(checked, 11);
}

// The model is read when first asked for and again after every load through
// the loader, and only then.
TEST(StandardModelCacheTest, ReadsAgainOnlyAfterALoad) {
  TempFolder folder;
  const std::string one = folder.Write("one.gbr", "%FSLAX24Y24*%%ADD10C,0.1*%D10*X0Y0D03*");
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  StandardModelCache cache(loader);
  EXPECT_TRUE(cache.Current().model.layers.empty());
  const uint64_t empty = cache.Generation();
  ASSERT_TRUE(loader.LoadGerberLayer(Layer(one, 0)));
  EXPECT_EQ(cache.Current().model.layers.size(), 1u);
  const uint64_t loaded = cache.Generation();
  EXPECT_NE(loaded, empty);
  cache.Current();
  EXPECT_EQ(cache.Generation(), loaded);
  // A layer's setting changes without a load: nothing is read again.
  doc.SetLayerVisible(0, 0);
  cache.Current();
  EXPECT_EQ(cache.Generation(), loaded);
  loader.ReloadAll();
  EXPECT_EQ(cache.Current().model.layers.size(), 1u);
  EXPECT_NE(cache.Generation(), loaded);
  cache.Release();
  EXPECT_EQ(cache.Current().model.layers.size(), 1u);
}

}  // namespace
}  // namespace corvane
