#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../intake/archive_writer.h"
#include "app/app_shell.h"
#include "app/command_ids.h"
#include "app/layer_panel.h"
#include "app/set_opening.h"
#include "fake_work_file_io.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "temp_folder.h"
#include "view/corvane_view.h"
#include "platform/view_host.h"

namespace corvane {
namespace {

std::string Plot(const std::string& function) {
  return "%TF.FileFunction," + function +
         "*%%FSLAX46Y46*%%MOMM*%%ADD10C,0.2*%D10*X0Y0D02*X1000000Y0D01*M02*";
}

class SetOpeningTest : public ::testing::Test {
 protected:
  SetOpeningTest() {
    folder.Write("fab/board-F_Cu.gbr", Plot("Copper,L1,Top"));
    folder.Write("fab/board-B_Cu.gbr", Plot("Copper,L2,Bot"));
    folder.Write("fab/board-F_SilkS.gbr", Plot("Legend,Top"));
    folder.Write("fab/board-PTH.drl", "M48\nMETRIC\nT1C0.3\n%\nT1\nX1.0Y1.0\nM30\n");
    folder.Write("fab/board-NPTH.drl", "M48\nMETRIC\nT1C3.2\n%\nT1\nX2.0Y1.0\nM30\n");
    shell = std::make_unique<AppShell>(store, prompter, io);
    view = std::make_unique<CCorvaneView>(shell->Doc(), host);
    shell->AttachView(*view);
  }
  std::vector<std::string> RowNames() const {
    std::vector<std::string> names;
    for (const LayerPanelRow& row : shell->Layers()->Rows()) names.push_back(row.name);
    return names;
  }

  TempFolder folder;
  MemorySettingsStore store;
  RecordingPrompter prompter;
  FakeWorkFileIo io;
  FakeViewHost host;
  std::unique_ptr<AppShell> shell;
  std::unique_ptr<CCorvaneView> view;
};

TEST_F(SetOpeningTest, AFolderOpensInOneStepInTheStandardReading) {
  ASSERT_TRUE(shell->Lifecycle().OpenDocumentFile(folder.File("fab")));
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_TRUE(view->DrawsStandard());
  EXPECT_EQ(shell->Update(kIdStandardInterpretation).checked, true);
  EXPECT_EQ(shell->Lifecycle().GetTitle(), "fab");
  EXPECT_FALSE(shell->Doc().IsModified());
  EXPECT_EQ(shell->RecentFiles().Get(0), folder.File("fab"));
  // The panel lists the stack front first, then the drill files.
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"board-F_SilkS.gbr", "board-F_Cu.gbr",
                                                  "board-B_Cu.gbr", "board-PTH.drl",
                                                  "board-NPTH.drl"}));
  EXPECT_EQ(shell->Layers()->Rows()[1].function, "Top copper");
  // The user's own switch still changes it, and the set keeps the choice.
  ASSERT_TRUE(shell->Execute(kIdStandardInterpretation));
  EXPECT_FALSE(view->DrawsStandard());
  EXPECT_EQ(shell->Doc().GetReading(), Reading::kClassic);
  EXPECT_TRUE(shell->Doc().IsModified());
}

TEST_F(SetOpeningTest, ARefusedArchiveIsToldInOneMessageNamingIt) {
  const std::string bad =
      folder.Write("bad.zip", WriteTestArchive({{"../evil.gbr", Plot("Copper,L1,Top")}}, TestFormat::kZip));
  EXPECT_FALSE(shell->Lifecycle().OpenDocumentFile(bad));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_NE(prompter.messages[0].find(bad), std::string::npos) << prompter.messages[0];
  EXPECT_NE(prompter.messages[0].find("climbs out"), std::string::npos);
  EXPECT_TRUE(shell->Doc().IsEmpty());
  EXPECT_EQ(shell->RecentFiles().Count(), 0);
}

TEST_F(SetOpeningTest, DroppedPlotAndDrillFilesOpenAsOneSet) {
  shell->OpenDroppedFiles({folder.File("fab/board-B_Cu.gbr"), folder.File("fab/board-F_Cu.gbr"),
                           folder.File("fab/board-NPTH.drl")});
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"board-F_Cu.gbr", "board-B_Cu.gbr",
                                                  "board-NPTH.drl"}));
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(shell->RecentFiles().Count(), 0) << "a list of files has no one path to remember";
}

TEST_F(SetOpeningTest, ThePanelGoesThroughTheDialogsRules) {
  ASSERT_TRUE(shell->Lifecycle().OpenDocumentFile(folder.File("fab")));
  LayerPanel& panel = *shell->Layers();
  CCorvaneDoc& doc = shell->Doc();
  // Hiding the top copper (row 1) hides document layer 1 of 0..2.
  panel.SetVisible(1, false);
  EXPECT_EQ(doc.IsLayerVisible(1), 0);
  EXPECT_EQ(doc.IsLayerVisible(2), 1);
  panel.SetVisible(4, false);  // the non-plated drill file alone
  EXPECT_EQ(doc.DrillFiles()[0].visible, 0);
  EXPECT_EQ(doc.GetShowDrillHoles(), 1);

  // A colour from the chooser, kept with the custom colours as the dialog keeps them.
  CustomColors custom{};
  custom.fill(0x123456);
  prompter.colorChoices.push_back(RecordingPrompter::ColorChoice{0x00FF00, custom});
  panel.ChooseColor(0);
  EXPECT_EQ(doc.Layers()[2].color, 0x00FF00u);
  EXPECT_EQ(store.ReadInt("Custom", "Color0", 0), 0x123456);
  prompter.colorChoices.push_back(std::nullopt);
  panel.ChooseColor(1);  // cancelled: nothing changes
  EXPECT_NE(doc.Layers()[1].color, 0x00FF00u);

  // Moving the bottom copper to the front reads the layers again in the new
  // order and keeps the hidden layer hidden.
  EXPECT_FALSE(panel.CanMove(2, 3)) << "drill files always come last";
  ASSERT_TRUE(panel.MoveRow(2, 0));
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"board-B_Cu.gbr", "board-F_SilkS.gbr",
                                                  "board-F_Cu.gbr", "board-PTH.drl",
                                                  "board-NPTH.drl"}));
  EXPECT_FALSE(shell->Layers()->Rows()[2].visible);
  EXPECT_TRUE(shell->Layers()->Rows()[0].visible);
  EXPECT_EQ(doc.Layers()[2].function.side, LayerSide::kBottom);
  EXPECT_TRUE(doc.IsModified());
}

TEST(SetWorkFileNameTest, ProposesTheSetsName) {
  EXPECT_EQ(SetWorkFileName("fab.zip"), "fab.wrk");
  EXPECT_EQ(SetWorkFileName("fab.TAR.GZ"), "fab.wrk");
  EXPECT_EQ(SetWorkFileName("board.gbrjob"), "board.wrk");
  EXPECT_EQ(SetWorkFileName("gerbers"), "gerbers.wrk");
  EXPECT_EQ(SetWorkFileName(".zip"), ".zip.wrk");
}

}  // namespace
}  // namespace corvane
