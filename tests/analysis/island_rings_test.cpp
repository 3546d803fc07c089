#include "analysis/island_rings.h"

#include <gtest/gtest.h>

#include "geometry/layer_geometry_builder.h"
#include "geometry/object_flattener.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

constexpr int64_t kMm = 1'000'000;

// A 20 x 20 mm pour with a 3 mm clearance at (10, 10), and a 1 mm pad alone
// at (30, 10).
class IslandRingsTest : public ::testing::Test {
 protected:
  IslandRingsTest()
      : layer(ReadStandardGerber("%FSLAX46Y46*%%MOMM*%%ADD10C,3*%%ADD11C,1*%"
                                 "G36*X0Y0D02*X20000000Y0D01*X20000000Y20000000D01*"
                                 "X0Y20000000D01*X0Y0D01*G37*"
                                 "%LPC*%D10*X10000000Y10000000D03*%LPD*%"
                                 "D11*X30000000Y10000000D03*M02*",
                                 StandardContext{})),
        geometry(BuildLayerGeometry(layer)),
        rings(geometry) {}

  StandardLayer layer;
  LayerGeometry geometry;
  IslandRings rings;
};

TEST_F(IslandRingsTest, APointIsInTheCopperNotInItsClearance) {
  ASSERT_EQ(geometry.islands.size(), 2u);
  const uint32_t pour = geometry.islands[0].box.maxX <= 20 * kMm ? 0 : 1;
  const uint32_t pad = 1 - pour;
  struct Case {
    GeoPoint at;
    bool inPour;
    bool inPad;
  };
  const Case cases[] = {
      {{2 * kMm, 2 * kMm}, true, false},
      {{10 * kMm, 10 * kMm}, false, false},            // the clearance's centre
      {{10 * kMm + 1'400'000, 10 * kMm}, false, false},  // just inside the clearance
      {{10 * kMm + 1'600'000, 10 * kMm}, true, false},   // just outside it
      {{0, 5 * kMm}, true, false},                       // on the pour's edge
      {{21 * kMm, 5 * kMm}, false, false},
      {{30 * kMm, 10 * kMm}, false, true},
      {{30 * kMm + 600'000, 10 * kMm}, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rings.Contains(pour, c.at), c.inPour) << c.at.x << "," << c.at.y;
    EXPECT_EQ(rings.Contains(pad, c.at), c.inPad) << c.at.x << "," << c.at.y;
  }
}

TEST_F(IslandRingsTest, AHoleMeetsTheCopperItOverlapsOnly) {
  const uint32_t pour = geometry.islands[0].box.maxX <= 20 * kMm ? 0 : 1;
  struct Case {
    double x, y, diameter;  // mm
    bool meets;
  };
  const Case cases[] = {
      {10, 10, 1.0, false},  // inside the clearance, clear of its edge
      {10, 10, 3.4, true},   // larger than the clearance: reaches the pour
      {11.2, 10, 1.0, true},  // off centre, across the clearance's edge
      {5, 5, 0.3, true},     // in the pour
      {-0.2, 5, 0.6, true},  // across the pour's outer edge
      {-1, 5, 0.6, false},   // beside it
      {25, 10, 2.0, false},
  };
  for (const Case& c : cases) {
    char text[160];
    std::snprintf(text, sizeof text, "M48\nMETRIC,TZ\nT1C%.3f\n%%\nT1\nX%.3fY%.3f\nM30\n",
                  c.diameter, c.x, c.y);
    const StandardLayer drill = ReadStandardExcellon(text, StandardContext{});
    ASSERT_EQ(drill.geometry.objects.size(), 1u);
    const ObjectFlattener flattener(drill);
    const GeoPoint centre{static_cast<int64_t>(c.x * kMm), static_cast<int64_t>(c.y * kMm)};
    EXPECT_EQ(rings.Touches(pour, flattener.Polygons(0), flattener.Box(0), centre), c.meets)
        << c.x << "," << c.y << " d " << c.diameter;
  }
}

}  // namespace
}  // namespace corvane
