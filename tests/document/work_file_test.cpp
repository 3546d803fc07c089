#include "document/work_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>

#include "document/corvane_doc.h"
#include "document/settings_table.h"
#include "loading/document_loader.h"
#include "loading/work_file_reader.h"
#include "temp_folder.h"
#include "text/path_parts.h"

namespace corvane {
namespace {

const std::string kData = std::string(CORVANE_TEST_DATA_DIR) + "/tables/";
constexpr const char* kPlot = "X0Y0D02*X10000Y0D01*";

std::string CrLf(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

TEST(WorkFileKeyTest, AllKeysRoundTripAndMatchWithoutCase) {
  for (int key = 0; key < kWorkFileKeyCount; ++key) {
    EXPECT_EQ(FindWorkFileKey(WorkFileKeyName(key)), key);
  }
  EXPECT_EQ(kWorkFileKeyCount, 35);
  EXPECT_EQ(FindWorkFileKey("layerinfo"), kKeyLayerInfo);
  EXPECT_EQ(FindWorkFileKey("MirrorX "), kNoWorkFileKey);
  EXPECT_EQ(FindWorkFileKey(""), kNoWorkFileKey);
  EXPECT_EQ(WorkFileKeyName(kKeyEllipseApertureFormat), "EllipseApertureFormat");
}

TEST(StoredFileNameTest, BareNameOnlyInTheWorkFilesOwnFolder) {
  EXPECT_EQ(StoredFileName("/boards/a/top.gbr", "/boards/a"), "top.gbr");
  EXPECT_EQ(StoredFileName("/boards/a/sub/top.gbr", "/boards/a"), "/boards/a/sub/top.gbr");
  EXPECT_EQ(StoredFileName("/Boards/a/top.gbr", "/boards/a"), "/Boards/a/top.gbr");
  EXPECT_EQ(StoredFileName("C:\\boards\\top.gbr", "C:\\boards"), "top.gbr");
  EXPECT_EQ(StoredFileName("", "/boards"), "");
}

TEST(WriteWorkFileTest, ExampleDocumentComesOutByteForByte) {
  TempFolder folder;
  CCorvaneDoc doc;
  DocumentLoader loader(doc);  // built-in settings
  PlotLayer top;
  top.fileName = folder.File("top.gbr");
  top.color = CCorvaneDoc::DefaultLayerColor(0);
  doc.AddLayer(top);
  doc.SetNcDrillFileName(folder.File("board.drl"));
  doc.SetModified(true);

  const std::string path = folder.File("board.wrk");
  ASSERT_TRUE(WriteWorkFile(doc, path).ok);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(TempFolder::Read(path), CrLf({"ResetOrigin=0",
                                          "MirrorX=1",
                                          "MirrorY=0",
                                          "GerberFileExtension=ger",
                                          "GerberMultiplier=1.0000",
                                          "GerberNumberFormat=2,4",
                                          "GerberOffsets=0.0000,0.0000",
                                          "GerberCompression=1",
                                          "ApertureFileExtension=apr",
                                          "ApertureMultiplier=1.0000",
                                          "DrillFileExtension=drl",
                                          "DrillMultiplier=1.0000",
                                          "DrillNumberFormat=2,4",
                                          "DrillOffsets=0.0000,0.0000",
                                          "DrillCompression=1",
                                          "DrillToolFileExtension=rck",
                                          "DrillToolMultiplier=1.0000",
                                          "PlatedDrillFieldName=Plated",
                                          "UnplatedDrillFieldName=Unplated",
                                          "DrillToolFieldOrder=0,1,4,2,3",
                                          "CircleApertureFormat=CIRCLE,0,1,2,3,4",
                                          "LineApertureFormat=LINE,0,1,2,3,4",
                                          "RectangleApertureFormat=RECTANGLE,0,1,2,3,4",
                                          "SquareApertureFormat=SQUARE,0,1,2,3,4",
                                          "EllipseApertureFormat=ELLIPSE,0,1,2,3,4",
                                          "LayerInfo=255,0,0,0,0,0,0,top.gbr",
                                          "ApertureFile=",
                                          "DrillToolFile=",
                                          "DrillFile=board.drl",
                                          "PrintMagnification=1.0000"}));
}

TEST(WriteWorkFileTest, FailedSaveKeepsTheOldFileAndTheModifiedFlag) {
  TempFolder folder;
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  doc.SetModified(true);
  const FileResult missing = WriteWorkFile(doc, folder.File("none/board.wrk"));
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.message.find("none/board.wrk"), std::string::npos);
  EXPECT_TRUE(doc.IsModified());

  std::filesystem::create_directory(folder.File("taken.wrk"));
  EXPECT_FALSE(WriteWorkFile(doc, folder.File("taken.wrk")).ok);
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("taken.wrk")));
}

// Everything a work file carries, changed from the built-in values.
void FillDocument(DocumentLoader& loader, const TempFolder& folder) {
  CCorvaneDoc& doc = loader.Doc();
  FormatSettings& s = doc.Settings();
  s.gerberMultiplier = 25.4;
  s.apertureMultiplier = 2.5;
  s.drillMultiplier = 0.5;
  s.drillToolMultiplier = 1.25;
  s.SetGerberNumberFormat({3, 5});
  s.gerberOffsetX = -12.5;
  s.gerberOffsetY = 7.0;
  s.gerberCompression = 2;
  s.drillFormat = {2, 3};
  s.drillOffsetX = 0.25;
  s.drillOffsetY = -0.5;
  s.drillCompression = 0;
  s.gerberFileExt = "gbr";
  s.drillFileExt = "txt";
  s.apertureFileExt = "ap";
  s.drillToolFileExt = "tl";
  s.platedFieldName = "PTH";
  s.unplatedFieldName = "NPTH";
  s.drillToolFieldOrder = {0, 2, 1, 3};
  s.apertureFormats[0] = {"ROUND", {0, 2, 4}};
  s.apertureFormats[4] = {"OVAL", {}};
  doc.SetMirrorX(0);
  doc.SetMirrorY(1);
  doc.SetAutoOrigin(1);
  doc.SetPrintMagnification(2.5);
  loader.LoadGerberLayer(PlotLayer{folder.Write("top.gbr", kPlot), 0x123456, 1, 0, -1500, 250});
  loader.LoadGerberLayer(PlotLayer{folder.Write("sub/bottom, v2.gbr", kPlot), 0xFF0000, 0, 1});
  loader.LoadApertureFile(folder.Write("board.apr", "D10 10 3 ROUND\r\n"));
  loader.LoadDrillToolFile(folder.Write("board.rck", "T01 35 PTH 7\r\n"));
  loader.LoadNcDrillFile(folder.Write("board.drl", "T1\r\nX1000Y1000\r\n"));
}

TEST(WorkFileRoundTripTest, WrittenAndReadBackGivesTheSameDocument) {
  TempFolder folder;
  CCorvaneDoc original;
  DocumentLoader originalLoader(original);
  FillDocument(originalLoader, folder);
  ASSERT_EQ(original.GetLayerCount(), 2);
  ASSERT_EQ(original.GetApertureCount(), 1);
  ASSERT_EQ(original.GetDrillToolCount(), 1);
  const std::string path = folder.File("board.wrk");
  ASSERT_TRUE(WriteWorkFile(original, path).ok);

  CCorvaneDoc reread;
  DocumentLoader rereadLoader(reread);
  const FileResult result = ReadWorkFile(rereadLoader, path);
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(reread.GetPathName(), path);
  EXPECT_EQ(reread.Settings(), original.Settings());
  ASSERT_EQ(reread.GetLayerCount(), 2);
  for (int32_t i = 0; i < 2; ++i) {
    PlotLayer a, b;
    original.GetLayer(i, a);
    reread.GetLayer(i, b);
    EXPECT_EQ(b.fileName, a.fileName);
    EXPECT_EQ(b.color, a.color);
    EXPECT_EQ(b.mirrorOnXAxis, a.mirrorOnXAxis);
    EXPECT_EQ(b.mirrorOnYAxis, a.mirrorOnYAxis);
    EXPECT_EQ(b.offsetX, a.offsetX);
    EXPECT_EQ(b.offsetY, a.offsetY);
  }
  EXPECT_EQ(reread.GetApertureFileName(), original.GetApertureFileName());
  EXPECT_EQ(reread.GetDrillToolFileName(), original.GetDrillToolFileName());
  EXPECT_EQ(reread.GetNcDrillFileName(), original.GetNcDrillFileName());
  EXPECT_EQ(reread.GetApertureCount(), 1);
  EXPECT_EQ(reread.GetDrillToolCount(), 1);
  EXPECT_EQ(reread.GetDrillHitCount(), 1);
  EXPECT_EQ(reread.GetItemCount(), original.GetItemCount());
  EXPECT_EQ(reread.GetMirrorX(), 0);
  EXPECT_EQ(reread.GetMirrorY(), 1);
  EXPECT_EQ(reread.GetAutoOrigin(), 1);
  EXPECT_EQ(reread.GetPrintMagnification(), 2.5);
  EXPECT_FALSE(reread.IsModified());
  // Written a second time it is the same text.
  EXPECT_EQ(FormatWorkFile(reread, folder.Path()), TempFolder::Read(path));
}

TEST(WorkFileRoundTripTest, LongPathsComeBack) {
  TempFolder folder, elsewhere;
  std::string name;
  for (int i = 0; i < 12; ++i) name += std::string(60, static_cast<char>('a' + i)) + "/";
  const std::string plot = elsewhere.Write(name + "top.gbr", kPlot);
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  ASSERT_TRUE(loader.LoadGerberLayer(PlotLayer{plot, 0xFF}));
  ASSERT_TRUE(loader.LoadApertureFile(elsewhere.Write(name + "t.apr", "D10 CIRCLE 10\r\n")));
  ASSERT_GT(plot.size(), 700u);
  ASSERT_TRUE(WriteWorkFile(doc, folder.File("board.wrk")).ok);
  CCorvaneDoc reread;
  DocumentLoader rereadLoader(reread);
  ASSERT_TRUE(ReadWorkFile(rereadLoader, folder.File("board.wrk")).ok);
  EXPECT_EQ(reread.GetLayerFileName(0), plot);
  EXPECT_EQ(reread.GetApertureCount(), 1);
}

TEST(WorkFileRoundTripTest, FilesBesideTheWorkFileTravelWithIt) {
  TempFolder first, second;
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  loader.LoadApertureFile(first.Write("board.apr", "D10 CIRCLE 10\r\n"));
  ASSERT_TRUE(WriteWorkFile(doc, first.File("board.wrk")).ok);
  EXPECT_NE(TempFolder::Read(first.File("board.wrk")).find("\r\nApertureFile=board.apr\r\n"),
            std::string::npos);

  second.Write("board.wrk", TempFolder::Read(first.File("board.wrk")));
  second.Write("board.apr", "D10 CIRCLE 10\r\nD11 CIRCLE 20\r\n");
  CCorvaneDoc moved;
  DocumentLoader movedLoader(moved);
  ASSERT_TRUE(ReadWorkFile(movedLoader, second.File("board.wrk")).ok);
  EXPECT_EQ(moved.GetApertureFileName(), second.File("board.apr"));
  EXPECT_EQ(moved.GetApertureCount(), 2);
}

// --- Reading rules --------------------------------------------------------------

class ReadWorkFileTest : public ::testing::Test {
 protected:
  FileResult Open(const std::string& text) {
    return ReadWorkFile(loader_, folder_.Write("board.wrk", text));
  }
  TempFolder folder_;
  CCorvaneDoc doc_;
  DocumentLoader loader_{doc_};
};

TEST_F(ReadWorkFileTest, OnlyMirrorXClearsTheRestAndKeepsTheSettings) {
  doc_.Settings().gerberMultiplier = 3.0;
  doc_.SetMirrorY(1);
  doc_.SetAutoOrigin(1);
  doc_.AddLayer(PlotLayer{});
  ASSERT_TRUE(Open("MirrorX=1\r\n").ok);
  EXPECT_EQ(doc_.GetMirrorX(), 1);
  EXPECT_EQ(doc_.GetMirrorY(), 0);
  EXPECT_EQ(doc_.GetAutoOrigin(), 0);
  EXPECT_EQ(doc_.GetLayerCount(), 0);
  EXPECT_EQ(doc_.Settings().gerberMultiplier, 3.0);
}

TEST_F(ReadWorkFileTest, KeysIgnoreCaseButNotBlanksAndOnlyTheFirstEqualsSplits) {
  ASSERT_TRUE(
      Open(CrLf({"mirrory=1", "MirrorX =1", "GerberFileExtension=a=b", "PlatedDrillFieldName= PTH ",
                 "no equals sign", "=", "Unknown=1", "GerberFileLayerOrder=1,2", "Nonsense=5"}))
          .ok);
  EXPECT_EQ(doc_.GetMirrorY(), 1);
  EXPECT_EQ(doc_.GetMirrorX(), 0);
  EXPECT_EQ(doc_.Settings().gerberFileExt, "a=b");
  EXPECT_EQ(doc_.Settings().platedFieldName, " PTH ");
}

TEST_F(ReadWorkFileTest, UnixLineEndsReadEveryLine) {
  ASSERT_TRUE(Open("MirrorX=1\nMirrorY=1\nResetOrigin=1\n").ok);
  EXPECT_EQ(doc_.GetMirrorX(), 1);
  EXPECT_EQ(doc_.GetMirrorY(), 1);
  EXPECT_EQ(doc_.GetAutoOrigin(), 1);
}

TEST_F(ReadWorkFileTest, NumbersListsAndIdentifiers) {
  ASSERT_TRUE(Open(CrLf({"GerberNumberFormat=3 5", "DrillNumberFormat=x", "GerberOffsets=12.5",
                         "DrillOffsets=abc", "GerberMultiplier=2.5e1", "DrillMultiplier=oops",
                         "GerberCompression= -2",
                         "DrillToolFieldOrder=", "CircleApertureFormat=ROUND,0,2,4",
                         "LineApertureFormat=TRACE", "PrintMagnification=0.5"}))
                  .ok);
  const FormatSettings& s = doc_.Settings();
  EXPECT_EQ(s.gerberXFormat, (NumberFormat{3, 5}));
  EXPECT_EQ(s.gerberYFormat, (NumberFormat{3, 5}));
  EXPECT_EQ(s.drillFormat, (NumberFormat{2, 4}));
  EXPECT_EQ(s.gerberOffsetX, 12.5);
  EXPECT_EQ(s.gerberOffsetY, 0.0);
  EXPECT_EQ(s.drillOffsetX, 0.0);
  EXPECT_EQ(s.gerberMultiplier, 25.0);
  EXPECT_EQ(s.drillMultiplier, 0.0);
  EXPECT_EQ(s.gerberCompression, -2);
  EXPECT_TRUE(s.drillToolFieldOrder.empty());
  EXPECT_EQ(s.apertureFormats[0], (ApertureFormat{"ROUND", {0, 2, 4}}));
  EXPECT_EQ(s.apertureFormats[1], (ApertureFormat{"TRACE", {}}));
  EXPECT_EQ(doc_.GetPrintMagnification(), 0.5);
}

TEST_F(ReadWorkFileTest, LayerLinesTakeTheirNumbersAndTheRestOfTheLineAsName) {
  folder_.Write("my top, v2.gbr", kPlot);
  ASSERT_TRUE(Open("LayerInfo=0,255,256,1,0,-1500,250,my top, v2.gbr\r\n").ok);
  PlotLayer layer;
  ASSERT_TRUE(doc_.GetLayer(0, layer));
  EXPECT_EQ(layer.color, 0x00FF00u) << "components keep their low 8 bits";
  EXPECT_EQ(layer.mirrorOnXAxis, 1);
  EXPECT_EQ(layer.offsetX, -1500);
  EXPECT_EQ(layer.offsetY, 250);
  EXPECT_EQ(layer.fileName, folder_.File("my top, v2.gbr"));
  EXPECT_FALSE(doc_.IsModified()) << "loads while opening leave it unmodified";
}

TEST_F(ReadWorkFileTest, MissingLayerFileLeavesNoLayerAndTheNextTakesItsPlace) {
  folder_.Write("top.gbr", kPlot);
  std::vector<std::string> unopened;
  ASSERT_TRUE(ReadWorkFile(loader_,
                           folder_.Write("board.wrk",
                                         CrLf({"GerberFile=missing.gbr", "GerberFile=top.gbr",
                                               "GerberFile=", "DrillFile=", "DrillFile=no.drl"})),
                           &unopened)
                  .ok);
  EXPECT_EQ(unopened,
            (std::vector<std::string>{folder_.File("missing.gbr"), folder_.File("no.drl")}));
  ASSERT_EQ(doc_.GetLayerCount(), 1);
  PlotLayer layer;
  doc_.GetLayer(0, layer);
  EXPECT_EQ(layer.color, CCorvaneDoc::DefaultLayerColor(0));
}

TEST_F(ReadWorkFileTest, OldWorkFileIsConvertedAndMarkedModified) {
  folder_.Write("top.gbr", kPlot);
  doc_.Settings().apertureFormats[3].fieldOrder = {5};
  ASSERT_TRUE(Open(CrLf({"ApertureFieldOrder=0,1,2,3,4", "GerberLayer=255,0,0,top.gbr"})).ok);
  for (const ApertureFormat& format : doc_.Settings().apertureFormats) {
    EXPECT_EQ(format.fieldOrder, (FieldOrder{0, 1, 2, 3, 4}));
  }
  PlotLayer layer;
  ASSERT_TRUE(doc_.GetLayer(0, layer));
  EXPECT_EQ(layer.color, 0x0000FFu);
  EXPECT_EQ(layer.offsetX, 0);
  EXPECT_TRUE(doc_.IsModified());
}

TEST_F(ReadWorkFileTest, SettingsAfterAFileLineOnlyAffectLaterFiles) {
  folder_.Write("a.drl", "X10000\r\n");
  ASSERT_TRUE(Open(CrLf({"DrillFile=a.drl", "DrillMultiplier=2.0"})).ok);
  DrillHit hit;
  ASSERT_TRUE(doc_.GetDrillHit(0, hit));
  EXPECT_EQ(hit.x, 1.0);
  EXPECT_EQ(doc_.Settings().drillMultiplier, 2.0);
}

TEST_F(ReadWorkFileTest, WorkFileThatCannotBeOpenedLeavesTheDocument) {
  doc_.SetPathName("/old/board.wrk");
  doc_.AddLayer(PlotLayer{});
  const FileResult result = ReadWorkFile(loader_, folder_.File("missing.wrk"));
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message.find("missing.wrk"), std::string::npos);
  EXPECT_EQ(doc_.GetPathName(), "/old/board.wrk");
  EXPECT_EQ(doc_.GetLayerCount(), 1);
  EXPECT_FALSE(ReadWorkFile(loader_, folder_.Path()).ok);
  EXPECT_FALSE(ReadWorkFile(loader_, "/dev/zero").ok);
}

// Hostile work files load to completion: binary bytes, long lines, names of
// folders, devices, pipes and missing files.
TEST_F(ReadWorkFileTest, HostileLinesLoadToCompletion) {
  const std::string fifo = folder_.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  folder_.Write("top.gbr", kPlot);
  std::string text;
  for (const char* name : {"/dev/zero", "/dev/null", "/dev/urandom", "pipe", ".", "/", "missing"}) {
    for (const char* key : {"ApertureFile=", "DrillToolFile=", "DrillFile=", "GerberFile=",
                            "LayerInfo=1,2,3,0,0,0,0,"}) {
      text += std::string(key) + name + "\r\n";
    }
  }
  text += "LayerInfo=" + std::string(100000, '9') + "\r\n";
  text += std::string(100000, '=') + "\n";
  for (int i = 0; i < 4096; ++i) text.push_back(static_cast<char>(i * 31));
  text += "\r\nGerberFile=top.gbr\r\n";
  ASSERT_TRUE(Open(text).ok);
  EXPECT_EQ(doc_.GetLayerCount(), 1);
  EXPECT_EQ(doc_.GetDrillHitCount(), 0);
  EXPECT_TRUE(doc_.GetNcDrillFileName().empty());
}

TEST_F(ReadWorkFileTest, ThreeHundredLayersAllLoad) {
  folder_.Write("top.gbr", kPlot);
  std::string text;
  for (int i = 0; i < 300; ++i)
    text += "LayerInfo=" + std::to_string(i) + ",0,0,0,0,0,0,top.gbr\r\n";
  ASSERT_TRUE(Open(text).ok);
  ASSERT_EQ(doc_.GetLayerCount(), 300);
  EXPECT_EQ(doc_.GetItemCount(), 600);
  EXPECT_EQ(doc_.GetItem(599).layer, 299 % 256) << "items keep the low 8 bits of the layer";
  const std::string written = FormatWorkFile(doc_, folder_.Path());
  EXPECT_NE(written.find("LayerInfo=43,0,0,0,0,0,0,top.gbr\r\n"), std::string::npos);
}

TEST(DemoBoardTest, WorkFileOpensTheWholeSet) {
  const std::string demo = std::string(CORVANE_TEST_DATA_DIR) + "/../../examples/demo/";
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  ASSERT_TRUE(ReadWorkFile(loader, demo + "demo.wrk").ok);
  EXPECT_EQ(doc.GetLayerCount(), 5);
  EXPECT_EQ(doc.GetApertureCount(), 15);
  EXPECT_EQ(doc.GetDrillToolCount(), 4);
  EXPECT_EQ(doc.GetDrillHitCount(), 38);
  DrillTool tool;
  ASSERT_TRUE(doc.FindDrillTool(4, tool));
  EXPECT_EQ(tool.plating, kPlatingUnplated);
  const Extents e = doc.GetExtents();
  // The outline's far corner, grown by half its stroke of 0.006.
  EXPECT_NEAR(e.maxX, 2.403, 1e-12);
  EXPECT_NEAR(e.maxY, 1.603, 1e-12);
  EXPECT_NEAR(e.minX, -0.003, 1e-12);
  // Written in the program's own format: saving it again changes nothing.
  EXPECT_EQ(FormatWorkFile(doc, PathFolder(demo + "demo.wrk")),
            TempFolder::Read(demo + "demo.wrk"));
}

// Taking a line apart decides what opening would do with it, before any file is touched.
TEST(ParseWorkFileLineTest, KindsOfLines) {
  using Kind = WorkFileLine::Kind;
  struct Row {
    const char* line;
    Kind kind;
    const char* value;  // the text after '=', for settings and files
  };
  const Row rows[] = {
      {"MirrorX=1", Kind::kSetting, "1"},
      {"gerbermultiplier=2=3", Kind::kSetting, "2=3"},
      {"ApertureFieldOrder=0,1", Kind::kSetting, "0,1"},
      {"ApertureFile=", Kind::kApertureFile, ""},
      {"DrillToolFile=t.rck", Kind::kDrillToolFile, "t.rck"},
      {"DrillFile=sub\\d.drl", Kind::kDrillFile, "sub\\d.drl"},
      {"LayerInfo=1,2,3,1,0,-5,7,a, b.gbr", Kind::kLayer, nullptr},
      {"GerberFile=x.gbr", Kind::kLayer, nullptr},
      {"GerberLayer=0,0,255,y.gbr", Kind::kLayer, nullptr},
      {"MirrorX", Kind::kNothing, nullptr},
      {"MirrorX =1", Kind::kNothing, nullptr},
      {"Unknown=1", Kind::kNothing, nullptr},
      {"GerberFileLayerOrder=1,2", Kind::kNothing, nullptr},
      {"=1", Kind::kNothing, nullptr},
      {"", Kind::kNothing, nullptr},
  };
  for (const Row& row : rows) {
    const WorkFileLine line = ParseWorkFileLine(row.line);
    EXPECT_EQ(line.kind, row.kind) << row.line;
    if (row.value != nullptr) {
      EXPECT_STREQ(line.value, row.value) << row.line;
    }
  }
  const WorkFileLine info = ParseWorkFileLine("LayerInfo=1,2,3,1,0,-5,7,a, b.gbr");
  EXPECT_EQ(info.layer.color, 0x030201u);
  EXPECT_EQ(info.layer.mirrorOnXAxis, 1);
  EXPECT_EQ(info.layer.offsetX, -5);
  EXPECT_EQ(info.layer.offsetY, 7);
  EXPECT_EQ(info.layer.fileName, "a, b.gbr");
  EXPECT_FALSE(info.defaultColor);
  EXPECT_TRUE(ParseWorkFileLine("GerberFile=x.gbr").defaultColor);
  EXPECT_EQ(ParseWorkFileLine("GerberFile=x.gbr").layer.fileName, "x.gbr");
  EXPECT_EQ(ParseWorkFileLine("MirrorY=0").setting->storedKey, "MirrorY");
}

}  // namespace
}  // namespace corvane
