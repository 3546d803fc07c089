#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document/corvane_doc.h"
#include "loading/data_path.h"
#include "loading/document_loader.h"
#include "platform/prompter.h"

namespace corvane {
namespace {

constexpr const char* kMixedUnits =
    "Warning: Both English and Meter units specified in Gerber files.";

std::string DataFile(const std::string& name) {
  return std::string(CORVANE_TEST_DATA_DIR) + "/gerber/" + name;
}

PlotLayer LayerFor(const std::string& fileName) {
  PlotLayer layer;
  layer.fileName = fileName;
  layer.color = 0x123456;
  layer.visible = 0;
  return layer;
}

TEST(GerberLoaderTest, LoadsAVisibleLayerUnderItsResolvedPath) {
  RecordingPrompter prompter;
  CCorvaneDoc doc;
  DocumentLoader loader(doc, nullptr, &prompter);
  ASSERT_TRUE(loader.LoadGerberLayer(LayerFor(DataFile("worked_example.gbr"))));

  ASSERT_EQ(doc.GetLayerCount(), 1);
  PlotLayer layer;
  doc.GetLayer(0, layer);
  EXPECT_EQ(layer.fileName, DataFile("worked_example.gbr"));
  EXPECT_EQ(layer.visible, 1);
  EXPECT_EQ(layer.color, 0x123456u);
  EXPECT_EQ(doc.GetItemCount(), 6);
  EXPECT_EQ(doc.GetItemCapacity(), 6u);
  EXPECT_TRUE(doc.IsModified());
  // The draws from the origin and the arc, grown by half the 0.01 stroke.
  const Extents e = doc.GetExtents();
  EXPECT_NEAR(e.maxX, 2.005, 1e-12);
  EXPECT_NEAR(e.minX, -0.005, 1e-12);
  EXPECT_NEAR(e.maxY, 1.005, 1e-12);
  EXPECT_NEAR(e.minY, -0.005, 1e-12);
  EXPECT_TRUE(prompter.messages.empty());
}

TEST(GerberLoaderTest, FileThatCannotBeOpenedAddsNoLayerAndSaysNothing) {
  RecordingPrompter prompter;
  CCorvaneDoc doc;
  DocumentLoader loader(doc, nullptr, &prompter);
  for (const std::string& name : {DataFile("missing.gbr"), std::string(CORVANE_TEST_DATA_DIR)}) {
    EXPECT_FALSE(loader.LoadGerberLayer(LayerFor(name)));
  }
  EXPECT_EQ(doc.GetLayerCount(), 0);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(prompter.messages.empty());
}

TEST(GerberLoaderTest, MirroringAndOffsetsApplyToEveryItemOfTheLayer) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  ASSERT_TRUE(loader.LoadGerberLayer(LayerFor(DataFile("worked_example.gbr"))));
  PlotLayer second = LayerFor(DataFile("worked_example.gbr"));
  second.mirrorOnYAxis = 1;
  second.mirrorOnXAxis = 1;
  second.offsetX = 1000;
  second.offsetY = 2500;
  ASSERT_TRUE(loader.LoadGerberLayer(second));

  ASSERT_EQ(doc.GetItemCount(), 12);
  const PlotItem firstDraw = doc.GetItem(2);
  EXPECT_DOUBLE_EQ(firstDraw.x, 1.0);
  const PlotItem draw = doc.GetItem(6 + 2);
  EXPECT_EQ(draw.layer, 1);
  EXPECT_DOUBLE_EQ(draw.x, -1.0 + 1.0);
  EXPECT_DOUBLE_EQ(draw.y, 2.5);
  const PlotItem arcEnd = doc.GetItem(6 + 4);
  EXPECT_DOUBLE_EQ(arcEnd.x, -2.0 + 1.0);
  EXPECT_DOUBLE_EQ(arcEnd.y, -1.0 + 2.5);
  EXPECT_EQ(arcEnd.mode, kModeCounterClockwiseMulti);
  // The consumer rule recovers the arc centre's offsets: mirrored, unshifted.
  const PlotItem centre = doc.GetItem(6 + 3);
  ASSERT_EQ(centre.kind, kKindArcCentre);
  EXPECT_DOUBLE_EQ(centre.x - second.offsetX / 1000.0, 0.0);
  EXPECT_DOUBLE_EQ(centre.y - second.offsetY / 1000.0, -1.0);
}

TEST(GerberLoaderTest, PerFileStateResetsWhileFormatAndUnitsPersist) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  loader.GerberState().incremental = 1;
  loader.GerberState().arcCentrePending = true;
  loader.GerberState().statement.dcode = 77;
  ASSERT_TRUE(loader.LoadGerberLayer(LayerFor(DataFile("metric_both.gbr"))));
  EXPECT_EQ(doc.GetItem(0).kind, kKindStatement);
  EXPECT_EQ(doc.GetItem(0).dcode, 10);
  EXPECT_DOUBLE_EQ(doc.GetItem(2).x, 3.0 * 25.4);

  // An RS-274-D file after it: no FS of its own, units still metric.
  ASSERT_TRUE(loader.LoadGerberLayer(LayerFor(DataFile("rs274d_no_final_newline.gbr"))));
  EXPECT_EQ(doc.GetItem(4).kind, kKindStatement);
  EXPECT_EQ(doc.GetItem(4).dcode, 11);
  EXPECT_DOUBLE_EQ(doc.GetItem(6).x, 3.0 * 25.4);
  EXPECT_EQ(doc.GetItem(6).layer, 1);
}

TEST(GerberLoaderTest, MixedUnitsWarningFollowsTheTwoFlagsOncePerLoad) {
  struct Step {
    const char* file;  // nullptr: clear the document, as every new load does
    bool warns;
  };
  // The flags are never reset, so each file is judged by what is in force
  // after it; a load that has warned once stays quiet until the next clear.
  const std::vector<std::vector<Step>> runs = {
      {{"metric_apertures_only.gbr", true}},
      {{"metric_both.gbr", false},
       {"metric_apertures_only.gbr", false},  // G71 of the first file still holds
       {"worked_example.gbr", true},          // MOIN against G71
       {"rs274d_no_final_newline.gbr", false},
       {"metric_apertures_only.gbr", false}},
      {{"metric_apertures_only.gbr", true},
       {"rs274d_no_final_newline.gbr", false},
       {nullptr, false},
       {"rs274d_no_final_newline.gbr", true},  // the flags still differ in the next load
       {"worked_example.gbr", false}},
  };
  for (const std::vector<Step>& run : runs) {
    RecordingPrompter prompter;
    CCorvaneDoc doc;
    DocumentLoader loader(doc, nullptr, &prompter);
    std::size_t expected = 0;
    for (const Step& step : run) {
      SCOPED_TRACE(step.file != nullptr ? step.file : "clear");
      if (step.file == nullptr) {
        loader.ClearAll();
        continue;
      }
      ASSERT_TRUE(loader.LoadGerberLayer(LayerFor(DataFile(step.file))));
      if (step.warns) ++expected;
      ASSERT_EQ(prompter.messages.size(), expected);
    }
    EXPECT_EQ(prompter.messages.front(), kMixedUnits);
  }
}

struct PathCase {
  const char* documentPath;
  const char* name;
  const char* resolved;  // empty: the current folder joined with the name
};

class ResolveDataPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(ResolveDataPathTest, Resolves) {
  const PathCase& c = GetParam();
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  doc.SetPathName(c.documentPath);
  const std::string expected = *c.resolved != '\0'
                                   ? std::string(c.resolved)
                                   : std::filesystem::current_path().string() + "/" + c.name;
  EXPECT_EQ(ResolveDataPath(doc, c.name), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ResolveDataPathTest,
    testing::Values(PathCase{"/boards/job.wrk", "top.gbr", "/boards/top.gbr"},
                    PathCase{"C:\\boards\\job.wrk", "top.gbr", "C:/boards/top.gbr"},
                    PathCase{"/boards/job.wrk", "sub\\top.gbr", "sub/top.gbr"},
                    PathCase{"/boards/job.wrk", "/other/top.gbr", "/other/top.gbr"},
                    PathCase{"/job.wrk", "top.gbr", "/top.gbr"}, PathCase{"", "top.gbr", ""},
                    PathCase{"job.wrk", "top.gbr", ""},
                    PathCase{"", "sub/top.gbr", "sub/top.gbr"}));

TEST(DocumentDirectoryTest, IsTheWorkFilesFolder) {
  const std::pair<const char*, const char*> cases[] = {{"", ""},
                                                       {"job.wrk", ""},
                                                       {"/a/b/job.wrk", "/a/b"},
                                                       {"C:\\a\\job.wrk", "C:/a"},
                                                       {"/job.wrk", "/"}};
  for (const auto& [path, folder] : cases) {
    CCorvaneDoc doc;
    DocumentLoader loader(doc);
    doc.SetPathName(path);
    EXPECT_EQ(doc.GetDocumentDirectory(), folder) << path;
  }
}

TEST(GerberLoaderTest, BareNameOfANeverSavedDocumentOpensInTheCurrentFolder) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(std::string(CORVANE_TEST_DATA_DIR) + "/gerber");
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  const bool loaded = loader.LoadGerberLayer(LayerFor("worked_example.gbr"));
  std::filesystem::current_path(previous);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(std::filesystem::path(doc.GetLayerFileName(0)),
            std::filesystem::canonical(DataFile("worked_example.gbr")));
}

}  // namespace
}  // namespace corvane
