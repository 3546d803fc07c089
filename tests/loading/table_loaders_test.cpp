#include <gtest/gtest.h>

#include <string>

#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "temp_folder.h"

namespace corvane {
namespace {

const std::string kData = std::string(CORVANE_TEST_DATA_DIR) + "/tables/";

TEST(LoadApertureFileTest, UnixLineEndsGiveOneApertureALine) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  ASSERT_TRUE(loader.LoadApertureFile(kData + "unix.apr"));
  EXPECT_EQ(doc.GetApertureCount(), 4);
  EXPECT_EQ(doc.GetApertureFileName(), kData + "unix.apr");
  EXPECT_TRUE(doc.IsModified());
}

TEST(LoadApertureFileTest, ReplacesPlotAperturesButAMissingFileKeepsTheTable) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  Aperture fromPlot;
  fromPlot.layer = 0;
  fromPlot.dcode = 50;
  doc.AddAperture(fromPlot);
  ASSERT_TRUE(loader.LoadApertureFile(kData + "unix.apr"));
  EXPECT_EQ(doc.FindAperture(50, 0).dcode, 0);

  doc.SetModified(false);
  EXPECT_FALSE(loader.LoadApertureFile(kData + "missing.apr"));
  EXPECT_FALSE(loader.LoadApertureFile(""));
  EXPECT_EQ(doc.GetApertureCount(), 4);
  EXPECT_EQ(doc.GetApertureFileName(), kData + "unix.apr");
  EXPECT_FALSE(doc.IsModified());
}

TEST(LoadDrillToolFileTest, ReadsEveryLineAndKeepsTheTableWhenTheNextFileIsMissing) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  ASSERT_TRUE(loader.LoadDrillToolFile(kData + "crlf.rck"));
  ASSERT_EQ(doc.GetDrillToolCount(), 2);
  EXPECT_FALSE(loader.LoadDrillToolFile(kData + "tables"));  // a folder
  EXPECT_FALSE(loader.LoadDrillToolFile("/dev/zero"));
  EXPECT_EQ(doc.GetDrillToolCount(), 2);
  ASSERT_TRUE(loader.LoadDrillToolFile(kData + "crlf.rck"));
  EXPECT_EQ(doc.GetDrillToolCount(), 2) << "a load replaces the table";
}

TEST(LoadNcDrillFileTest, ToolCarriesOverButPositionsStartAtZero) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  ASSERT_TRUE(loader.LoadNcDrillFile(kData + "two_tools.drl"));
  ASSERT_EQ(doc.GetDrillHitCount(), 3);
  DrillHit hit;
  doc.GetDrillHit(2, hit);
  EXPECT_EQ(hit.tool, 2);
  EXPECT_DOUBLE_EQ(hit.x, 2.0);
  EXPECT_DOUBLE_EQ(hit.y, 0.5);
  EXPECT_EQ(doc.GetExtents().maxX, 2.0);

  TempFolder folder;
  ASSERT_TRUE(loader.LoadNcDrillFile(folder.Write("y.drl", "Y30000\n")));
  ASSERT_EQ(doc.GetDrillHitCount(), 1);
  doc.GetDrillHit(0, hit);
  EXPECT_EQ(hit.tool, 2);
  EXPECT_DOUBLE_EQ(hit.x, 0.0);
  EXPECT_DOUBLE_EQ(hit.y, 3.0);
  EXPECT_EQ(doc.GetExtents().maxX, 0.0);
}

TEST(LoadNcDrillFileTest, HitBeyondThePlotRaisesTheExtents) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  ASSERT_TRUE(loader.LoadGerberLayer(PlotLayer{kData + "draw.gbr", 0xFF}));
  EXPECT_NEAR(doc.GetExtents().maxX, 3.005, 1e-12);  // the stroke's end and half its width
  TempFolder folder;
  ASSERT_TRUE(loader.LoadNcDrillFile(folder.Write("far.drl", "X50000Y10000\n")));
  EXPECT_EQ(doc.GetExtents().maxX, 5.0);
  EXPECT_NEAR(doc.GetExtents().minX, 0.995, 1e-12) << "the draw's start counts";
}

TEST(LoadTablesTest, BareNamesResolveAgainstTheWorkFilesFolder) {
  TempFolder folder;
  folder.Write("t.apr", "D10 CIRCLE 10\r\n");
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  doc.SetPathName(folder.File("board.wrk"));
  ASSERT_TRUE(loader.LoadApertureFile("t.apr"));
  EXPECT_EQ(doc.GetApertureFileName(), folder.File("t.apr"));
}

TEST(ReloadAllTest, ReadsTheSetAgainDropsMissingLayersAndKeepsTheFlags) {
  TempFolder folder;
  const std::string gone = folder.Write("gone.gbr", "X0Y0D02*X10000Y0D01*");
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  ASSERT_TRUE(loader.LoadGerberLayer(PlotLayer{kData + "draw.gbr", 0xFF, 0, 0, 1000}));
  ASSERT_TRUE(loader.LoadGerberLayer(PlotLayer{gone, 0xFF00}));
  ASSERT_TRUE(loader.LoadApertureFile(kData + "unix.apr"));
  ASSERT_TRUE(loader.LoadDrillToolFile(kData + "crlf.rck"));
  ASSERT_TRUE(loader.LoadNcDrillFile(kData + "two_tools.drl"));
  doc.SetLayerVisible(0, 0);
  doc.SetMirrorX(1);
  doc.SetMirrorY(1);
  doc.SetAutoOrigin(1);
  std::filesystem::remove(gone);

  loader.ReloadAll();
  ASSERT_EQ(doc.GetLayerCount(), 1);
  EXPECT_EQ(doc.IsLayerVisible(0), 1);
  EXPECT_NEAR(doc.GetExtents().maxX, 4.005, 1e-12) << "the layer offset is applied once";
  // The aperture file is read after the plot files, so their own apertures go.
  EXPECT_EQ(doc.GetApertureCount(), 4);
  EXPECT_EQ(doc.FindAperture(10, 0).layer, -1);
  EXPECT_EQ(doc.GetDrillToolCount(), 2);
  EXPECT_EQ(doc.GetDrillHitCount(), 3);
  EXPECT_EQ(doc.GetMirrorX(), 1);
  EXPECT_EQ(doc.GetMirrorY(), 1);
  EXPECT_EQ(doc.GetAutoOrigin(), 1);
}

TEST(ReloadAllTest, TheToolStartsFromNoneAgain) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  ASSERT_TRUE(loader.LoadNcDrillFile(kData + "two_tools.drl"));
  TempFolder folder;
  ASSERT_TRUE(loader.LoadNcDrillFile(folder.Write("notool.drl", "X10000\n")));
  loader.ReloadAll();
  DrillHit hit;
  ASSERT_TRUE(doc.GetDrillHit(0, hit));
  EXPECT_EQ(hit.tool, 0);
}

}  // namespace
}  // namespace corvane
