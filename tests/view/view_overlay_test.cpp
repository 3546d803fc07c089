#include "view/view_overlay.h"

#include <gtest/gtest.h>

#include <cmath>

#include "view/corvane_view.h"

namespace corvane {
namespace {

// A view over one draw from (1, 0) to (3, 1), as the view tests use.
class OverlayViewTest : public ::testing::Test {
 protected:
  OverlayViewTest() {
    doc_.AddLayer(PlotLayer{});
    PlotItem item;
    item.kind = kKindStatement;
    // A move to the first point first: a draw from nowhere starts at the origin.
    item.dcode = 2;
    item.x = 1;
    doc_.AddItem(item);
    item.dcode = 1;
    doc_.AddItem(item);
    item.x = 3;
    item.y = 1;
    doc_.AddItem(item);
    doc_.ComputeExtents();
    host_.onRepaint = [this] { view_.OnDraw(dc_); };
  }
  CCorvaneDoc doc_;
  FakeViewHost host_;
  CCorvaneView view_{doc_, host_};
  RecordingSurface dc_;
};

TEST_F(OverlayViewTest, MarkersAreDrawnOverThePictureWhereThePlotPointsAre) {
  doc_.SetMirrorX(1);
  doc_.SetAutoOrigin(0);
  view_.OnInitialUpdate();  // scale 400, scroll (400, 0): plot (3, 1) is pixel (800, 0)
  MarkerOverlay markers;
  markers.SetMarkers({{2.0, 0.0, 3.0, 1.0, 2.5, 0.5, 0x0000FF, true}});
  view_.AddOverlay(&markers);
  view_.AddOverlay(&markers);  // once is enough
  view_.RedrawView();

  const auto& calls = dc_.calls;
  std::size_t lastPictureLine = 0;
  std::size_t firstMarkerPen = calls.size();
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].op == SurfaceOp::kSelectPen && calls[i].color == 0x0000FF && i < firstMarkerPen) {
      firstMarkerPen = i;
    }
    if (calls[i].op == SurfaceOp::kLineTo && firstMarkerPen == calls.size()) lastPictureLine = i;
  }
  ASSERT_LT(firstMarkerPen, calls.size());
  EXPECT_GT(firstMarkerPen, lastPictureLine);
  EXPECT_EQ(calls[firstMarkerPen].args[0], 3);  // the current marker is wider
  const auto moves = dc_.Calls(SurfaceOp::kMoveTo);
  const auto lines = dc_.Calls(SurfaceOp::kLineTo);
  // The box's first corner, then the cross's centre lines about (600, 200).
  ASSERT_GE(moves.size(), 4u);
  EXPECT_EQ(moves[moves.size() - 3].args[0], 400);
  EXPECT_EQ(moves[moves.size() - 2].args[1], 200);
  EXPECT_EQ(lines.back().args[0], 600);

  view_.RemoveOverlay(&markers);
  dc_.calls.clear();
  view_.RedrawView();
  ASSERT_FALSE(dc_.Calls(SurfaceOp::kLineTo).empty());  // the picture, without the marker
  for (const SurfaceCall& call : dc_.calls) {
    EXPECT_FALSE(call.op == SurfaceOp::kSelectPen && call.color == 0x0000FF);
  }
}

TEST(MarkerOverlayTest, APointStillGetsAMarkerOfTheMinimumSize) {
  MarkerOverlay markers;
  markers.SetMarkers({{5.0, 5.0, 5.0, 5.0, 5.0, 5.0, 0x00FF00, false}});
  RecordingSurface dc;
  PlotMapping map;
  map.kx = map.ky = 10.0 * kSubUnits;  // ten pixels a unit
  markers.Draw(dc, map);
  const auto lines = dc.Calls(SurfaceOp::kLineTo);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0].args[0] - dc.Calls(SurfaceOp::kMoveTo)[0].args[0],
            MarkerOverlay::kMinMarkerPixels);
  EXPECT_EQ(dc.Calls(SurfaceOp::kSelectPen)[0].args[0], 1);
  EXPECT_EQ(dc.Calls(SurfaceOp::kRestorePen).size(), 1u);
}

struct FitCase {
  int32_t mirrorX;
  int32_t mirrorY;
  int32_t autoOrigin;
  Extents box;  // maxX, minX, maxY, minY
  double minimumSide;
  bool fits;
};

class ZoomToPlotBoxTest : public OverlayViewTest, public ::testing::WithParamInterface<FitCase> {};

TEST_P(ZoomToPlotBoxTest, TheBoxFillsTheWindowAboutItsCentre) {
  const FitCase& c = GetParam();
  doc_.SetMirrorX(c.mirrorX);
  doc_.SetMirrorY(c.mirrorY);
  doc_.SetAutoOrigin(c.autoOrigin);
  view_.OnInitialUpdate();
  const double scaleBefore = view_.GetViewport().GetScale();
  const int repaintsBefore = host_.repaintCount;
  ASSERT_EQ(view_.ZoomToPlotBox(c.box, c.minimumSide), c.fits);
  if (!c.fits) {
    EXPECT_EQ(view_.GetViewport().GetScale(), scaleBefore);
    EXPECT_EQ(host_.repaintCount, repaintsBefore);
    return;
  }
  EXPECT_EQ(host_.repaintCount, repaintsBefore + 1);
  const double width = std::max(c.box.maxX - c.box.minX, c.minimumSide) * 1.2;
  const double height = std::max(c.box.maxY - c.box.minY, c.minimumSide) * 1.2;
  EXPECT_NEAR(view_.GetViewport().GetScale(), std::min(800 / width, 600 / height), 1e-9);
  const PlotPoint centre = view_.GetViewport().PlotPointAt({400, 300});
  const double pixel = 1.0 / view_.GetViewport().GetScale();
  EXPECT_NEAR(centre.x, (c.box.minX + c.box.maxX) / 2, 2 * pixel);
  EXPECT_NEAR(centre.y, (c.box.minY + c.box.maxY) / 2, 2 * pixel);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, ZoomToPlotBoxTest,
    ::testing::Values(FitCase{0, 0, 0, {2.5, 2.0, 0.6, 0.4}, 0.0, true},
                      FitCase{1, 0, 0, {2.5, 2.0, 0.6, 0.4}, 0.0, true},
                      FitCase{0, 1, 1, {2.5, 2.0, 0.6, 0.4}, 0.0, true},
                      FitCase{1, 1, 1, {1.2, 1.1, 0.9, 0.1}, 0.0, true},
                      // A point: the minimum side gives the scale.
                      FitCase{1, 0, 1, {2.0, 2.0, 0.5, 0.5}, 0.25, true},
                      // A point without a minimum, an inverted box, not a number.
                      FitCase{0, 0, 0, {2.0, 2.0, 0.5, 0.5}, 0.0, false},
                      FitCase{0, 0, 0, {1.0, 2.0, 0.5, 0.6}, 0.0, false},
                      FitCase{0, 0, 0, {NAN, 2.0, 0.5, 0.6}, 0.1, false}));

}  // namespace
}  // namespace corvane
