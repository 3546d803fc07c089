#include "analysis/board_pieces.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "analysis/board_picture.h"
#include "analysis/generated_board.h"
#include "geometry/layer_geometry_builder.h"
#include "geometry/polygon_ops.h"

namespace corvane {
namespace {

constexpr double kPi = 3.14159265358979323846;

GeoPath Rect(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// A star of `points` spikes: concave everywhere, so a cut crosses it many times.
GeoPath Star(int64_t cx, int64_t cy, int64_t inner, int64_t outer, int points) {
  GeoPath star;
  for (int i = 0; i < 2 * points; ++i) {
    const double r = static_cast<double>(i % 2 == 0 ? outer : inner);
    const double a = kPi * i / points;
    star.push_back({cx + std::llround(r * std::cos(a)), cy + std::llround(r * std::sin(a))});
  }
  return star;
}

GeoPath Reversed(GeoPath path) { return {path.rbegin(), path.rend()}; }

double Perimeter(const GeoPaths& paths) {
  double length = 0.0;
  for (const GeoPath& path : paths) {
    for (std::size_t i = 0; i < path.size(); ++i) {
      const GeoPoint a = path[i];
      const GeoPoint b = path[(i + 1) % path.size()];
      length += std::hypot(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y));
    }
  }
  return length;
}

TEST(BoardPiecesTest, TilesFillWhatTheirPieceFilled) {
  struct Case {
    const char* what;
    GeoPaths paths;
    std::size_t maxPoints;
    bool cut;
  };
  const Case cases[] = {
      {"small piece", {Rect(0, 0, 1000, 1000)}, 16, false},
      {"star", {Star(0, 0, 400'000, 1'000'000, 300)}, 64, true},
      {"star with a hole",
       {Star(5'000'000, 0, 2'000'000, 3'000'000, 500),
        Reversed(Rect(4'000'000, -500'000, 6'000'000, 500'000))},
       100,
       true},
      {"ring of two stars",
       {Star(0, 0, 800'000, 1'000'000, 200), Reversed(Star(0, 0, 300'000, 500'000, 150))},
       50,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Moved off the origin, as a copy lies: its tiles are moved with it.
    const GeoPoint at{7'000'000, -3'000'000};
    const BoardPieces tiles =
        TiledPieces({BoardPiece::Of(std::make_shared<const GeoPaths>(c.paths), at)}, c.maxPoints);
    GeoPaths want = c.paths;
    for (GeoPath& path : want) {
      for (GeoPoint& p : path) p = {p.x + at.x, p.y + at.y};
    }
    EXPECT_EQ(tiles.size() > 1, c.cut);
    GeoPaths all;
    for (const BoardPiece& tile : tiles) {
      const GeoPaths paths = tile.Paths();
      EXPECT_EQ(tile.box, BoxOf(paths));
      EXPECT_LE(tile.PointCount(), c.maxPoints + 8);  // a few where the cuts cross
      all.insert(all.end(), paths.begin(), paths.end());
    }
    // Each crossing of a cut moves by half a nanometre at most: what moves is
    // a sliver along the edge it lies on.
    const double slivers = Perimeter(c.paths) * 1.0;
    EXPECT_NEAR(SignedArea(UnionOf(all)), SignedArea(want), slivers);
    EXPECT_LE(SignedArea(DifferenceOf(all, want)), slivers);
    EXPECT_LE(SignedArea(DifferenceOf(want, all)), slivers);
  }
}

TEST(BoardPiecesTest, BoxesAreFoundInsideOutsideOrAcrossTheBoard) {
  // 100 x 100 with a cut-out 40..60 x 40..60; the outer contour clockwise, as
  // an outline may give it.
  const RegionEdges board({Reversed(Rect(0, 0, 100, 100)), Rect(40, 40, 60, 60)});
  struct Case {
    const char* what;
    GeoBox box;
    BoxPlace place;
  };
  const Case cases[] = {
      {"inside", {10, 10, 20, 20}, BoxPlace::kInside},
      {"beyond", {110, 10, 120, 20}, BoxPlace::kOutside},
      {"in the cut-out", {45, 45, 55, 55}, BoxPlace::kOutside},
      {"across the edge", {90, 10, 110, 20}, BoxPlace::kAcross},
      {"touching the edge", {100, 10, 110, 20}, BoxPlace::kAcross},
      {"around the cut-out", {30, 30, 70, 70}, BoxPlace::kAcross},
      {"left of the cut-out, in line with it", {20, 45, 30, 55}, BoxPlace::kInside},
      {"empty", {}, BoxPlace::kOutside},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(board.Locate(c.box), c.place);
  }
}

TEST(BoardPiecesTest, TheRegionLessPiecesIsTheBoolean) {
  const GeoPaths region{Rect(0, 0, 1000, 1000)};
  const RegionEdges board(region);
  BoardPieces pieces;
  for (const GeoPath& p : {Rect(100, 100, 200, 200), Rect(900, 100, 1100, 200),
                           Rect(2000, 0, 2100, 100), Star(500, 500, 100, 300, 7)}) {
    pieces.push_back(BoardPiece::Of(std::make_shared<const GeoPaths>(GeoPaths{p})));
  }
  BoardPicturePart part;
  part.placed = RegionLess(board, pieces);
  const GeoPaths left = part.Paths();
  GeoPaths all;
  for (const BoardPiece& piece : pieces) {
    const GeoPaths paths = piece.Paths();
    all.insert(all.end(), paths.begin(), paths.end());
  }
  const GeoPaths want = DifferenceOf(region, all);
  EXPECT_DOUBLE_EQ(SignedArea(left), SignedArea(want));
  EXPECT_EQ(SignedArea(XorOf(left, want)), 0.0);
  // Every point is covered once or not at all: the fill can be drawn as it is.
  EXPECT_EQ(LocatePoint({150, 150}, left), PointPlace::kOutside);
  EXPECT_EQ(LocatePoint({50, 50}, left), PointPlace::kInside);
}

// A board of a few copies (step and repeat) with what makes the piecewise
// picture work hard: a pour of many points with clearances and pads in them,
// a second top copper file over the first, vias through the pour, a hole
// and a mask opening across the board's edge, silkscreen across openings,
// holes and the edge, and a cut-out.
StandardModel HardBoard() {
  std::string pour = "G36*X1000000Y1000000D02*";
  for (int i = 0; i <= 400; ++i) {
    const double x = 1.0 + 18.0 * i / 400.0;
    const double y = 1.0 + 0.3 * std::sin(i * 0.7);
    pour += "X" + std::to_string(std::llround(x * 1e6)) + "Y" +
            std::to_string(std::llround(y * 1e6)) + "D01*";
  }
  pour += "X19000000Y14000000D01*X1000000Y14000000D01*X1000000Y1000000D01*G37*";
  std::string clearances = "%LPC*%%ADD12C,1.6*%D12*";
  std::string pads = "%LPD*%%ADD13C,1.0*%D13*";
  std::string openings = "%ADD10C,1.2*%D10*";
  for (int i = 0; i < 6; ++i) {
    const std::string at = "X" + std::to_string(3000000 + i * 2500000) + "Y8000000D03*";
    clearances += at;
    pads += at;
    openings += at;
  }
  const std::string step = "%SRX3Y2I22.0J18.0*%";
  const std::string copper = step + "%ADD11C,0.3*%" + pour + clearances + pads +
                             "D11*X2000000Y12000000D02*X18000000Y12000000D01*%SR*%";
  StandardModel model;
  model.layers.push_back(testboard::Gerber("top.gbr", LayerSide::kTop, LayerType::kCopper, copper));
  model.layers.push_back(
      testboard::Gerber("top2.gbr", LayerSide::kTop, LayerType::kCopper,
                        step + "%ADD10R,3X1*%D10*X10000000Y1200000D03*X2000000Y16000000D03*%SR*%"));
  model.layers.push_back(testboard::Gerber(
      "topmask.gbr", LayerSide::kTop, LayerType::kSoldermask,
      step + openings + "%ADD11R,4X4*%D11*X10000000Y1000000D03*X0Y9000000D03*%SR*%"));
  model.layers.push_back(
      testboard::Gerber("topsilk.gbr", LayerSide::kTop, LayerType::kSilkscreen,
                        step + "%ADD10C,0.2*%D10*X-1000000Y8000000D02*X20000000Y8000000D01*"
                               "X4000000Y3000000D02*X4000000Y12500000D01*%SR*%"));
  std::string vias;
  for (int cx = 0; cx < 3; ++cx) {
    for (int cy = 0; cy < 2; ++cy) {
      for (int i = 0; i < 5; ++i) {
        vias += "X" + std::to_string(5.0 + 2.5 * i + 22.0 * cx) + "Y" +
                std::to_string(5.0 + 18.0 * cy) + "\n";
      }
      vias += "X" + std::to_string(4.0 + 22.0 * cx) + "Y" + std::to_string(8.0 + 18.0 * cy) + "\n";
    }
  }
  model.layers.push_back(testboard::Drill("pth.drl", vias + "X0.0Y9.0\n"));
  StandardLayer npth = testboard::Drill("npth.drl", "X5.4Y5.0\nX40.0Y30.0\n");
  npth.function.plating = LayerPlating::kNonPlated;
  model.layers.push_back(npth);
  model.layers.push_back(testboard::Gerber(
      "edge.gbr", LayerSide::kAll, LayerType::kOutline,
      "%ADD10C,0.1*%D10*X0Y0D02*X64000000Y0D01*X64000000Y34000000D01*X0Y34000000D01*X0Y0D01*"
      "X30000000Y15000000D02*X33000000Y15000000D01*X33000000Y17000000D01*X30000000Y17000000D01*"
      "X30000000Y15000000D01*"));
  return model;
}

TEST(BoardPiecesTest, ThePiecewisePictureIsTheWholeBoardBoolean) {
  const StandardModel model = HardBoard();
  std::vector<LayerGeometry> geometry;
  for (const StandardLayer& layer : model.layers) geometry.push_back(BuildLayerGeometry(layer));
  const auto geometryOf = [&](uint32_t i) { return i < geometry.size() ? &geometry[i] : nullptr; };
  const BoardLayers layers = FindBoardLayers(model);
  BoardStyle style;
  style.paste = true;
  const BoardPicture want =
      ComposeBoardPicture(model, layers, BoardSide::kTop, style, geometryOf, {1, true});
  const BoardPicture one =
      ComposeBoardPicture(model, layers, BoardSide::kTop, style, geometryOf, {1});
  const BoardPicture two =
      ComposeBoardPicture(model, layers, BoardSide::kTop, style, geometryOf, {2});
  ASSERT_EQ(want.parts.size(), 5u);  // substrate, mask, copper, finish, silkscreen
  ASSERT_EQ(one.parts.size(), want.parts.size());
  EXPECT_EQ(one.box, want.box);
  EXPECT_EQ(one.notes, want.notes);
  for (std::size_t i = 0; i < want.parts.size(); ++i) {
    SCOPED_TRACE(i);
    const BoardPicturePart& w = want.parts[i];
    const BoardPicturePart& p = one.parts[i];
    EXPECT_EQ(p.part, w.part);
    EXPECT_EQ(p.color, w.color);
    const GeoPaths wp = w.Paths();
    const GeoPaths pp = p.Paths();
    const double area = SignedArea(wp);
    EXPECT_GT(area, 1e12);  // a square millimetre at least: each part has something in it
    const double slivers = Perimeter(wp) * 1.0;
    EXPECT_NEAR(SignedArea(pp), area, slivers);
    EXPECT_LE(SignedArea(DifferenceOf(pp, wp)), slivers);
    EXPECT_LE(SignedArea(DifferenceOf(wp, pp)), slivers);
    // The threads share the work, never change it.
    EXPECT_EQ(two.parts[i].Paths(), pp);
  }
}

}  // namespace
}  // namespace corvane
