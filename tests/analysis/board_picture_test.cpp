#include "analysis/board_picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "analysis/board_shape.h"
#include "analysis/generated_board.h"
#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

constexpr double kNm2PerMm2 = 1e12;

GeoPoint Mm(double x, double y) {
  return {std::llround(x * kNanometresPerMillimetre), std::llround(y * kNanometresPerMillimetre)};
}

// The part seen at a point: the last one drawn that covers it; none where
// the picture is transparent.
std::optional<BoardPart> PartAt(const BoardPicture& picture, GeoPoint p) {
  std::optional<BoardPart> seen;
  for (const BoardPicturePart& part : picture.parts) {
    if (LocatePoint(p, part.Paths()) == PointPlace::kInside) seen = part.part;
  }
  return seen;
}

struct PlaceCase {
  const char* what;
  double x;
  double y;
  std::optional<BoardPart> part;
};

TEST(BoardPictureTest, EachPlaceOfTheTopShowsWhatTheBoardIsMadeOfThere) {
  const BoardPicture picture =
      BuildBoardPicture(testboard::Board(), BoardSide::kTop, BoardStyle{});
  const PlaceCase cases[] = {
      {"pad in an opening", 5.0, 10.0, BoardPart::kFinish},
      {"pad under the mask", 10.0, 10.0, BoardPart::kCopperUnderMask},
      {"plated hole", 15.0, 10.0, std::nullopt},
      {"ring of the drilled pad", 15.0, 10.8, BoardPart::kFinish},
      {"cut-out", 22.0, 7.0, std::nullopt},
      {"silkscreen beside the opening", 5.0, 12.5, BoardPart::kSilkscreen},
      {"silkscreen over the opening is not drawn", 5.0, 10.5, BoardPart::kFinish},
      {"mask over laminate", 25.0, 15.0, BoardPart::kMask},
      {"opening over bare laminate", 25.0, 3.0, BoardPart::kSubstrate},
      {"just inside the edge", 29.98, 19.98, BoardPart::kMask},
      {"outside the outline", 30.1, 10.0, std::nullopt},
      {"outside, below", 10.0, -0.5, std::nullopt},
      {"bottom pad is not on top", 5.0, 4.0, BoardPart::kMask},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(PartAt(picture, Mm(c.x, c.y)), c.part);
  }
  EXPECT_NEAR(picture.box.minX, 0, 1000);
  EXPECT_NEAR(picture.box.minY, 0, 1000);
  EXPECT_NEAR(picture.box.maxX, 30'000'000, 1000);
  EXPECT_NEAR(picture.box.maxY, 20'000'000, 1000);
  EXPECT_EQ(picture.Find(BoardPart::kMask)->color, BoardStyle{}.MaskColor());
}

TEST(BoardPictureTest, TheBottomWithoutMaskIsTheBareBoardAndSaysSo) {
  const BoardPicture picture =
      BuildBoardPicture(testboard::Board(), BoardSide::kBottom, BoardStyle{});
  EXPECT_EQ(picture.side, BoardSide::kBottom);
  EXPECT_EQ(PartAt(picture, Mm(5, 4)), BoardPart::kFinish);
  EXPECT_EQ(PartAt(picture, Mm(10, 10)), BoardPart::kSubstrate);
  EXPECT_EQ(PartAt(picture, Mm(15, 10)), std::nullopt);
  EXPECT_EQ(picture.Find(BoardPart::kMask), nullptr);
  EXPECT_EQ(picture.Find(BoardPart::kSilkscreen), nullptr);
  EXPECT_EQ(picture.notes, (std::vector<std::string>{
                               "edge.gbr: 1 inner contour cut out of the board",
                               "no bottom soldermask layer; the bare board is drawn"}));
}

TEST(BoardPictureTest, ColoursFollowTheStyleAndPasteOnlyWhenAsked) {
  StandardModel model = testboard::Board();
  model.layers.push_back(testboard::Gerber("paste.gbr", LayerSide::kTop, LayerType::kSolderpaste,
                                           "%ADD10R,1X1*%D10*X5000000Y10000000D03*"));
  BoardStyle style;
  style.mask = *PaintChoiceNamed(BoardPaint::kMask, "red");
  style.finish = *PaintChoiceNamed(BoardPaint::kFinish, "silver");
  style.silk = *PaintChoiceNamed(BoardPaint::kSilk, "black");
  const BoardPicture plain = BuildBoardPicture(model, BoardSide::kTop, style);
  EXPECT_EQ(plain.Find(BoardPart::kPaste), nullptr);
  EXPECT_EQ(plain.Find(BoardPart::kMask)->color, 0x1E1EA8u);
  EXPECT_EQ(plain.Find(BoardPart::kFinish)->color, 0xC8C4C0u);
  EXPECT_EQ(plain.Find(BoardPart::kSilkscreen)->color, 0x141414u);
  style.paste = true;
  const BoardPicture pasted = BuildBoardPicture(model, BoardSide::kTop, style);
  EXPECT_EQ(PartAt(pasted, Mm(5, 10)), BoardPart::kPaste);
  EXPECT_EQ(PartAt(pasted, Mm(5.8, 10)), BoardPart::kFinish);
}

struct ShapeCase {
  const char* what;
  std::string outline;  // body of the outline layer; "none": no outline layer
  bool fromOutline;
  double areaMm2;
  const char* note;  // the first note, or ""
};

TEST(BoardShapeTest, OutlinesOfEveryKindGiveASensibleBoard) {
  const std::string rectangle10 =
      "%ADD10C,0.2*%D10*X0Y0D02*X10000000Y0D01*X10000000Y10000000D01*X0Y10000000D01*";
  const ShapeCase cases[] = {
      {"closed rectangle", rectangle10 + "X0Y0D01*", true, 100.0, ""},
      // The line's round ends are 0.2 mm across: 0.24 mm apart leaves 0.04 mm.
      {"gap of 0.04 mm closed", rectangle10 + "X0Y240000D01*", true, 100.0,
       "edge.gbr: a gap of 0.05 mm or less in the outline was closed"},
      {"gap of 0.1 mm: the copper's extents", rectangle10 + "X0Y300000D01*", false,
       // the copper of both sides spans 4..16 x 3..11 mm, with 1 mm around
       14.0 * 10.0, "edge.gbr: the outline does not close (a gap wider than 0.05 mm); the board is drawn as the copper's extents with a 1 mm margin"},
      {"no outline layer", "none", false, 14.0 * 10.0,
       "no outline layer; the board is drawn as the copper's extents with a 1 mm margin"},
      {"an outline that draws nothing", "%ADD10C,0.1*%", false, 14.0 * 10.0,
       "edge.gbr: the outline draws nothing; the board is drawn as the copper's extents with a 1 mm margin"},
      {"cut-out taken away", testboard::kRectangleOutline, true, 600.0 - 16.0,
       "edge.gbr: 1 inner contour cut out of the board"},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.what);
    StandardModel model = testboard::Board(c.outline == "none" ? "" : c.outline);
    std::vector<LayerGeometry> built;
    for (const StandardLayer& layer : model.layers) built.push_back(BuildLayerGeometry(layer));
    const BoardLayers layers = FindBoardLayers(model);
    std::vector<OutlineLayer> outlines;
    for (const uint32_t i : layers.outlines) outlines.push_back({model.layers[i].fileName, &built[i]});
    GeoBox copper;
    for (const uint32_t i : layers.copper) copper.Add(built[i].extents);
    const BoardShape shape = FindBoardShape(outlines, copper);
    EXPECT_EQ(shape.fromOutline, c.fromOutline);
    // A closed gap may leave a notch of its own width at most.
    EXPECT_NEAR(SignedArea(shape.region) / kNm2PerMm2, c.areaMm2, 0.02);
    EXPECT_EQ(shape.notes.empty() ? std::string() : shape.notes.front(), c.note);
  }
}

TEST(BoardShapeTest, NothingToDrawIsSaid) {
  const BoardShape shape = FindBoardShape({}, GeoBox{});
  EXPECT_TRUE(shape.region.empty());
  EXPECT_EQ(shape.notes, (std::vector<std::string>{"no outline layer; nothing to draw the board from"}));
  const BoardPicture picture = BuildBoardPicture(StandardModel{}, BoardSide::kTop, BoardStyle{});
  EXPECT_TRUE(picture.Empty());
}

TEST(BoardShapeTest, TheEdgeLiesOnTheLinesCentreWhateverItsWidth) {
  for (const double width : {0.05, 0.5, 2.0}) {
    SCOPED_TRACE(width);
    const std::string body = "%ADD10C," + std::to_string(width) +
                             "*%D10*X0Y0D02*X20000000Y0D01*X20000000Y5000000D01*X0Y5000000D01*X0Y0D01*";
    const LayerGeometry g = BuildLayerGeometry(
        testboard::Gerber("edge.gbr", LayerSide::kAll, LayerType::kOutline, body));
    const std::vector<GeoPaths> regions = ClosedContourRegions(g.AllPaths());
    ASSERT_EQ(regions.size(), 1u);
    const GeoBox box = BoxOf(regions.front());
    EXPECT_NEAR(box.minX, 0, 2000);
    EXPECT_NEAR(box.maxX, 20'000'000, 2000);
    EXPECT_NEAR(box.maxY, 5'000'000, 2000);
    EXPECT_NEAR(SignedArea(regions.front()) / kNm2PerMm2, 100.0, 0.01);
  }
}

}  // namespace
}  // namespace corvane
