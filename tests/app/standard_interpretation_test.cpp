#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/app_shell.h"
#include "app/command_ids.h"
#include "app/view_commands.h"
#include "fake_work_file_io.h"
#include "platform/frame_host.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "platform/ui_thread_poster.h"
#include "standard/standard_model.h"
#include "temp_folder.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

class StatusFrame : public FrameHost {
 public:
  bool IsToolBarVisible() const override { return true; }
  void ShowToolBar(bool) override {}
  bool IsStatusBarVisible() const override { return true; }
  void ShowStatusBar(bool) override {}
  void Close() override {}
  void ShowAbout() override {}
  void ShowHelpPage(const std::string&) override {}
  void SetStatusText(std::string_view text) override {
    status = text;
    tooltip.clear();
    ++statusCount;
  }
  void SetStatusHint(std::string_view text, std::string_view fullText) override {
    SetStatusText(text);
    tooltip = fullText;
  }
  void SetCaption(const std::string&) override {}
  std::string status;
  std::string tooltip;
  int statusCount = 0;
};

class StandardInterpretationTest : public ::testing::Test {
 protected:
  StandardInterpretationTest() {
    // A pour with a clear cut-out 1 x 1 inch, and a pad far out at x = 3.
    board = folder.Write("board.gbr",
                         "%FSLAX24Y24*%%MOIN*%%ADD10C,0.1*%G36*X0Y0D02*X10000Y0D01*X10000Y10000D01*"
                         "X0Y10000D01*X0Y0D01*G37*%LPC*%D10*X5000Y5000D03*%LPD*%X30000Y0D03*M02*");
  }
  void Start() {
    // A view goes before the document it shows, as in the window.
    view.reset();
    shell = std::make_unique<AppShell>(store, prompter, io);
    shell->AttachFrame(&frame);
    view = std::make_unique<CCorvaneView>(shell->Doc(), host);
    shell->AttachView(*view);
  }
  void LoadBoard() {
    PlotLayer layer;
    layer.fileName = board;
    ASSERT_TRUE(shell->Loader().LoadGerberLayer(layer));
  }

  TempFolder folder;
  std::string board;
  MemorySettingsStore store;
  RecordingPrompter prompter;
  FakeWorkFileIo io;
  StatusFrame frame;
  FakeViewHost host;
  std::unique_ptr<AppShell> shell;
  std::unique_ptr<CCorvaneView> view;
};

TEST_F(StandardInterpretationTest, TheSwitchIsKeptReloadsAndFitsTheStandardExtents) {
  Start();
  EXPECT_EQ(view->GetInterpretation(), Interpretation::kClassic);
  EXPECT_EQ(shell->Update(kIdStandardInterpretation).checked, false);
  LoadBoard();
  shell->Doc().SetModified(false);
  const int repaints = host.repaintCount;

  ASSERT_TRUE(shell->Execute(kIdStandardInterpretation));
  EXPECT_EQ(store.ReadInt("Settings", "StandardInterpretation", -1), 1);
  EXPECT_TRUE(view->DrawsStandard());
  EXPECT_EQ(shell->Update(kIdStandardInterpretation).checked, true);
  EXPECT_FALSE(shell->Doc().IsModified()) << "the work file does not change";
  EXPECT_EQ(host.repaintCount, repaints + 1);
  // Fitted to the standard model: the pad's radius beyond x = 3 included.
  EXPECT_EQ(view->GetPlotExtents(), (Extents{3.05, 0.0, 1.0, -0.05}));
  EXPECT_DOUBLE_EQ(view->GetViewport().GetScale(), 800 / 3.05);

  ASSERT_TRUE(shell->Execute(kIdStandardInterpretation));
  EXPECT_EQ(store.ReadInt("Settings", "StandardInterpretation", -1), 0);
  EXPECT_FALSE(view->DrawsStandard());
  EXPECT_EQ(view->GetPlotExtents(), shell->Doc().GetExtents());
}

TEST_F(StandardInterpretationTest, TheStoredChoiceIsTheViewsAtStart) {
  const struct {
    int32_t stored;
    Interpretation expected;
  } rows[] = {{1, Interpretation::kStandard},
              {0, Interpretation::kClassic},
              {2, Interpretation::kClassic},
              {-1, Interpretation::kClassic}};
  int checked = 0;
  for (const auto& row : rows) {
    store.WriteInt("Settings", "StandardInterpretation", row.stored);
    Start();
    EXPECT_EQ(view->GetInterpretation(), row.expected) << row.stored;
    ++checked;
  }
  EXPECT_EQ(checked, 4);
}

TEST_F(StandardInterpretationTest, TheHintComesOncePerWorkingSetInTheClassicReadingOnly) {
  Start();
  shell->OnIdle();
  EXPECT_EQ(frame.statusCount, 0) << "nothing loaded";
  LoadBoard();
  shell->OnIdle();
  EXPECT_EQ(frame.status, "Not drawn: regions +1 more (Options > Standard Interpretation)");
  EXPECT_EQ(frame.tooltip, ClassicReadingHint(kFeatureRegion | kFeatureClearPolarity));
  shell->OnIdle();
  EXPECT_EQ(frame.statusCount, 1) << "once";
  shell->Loader().ReloadAll();
  shell->OnIdle();
  EXPECT_EQ(frame.statusCount, 1) << "the same files read again: nothing new";
  LoadBoard();
  shell->OnIdle();
  EXPECT_EQ(frame.statusCount, 2) << "again for another working set";
  view->SetInterpretation(Interpretation::kStandard);
  LoadBoard();
  shell->OnIdle();
  EXPECT_EQ(frame.statusCount, 2) << "the standard reading draws it all";
}

TEST_F(StandardInterpretationTest, TheHintNeverComesOverAMeasurement) {
  Start();
  LoadBoard();
  view->Tools().OnMeasure();
  shell->OnIdle();
  view->OnPointerPress({PointerButton::kLeft, {10, 50}});
  view->OnPointerPress({PointerButton::kLeft, {40, 10}});
  shell->OnIdle();
  EXPECT_EQ(frame.statusCount, 0) << "neither over the prompt nor over the result";
  ASSERT_FALSE(host.statusTexts.empty());
  EXPECT_EQ(host.statusTexts.back().rfind("X = ", 0), 0u) << host.statusTexts.back();
}

TEST(ClassicReadingHintTest, NamesWhatTheFilesUse) {
  EXPECT_EQ(ClassicReadingHint(0), "");
  EXPECT_EQ(ClassicReadingHint(kFeatureStepRepeat),
            "The files use what the classic reading does not draw (step and repeat); "
            "Options > Standard Interpretation draws them.");
  EXPECT_EQ(ClassicReadingHint(kFeatureMacroFlash | kFeatureObroundFlash | kFeatureHeaderFormat),
            "The files use what the classic reading does not draw (macro, polygon or obround "
            "flashes, an Excellon header format); Options > Standard Interpretation draws them.");
}

TEST(ClassicReadingHintTest, TheShortHintFitsTheStatusBarWhateverTheFilesUse) {
  EXPECT_EQ(ShortClassicReadingHint(0), "");
  EXPECT_EQ(ShortClassicReadingHint(kFeatureStepRepeat),
            "Not drawn: step and repeat (Options > Standard Interpretation)");
  EXPECT_EQ(ShortClassicReadingHint(kFeatureMacroFlash | kFeatureRouting),
            "Not drawn: macro, polygon or obround flashes +1 more "
            "(Options > Standard Interpretation)");
  // Every combination of the features the hint can name.
  std::size_t longest = 0;
  int combinations = 0;
  for (uint32_t bits = 1; bits < (1u << 16); ++bits) {
    const std::string hint = ShortClassicReadingHint(bits);
    if (hint.empty()) continue;
    longest = std::max(longest, hint.size());
    EXPECT_LT(hint.size(), ClassicReadingHint(bits).size() + 1) << bits;
    ++combinations;
  }
  EXPECT_GT(combinations, 1000);
  EXPECT_LE(longest, kShortHintLength);
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// The standard reading's working set gets its geometry built in the
// background when the window is idle; the classic reading builds none.
TEST_F(StandardInterpretationTest, TheStandardReadingBuildsGeometryInTheBackground) {
  Start();
  QueuedPoster poster;
  shell->AttachPoster(poster);
  LoadBoard();
  shell->OnIdle();
  ASSERT_NE(shell->Geometry(), nullptr);
  EXPECT_FALSE(shell->Geometry()->Building()) << "the classic reading asks for none";
  ASSERT_TRUE(shell->Execute(kIdStandardInterpretation));
  shell->OnIdle();
  EXPECT_TRUE(shell->Geometry()->Building());
  shell->Geometry()->WaitForWorker();
  EXPECT_EQ(poster.RunPending(), 1u);
  const LayerGeometryCache::Built built = shell->Geometry()->Find(0);
  ASSERT_NE(built, nullptr);
  // The pour with its cut-out, and the pad.
  EXPECT_EQ(built->geometry.islands.size(), 2u);
  EXPECT_EQ(built->geometry.holeCount, 1u);
  shell->OnIdle();
  EXPECT_FALSE(shell->Geometry()->Building()) << "built once per load";
  shell->Loader().ReloadAll();
  shell->OnIdle();
  EXPECT_TRUE(shell->Geometry()->Building()) << "a reload builds again";
  EXPECT_EQ(shell->Geometry()->Find(0), nullptr);
  shell->Geometry()->WaitForWorker();
  poster.RunPending();
  EXPECT_NE(shell->Geometry()->Find(0), nullptr);
}

}  // namespace
}  // namespace corvane
