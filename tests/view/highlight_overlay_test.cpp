#include "view/highlight_overlay.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr int64_t kInch = 25'400'000;  // nanometres

// One plot inch is 100 pixels, y up the screen: x = 100 * in, y = 600 - 100 * in.
PlotMapping HundredPixelsPerInch() {
  return {100.0 * kSubUnits, 0.0, -100.0 * kSubUnits, 600.0 * kSubUnits};
}

TEST(HighlightOverlayTest, LitPolygonsAreOneFill) {
  HighlightOverlay overlay;
  overlay.Add({{{0, 0}, {kInch, 0}, {kInch, kInch}, {0, kInch}},
               {{kInch / 4, kInch / 4}, {kInch / 4, kInch / 2}, {kInch / 2, kInch / 2}},
               {{0, 0}, {kInch, 0}}});  // a path of two points covers nothing
  overlay.Add({{{2 * kInch, 2 * kInch}, {3 * kInch, 2 * kInch}, {3 * kInch, 3 * kInch}}});
  EXPECT_EQ(overlay.ContourCount(), 3u);
  EXPECT_DOUBLE_EQ(overlay.MinX(), 0.0);
  EXPECT_DOUBLE_EQ(overlay.MaxX(), 3.0);
  EXPECT_DOUBLE_EQ(overlay.MaxY(), 3.0);

  RecordingSurface dc;
  dc.background = 0x102030;
  overlay.Draw(dc, HundredPixelsPerInch());
  // The rest of the picture fades toward the background first.
  ASSERT_GE(dc.calls.size(), 2u);
  EXPECT_EQ(dc.calls[0], (SurfaceCall{SurfaceOp::kFadeRect, 0x102030, {0, 0, 800, 600, kDimOpacity}}));
  EXPECT_EQ(dc.calls[1].op, SurfaceOp::kBeginLayer);
  const auto layers = dc.Calls(SurfaceOp::kBeginLayer);
  ASSERT_EQ(layers.size(), 1u);
  EXPECT_EQ(layers[0].color, kHighlightColor);
  const auto fills = dc.Calls(SurfaceOp::kFillPath);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].path.contourSizes, (std::vector<uint32_t>{4, 3, 3}));
  EXPECT_EQ(fills[0].path.points[2], (SubPoint{100 * kSubUnits, 500 * kSubUnits}));
  EXPECT_TRUE(dc.Calls(SurfaceOp::kLineTo).empty());

  // Points in the pixel of the point before add nothing; a contour left with
  // fewer than three is dropped.
  HighlightOverlay fine;
  fine.Add({{{0, 0}, {kInch / 1000, 0}, {kInch, 0}, {kInch, -kInch / 1000}, {kInch, kInch}},
            {{0, 0}, {kInch / 1000, -kInch / 1000}, {kInch / 500, 0}}});
  dc.Clear();
  fine.Draw(dc, HundredPixelsPerInch());
  const auto thinned = dc.Calls(SurfaceOp::kFillPath);
  ASSERT_EQ(thinned.size(), 1u);
  EXPECT_EQ(thinned[0].path.contourSizes, (std::vector<uint32_t>{3}));

  overlay.Clear();
  EXPECT_TRUE(overlay.Empty());
  dc.Clear();
  overlay.Draw(dc, HundredPixelsPerInch());
  EXPECT_TRUE(dc.calls.empty()) << "nothing lit draws nothing";
}

TEST(HighlightOverlayTest, TheSnapMarkerIsASquareAboutThePoint) {
  HighlightOverlay overlay;
  overlay.SetSnapMarker(std::make_pair(1.0, 2.0));
  RecordingSurface dc;
  overlay.Draw(dc, HundredPixelsPerInch());
  EXPECT_TRUE(dc.Calls(SurfaceOp::kFillPath).empty());
  const auto moves = dc.Calls(SurfaceOp::kMoveTo);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].args[0], 100 - kSnapMarkerPixels);
  EXPECT_EQ(moves[0].args[1], 400 - kSnapMarkerPixels);
  EXPECT_EQ(dc.Calls(SurfaceOp::kLineTo).size(), 4u);
  overlay.SetSnapMarker(std::nullopt);
  dc.Clear();
  overlay.Draw(dc, HundredPixelsPerInch());
  EXPECT_TRUE(dc.calls.empty());
}

}  // namespace
}  // namespace corvane
