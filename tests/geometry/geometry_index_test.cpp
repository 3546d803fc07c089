#include "geometry/geometry_index.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geometry/layer_geometry_builder.h"
#include "geometry/polygon_ops.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int64_t kMm = 1'000'000;

// Objects: 0 a round pad at (0, 0); 1 a track from (0, 0) to (10, 0);
// 2 a square pad at (10, 0); 3 a region ring (square 20..30 with a square
// hole 23..27 cut in by a second contour the other way round is not a hole
// here, so the hole is a clear flash); 4 the clear flash; 5 an arc; 6 a
// lone pad at (50, 0).
class GeometryIndexTest : public ::testing::Test {
 protected:
  GeometryIndexTest()
      : layer(ReadStandardGerber(
            "%FSLAX46Y46*%%MOMM*%%ADD10C,1*%%ADD11C,0.2*%%ADD12R,2X2*%%ADD13R,4X4*%"
            "D10*X0Y0D03*D11*X0Y0D02*X10000000Y0D01*D12*X10000000Y0D03*"
            "G36*X20000000Y-5000000D02*X30000000Y-5000000D01*X30000000Y5000000D01*"
            "X20000000Y5000000D01*X20000000Y-5000000D01*G37*"
            "%LPC*%D13*X25000000Y0D03*%LPD*%"
            "D11*G75*X40000000Y0D02*G03X40000000Y0I0J2000000D01*"
            "D10*X50000000Y0D03*M02*",
            StandardContext{})),
        geometry(BuildLayerGeometry(layer)),
        index(layer, geometry) {}

  StandardLayer layer;
  LayerGeometry geometry;
  GeometryIndex index;
};

TEST_F(GeometryIndexTest, ObjectsAtAPointAreExact) {
  ASSERT_EQ(layer.geometry.objects.size(), 7u);
  struct Case {
    GeoPoint at;
    std::vector<uint32_t> all;
    std::vector<uint32_t> dark;
  };
  const Case cases[] = {
      {{0, 0}, {0, 1}, {0, 1}},
      {{5 * kMm, 0}, {1}, {1}},
      {{5 * kMm, 99'000}, {1}, {1}},              // inside the track's edge
      {{5 * kMm, 101'000}, {}, {}},               // just outside it
      {{10 * kMm + 999'000, 999'000}, {2}, {2}},  // a corner of the square pad
      {{10 * kMm + 1'001'000, 0}, {}, {}},
      {{21 * kMm, 0}, {3}, {3}},
      {{25 * kMm, 0}, {3, 4}, {}},      // in the cut-out: covered, but not dark
      {{40 * kMm, 4 * kMm}, {5}, {5}},  // on the arc's circle, opposite its start
      {{40 * kMm, 4 * kMm + 99'000}, {5}, {5}},
      {{40 * kMm, 2 * kMm}, {}, {}},  // the arc's centre, in its inside
      {{-700'000, 0}, {}, {}},        // in the pad's box, outside its circle
      {{-353'000, -353'000}, {0}, {0}},
      {{-360'000, -360'000}, {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(index.ObjectsAt(c.at), c.all) << c.at.x << ", " << c.at.y;
    EXPECT_EQ(index.DarkObjectsAt(c.at), c.dark) << c.at.x << ", " << c.at.y;
    EXPECT_EQ(index.IslandAt(c.at).has_value(), !c.dark.empty()) << c.at.x << ", " << c.at.y;
  }
}

TEST_F(GeometryIndexTest, IslandsHoldTheirObjects) {
  // Pad, track and square pad are one island; the ring; the arc's ring; the lone pad.
  ASSERT_EQ(geometry.islands.size(), 4u);
  EXPECT_EQ(geometry.holeCount, 2u);
  const std::optional<uint32_t> first = index.IslandAt({5 * kMm, 0});
  ASSERT_TRUE(first.has_value());
  const auto objects = geometry.ObjectsOf(*first);
  EXPECT_EQ(std::vector<uint32_t>(objects.begin(), objects.end()),
            (std::vector<uint32_t>{0, 1, 2}));
  EXPECT_NEAR(geometry.islands[index.IslandAt({21 * kMm, 0}).value()].area, 84e12, 1e3);
}

TEST_F(GeometryIndexTest, BoxesAndNearestAnswerByDistance) {
  EXPECT_EQ(index.ObjectsIn({19 * kMm, -kMm, 26 * kMm, kMm}), (std::vector<uint32_t>{3, 4}));
  EXPECT_TRUE(index.ObjectsIn({60 * kMm, 0, 70 * kMm, kMm}).empty());
  EXPECT_TRUE(index.ObjectsIn(GeoBox{}).empty());
  // Between the square pad (edge at 11 mm) and the ring (edge at 20 mm).
  const auto nearest = index.Nearest({13 * kMm, 0});
  ASSERT_TRUE(nearest.has_value());
  EXPECT_EQ(nearest->object, 2u);
  EXPECT_NEAR(nearest->distance, 2.0 * kMm, 2.0);
  EXPECT_FALSE(index.Nearest({13 * kMm, 0}, 1.5 * kMm).has_value());
  const auto covering = index.Nearest({50 * kMm, 0}, 0.0);
  ASSERT_TRUE(covering.has_value());
  EXPECT_EQ(covering->object, 6u);
  EXPECT_EQ(covering->distance, 0.0);
  const auto far = index.Nearest({200 * kMm, 0});
  ASSERT_TRUE(far.has_value());
  EXPECT_EQ(far->object, 6u);
  EXPECT_NEAR(far->distance, 149.5 * kMm, 600.0);
}

TEST_F(GeometryIndexTest, SnapPointsAreCentresEndsAndCorners) {
  struct Case {
    GeoPoint at;
    double reach;
    bool found;
    SnapKind kind;
    uint32_t object;
    GeoPoint snapped;
  };
  const Case cases[] = {
      {{100'000, 50'000}, 300'000, true, SnapKind::kPadCentre, 0, {0, 0}},
      {{10 * kMm + 10'000, 0}, 300'000, true, SnapKind::kLineEnd, 1, {10 * kMm, 0}},
      {{40 * kMm, 1'900'000}, 300'000, true, SnapKind::kArcCentre, 5, {40 * kMm, 2 * kMm}},
      {{30 * kMm - 1'000, 5 * kMm - 1'000},
       300'000,
       true,
       SnapKind::kRegionCorner,
       3,
       {30 * kMm, 5 * kMm}},
      {{5 * kMm, 3 * kMm}, 300'000, false, SnapKind::kPadCentre, 0, {}},
      {{100'000, 50'000}, -1.0, false, SnapKind::kPadCentre, 0, {}},
  };
  for (const Case& c : cases) {
    const std::optional<SnapPoint> snap = index.NearestSnap(c.at, c.reach);
    ASSERT_EQ(snap.has_value(), c.found) << c.at.x << ", " << c.at.y;
    if (!c.found) continue;
    EXPECT_EQ(snap->kind, c.kind) << c.at.x;
    EXPECT_EQ(snap->object, c.object) << c.at.x;
    EXPECT_EQ(snap->at, c.snapped) << c.at.x;
  }
}

TEST(PolygonOpsTest, OffsetsDistancesAndBooleansMeasureWhatTheySay) {
  const GeoPaths square{{{0, 0}, {10 * kMm, 0}, {10 * kMm, 10 * kMm}, {0, 10 * kMm}}};
  const GeoPaths other{{{13 * kMm, 0}, {20 * kMm, 0}, {20 * kMm, 5 * kMm}, {13 * kMm, 5 * kMm}}};
  const double grown = SignedArea(OffsetOf(square, 1.0 * kMm));
  // The offset's round corners are chords inside the arcs.
  EXPECT_NEAR(grown, (100.0 + 40.0 + kPi) * 1e12, 3e-4 * grown);
  EXPECT_NEAR(SignedArea(OffsetOf(square, -1.0 * kMm)), 64e12, 1e3);
  EXPECT_TRUE(OffsetOf(square, -6.0 * kMm).empty()) << "shrunk away";
  const ClosestPoints gap = ClosestBetween(square, other);
  EXPECT_DOUBLE_EQ(gap.distance, 3.0 * kMm);
  EXPECT_DOUBLE_EQ(gap.ax, 10.0 * kMm);
  EXPECT_DOUBLE_EQ(gap.bx, 13.0 * kMm);
  EXPECT_EQ(ClosestBetween(square, OffsetOf(other, 3.5 * kMm)).distance, 0.0);
  EXPECT_TRUE(std::isinf(ClosestBetween(square, {}).distance));
  EXPECT_DOUBLE_EQ(ClosestTo({15 * kMm, 5 * kMm}, square).distance, 5.0 * kMm);
  EXPECT_EQ(ClosestTo({5 * kMm, 5 * kMm}, square).distance, 0.0);
  EXPECT_NEAR(SignedArea(UnionOf(square, other)), 135e12, 1.0);
  EXPECT_NEAR(SignedArea(IntersectionOf(square, OffsetOf(other, 4.0 * kMm))), 0.0, 1e12 * 15.0);
  EXPECT_NEAR(
      SignedArea(DifferenceOf(
          square, {{{5 * kMm, 0}, {10 * kMm, 0}, {10 * kMm, 10 * kMm}, {5 * kMm, 10 * kMm}}})),
      50e12, 1.0);
  EXPECT_NEAR(SignedArea(XorOf(square, square)), 0.0, 1.0);
  EXPECT_EQ(LocatePoint({10 * kMm, 5 * kMm}, square), PointPlace::kOnEdge);
  EXPECT_EQ(LocatePoint({11 * kMm, 5 * kMm}, square), PointPlace::kOutside);
  // Beyond what the booleans accept: nothing, never a throw.
  const int64_t huge = int64_t{1} << 62;
  EXPECT_TRUE(UnionOf({{{0, 0}, {huge, 0}, {huge, huge}}}).empty());
}

}  // namespace
}  // namespace corvane
