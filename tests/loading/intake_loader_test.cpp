#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../intake/archive_writer.h"
#include "document/corvane_doc.h"
#include "document/work_file.h"
#include "intake/intake_set.h"
#include "intake/layer_stack.h"
#include "loading/document_loader.h"
#include "loading/intake_loader.h"
#include "loading/standard_loader.h"
#include "loading/work_file_reader.h"
#include "platform/prompter.h"
#include "temp_folder.h"

namespace corvane {
namespace {

std::string Plot(const std::string& function) {
  return "%TF.FileFunction," + function + "*%%FSLAX46Y46*%%MOMM*%%ADD10C,0.2*%D10*X0Y0D02*X1000000Y0D01*M02*";
}
std::string Drill(const std::string& function) {
  return "M48\n; #@! TF.FileFunction," + function + "\nMETRIC\nT1C0.3\n%\nT1\nX1.0Y1.0\nM30\n";
}

class IntakeLoaderTest : public ::testing::Test {
 protected:
  IntakeLoaderTest() : doc(0), loader(doc, nullptr, &prompter) {
    files = {{"board-F_Cu.gbr", Plot("Copper,L1,Top")},
             {"board-B_Cu.gbr", Plot("Copper,L2,Bot")},
             {"board-F_Mask.gbr", Plot("Soldermask,Top")},
             {"board-Edge_Cuts.gbr", Plot("Profile,NP")},
             {"board-PTH.drl", Drill("Plated,1,2,PTH")},
             {"board-NPTH.drl", Drill("NonPlated,1,2,NPTH")},
             {"board.ipc", "P  JOB x\n317GND VIA D0300PA00X+020000Y+015000X0600\n999\n"}};
  }
  void WriteFolder() {
    for (const auto& [name, text] : files) folder.Write("fab/" + name, text);
  }
  std::vector<std::string> LayerNames() const {
    std::vector<std::string> names;
    for (const PlotLayer& layer : doc.Layers()) names.push_back(layer.fileName.substr(layer.fileName.rfind('/') + 1));
    return names;
  }

  TempFolder folder;
  RecordingPrompter prompter;
  CCorvaneDoc doc;
  DocumentLoader loader;
  std::vector<std::pair<std::string, std::string>> files;
};

TEST_F(IntakeLoaderTest, AFolderLoadsTopInFrontWithEveryDrillFileAndTheStandardReading) {
  WriteFolder();
  const IntakeSet set = GatherIntake(std::vector<std::string>{folder.File("fab")});
  const IntakeLoadResult result = LoadIntakeSet(loader, set);
  EXPECT_TRUE(result.unopened.empty());
  // Drawn back to front: the outline and bottom first, the top mask last.
  EXPECT_EQ(LayerNames(), (std::vector<std::string>{"board-Edge_Cuts.gbr", "board-B_Cu.gbr",
                                                    "board-F_Cu.gbr", "board-F_Mask.gbr"}));
  EXPECT_EQ(doc.Layers()[2].color, FunctionColor(doc.Layers()[2].function));
  EXPECT_EQ(doc.Layers()[2].function.side, LayerSide::kTop);
  // The plated file is the NC drill file, the non-plated one a further drill file.
  EXPECT_EQ(doc.GetNcDrillFunction().plating, LayerPlating::kPlated);
  ASSERT_EQ(doc.DrillFiles().size(), 1u);
  EXPECT_EQ(doc.DrillFiles()[0].function.plating, LayerPlating::kNonPlated);
  EXPECT_EQ(doc.GetNetlistFileName(), folder.File("fab/board.ipc"));
  EXPECT_EQ(doc.GetReading(), Reading::kStandard);
  EXPECT_TRUE(prompter.messages.empty());  // millimetres without G71: no warning in this reading

  // The standard reading reads both drill files and knows every layer's function.
  const StandardLoad model = LoadStandardModel(doc, loader.SettingsBeforeGerberFiles());
  ASSERT_EQ(model.model.layers.size(), 6u);
  EXPECT_EQ(model.documentLayers[5], DocumentLayerOfDrillFile(0));
  EXPECT_EQ(model.model.layers[2].function.side, LayerSide::kTop);
  EXPECT_EQ(model.model.layers[5].function.plating, LayerPlating::kNonPlated);
  EXPECT_FALSE(model.model.layers[5].geometry.objects.empty());

  // Reload All keeps all of it.
  loader.ReloadAll();
  EXPECT_EQ(doc.Layers().size(), 4u);
  EXPECT_EQ(doc.DrillFiles().size(), 1u);
  EXPECT_EQ(doc.GetReading(), Reading::kStandard);
  EXPECT_EQ(doc.Layers()[2].function.side, LayerSide::kTop);
}

TEST_F(IntakeLoaderTest, AWorkFileKeepsTheSetAndReadsItBack) {
  folder.Write("fab.zip", [&] {
    std::vector<TestEntry> entries;
    for (const auto& [name, text] : files) entries.push_back({name, text});
    return WriteTestArchive(entries, TestFormat::kZip);
  }());
  LoadIntakeSet(loader, GatherIntake(std::vector<std::string>{folder.File("fab.zip")}));
  ASSERT_EQ(doc.GetLayerCount(), 4);
  const std::string work = folder.File("fab.wrk");
  ASSERT_TRUE(WriteWorkFile(doc, work).ok);
  const std::string text = TempFolder::Read(work);
  EXPECT_EQ(text.rfind("Reading=standard\r\nResetOrigin=", 0), 0u);
  EXPECT_NE(text.find("LayerFunction=2,gerber,top,copper,0,,attributes,positive\r\n"), std::string::npos);
  EXPECT_NE(text.find("DrillFiles=0,0,0,excellon,all,drill,0,non-plated,attributes,positive," +
                      folder.File("fab.zip") + "/board-NPTH.drl\r\n"),
            std::string::npos);

  CCorvaneDoc reopened(0);
  DocumentLoader reader(reopened, nullptr, &prompter);
  std::vector<std::string> unopened;
  ASSERT_TRUE(ReadWorkFile(reader, work, &unopened).ok);
  EXPECT_TRUE(unopened.empty());
  EXPECT_EQ(reopened.GetReading(), Reading::kStandard);
  ASSERT_EQ(reopened.GetLayerCount(), 4);
  for (int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(reopened.Layers()[static_cast<std::size_t>(i)].function, doc.Layers()[static_cast<std::size_t>(i)].function);
  }
  EXPECT_EQ(reopened.GetNcDrillFunction(), doc.GetNcDrillFunction());
  ASSERT_EQ(reopened.DrillFiles().size(), 1u);
  EXPECT_EQ(reopened.DrillFiles()[0].function, doc.DrillFiles()[0].function);
  EXPECT_EQ(reopened.GetNetlistFileName(), doc.GetNetlistFileName());
  EXPECT_EQ(FormatWorkFile(reopened, folder.Path()), text);
}

TEST_F(IntakeLoaderTest, LinesOfMissingFilesAndOtherLayersAreNotMisapplied) {
  const std::string top = folder.Write("top.gbr", Plot("Copper,L1,Top"));
  const std::string work = folder.Write(
      "set.wrk",
      "LayerInfo=255,0,0,0,0,0,0,gone.gbr\r\nLayerInfo=0,0,255,0,0,0,0,top.gbr\r\n"
      "LayerFunction=0,gerber,bottom,copper,0,,name,positive\r\n"
      "LayerFunction=1,gerber,top,copper,0,,name,positive\r\n"
      "LayerFunction=7,gerber,top,outline,0,,name,positive\r\n"
      "LayerFunction=x,gerber,top,outline,0,,name,positive\r\n"
      "DrillFiles=0,0,0,excellon,all,drill,0,plated,name,positive,gone.drl\r\n"
      "DrillFiles=0,0,0,nonsense,top.gbr\r\n");
  std::vector<std::string> unopened;
  ASSERT_TRUE(ReadWorkFile(loader, work, &unopened).ok);
  ASSERT_EQ(doc.GetLayerCount(), 1);
  EXPECT_EQ(doc.Layers()[0].fileName, top);
  EXPECT_EQ(doc.Layers()[0].function.side, LayerSide::kTop);
  EXPECT_TRUE(doc.DrillFiles().empty());
  EXPECT_EQ(unopened, (std::vector<std::string>{folder.File("gone.gbr"), folder.File("gone.drl")}));
}

TEST_F(IntakeLoaderTest, AWorkFileWithNothingNewIsWrittenAsBefore) {
  const std::string top = folder.Write("top.gbr", "%FSLAX24Y24*%%MOIN*%%ADD10C,0.01*%D10*X0Y0D02*X100Y0D01*M02*");
  PlotLayer layer;
  layer.fileName = top;
  ASSERT_TRUE(loader.LoadGerberLayer(layer));
  const std::string text = FormatWorkFile(doc, folder.Path());
  EXPECT_EQ(text.find("Reading"), std::string::npos);
  EXPECT_EQ(text.find("Function"), std::string::npos);
  EXPECT_EQ(text.find("DrillFiles"), std::string::npos);
  const std::string last = "PrintMagnification=1.0000\r\n";
  EXPECT_EQ(text.substr(text.size() - last.size()), last);
}

TEST_F(IntakeLoaderTest, APlainListKeepsItsOrderColoursAndReading) {
  const std::string bottom = folder.Write("b.gbr", Plot("Copper,L2,Bot"));
  const std::string top = folder.Write("t.gbr", Plot("Copper,L1,Top"));
  const std::string drill = folder.Write("d.txt", Drill("Plated,1,2,PTH"));
  const std::string odd = folder.Write("odd.gbr", "nothing a reader knows");
  LoadIntakeSet(loader, GatherIntake(std::vector<std::string>{bottom, top, drill, odd}));
  EXPECT_EQ(LayerNames(), (std::vector<std::string>{"b.gbr", "t.gbr", "odd.gbr"}));
  EXPECT_EQ(doc.Layers()[0].color, CCorvaneDoc::DefaultLayerColor(0));
  EXPECT_EQ(doc.Layers()[1].color, CCorvaneDoc::DefaultLayerColor(1));
  // Each file is identified as a folder's would be, and the Layers panel
  // says what it is.
  EXPECT_EQ(doc.Layers()[0].function.side, LayerSide::kBottom);
  EXPECT_EQ(doc.Layers()[0].function.type, LayerType::kCopper);
  EXPECT_EQ(doc.Layers()[1].function.side, LayerSide::kTop);
  EXPECT_EQ(doc.Layers()[2].function.type, LayerType::kOther);
  // The drill file is read as one, not as a plot file.
  EXPECT_EQ(doc.GetNcDrillFileName(), drill);
  EXPECT_EQ(doc.GetReading(), Reading::kUnset);
}

}  // namespace
}  // namespace corvane
