#include "standard/plane_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "standard/standard_limits.h"

namespace corvane {
namespace {

constexpr double kDegree = kPi / 180.0;

TEST(PlaneGeometryTest, ArcSweepTakesTheAskedDirection) {
  struct Case {
    StandardPoint start;
    StandardPoint end;
    bool ccw;
    bool closedIsFull;
    double degrees;
  };
  const Case cases[] = {
      {{1, 0}, {0, 1}, true, true, 90},     {{1, 0}, {0, 1}, false, true, -270},
      {{0, 1}, {1, 0}, false, true, -90},   {{1, 0}, {-1, 0}, true, true, 180},
      {{1, 0}, {-1, 0}, false, true, -180}, {{1, 0}, {1, 0}, true, true, 360},
      {{1, 0}, {1, 0}, false, true, -360},  {{1, 0}, {1, 0}, true, false, 0},
      {{-1, 0}, {0, -1}, true, true, 90},  // across the ±180° seam
      {{-1, 0}, {0, 1}, false, true, -90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.degrees);
    EXPECT_NEAR(ArcSweep(c.start, c.end, {0, 0}, c.ccw, c.closedIsFull), c.degrees * kDegree,
                1e-12);
  }
}

TEST(PlaneGeometryTest, ArcBoxReachesTheAxesItCrosses) {
  struct Case {
    StandardPoint start;
    double degrees;
    StandardBox box;
  };
  const Case cases[] = {
      {{1, 0}, 90, {0, 0, 1, 1}},
      {{1, 0}, -90, {0, -1, 1, 0}},
      {{1, 0}, 180, {-1, 0, 1, 1}},
      {{0, 1}, -270, {-1, -1, 1, 1}},
      {{1, 0}, 360, {-1, -1, 1, 1}},
      {{std::cos(10 * kDegree), std::sin(10 * kDegree)},
       20,
       {std::cos(30 * kDegree), std::sin(10 * kDegree), std::cos(10 * kDegree),
        std::sin(30 * kDegree)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.degrees);
    const StandardBox box = ArcBox(c.start, {0, 0}, c.degrees * kDegree);
    EXPECT_NEAR(box.minX, c.box.minX, 1e-12);
    EXPECT_NEAR(box.minY, c.box.minY, 1e-12);
    EXPECT_NEAR(box.maxX, c.box.maxX, 1e-12);
    EXPECT_NEAR(box.maxY, c.box.maxY, 1e-12);
  }
}

TEST(PlaneGeometryTest, FlattenedArcsStayWithinTheToleranceAndEndExactly) {
  int checked = 0;
  for (const double radius : {0.00001, 0.001, 0.05, 1.0, 40.0}) {
    for (const double degrees : {-360.0, -90.0, 1.0, 45.0, 180.0, 360.0}) {
      SCOPED_TRACE(radius);
      SCOPED_TRACE(degrees);
      const StandardPoint start{radius, 0};
      const double sweep = degrees * kDegree;
      const StandardPoint end{radius * std::cos(sweep), radius * std::sin(sweep)};
      std::vector<StandardPoint> points;
      FlattenArc(start, end, {0, 0}, sweep, kMaxChordsPerTurn, points);
      ASSERT_FALSE(points.empty());
      EXPECT_EQ(points.back(), end);
      EXPECT_LE(points.size(), kMaxChordsPerTurn);
      // Every chord's middle stays close to the circle (or as close as the
      // most chords allowed per turn can keep a large circle).
      const double allowed =
          std::max(kFlatteningTolerance, radius * (1 - std::cos(kPi / kMaxChordsPerTurn)));
      StandardPoint previous = start;
      for (const StandardPoint& p : points) {
        const double gap = radius - std::hypot((p.x + previous.x) / 2, (p.y + previous.y) / 2);
        EXPECT_LE(gap, allowed * 1.0001);
        previous = p;
      }
      ++checked;
    }
  }
  EXPECT_EQ(checked, 30);
}

TEST(PlaneGeometryTest, QuarterTurnsAreExactAndTransformsCompose) {
  const Affine quarter = Affine::Rotation(90);
  EXPECT_EQ(quarter.Apply({1, 0}), (StandardPoint{0, 1}));
  EXPECT_EQ(Affine::Rotation(-90).Apply({1, 0}), (StandardPoint{0, -1}));
  EXPECT_EQ(Affine::Rotation(540).Apply({1, 0}), (StandardPoint{-1, 0}));
  // Scale first, then move: the translation is not scaled.
  const Affine t = Affine::Scale(2, 2).Then(Affine::Translation(1, 0));
  EXPECT_EQ(t.Apply({1, 1}), (StandardPoint{3, 2}));
  double scale = 0;
  EXPECT_TRUE(Affine::Rotation(30).Then(Affine::Scale(-2, 2)).IsSimilarity(scale));
  EXPECT_DOUBLE_EQ(scale, 2.0);
  EXPECT_FALSE(Affine::Scale(1, 2).IsSimilarity(scale));
  EXPECT_TRUE(Affine::Scale(-1, 1).Mirrors());
  EXPECT_FALSE(Affine::Rotation(180).Mirrors());
  EXPECT_TRUE(Affine::Rotation(std::nan("")).IsIdentity());
}

}  // namespace
}  // namespace corvane
