#include "app/board_commands.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/app_shell.h"
#include "app/command_ids.h"
#include "app/layer_geometry_cache.h"
#include "app/status_texts.h"
#include "fake_work_file_io.h"
#include "loading/standard_model_cache.h"
#include "platform/frame_host.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "platform/ui_thread_poster.h"
#include "view/board_style_store.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

class BoardFrame : public FrameHost {
 public:
  bool IsToolBarVisible() const override { return true; }
  void ShowToolBar(bool) override {}
  bool IsStatusBarVisible() const override { return true; }
  void ShowStatusBar(bool) override {}
  void Close() override {}
  void ShowAbout() override {}
  void ShowHelpPage(const std::string&) override {}
  void SetStatusText(std::string_view text) override { status = text; }
  void SetCaption(const std::string&) override {}
  std::string status;
};

// The shell with the demo fab set of the examples opened: two sides of
// copper, mask and silkscreen, an outline, plated and non-plated drills.
class BoardCommandsTest : public ::testing::Test {
 protected:
  BoardCommandsTest() {
    shell = std::make_unique<AppShell>(store, prompter, io);
    shell->AttachFrame(&frame);
    view = std::make_unique<CCorvaneView>(shell->Doc(), host);
    shell->AttachView(*view);
  }
  void Open() {
    ASSERT_TRUE(shell->Lifecycle().OpenPaths({std::string(CORVANE_TEST_DATA_DIR) + "/../../examples/fab"}));
  }

  MemorySettingsStore store;
  RecordingPrompter prompter;
  FakeWorkFileIo io;
  BoardFrame frame;
  FakeViewHost host;
  std::unique_ptr<AppShell> shell;
  std::unique_ptr<CCorvaneView> view;
};

TEST_F(BoardCommandsTest, TheViewSwitchesBetweenTheSidesAndTheLayers) {
  EXPECT_FALSE(shell->Update(kIdViewBoardTop).enabled);  // nothing open
  EXPECT_TRUE(shell->Update(kIdViewPlotLayers).checked);
  Open();
  struct Step {
    int32_t command;
    ViewPicture picture;
    bool drawsBoard;
    int32_t mirrorLeftRight;
  };
  const Step steps[] = {
      {kIdViewBoardTop, ViewPicture::kBoardTop, true, 0},
      {kIdViewBoardBottom, ViewPicture::kBoardBottom, true, 1},
      {kIdViewPlotLayers, ViewPicture::kLayers, false, 0},
      {kIdViewBoardBottom, ViewPicture::kBoardBottom, true, 1},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.command);
    ASSERT_TRUE(shell->Execute(s.command));
    EXPECT_EQ(view->GetPicture(), s.picture);
    EXPECT_EQ(view->DrawsBoard(), s.drawsBoard);
    EXPECT_EQ(view->MirrorLeftRight(), s.mirrorLeftRight);
    for (const int32_t id : {kIdViewBoardTop, kIdViewBoardBottom, kIdViewPlotLayers}) {
      EXPECT_EQ(shell->Update(id).checked, id == s.command);
    }
  }
  // The board's extents, about 40 x 25 mm, fill the view.
  const Extents e = view->GetPlotExtents();
  EXPECT_GT(e.maxX - e.minX, 1.0);
  EXPECT_LT(e.maxX - e.minX, 3.0);
  EXPECT_EQ(view->GetBoardPicture(BoardSide::kTop)->side, BoardSide::kTop);
}

TEST_F(BoardCommandsTest, ColoursAreChosenInTurnStoredAndDrawn) {
  Open();
  ASSERT_TRUE(shell->Execute(kIdViewBoardTop));
  const BoardPicture* before = view->GetBoardPicture(BoardSide::kTop);
  ASSERT_NE(before, nullptr);
  EXPECT_EQ(before->Find(BoardPart::kMask)->color, BoardStyle{}.MaskColor());
  ASSERT_TRUE(shell->Execute(kIdBoardMaskColor));
  EXPECT_EQ(store.ReadText(kSectionSettings, kBoardMaskKey, ""), "red");
  EXPECT_EQ(frame.status, "Mask: red, finish: gold, silkscreen: white");
  const BoardPicture* after = view->GetBoardPicture(BoardSide::kTop);
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->Find(BoardPart::kMask)->color, 0x1E1EA8u);
  // Round the choices back to the first.
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(shell->Execute(kIdBoardMaskColor));
  EXPECT_EQ(store.ReadText(kSectionSettings, kBoardMaskKey, ""), "green");
  ASSERT_TRUE(shell->Execute(kIdBoardSilkColor));
  ASSERT_TRUE(shell->Execute(kIdBoardPaste));
  EXPECT_TRUE(shell->Update(kIdBoardPaste).checked);
  const BoardStyle stored = StoredBoardStyle(&store);
  EXPECT_EQ(stored, (BoardStyle{0, 0, 1, true}));
  EXPECT_NE(view->GetBoardPicture(BoardSide::kTop)->Find(BoardPart::kPaste), nullptr);
  // A new shell over the same settings starts with them.
  AppShell again(store, prompter, io);
  CCorvaneView otherView(again.Doc(), host);
  again.AttachView(otherView);
  EXPECT_TRUE(again.Update(kIdBoardPaste).checked);
}

TEST_F(BoardCommandsTest, MirrorYShowsWhatTheUserSetInTheBottomViewToo) {
  Open();
  struct Step {
    int32_t command;
    bool checked;     // Mirror Y's check mark
    int32_t mapping;  // the view's left-right mirroring right after the command
  };
  // The bottom view is mirrored by itself; the user's Mirror Y turns it back.
  const Step steps[] = {
      {kIdViewBoardBottom, false, 1}, {kIdMirrorY, true, 0},         {kIdViewPlotLayers, true, 1},
      {kIdViewBoardTop, true, 1},     {kIdViewBoardBottom, true, 0}, {kIdMirrorY, false, 1},
      {kIdViewPlotLayers, false, 0},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.command);
    ASSERT_TRUE(shell->Execute(s.command));
    EXPECT_EQ(shell->Update(kIdMirrorY).checked, s.checked);
    EXPECT_EQ(shell->Doc().GetMirrorY() != 0, s.checked);
    EXPECT_EQ(view->GetViewport().GetMirrorY(), s.mapping);
    EXPECT_EQ(view->MirrorLeftRight(), s.mapping);
  }
}

// With a poster, as in the window: the picture is composed on a worker from
// the cache's geometry and handed over on the window's thread.
class BoardOnWorkerTest : public BoardCommandsTest {
 protected:
  BoardOnWorkerTest() { shell->AttachPoster(poster); }
  // Runs the workers and what they post until no picture is on its way.
  void Settle() {
    for (int i = 0; i < 1000 && (shell->Board()->Composing() || shell->Geometry()->Building());
         ++i) {
      shell->Geometry()->WaitForWorker();
      shell->Board()->WaitForWorker();
      poster.RunPending();
    }
  }

  QueuedPoster poster;
};

TEST_F(BoardOnWorkerTest, ThePictureComesLaterTheSameAndTheViewStaysUsable) {
  Open();
  Settle();
  ASSERT_TRUE(shell->Execute(kIdViewBoardTop));
  EXPECT_TRUE(shell->Board()->Composing());
  EXPECT_EQ(frame.status, "Composing the board picture of the top side...");
  // Meanwhile the view draws the layers and takes commands.
  EXPECT_EQ(view->GetBoardPicture(BoardSide::kTop), nullptr);
  EXPECT_FALSE(view->DrawsBoard());
  EXPECT_TRUE(shell->Update(kIdViewBoardTop).checked);
  const double scale = view->GetViewport().GetScale();
  EXPECT_TRUE(shell->Execute(kIdZoomIn));
  EXPECT_NE(view->GetViewport().GetScale(), scale);
  Settle();
  EXPECT_FALSE(shell->Board()->Composing());
  ASSERT_NE(view->GetBoardPicture(BoardSide::kTop), nullptr);
  EXPECT_TRUE(view->DrawsBoard());
  EXPECT_EQ(frame.status, kIdleStatusText);  // the demo board lacks nothing
  const BoardPicture here =
      BuildBoardPicture(shell->StandardModels().Current().model, BoardSide::kTop, BoardStyle{});
  const BoardPicture& came = *view->GetBoardPicture(BoardSide::kTop);
  ASSERT_EQ(came.parts.size(), here.parts.size());
  for (std::size_t i = 0; i < here.parts.size(); ++i) {
    EXPECT_EQ(came.parts[i].part, here.parts[i].part);
    EXPECT_EQ(came.parts[i].Paths(), here.parts[i].Paths());
  }
}

TEST_F(BoardOnWorkerTest, APictureOverTakenByANewColourIsDropped) {
  Open();
  ASSERT_TRUE(shell->Execute(kIdViewBoardTop));
  ASSERT_TRUE(shell->Execute(kIdBoardMaskColor));  // before the first one came
  Settle();
  const BoardPicture* picture = view->GetBoardPicture(BoardSide::kTop);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Find(BoardPart::kMask)->color, 0x1E1EA8u);  // red
  // The picture that came says nothing over the colours' words.
  EXPECT_EQ(frame.status, "Mask: red, finish: gold, silkscreen: white");
  // Nothing older arrives later.
  Settle();
  EXPECT_EQ(poster.RunPending(), 0u);
  EXPECT_EQ(view->GetBoardPicture(BoardSide::kTop)->Find(BoardPart::kMask)->color, 0x1E1EA8u);
}

}  // namespace
}  // namespace corvane
