#include "loading/standard_loader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "document/corvane_doc.h"
#include "loading/document_loader.h"
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

}  // namespace
}  // namespace corvane
