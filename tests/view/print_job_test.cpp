#include "view/print_job.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/prompter.h"

namespace corvane {
namespace {

// A board of one draw from (1, 0) to (3, 0.5) with a round 0.004 aperture,
// shown on a window whose zoom, scroll position and flags differ from what a
// print job uses.
class PrintJobTest : public ::testing::Test {
 protected:
  PrintJobTest() {
    doc_.SetMirrorX(0);
    doc_.SetMirrorY(0);
    doc_.SetAutoOrigin(0);
    doc_.SetShowDrillHoles(0);
    PlotLayer layer;
    layer.color = 0x0000FF;
    doc_.AddLayer(layer);
    Aperture a;
    a.dcode = 10;
    a.shape = kShapeCircle;
    a.sizeX = a.sizeY = 0.004;
    doc_.AddAperture(a);
    Add(10, 0, 0);
    Add(2, 1, 0);
    Add(1, 1, 0);  // draws alone count for the extents
    Add(1, 3, 0.5);
    doc_.ComputeExtents();
    view_.OnInitialUpdate();
    Viewport& viewport = view_.GetViewport();
    viewport.SetScale(37.5);
    viewport.SetScrollPosition(-12, 40);
    screen_.clipBox = {0, 0, 800, 600};
  }
  void Add(int32_t dcode, double x, double y) {
    PlotItem item;
    item.kind = kKindStatement;
    item.dcode = dcode;
    item.x = x;
    item.y = y;
    doc_.AddItem(item);
  }
  // Scale, scroll position, the document's flag and the view's copy of it.
  struct ScreenState {
    double scale;
    DevicePoint scroll;
    int32_t docAutoOrigin;
    int32_t viewAutoOrigin;
    friend bool operator==(const ScreenState&, const ScreenState&) = default;
  };
  ScreenState Screen() const {
    const Viewport& v = view_.GetViewport();
    return {v.GetScale(), v.GetScrollPos(), doc_.GetAutoOrigin(), v.GetAutoOrigin()};
  }
  // The x of the draw's end on a surface.
  static int32_t DrawEndX(const RecordingSurface& dc) {
    const auto lines = dc.Calls(SurfaceOp::kLineTo);
    return lines.empty() ? INT32_MIN : lines.back().args[0];
  }

  CCorvaneDoc doc_;
  FakeViewHost host_;
  CCorvaneView view_{doc_, host_};
  RecordingSurface screen_;
  FakePrintService printers_;
  RecordingPrompter prompter_;
  PrintJob job_{view_, printers_, &prompter_};
};

TEST_F(PrintJobTest, ADirectJobPrintsOnePageAtTheDevicesResolution) {
  struct Case {
    int32_t dpiX, dpiY;
    int32_t viewportX, viewportY;
  };
  const Case cases[] = {
      {600, 600, 600, 600},
      {300, 1200, 300, 1200},
      {0, -5, 100, 100},  // a device that reports no resolution: 100 dots per inch
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpiX);
    printers_.printer.dotsPerInchX = c.dpiX;
    printers_.printer.dotsPerInchY = c.dpiY;
    const int starts = printers_.printer.startCount;
    EXPECT_EQ(job_.Print(true, "board.wrk"), PrintOutcome::kPrinted);
    const RecordingPrintDevice& p = printers_.printer;
    EXPECT_EQ(p.startCount, starts + 1);
    EXPECT_EQ(p.endCount, p.startCount);
    EXPECT_EQ(p.titles.back(), "board.wrk");
    EXPECT_EQ(p.windowX, 100);
    EXPECT_EQ(p.windowY, 100);
    EXPECT_EQ(p.viewportX, c.viewportX);
    EXPECT_EQ(p.viewportY, c.viewportY);
    // 2 plot units at magnification 1 from the printable area's left edge.
    EXPECT_EQ(p.page.Calls(SurfaceOp::kMoveTo).back().args[0], 0);
    EXPECT_EQ(DrawEndX(p.page), 200);
  }
  EXPECT_EQ(printers_.printDialogCount, 0);
  EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(PrintJobTest, ThePrintDialogComesFirstAndItsCancelEndsTheJobUntouched) {
  const ScreenState before = Screen();
  printers_.printDialogAnswer = false;
  EXPECT_EQ(job_.Print(false, "x"), PrintOutcome::kCancelled);
  EXPECT_EQ(printers_.printDialogCount, 1);
  EXPECT_TRUE(printers_.printer.titles.empty());
  EXPECT_TRUE(prompter_.messages.empty());
  EXPECT_EQ(Screen(), before);

  printers_.printDialogAnswer = true;
  EXPECT_EQ(job_.Print(false, "x"), PrintOutcome::kPrinted);
  EXPECT_EQ(printers_.printDialogCount, 2);
  EXPECT_EQ(printers_.printer.startCount, 1);
}

TEST_F(PrintJobTest, TheViewHoldsThePrintStateOnlyWhileTheJobRuns) {
  for (const double m : {1.0, 2.0, 0.0, -1.5}) {
    SCOPED_TRACE(m);
    doc_.SetPrintMagnification(m);
    const ScreenState before = Screen();
    ScreenState during{};
    printers_.printer.onStart = [&] { during = Screen(); };
    EXPECT_EQ(job_.Print(true, "x"), PrintOutcome::kPrinted);
    const double expectedScale = m == 0.0 ? 100.0 : 100.0 * m;
    EXPECT_DOUBLE_EQ(during.scale, expectedScale);
    EXPECT_EQ(during.docAutoOrigin, 1);
    EXPECT_EQ(during.scroll, before.scroll);
    EXPECT_EQ(Screen(), before);
  }
}

TEST_F(PrintJobTest, AJobThatCannotStartSaysSoAndRestoresTheScreen) {
  for (const bool direct : {true, false}) {
    SCOPED_TRACE(direct);
    prompter_.messages.clear();
    printers_.printer.canStart = false;
    const ScreenState before = Screen();
    EXPECT_EQ(job_.Print(direct, "x"), PrintOutcome::kFailed);
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0], "Could not start print job.");
    EXPECT_EQ(Screen(), before);
    EXPECT_EQ(printers_.printer.endCount, 0);
    EXPECT_EQ(prompter_.waitCursorDepth, 0);
  }
  // The next job on a printer that works prints as usual.
  printers_.printer.canStart = true;
  EXPECT_EQ(job_.Print(true, "x"), PrintOutcome::kPrinted);
}

TEST_F(PrintJobTest, APreviewHoldsThePrintStateForAsLongAsItIsOpen) {
  doc_.SetPrintMagnification(2.0);
  const ScreenState before = Screen();
  printers_.previewPaints = 3;  // the preview draws its page again on every change
  ScreenState whileOpen{};
  int32_t screenLength = 0;
  printers_.whilePreviewOpen = [&] {
    whileOpen = Screen();
    // A paint of the window meanwhile uses the print scale too (at its own
    // scroll position).
    view_.OnDraw(screen_);
    screenLength = DrawEndX(screen_) - screen_.Calls(SurfaceOp::kMoveTo).back().args[0];
  };
  const int invalidates = host_.invalidateCount;
  job_.Preview("x");
  EXPECT_EQ(printers_.previewCount, 1);
  EXPECT_EQ(printers_.printDialogCount, 0);
  EXPECT_EQ(printers_.previewPage.startCount, 3);
  EXPECT_EQ(DrawEndX(printers_.previewPage.page), 400);
  EXPECT_DOUBLE_EQ(whileOpen.scale, 200.0);
  EXPECT_EQ(whileOpen.docAutoOrigin, 1);
  EXPECT_EQ(screenLength, 400);
  EXPECT_EQ(Screen(), before);
  EXPECT_GT(host_.invalidateCount, invalidates);  // the window shows the screen state again
}

TEST_F(PrintJobTest, APrintFromThePreviewThatCannotStartIsReported) {
  printers_.previewPage.canStart = false;
  const ScreenState before = Screen();
  job_.Preview("x");
  ASSERT_EQ(prompter_.messages.size(), 1u);
  EXPECT_EQ(prompter_.messages[0], "Could not start print job.");
  EXPECT_EQ(Screen(), before);
}

TEST_F(PrintJobTest, NothingIsCulledOnThePageAndThereIsOnlyOnePage) {
  // At magnification 10 the draw ends 20 inches right: beyond any page. The
  // device cuts it; the job neither drops it nor starts a second page.
  doc_.SetPrintMagnification(10.0);
  printers_.printer.page.clipBox = {0, 0, 850, 1100};
  EXPECT_EQ(job_.Print(true, "x"), PrintOutcome::kPrinted);
  // 10 x 100 x (3 - 0.998): the extents hold the pen's half width of 0.002.
  EXPECT_EQ(DrawEndX(printers_.printer.page), 2001);
  EXPECT_EQ(printers_.printer.startCount, 1);
  // The same board on the window, scrolled far away, draws nothing.
  view_.GetViewport().SetScrollPosition(100000, 100000);
  view_.OnDraw(screen_);
  EXPECT_TRUE(screen_.Calls(SurfaceOp::kLineTo).empty());
}

}  // namespace
}  // namespace corvane
