// Tiles stitched into islands: what neighbours share along a cut line joins
// them, what only one side has stays an edge, a corner alone joins nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geometry/polygon_ops.h"
#include "geometry/tile_stitch.h"

namespace corvane {
namespace {

GeoPath Box(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

GeoPath Reversed(GeoPath path) { return GeoPath(path.rbegin(), path.rend()); }

struct StitchCase {
  std::string name;
  std::vector<StitchIsland> pieces;
  std::vector<int64_t> cutX;
  std::vector<int64_t> cutY;
  std::size_t islands;
  std::size_t holes;
  double area;
  std::size_t vertices;
};

std::vector<StitchCase> Cases() {
  // A square frame 0..30 about a hole 10..20, in four tiles cut at 15.
  const std::vector<StitchIsland> frame = {
      {{{{0, 0}, {15, 0}, {15, 10}, {10, 10}, {10, 15}, {0, 15}}}},
      {{{{15, 0}, {30, 0}, {30, 15}, {20, 15}, {20, 10}, {15, 10}}}},
      {{{{20, 15}, {30, 15}, {30, 30}, {15, 30}, {15, 20}, {20, 20}}}},
      {{{{0, 15}, {10, 15}, {10, 20}, {15, 20}, {15, 30}, {0, 30}}}},
  };
  return {
      {"squares sharing the cut become one", {{{Box(0, 0, 10, 10)}}, {{Box(10, 0, 20, 10)}}},
       {10}, {}, 1, 0, 200, 4},
      {"a partial overlap on the line leaves steps",
       {{{Box(0, 0, 10, 10)}}, {{Box(10, 5, 20, 15)}}}, {10}, {}, 1, 0, 200, 8},
      {"a frame across four tiles keeps its hole", frame, {15}, {15}, 1, 1, 800, 8},
      {"corners that touch join nothing",
       {{{Box(0, 0, 10, 10)}}, {{Box(10, 10, 20, 20)}}}, {10}, {10}, 2, 0, 200, 8},
      {"an edge on the cut with nothing across stays", {{{Box(0, 0, 10, 10)}}}, {10}, {0}, 1, 0,
       100, 4},
      {"a hole inside one tile goes with the joined island",
       {{{Box(0, 0, 10, 10), Reversed(Box(2, 2, 4, 4))}}, {{Box(10, 0, 20, 10)}}}, {10}, {}, 1, 1,
       196, 8},
      {"a gap across the cut keeps two islands", {{{Box(0, 0, 9, 10)}}, {{Box(11, 0, 20, 10)}}},
       {10}, {}, 2, 0, 180, 8},
      {"a ring off every cut passes as it is",
       {{{{{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}}}}}, {}, {}, 1, 0, 100, 5},
      {"a ring along a cut loses its straight points",
       {{{{{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}}}}}, {10}, {}, 1, 0, 100, 4},
  };
}

TEST(TileStitchTest, NeighboursJoinAlongTheirCutsOnly) {
  for (const StitchCase& c : Cases()) {
    const StitchResult result = StitchTiles(c.pieces, c.cutX, c.cutY);
    ASSERT_TRUE(result.closed) << c.name;
    EXPECT_EQ(result.islands.size(), c.islands) << c.name;
    std::size_t holes = 0;
    std::size_t vertices = 0;
    double area = 0;
    for (const StitchIsland& island : result.islands) {
      ASSERT_FALSE(island.rings.empty()) << c.name;
      EXPECT_GT(SignedArea(island.rings.front()), 0) << c.name;
      for (std::size_t r = 1; r < island.rings.size(); ++r) {
        EXPECT_LT(SignedArea(island.rings[r]), 0) << c.name;
      }
      holes += island.rings.size() - 1;
      for (const GeoPath& ring : island.rings) {
        vertices += ring.size();
        area += SignedArea(ring);
      }
    }
    EXPECT_EQ(holes, c.holes) << c.name;
    EXPECT_EQ(area, c.area) << c.name;
    EXPECT_EQ(vertices, c.vertices) << c.name;
  }
}

TEST(TileStitchTest, AHoleWithNoIslandAroundItIsReported) {
  // Not what tiles give: the caller must build such an area another way.
  EXPECT_FALSE(StitchTiles({{{Reversed(Box(0, 0, 10, 10))}}}, {10}, {}).closed);
  EXPECT_TRUE(StitchTiles({{{Box(0, 0, 10, 10)}}}, {10}, {}).closed);
}

}  // namespace
}  // namespace corvane
