#include "view/board_renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "analysis/generated_board.h"
#include "geometry/polygon_ops.h"
#include "platform/settings_store.h"
#include "view/board_style_store.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

double SubArea(const DevicePath& path) {
  double area = 0.0;
  std::size_t first = 0;
  for (const uint32_t size : path.contourSizes) {
    for (std::size_t i = 0; i < size; ++i) {
      const SubPoint& a = path.points[first + i];
      const SubPoint& b = path.points[first + (i + 1) % size];
      area += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    first += size;
  }
  return std::fabs(area / 2);
}

class BoardRendererTest : public ::testing::Test {
 protected:
  BoardRendererTest() {
    host.clientSize = {600, 400};
    doc.SetMirrorX(1);  // +y up, as the program starts
    doc.SetMirrorY(0);
    for (const BoardSide side : {BoardSide::kTop, BoardSide::kBottom}) {
      view.SetBoardPicture(side, std::make_shared<BoardPicture>(
                                     BuildBoardPicture(testboard::Board(), side, BoardStyle{})));
    }
  }
  void Show(ViewPicture picture) {
    view.ShowPicture(picture);
    view.OnInitialUpdate();
    dc.composes = false;  // as a vector output is given it
    dc.Clear();
    view.OnDraw(dc);
  }
  // The device centre of the part's recorded fill, in pixels.
  DevicePoint CentreOf(const SurfaceCall& fill) const {
    GeoBox box;
    for (const SubPoint& p : fill.path.points) box.Add(GeoPoint{p.x, p.y});
    return {static_cast<int32_t>((box.minX + box.maxX) / 2 / kSubUnits),
            static_cast<int32_t>((box.minY + box.maxY) / 2 / kSubUnits)};
  }
  const BoardPicture& Picture(BoardSide side) const { return *view.GetBoardPicture(side); }

  CCorvaneDoc doc;
  FakeViewHost host;
  CCorvaneView view{doc, host};
  RecordingSurface dc;
};

TEST_F(BoardRendererTest, EachPartIsOneExactDarkFillInItsColourInOrder) {
  Show(ViewPicture::kBoardTop);
  const BoardPicture& picture = Picture(BoardSide::kTop);
  const std::vector<SurfaceCall> layers = dc.Calls(SurfaceOp::kBeginLayer);
  const std::vector<SurfaceCall> fills = dc.Calls(SurfaceOp::kFillPath);
  ASSERT_EQ(layers.size(), picture.parts.size());
  ASSERT_EQ(fills.size(), picture.parts.size());
  const double subPerNm = view.GetViewport().GetScale() * kSubUnits / kNanometresPerInch;
  for (std::size_t i = 0; i < fills.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(layers[i].color, picture.parts[i].color);
    EXPECT_EQ(layers[i].args[0], 0);  // nothing to erase: no clear fills
    EXPECT_EQ(fills[i].args[0], 0);
    // The area as drawn is the part's exact area at the view's scale.
    const double want = SignedArea(picture.parts[i].Paths()) * subPerNm * subPerNm;
    EXPECT_NEAR(SubArea(fills[i].path), want, want * 1e-3 + 4.0 * kSubUnits * kSubUnits);
  }
  EXPECT_TRUE(view.DrawsBoard());
  const Extents e = view.GetPlotExtents();
  EXPECT_NEAR(e.maxX, 30.0 / 25.4, 1e-5);
  EXPECT_NEAR(e.minY, 0.0, 1e-5);
}

TEST_F(BoardRendererTest, TheBottomIsSeenFromBelowAndThePointerReadsTrueCoordinates) {
  struct Case {
    ViewPicture picture;
    BoardSide side;
    BoardPart part;
    double x;  // mm of the part's only island
    double y;
    bool onTheLeft;
  };
  const Case cases[] = {
      {ViewPicture::kBoardBottom, BoardSide::kBottom, BoardPart::kFinish, 5.0, 4.0, false},
      {ViewPicture::kBoardTop, BoardSide::kTop, BoardPart::kSilkscreen, 5.0, 10.0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.picture));
    Show(c.picture);
    const BoardPicture& picture = Picture(c.side);
    std::size_t index = 0;
    while (picture.parts[index].part != c.part) ++index;
    const SurfaceCall fill = dc.Calls(SurfaceOp::kFillPath)[index];
    const DevicePoint centre = CentreOf(fill);
    EXPECT_EQ(centre.x < 300, c.onTheLeft);
    const PlotPoint read = view.GetViewport().PlotPointAt(centre);
    EXPECT_NEAR(read.x * 25.4, c.x, 0.2);
    EXPECT_NEAR(read.y * 25.4, c.y, 0.2);
  }
}

TEST_F(BoardRendererTest, LayersAreDrawnUntilTheSidesPictureIsGiven) {
  view.SetBoardPicture(BoardSide::kBottom, nullptr);
  Show(ViewPicture::kBoardBottom);
  EXPECT_FALSE(view.DrawsBoard());
  EXPECT_TRUE(dc.Calls(SurfaceOp::kFillPath).empty());
  EXPECT_EQ(view.MirrorLeftRight(), 0);
  Show(ViewPicture::kLayers);
  EXPECT_FALSE(view.DrawsBoard());
}

TEST(BoardStyleStoreTest, StoredWordsChooseTheColoursAndUnknownOnesTheDefaults) {
  struct Case {
    const char* mask;
    const char* finish;
    const char* silk;
    int32_t paste;
    BoardStyle want;
  };
  const Case cases[] = {
      {"purple", "silver", "black", 1, {5, 1, 1, true}},
      {"green", "gold", "white", 0, {0, 0, 0, false}},
      {"Purple", "copper", "", 2, {0, 0, 0, false}},  // words are exact; paste is 1 or nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mask);
    MemorySettingsStore store;
    store.WriteText(kSectionSettings, kBoardMaskKey, c.mask);
    store.WriteText(kSectionSettings, kBoardFinishKey, c.finish);
    store.WriteText(kSectionSettings, kBoardSilkKey, c.silk);
    store.WriteInt(kSectionSettings, kBoardPasteKey, c.paste);
    const BoardStyle style = StoredBoardStyle(&store);
    EXPECT_EQ(style, c.want);
    MemorySettingsStore again;
    StoreBoardStyle(again, style);
    EXPECT_EQ(StoredBoardStyle(&again), style);
  }
  EXPECT_EQ(StoredBoardStyle(nullptr), BoardStyle{});
  MemorySettingsStore written;
  StoreBoardStyle(written, {4, 1, 1, false});
  EXPECT_EQ(written.ReadText(kSectionSettings, kBoardMaskKey, ""), "white");
  EXPECT_EQ(written.ReadText(kSectionSettings, kBoardFinishKey, ""), "silver");
}

}  // namespace
}  // namespace corvane
