#include "app/compare_mode.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../analysis/revision_writer.h"
#include "app/app_shell.h"
#include "app/command_ids.h"
#include "fake_work_file_io.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "platform/view_host.h"
#include "temp_folder.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

class CompareModeTest : public ::testing::Test {
 protected:
  CompareModeTest() {
    shell = std::make_unique<AppShell>(store, prompter, io);
    view = std::make_unique<CCorvaneView>(shell->Doc(), host);
    shell->AttachView(*view);
  }
  std::string Revision(const std::string& name, const BoardChanges& changes) {
    const RevisionWriter writer({}, changes);
    folder.Write(name + "/board-F_Cu.gbr", writer.TopCopper());
    folder.Write(name + "/board.drl", writer.Drills());
    return folder.File(name);
  }
  CompareMode& Compare() { return *shell->Compare(); }
  bool Enabled(int32_t id) const { return shell->Update(id).enabled; }

  TempFolder folder;
  MemorySettingsStore store;
  RecordingPrompter prompter;
  FakeWorkFileIo io;
  FakeViewHost host;
  std::unique_ptr<AppShell> shell;
  std::unique_ptr<CCorvaneView> view;
};

TEST_F(CompareModeTest, ComparesTheOpenSetWithTheChosenOneAndStepsThroughThePlaces) {
  const std::string old = Revision("old", {});
  const std::string via = Revision("via", {0.0, false, true, 0.8});
  EXPECT_FALSE(Compare().Start(via));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], kNothingToCompare);

  ASSERT_TRUE(shell->Lifecycle().OpenDocumentFile(old));
  view->SetInterpretation(Interpretation::kClassic);
  EXPECT_FALSE(Enabled(kIdLeaveCompare));
  EXPECT_FALSE(Enabled(kIdNextDifference));
  std::vector<bool> shown;
  Compare().OnActiveChanged([&](bool active) { shown.push_back(active); });
  ASSERT_TRUE(Compare().Start(via));
  EXPECT_TRUE(Compare().Active());
  EXPECT_TRUE(view->DrawsStandard());  // the places are in the standard reading's units
  EXPECT_FALSE(Compare().Overlay().Empty());
  const PlaceList& list = Compare().Differences();
  ASSERT_EQ(list.Rows().size(), 2u);  // the via's pad and its hole
  EXPECT_EQ(list.Summary(), "2 differences on 2 layers");
  EXPECT_EQ(list.Rows()[0].texts[1], "added");
  EXPECT_TRUE(Enabled(kIdNextDifference));
  EXPECT_TRUE(Enabled(kIdPreviousDifference));
  EXPECT_TRUE(Enabled(kIdLeaveCompare));

  EXPECT_TRUE(shell->Execute(kIdPreviousDifference));
  EXPECT_EQ(list.Current(), std::optional<std::size_t>(1));
  EXPECT_TRUE(shell->Execute(kIdNextDifference));
  EXPECT_EQ(list.Current(), std::optional<std::size_t>(0));
  // Choosing zooms to the place: the via at (30, 20) mm is in the window's middle.
  const Extents box = list.Rows()[0].box;
  EXPECT_NEAR((box.minX + box.maxX) / 2, 30.0 / 25.4, 1e-3);

  EXPECT_TRUE(shell->Execute(kIdLeaveCompare));
  EXPECT_FALSE(Compare().Active());
  EXPECT_TRUE(list.Rows().empty());
  EXPECT_FALSE(view->DrawsStandard());  // the reading it had
  EXPECT_EQ(shown, (std::vector<bool>{true, false}));
  EXPECT_FALSE(Enabled(kIdNextDifference));
}

TEST_F(CompareModeTest, SameSetsUnreadableSetsAndOpeningAnotherSet) {
  const std::string old = Revision("old", {});
  ASSERT_TRUE(shell->Lifecycle().OpenDocumentFile(old));
  ASSERT_TRUE(Compare().Start(Revision("copy", {})));
  EXPECT_TRUE(Compare().Active());
  EXPECT_TRUE(Compare().Differences().Rows().empty());
  EXPECT_EQ(Compare().Differences().Summary(), "No differences");
  EXPECT_FALSE(Enabled(kIdNextDifference));

  prompter.messages.clear();
  const std::string missing = folder.File("missing");
  EXPECT_FALSE(Compare().Start(missing));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].rfind("Cannot compare with " + missing + ": ", 0), 0u);
  EXPECT_TRUE(Compare().Active());  // what was shown stays

  ASSERT_TRUE(shell->Lifecycle().OpenDocumentFile(Revision("other", {3.0, true, false, 1.0})));
  EXPECT_FALSE(Compare().Active());
}

TEST(CompareModeRowTest, RowSaysLayerKindAreaAndPosition) {
  StandardLayer layer;
  layer.fileName = "fab.zip/Board-F_Cu.gbr";
  DifferencePlace place;
  place.kind = DifferenceKind::kRemoved;
  place.box = {1'000'000, 2'000'000, 3'000'000, 2'500'000};
  place.area = 0.5e12;
  PlaceRow row = DifferenceRow(layer, place);
  EXPECT_EQ(row.texts, (std::vector<std::string>{"board-f_cu.gbr", "removed", "0.5000 mm²",
                                                 "X 2.0000  Y 2.2500 mm"}));
  EXPECT_EQ(row.color, kCompareRemoved);
  EXPECT_NEAR(row.box.maxX, 3.0 / 25.4, 1e-12);
  EXPECT_NEAR(row.atY, 2.25 / 25.4, 1e-12);
  layer.function.kind = FileKind::kGerber;
  layer.function.side = LayerSide::kTop;
  layer.function.type = LayerType::kCopper;
  layer.function.from = FunctionSource::kAttributes;
  place.kind = DifferenceKind::kAdded;
  row = DifferenceRow(layer, place);
  EXPECT_EQ(row.texts[0], "Top copper (board-f_cu.gbr)");
  EXPECT_EQ(row.color, kCompareAdded);
}

}  // namespace
}  // namespace corvane
