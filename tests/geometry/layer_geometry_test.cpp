#include "geometry/layer_geometry_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geometry/polygon_ops.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kNm2PerMm2 = 1e12;

StandardLayer Read(const std::string& body) {
  return ReadStandardGerber("%FSLAX46Y46*%%MOMM*%" + body + "M02*", StandardContext{});
}

// The area of |x| < half inside the ring a < r < b, above the x axis: what
// one gap of a thermal takes out of its ring.
double GapArea(double a, double b, double half) {
  const auto strip = [](double r, double h) {
    return h * std::sqrt(r * r - h * h) + r * r * std::asin(h / r);  // integral over [-h, h]
  };
  return strip(b, half) - strip(a, half);
}

TEST(LayerGeometryTest, AnalyticShapesHaveTheirExactAreasAndIslands) {
  struct Case {
    const char* name;
    std::string body;
    double areaMm2;
    std::size_t islands;
    uint64_t holes;
    double relative;  // allowed relative error of the area
  };
  const double thermal = kPi * (4.0 - 1.0) - 4.0 * GapArea(1.0, 2.0, 0.25);
  const Case cases[] = {
      {"circle", "%ADD10C,2*%D10*X0Y0D03*", kPi, 1, 0, 1e-6},
      {"large circle", "%ADD10C,200*%D10*X0Y0D03*", kPi * 1e4, 1, 0, 1e-6},
      {"small circle", "%ADD10C,0.01*%D10*X0Y0D03*", kPi * 25e-6, 1, 0, 1e-4},
      {"rectangle", "%ADD10R,2X1*%D10*X5000000Y0D03*", 2.0, 1, 0, 1e-9},
      {"obround", "%ADD10O,3X1*%D10*X0Y0D03*", 2.0 + kPi / 4, 1, 0, 1e-6},
      {"round stroke", "%ADD10C,0.5*%D10*X0Y0D02*X10000000Y0D01*", 5.0 + kPi / 16, 1, 0, 1e-6},
      {"rectangle stroke", "%ADD10R,1X0.5*%D10*X0Y0D02*X10000000Y0D01*", 5.5, 1, 0, 1e-9},
      {"half circle arc", "%ADD10C,1*%D10*G75*X0Y0D02*G03X10000000Y0I5000000J0D01*",
       kPi / 2 * (5.5 * 5.5 - 4.5 * 4.5) + kPi / 4, 1, 0, 1e-6},
      {"full circle arc", "%ADD10C,1*%D10*G75*X5000000Y0D02*G03X5000000Y0I-5000000J0D01*",
       kPi * (5.5 * 5.5 - 4.5 * 4.5), 1, 1, 1e-6},
      {"ring from a clear flash", "%ADD10C,4*%%ADD11C,2*%D10*X0Y0D03*%LPC*%D11*X0Y0D03*", kPi * 3.0,
       1, 1, 1e-6},
      {"aperture with a hole", "%ADD10C,4X2*%D10*X0Y0D03*", kPi * 3.0, 1, 1, 1e-6},
      {"thermal macro", "%AMT*7,0,0,4,2,0.5,0*%%ADD10T*%D10*X0Y0D03*", thermal, 4, 0, 3e-3},
      {"region with an arc corner",
       "G75*G36*X0Y0D02*X10000000Y0D01*X10000000Y8000000D01*"
       "G03X8000000Y10000000I-2000000J0D01*G01X0Y10000000D01*X0Y0D01*G37*",
       100.0 - (4.0 - kPi), 1, 0, 1e-4},
      {"overlapping copies", "%SRX3Y1I1.5J0*%%ADD10R,2X2*%D10*X0Y0D03*%SR*%", 10.0, 1, 0, 1e-9},
      {"separate copies", "%SRX3Y2I3J3*%%ADD10R,2X2*%D10*X0Y0D03*%SR*%", 24.0, 6, 0, 1e-9},
      {"clear erases only what came before",
       "%ADD10R,10X10*%%ADD11C,4*%%ADD12C,2*%D10*X0Y0D03*%LPC*%D11*X0Y0D03*%LPD*%D12*X0Y0D03*",
       100.0 - kPi * 4.0 + kPi, 2, 1, 1e-6},
      {"self-intersecting region",
       "G36*X0Y0D02*X2000000Y2000000D01*X2000000Y0D01*X0Y2000000D01*X0Y0D01*G37*", 2.0, 2, 0, 1e-9},
      {"zero-size aperture", "%ADD10C,0*%D10*X0Y0D03*X0Y0D02*X1000000Y0D01*", 0.0, 0, 0, 0.0},
      {"zero-length stroke", "%ADD10C,1*%D10*X0Y0D02*X0Y0D01*", kPi / 4, 1, 0, 1e-6},
      {"region of one point", "G36*X0Y0D02*X0Y0D01*G37*", 0.0, 0, 0, 0.0},
      {"only clear", "%LPC*%%ADD10C,1*%D10*X0Y0D03*", 0.0, 0, 0, 0.0},
  };
  for (const Case& c : cases) {
    const StandardLayer layer = Read(c.body);
    const LayerGeometry geometry = BuildLayerGeometry(layer);
    const double area = geometry.darkArea / kNm2PerMm2;
    EXPECT_NEAR(area, c.areaMm2, c.areaMm2 * c.relative + 1e-9) << c.name;
    EXPECT_EQ(geometry.islands.size(), c.islands) << c.name;
    EXPECT_EQ(geometry.holeCount, c.holes) << c.name;
    EXPECT_TRUE(geometry.Complete()) << c.name;
    EXPECT_EQ(geometry.objectCount, layer.geometry.objects.size()) << c.name;
    double islandSum = 0.0;
    for (const GeoIsland& island : geometry.islands) islandSum += island.area;
    EXPECT_NEAR(islandSum, geometry.darkArea, 1.0) << c.name;
  }
}

TEST(LayerGeometryTest, FlattenedCirclesStayWithinTheTolerance) {
  const StandardLayer layer = Read("%ADD10C,3*%D10*X0Y0D03*");
  for (const int64_t tolerance : {100, 500, 5000}) {
    GeometryBuildOptions options;
    options.flatten.tolerance = tolerance;
    const LayerGeometry geometry = BuildLayerGeometry(layer, options);
    ASSERT_EQ(geometry.islands.size(), 1u);
    const GeoPaths paths = geometry.IslandPaths(0);
    const GeoPath& ring = paths.front();
    double worst = 0.0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const GeoPoint& a = ring[i];
      const GeoPoint& b = ring[(i + 1) % ring.size()];
      const double vertex = std::hypot(double(a.x), double(a.y)) - 1.5e6;
      const double middle = std::hypot((a.x + b.x) / 2.0, (a.y + b.y) / 2.0) - 1.5e6;
      worst = std::max({worst, std::fabs(vertex), std::fabs(middle)});
    }
    EXPECT_LE(worst, tolerance + 1.0) << tolerance;
    EXPECT_GT(worst, tolerance / 10.0) << "as few chords as the tolerance allows";
    EXPECT_NEAR(geometry.darkArea, kPi * 1.5e6 * 1.5e6, 1e-6 * kPi * 2.25e12) << tolerance;
  }
}

TEST(LayerGeometryTest, IslandsKnowTheirObjectsAndObjectsTheirIslands) {
  // Two pads joined by a track; two pads each cut in two by a clear
  // rectangle narrower than the pad; a pad alone.
  const StandardLayer layer = Read(
      "%ADD10C,1*%%ADD11C,0.2*%%ADD12R,0.5X4*%D10*X0Y0D03*X5000000Y0D03*D11*X0Y0D02*X5000000Y0D01*"
      "D10*X20000000Y0D03*%LPC*%D12*X20000000Y0D03*%LPD*%"
      "D10*X30000000Y0D03*%LPC*%D12*X30000000Y0D03*%LPD*%D10*X40000000Y0D03*");
  ASSERT_EQ(layer.geometry.objects.size(), 8u);
  const LayerGeometry g = BuildLayerGeometry(layer);
  ASSERT_EQ(g.islands.size(), 6u);
  const auto islandsOf = [&](uint32_t object) { return g.IslandsOf(object).size(); };
  EXPECT_EQ(islandsOf(0), 1u);
  EXPECT_EQ(g.IslandsOf(0)[0], g.IslandsOf(1)[0]);
  EXPECT_EQ(g.IslandsOf(0)[0], g.IslandsOf(2)[0]);
  EXPECT_EQ(g.ObjectsOf(g.IslandsOf(0)[0]).size(), 3u);
  EXPECT_EQ(islandsOf(3), 2u);
  EXPECT_EQ(islandsOf(4), 0u) << "a clear object makes no island";
  EXPECT_EQ(islandsOf(5), 2u);
  EXPECT_EQ(islandsOf(7), 1u);
  uint64_t listed = 0;
  for (uint32_t i = 0; i < g.islands.size(); ++i) {
    for (const uint32_t object : g.ObjectsOf(i)) {
      const auto back = g.IslandsOf(object);
      EXPECT_NE(std::find(back.begin(), back.end(), i), back.end());
      ++listed;
    }
  }
  EXPECT_EQ(listed, g.objectIslands.size());
  EXPECT_EQ(listed, 3u + 2 + 2 + 1);
}

TEST(LayerGeometryTest, AnObjectErasedEntirelyBelongsToNoIsland) {
  const StandardLayer layer =
      Read("%ADD10C,1*%%ADD11C,3*%%ADD12C,0.5*%D10*X0Y0D03*%LPC*%D11*X0Y0D03*%LPD*%D12*X0Y0D03*");
  const LayerGeometry g = BuildLayerGeometry(layer);
  ASSERT_EQ(g.islands.size(), 1u);
  EXPECT_TRUE(g.IslandsOf(0).empty());
  EXPECT_EQ(g.IslandsOf(2).size(), 1u);
  EXPECT_NEAR(g.darkArea / kNm2PerMm2, kPi / 16, 1e-6);
}

StandardLayer HugeLayer(double x) {
  StandardLayer layer = Read("%ADD10C,1*%D10*X0Y0D03*X1000000Y0D03*");
  layer.geometry.objects[1].x0 = x;
  return layer;
}

TEST(LayerGeometryTest, CoordinatesBeyondTheRangeAreClampedAndSaidSo) {
  for (const double x : {1e12, -1e300, std::nan("")}) {
    const LayerGeometry g = BuildLayerGeometry(HugeLayer(x));
    EXPECT_NE(g.flags & kGeometryClamped, 0u) << x;
    EXPECT_GE(g.islands.size(), 1u) << x;
  }
  const LayerGeometry near = BuildLayerGeometry(HugeLayer(40.0));  // a metre away: fine
  EXPECT_EQ(near.flags, 0u);
  EXPECT_EQ(near.islands.size(), 2u);
}

TEST(LayerGeometryTest, TheVertexBoundAndCancellingStopTheBuild) {
  std::string body = "%ADD10C,1*%D10*";
  for (int i = 0; i < 50; ++i) body += "X" + std::to_string(i * 2000000) + "Y0D03*";
  const StandardLayer layer = Read(body);
  GeometryBuildOptions options;
  options.maxVertices = 1000;
  const LayerGeometry bounded = BuildLayerGeometry(layer, options);
  EXPECT_NE(bounded.flags & kGeometryBoundReached, 0u);
  EXPECT_TRUE(bounded.islands.empty());
  EXPECT_FALSE(bounded.Complete());
  options.maxVertices = kMaxGeometryVertices;
  const std::atomic<bool> cancel{true};
  options.cancel = &cancel;
  const LayerGeometry cancelled = BuildLayerGeometry(layer, options);
  EXPECT_NE(cancelled.flags & kGeometryCancelled, 0u);
  EXPECT_TRUE(cancelled.islands.empty());
  options.cancel = nullptr;
  EXPECT_EQ(BuildLayerGeometry(layer, options).islands.size(), 50u);
}

}  // namespace
}  // namespace corvane
