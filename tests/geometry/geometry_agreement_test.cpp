// The fast build against independent answers: random overlapping shapes
// against their own definition sampled at many points, the fast build against
// one boolean pass over the whole layer, and the same build on one thread and
// on several.

#include <gtest/gtest.h>

#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "geometry/box_clusters.h"
#include "geometry/geometry_index.h"
#include "geometry/layer_geometry_builder.h"
#include "geometry/polygon_ops.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint32_t Next(uint32_t bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state_ >> 33) % bound;
  }

 private:
  uint64_t state_;
};

// A shape as the test itself understands it, in micrometres.
struct Shape {
  enum Kind { kCircle, kRectangle, kStroke } kind;
  double x0, y0, x1, y1;  // centre, or the stroke's ends
  double a, b;            // radius; half width and half height; stroke radius
  bool clear;
};

double SegmentDistance(double px, double py, const Shape& s) {
  const double dx = s.x1 - s.x0;
  const double dy = s.y1 - s.y0;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((px - s.x0) * dx + (py - s.y0) * dy) / length2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(px - s.x0 - t * dx, py - s.y0 - t * dy);
}

// How far inside (positive) or outside the shape's edge the point lies, um.
double Depth(double px, double py, const Shape& s) {
  switch (s.kind) {
    case Shape::kCircle:
      return s.a - std::hypot(px - s.x0, py - s.y0);
    case Shape::kRectangle:
      return std::min(s.a - std::fabs(px - s.x0), s.b - std::fabs(py - s.y0));
    case Shape::kStroke:
      return s.a - SegmentDistance(px, py, s);
  }
  return 0.0;
}

std::vector<Shape> RandomShapes(uint64_t seed, int count) {
  Random random(seed);
  std::vector<Shape> shapes;
  for (int i = 0; i < count; ++i) {
    Shape s{};
    s.kind = static_cast<Shape::Kind>(random.Next(3));
    s.x0 = random.Next(8000);
    s.y0 = random.Next(8000);
    s.x1 = s.x0 + random.Next(3000) - 1500.0;
    s.y1 = s.y0 + random.Next(3000) - 1500.0;
    s.a = 100 + random.Next(900);
    s.b = 100 + random.Next(900);
    s.clear = random.Next(5) == 0;
    shapes.push_back(s);
  }
  return shapes;
}

// The shapes as a Gerber file in micrometres (format 4.3 mm).
std::string Write(const std::vector<Shape>& shapes) {
  std::string text = "%FSLAX43Y43*%%MOMM*%";
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    const Shape& s = shapes[i];
    const auto mm = [](double um) { return std::to_string(um / 1000.0); };
    const int code = 10 + static_cast<int>(i);
    if (s.kind == Shape::kRectangle) {
      text += "%ADD" + std::to_string(code) + "R," + mm(2 * s.a) + "X" + mm(2 * s.b) + "*%";
    } else {
      text += "%ADD" + std::to_string(code) + "C," + mm(2 * s.a) + "*%";
    }
    text += s.clear ? "%LPC*%" : "%LPD*%";
    text += "D" + std::to_string(code) + "*";
    const auto at = [](double x, double y) {
      return "X" + std::to_string(std::lround(x)) + "Y" + std::to_string(std::lround(y));
    };
    if (s.kind == Shape::kStroke) {
      text += at(s.x0, s.y0) + "D02*" + at(s.x1, s.y1) + "D01*";
    } else {
      text += at(s.x0, s.y0) + "D03*";
    }
  }
  return text + "M02*";
}

TEST(GeometryAgreementTest, RandomShapesAgreeWithTheirDefinitionAtSampledPoints) {
  int checked = 0;
  for (uint64_t seed = 1; seed <= 6; ++seed) {
    const std::vector<Shape> shapes = RandomShapes(seed, 40);
    const StandardLayer layer = ReadStandardGerber(Write(shapes), StandardContext{});
    ASSERT_EQ(layer.geometry.objects.size(), shapes.size());
    const LayerGeometry geometry = BuildLayerGeometry(layer);
    const GeometryIndex index(layer, geometry);
    Random random(seed * 977);
    int dark = 0;
    for (int k = 0; k < 4000; ++k) {
      const double px = random.Next(100000) / 10.0 - 500.0;
      const double py = random.Next(100000) / 10.0 - 500.0;
      // The last shape covering the point decides; points within 1 um of an
      // edge are left out, the flattening may go either way there.
      bool expected = false;
      bool nearEdge = false;
      for (const Shape& s : shapes) {
        const double depth = Depth(px, py, s);
        if (std::fabs(depth) < 1.0) nearEdge = true;
        if (depth > 0) expected = !s.clear;
      }
      if (nearEdge) continue;
      const GeoPoint p{std::llround(px * 1000.0), std::llround(py * 1000.0)};
      EXPECT_EQ(index.IslandAt(p).has_value(), expected) << seed << " at " << px << ", " << py;
      EXPECT_EQ(!index.DarkObjectsAt(p).empty(), expected) << seed << " at " << px << ", " << py;
      ++checked;
      dark += expected;
    }
    EXPECT_GT(dark, 100) << seed;
  }
  EXPECT_GT(checked, 20000);
}

TEST(GeometryAgreementTest, TheAreaMatchesAFineRasterCount) {
  const std::vector<Shape> shapes = RandomShapes(42, 30);
  const StandardLayer layer = ReadStandardGerber(Write(shapes), StandardContext{});
  const LayerGeometry geometry = BuildLayerGeometry(layer);
  // 8 um cells over the shapes' whole reach.
  constexpr double kCell = 8.0;
  uint64_t covered = 0;
  for (double y = -3000 + 0.37; y < 13000; y += kCell) {  // off the shapes' whole-um edges
    for (double x = -3000 + 0.61; x < 13000; x += kCell) {
      bool dark = false;
      for (const Shape& s : shapes) {
        if (Depth(x, y, s) > 0) dark = !s.clear;
      }
      covered += dark;
    }
  }
  const double rasterArea = covered * kCell * kCell * 1e6;  // nm²
  ASSERT_GT(rasterArea, 1e12);
  EXPECT_NEAR(geometry.darkArea, rasterArea, rasterArea * 5e-4);
}

std::string PanelText(int pads) {
  // A small board with tracks, pads, a pour and its cut-outs, stepped 3 x 2.
  std::string text = "%FSLAX46Y46*%%MOMM*%%SRX3Y2I30J30*%%ADD10C,0.3*%%ADD11R,1.2X0.8*%%ADD12C,2*%";
  text += "G36*X0Y0D02*X20000000Y0D01*X20000000Y20000000D01*X0Y20000000D01*X0Y0D01*G37*";
  Random random(3);
  for (int i = 0; i < pads; ++i) {
    const auto at = [&](uint32_t range) { return std::to_string(random.Next(range)); };
    if (i % 9 == 0) text += "%LPC*%D12*X" + at(20000000) + "Y" + at(20000000) + "D03*%LPD*%";
    text += "D10*X" + at(25000000) + "Y" + at(25000000) + "D02*X" + at(25000000) + "Y" +
            at(25000000) + "D01*";
    text += "D11*X" + at(25000000) + "Y" + at(25000000) + "D03*";
  }
  return text + "%SR*%M02*";
}

// How far the vertex of `from` that lies farthest from every edge of `to` is
// from them (nm); infinity when one has no edge of `to` within 50 nm. The
// edges are kept in a box tree so that each vertex looks only at its
// neighbours.
double FarthestVertexFromEdges(const LayerGeometry& from, const LayerGeometry& to) {
  namespace bg = boost::geometry;
  using Point = bg::model::point<double, 2, bg::cs::cartesian>;
  using Box = bg::model::box<Point>;
  using Edge = std::pair<Box, std::pair<GeoPoint, GeoPoint>>;
  std::vector<Edge> edges;
  for (uint32_t r = 0; r < to.rings.size(); ++r) {
    const std::span<const GeoPoint> ring = to.Ring(r);
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const GeoPoint a = ring[i];
      const GeoPoint b = ring[(i + 1) % ring.size()];
      const Box box(Point(std::min(a.x, b.x), std::min(a.y, b.y)),
                    Point(std::max(a.x, b.x), std::max(a.y, b.y)));
      edges.push_back({box, {a, b}});
    }
  }
  const bg::index::rtree<Edge, bg::index::rstar<16>> tree(edges.begin(), edges.end());
  double worst = 0.0;
  std::vector<Edge> near;
  for (const GeoPoint& p : from.points) {
    const double px = static_cast<double>(p.x);
    const double py = static_cast<double>(p.y);
    near.clear();
    tree.query(bg::index::intersects(Box(Point(px - 50, py - 50), Point(px + 50, py + 50))),
               std::back_inserter(near));
    double distance = std::numeric_limits<double>::infinity();
    for (const Edge& edge : near) {
      const double ax = static_cast<double>(edge.second.first.x);
      const double ay = static_cast<double>(edge.second.first.y);
      const double dx = static_cast<double>(edge.second.second.x) - ax;
      const double dy = static_cast<double>(edge.second.second.y) - ay;
      const double length2 = dx * dx + dy * dy;
      const double t =
          length2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / length2, 0.0, 1.0) : 0.0;
      distance = std::min(distance, std::hypot(px - (ax + t * dx), py - (ay + t * dy)));
    }
    worst = std::max(worst, distance);
  }
  return worst;
}

TEST(GeometryAgreementTest, TheFastBuildAgreesWithOnePassOverTheWholeLayer) {
  const StandardLayer layer = ReadStandardGerber(PanelText(150), StandardContext{});
  ASSERT_GT(layer.geometry.objects.size(), 1500u);
  const LayerGeometry fast = BuildLayerGeometry(layer);
  GeometryBuildOptions whole;
  whole.wholeLayerInOnePass = true;
  const LayerGeometry reference = BuildLayerGeometry(layer, whole);
  ASSERT_TRUE(fast.Complete());
  ASSERT_TRUE(reference.Complete());
  EXPECT_EQ(fast.islands.size(), reference.islands.size());
  EXPECT_EQ(fast.holeCount, reference.holeCount);
  EXPECT_GT(fast.islands.size(), 6u);
  EXPECT_NEAR(fast.darkArea, reference.darkArea, reference.darkArea * 1e-8);
  EXPECT_EQ(fast.extents, reference.extents);
  // Vertices: the same, or a few nanometres apart where intersections were
  // rounded in another order; each lies on the other's edges within that.
  EXPECT_LE(FarthestVertexFromEdges(fast, reference), 10.0);
  EXPECT_LE(FarthestVertexFromEdges(reference, fast), 10.0);
  // Every object lands in the same number of islands either way.
  for (uint32_t i = 0; i < fast.objectCount; ++i) {
    EXPECT_EQ(fast.IslandsOf(i).size(), reference.IslandsOf(i).size()) << i;
  }
}

// Single clusters large enough to be built in tiles, each against one pass.
std::string GridText() {
  // Squares of 1 mm at a pitch of 0.5 mm: their edges lie on each other's
  // centres, where the tiles are cut; a few clear circles open holes.
  std::string text = "%FSLAX46Y46*%%MOMM*%%ADD10R,1X1*%%ADD11C,0.7*%";
  for (int row = 0; row < 16; ++row) {
    for (int column = 0; column < 16; ++column) {
      if ((row * 7 + column * 3) % 11 == 0) continue;
      text += "D10*X" + std::to_string(column * 500000) + "Y" + std::to_string(row * 500000) +
              "D03*";
    }
    if (row % 3 == 1) {
      text += "%LPC*%D11*X" + std::to_string(row * 450000) + "Y" + std::to_string(row * 500000) +
              "D03*%LPD*%";
    }
  }
  return text + "M02*";
}

std::string PourText() {
  // A pour with tracks running out of it, cut-outs and pads in them.
  std::string text = "%FSLAX46Y46*%%MOMM*%%ADD10C,0.2*%%ADD11C,1.5*%%ADD12R,0.8X0.8*%";
  text += "G36*X0Y0D02*X20000000Y0D01*X20000000Y20000000D01*X0Y20000000D01*X0Y0D01*G37*";
  Random random(17);
  const auto at = [&](uint32_t range) { return std::to_string(random.Next(range)); };
  for (int i = 0; i < 260; ++i) {
    if (i % 10 == 0) {
      const std::string x = at(20000000);
      const std::string y = at(20000000);
      text += "%LPC*%D11*X" + x + "Y" + y + "D03*%LPD*%D12*X" + x + "Y" + y + "D03*";
    }
    text += "D10*X" + at(26000000) + "Y" + at(26000000) + "D02*X" + at(26000000) + "Y" +
            at(26000000) + "D01*";
  }
  return text + "M02*";
}

TEST(GeometryAgreementTest, ClustersBuiltInTilesAgreeWithOnePass) {
  const std::pair<const char*, std::string> layouts[] = {{"grid", GridText()},
                                                         {"pour", PourText()}};
  for (const auto& [name, text] : layouts) {
    const StandardLayer layer = ReadStandardGerber(text, StandardContext{});
    ASSERT_GT(layer.geometry.objects.size(), 200u) << name;
    const LayerGeometry fast = BuildLayerGeometry(layer);
    GeometryBuildOptions whole;
    whole.wholeLayerInOnePass = true;
    const LayerGeometry reference = BuildLayerGeometry(layer, whole);
    ASSERT_TRUE(fast.Complete()) << name;
    EXPECT_EQ(fast.islands.size(), reference.islands.size()) << name;
    EXPECT_EQ(fast.holeCount, reference.holeCount) << name;
    EXPECT_GT(fast.holeCount, 0u) << name;
    // Where an edge crosses a cut its crossing is rounded to a whole
    // nanometre: the area moves by far less than the flattening's chords.
    EXPECT_NEAR(fast.darkArea, reference.darkArea, reference.darkArea * 1e-7) << name;
    EXPECT_EQ(fast.extents, reference.extents) << name;
    for (uint32_t i = 0; i < fast.objectCount; ++i) {
      EXPECT_EQ(fast.IslandsOf(i).size(), reference.IslandsOf(i).size()) << name << " " << i;
    }
  }
}

TEST(GeometryAgreementTest, OneThreadAndSeveralBuildTheSame) {
  const StandardLayer layer = ReadStandardGerber(PanelText(400), StandardContext{});
  GeometryBuildOptions options;
  options.threads = 1;
  const LayerGeometry one = BuildLayerGeometry(layer, options);
  options.threads = 4;
  const LayerGeometry four = BuildLayerGeometry(layer, options);
  EXPECT_EQ(one.points, four.points);
  EXPECT_EQ(one.objectIslands, four.objectIslands);
  EXPECT_EQ(one.islandObjects, four.islandObjects);
  EXPECT_EQ(one.darkArea, four.darkArea);
  EXPECT_GT(one.points.size(), 1000u);
}

TEST(BoxClustersTest, GroupsAreTheConnectedPartsOfTheOverlaps) {
  int grouped = 0;
  for (uint64_t seed = 1; seed <= 20; ++seed) {
    Random random(seed);
    std::vector<GeoBox> boxes;
    const int count = 50 + static_cast<int>(random.Next(300));
    for (int i = 0; i < count; ++i) {
      if (random.Next(25) == 0) {
        boxes.push_back(GeoBox{});  // an object with no geometry
        continue;
      }
      // Some boxes repeat an earlier one: the same, inside it, around it or
      // stepped from it a little, as stacked flashes and repeats make them.
      if (!boxes.empty() && random.Next(3) == 0) {
        GeoBox box = boxes[random.Next(boxes.size())];
        if (box.Empty()) continue;
        const auto d = static_cast<int64_t>(random.Next(200));
        switch (random.Next(5)) {
          case 0: break;
          case 1: box = {box.minX + d / 2, box.minY, box.maxX - d / 2, box.maxY}; break;
          case 2: box = {box.minX - d, box.minY - d, box.maxX + d, box.maxY}; break;
          case 3: box = {box.minX + d, box.minY, box.maxX + d, box.maxY}; break;
          default: box = {box.minX, box.minY + d, box.maxX, box.maxY + d}; break;
        }
        if (box.minX > box.maxX) box.maxX = box.minX;
        boxes.push_back(box);
        continue;
      }
      const int64_t x = random.Next(100000);
      const int64_t y = random.Next(100000);
      const int64_t size = random.Next(10) == 0 ? random.Next(40000) : random.Next(3000);
      boxes.push_back({x, y, x + size, y + static_cast<int64_t>(random.Next(3000))});
    }
    // Brute force: every pair.
    std::vector<int> group(boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) group[i] = static_cast<int>(i);
    const auto find = [&](int i) {
      while (group[i] != i) i = group[i];
      return i;
    };
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      for (std::size_t j = i + 1; j < boxes.size(); ++j) {
        if (boxes[i].Overlaps(boxes[j])) {
          const int a = find(static_cast<int>(i));
          const int b = find(static_cast<int>(j));
          group[std::max(a, b)] = std::min(a, b);
        }
      }
    }
    const std::vector<std::vector<uint32_t>> groups = ClusterBoxes(boxes);
    std::size_t members = 0;
    for (const std::vector<uint32_t>& g : groups) {
      ASSERT_TRUE(std::is_sorted(g.begin(), g.end()));
      for (const uint32_t m : g) {
        EXPECT_EQ(find(static_cast<int>(m)), find(static_cast<int>(g.front()))) << seed;
      }
      members += g.size();
      grouped += g.size() > 1;
    }
    std::size_t roots = 0;
    std::size_t nonEmpty = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].Empty()) continue;
      ++nonEmpty;
      roots += find(static_cast<int>(i)) == static_cast<int>(i);
    }
    EXPECT_EQ(members, nonEmpty) << seed;
    EXPECT_EQ(groups.size(), roots) << seed;
  }
  EXPECT_GT(grouped, 20);
}

TEST(BoxClustersTest, StackedBoxesAreOneGroupBesideTheirNeighbours) {
  // A repeat with no step: a hundred thousand copies of one pad, a chain of
  // copies a step apart, and a pad alone.
  std::vector<GeoBox> boxes(100'000, GeoBox{0, 0, 1000, 1000});
  for (int64_t i = 0; i < 50'000; ++i) boxes.push_back({5000 + i, 0, 6000 + i, 1000});
  boxes.push_back({100'000, 0, 101'000, 1000});
  const std::vector<std::vector<uint32_t>> groups = ClusterBoxes(boxes);
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[0].size(), 100'000u);
  EXPECT_EQ(groups[1].size(), 50'000u);
  EXPECT_EQ(groups[2], std::vector<uint32_t>{150'000});
}

}  // namespace
}  // namespace corvane
