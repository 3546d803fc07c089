#include "analysis/fabrication_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "geometry/layer_geometry_builder.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

// Millimetres in the 4.6 format of the test layers.
std::string C(double mm) { return std::to_string(std::llround(mm * 1e6)); }
std::string At(double x, double y) { return "X" + C(x) + "Y" + C(y); }

struct LayerPlan {
  std::string name;
  LayerSide side = LayerSide::kTop;
  LayerType type = LayerType::kCopper;
  std::string body;  // Gerber body, or the Excellon hits "tool diameter; x,y; ..."
  LayerPlating plating = LayerPlating::kUnstated;
};

StandardLayer Make(const LayerPlan& plan) {
  StandardLayer layer;
  if (plan.type == LayerType::kDrill) {
    layer = ReadStandardExcellon("M48\nMETRIC,TZ\n" + plan.body + "M30\n", StandardContext{});
  } else {
    layer = ReadStandardGerber("%FSLAX46Y46*%%MOMM*%" + plan.body + "M02*", StandardContext{});
  }
  layer.fileName = plan.name;
  layer.function.kind = plan.type == LayerType::kDrill ? FileKind::kExcellon : FileKind::kGerber;
  layer.function.side = plan.side;
  layer.function.type = plan.type;
  layer.function.plating = plan.plating;
  layer.function.from = FunctionSource::kName;
  return layer;
}

// One round tool of `diameter` mm and its hits.
std::string Hits(double diameter, const std::vector<std::pair<double, double>>& at) {
  std::string text = "T1C" + std::to_string(diameter) + "\n%\nT1\n";
  for (const auto& [x, y] : at) text += "X" + std::to_string(x) + "Y" + std::to_string(y) + "\n";
  return text;
}

FabricationCheckResult Check(const std::vector<LayerPlan>& plans, const FabricationRules& rules) {
  StandardModel model;
  for (const LayerPlan& plan : plans) model.layers.push_back(Make(plan));
  std::vector<LayerGeometry> geometry;
  for (const StandardLayer& layer : model.layers) geometry.push_back(BuildLayerGeometry(layer));
  return RunFabricationChecks(model, geometry, rules, 2);
}

FabricationRules Only(RuleValue value, double mm) {
  FabricationRules rules;
  rules.Set(value, mm);
  return rules;
}

const std::string kPads = "%ADD10R,1X1*%%ADD11C,0.6*%%ADD12C,0.08*%%ADD13C,0.1*%%ADD14R,0.2X0.2*%"
                          "%ADD15R,0.9X0.9*%";

TEST(FabricationChecksTest, EachSeededFaultIsFoundOnceWhereItIs) {
  struct Case {
    const char* name;
    std::vector<LayerPlan> layers;
    FabricationRules rules;
    const char* rule;
    double x, y;      // where it is worst, mm
    double measured;  // mm
  };
  const LayerPlan topMask{"top.gts", LayerSide::kTop, LayerType::kSoldermask,
                          kPads + "D10*" + At(0, 0) + "D03*"};
  const Case cases[] = {
      {"a 0.08 mm stub off a pad",
       {{"top.gtl", LayerSide::kTop, LayerType::kCopper,
         kPads + "D10*" + At(0, 0) + "D03*D12*" + At(0.5, 0) + "D02*" + At(1.5, 0) + "D01*"}},
       // Thin beyond the corners a round tool leaves at the pad's edge: the
       // middle of 0.555 to 1.54 mm.
       Only(RuleValue::kWidth, 0.1), "width", 1.05, 0.0, 0.08},
      {"two pads 0.1 mm apart",
       {{"top.gtl", LayerSide::kTop, LayerType::kCopper,
         kPads + "D11*" + At(0, 0) + "D03*" + At(0.7, 0) + "D03*"}},
       Only(RuleValue::kClearance, 0.15), "clearance", 0.35, 0.0, 0.1},
      {"a via hole leaving a 0.05 mm ring",
       {{"top.gtl", LayerSide::kTop, LayerType::kCopper, kPads + "D11*" + At(0, 0) + "D03*"},
        {"pth.drl", LayerSide::kAll, LayerType::kDrill, Hits(0.45, {{0.025, 0.0}}),
         LayerPlating::kPlated}},
       Only(RuleValue::kAnnularRing, 0.1), "annular-ring", 0.275, 0.0, 0.05},
      {"a hole breaking out of its pad",
       {{"top.gtl", LayerSide::kTop, LayerType::kCopper, kPads + "D11*" + At(0, 0) + "D03*"},
        {"pth.drl", LayerSide::kAll, LayerType::kDrill, Hits(0.4, {{0.25, 0.0}}),
         LayerPlating::kPlated}},
       Only(RuleValue::kAnnularRing, 0.1), "annular-ring", 0.347, 0.0, 0.0},
      {"a 0.15 mm hole",
       {{"pth.drl", LayerSide::kAll, LayerType::kDrill, Hits(0.15, {{2.0, 3.0}}),
         LayerPlating::kPlated}},
       Only(RuleValue::kDrill, 0.2), "drill", 2.0, 3.0, 0.15},
      {"two holes 0.2 mm apart",
       {{"pth.drl", LayerSide::kAll, LayerType::kDrill, Hits(0.3, {{0.0, 0.0}, {0.5, 0.0}}),
         LayerPlating::kPlated}},
       Only(RuleValue::kHoleSpacing, 0.25), "drill", 0.25, 0.0, 0.2},
      {"a mounting hole 0.1 mm from copper",
       {{"top.gtl", LayerSide::kTop, LayerType::kCopper, kPads + "D14*" + At(0.7, 0) + "D03*"},
        {"npth.drl", LayerSide::kAll, LayerType::kDrill, Hits(1.0, {{0.0, 0.0}}),
         LayerPlating::kNonPlated}},
       Only(RuleValue::kDrillToCopper, 0.25), "drill-to-copper", 0.55, 0.0, 0.1},
      {"a mask web of 0.05 mm",
       {{"top.gts", LayerSide::kTop, LayerType::kSoldermask,
         kPads + "D11*" + At(0, 0) + "D03*" + At(0.65, 0) + "D03*"}},
       Only(RuleValue::kMaskWeb, 0.1), "mask-web", 0.325, 0.0, 0.05},
      {"an opening 0.05 mm short of its pad",
       {{"top.gtl", LayerSide::kTop, LayerType::kCopper, kPads + "D10*" + At(0, 0) + "D03*"},
        {"top.gts", LayerSide::kTop, LayerType::kSoldermask,
         kPads + "D10*" + At(0.05, 0) + "D03*"}},
       Only(RuleValue::kMaskWeb, 0.1), "mask-expansion", -0.475, 0.0, -0.05},
      {"silkscreen over a pad",
       {topMask,
        {"top.gto", LayerSide::kTop, LayerType::kSilkscreen,
         kPads + "D13*" + At(-1, 0.4) + "D02*" + At(1, 0.4) + "D01*"}},
       Only(RuleValue::kSilkClearance, 0.15), "silk-on-pad", 0.0, 0.4, 0.0},
      {"a silkscreen dot off a pad's corner",
       {topMask,
        {"top.gto", LayerSide::kTop, LayerType::kSilkscreen,
         kPads + "D13*" + At(0.6, 0.6) + "D03*"}},
       Only(RuleValue::kSilkClearance, 0.15), "silk-on-pad", 0.532, 0.532,
       std::sqrt(0.02) - 0.05},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FabricationCheckResult result = Check(c.layers, c.rules);
    ASSERT_EQ(result.findings.Total(), 1u);
    const Finding& f = result.findings.listed.front();
    EXPECT_EQ(f.rule, c.rule);
    EXPECT_EQ(result.CountOf(c.rule), 1u);
    EXPECT_NEAR(f.atX, c.x, 0.05);
    EXPECT_NEAR(f.atY, c.y, 0.05);
    EXPECT_NEAR(f.measured, c.measured, 0.005);
    EXPECT_LE(f.box.minX, f.atX);
    EXPECT_GE(f.box.maxX, f.atX);
  }
}

// A board at the shop's usual values with nothing wrong: square pads with
// their corners, round pads, wide tracks, holes with full rings, openings a
// little larger than their pads, silkscreen kept clear.
std::vector<LayerPlan> CleanBoard() {
  const std::string pads = "%ADD20R,1.5X1.5*%%ADD21C,1.0*%%ADD22C,0.25*%%ADD23R,1.6X1.6*%"
                           "%ADD24C,1.1*%%ADD25C,0.15*%";
  const std::string copper = pads + "D20*" + At(0, 0) + "D03*D21*" + At(3, 0) + "D03*D22*" +
                             At(0, 0) + "D02*" + At(3, 0) + "D01*" + At(3, 3) + "D01*";
  const std::string mask = pads + "D23*" + At(0, 0) + "D03*D24*" + At(3, 0) + "D03*";
  return {
      {"top.gtl", LayerSide::kTop, LayerType::kCopper, copper},
      {"bottom.gbl", LayerSide::kBottom, LayerType::kCopper, copper},
      {"top.gts", LayerSide::kTop, LayerType::kSoldermask, mask},
      {"top.gto", LayerSide::kTop, LayerType::kSilkscreen,
       pads + "D25*" + At(-2, -2) + "D02*" + At(5, -2) + "D01*"},
      {"pth.drl", LayerSide::kAll, LayerType::kDrill, Hits(0.5, {{3.0, 0.0}}),
       LayerPlating::kPlated},
      {"npth.drl", LayerSide::kAll, LayerType::kDrill, Hits(2.0, {{8.0, 0.0}}),
       LayerPlating::kNonPlated},
  };
}

TEST(FabricationChecksTest, ACleanBoardHasNoFindingAtTheUsualValues) {
  const FabricationCheckResult result = Check(CleanBoard(), FabricationRules::Defaults());
  for (const Finding& f : result.findings.listed) {
    ADD_FAILURE() << f.rule << " " << f.layers.front() << " at " << f.atX << " " << f.atY
                  << " measured " << f.measured;
  }
  EXPECT_EQ(result.findings.Total(), 0u);
  // Every rule had its layers: nothing passed over.
  for (const std::string& note : result.notes) {
    EXPECT_EQ(note.find("not checked"), std::string::npos) << note;
  }
}

TEST(FabricationChecksTest, ARuleWithoutItsLayersIsPassedOverAndSaysSo) {
  const std::vector<LayerPlan> copperOnly = {
      {"top.gtl", LayerSide::kTop, LayerType::kCopper, kPads + "D10*" + At(0, 0) + "D03*"}};
  const FabricationCheckResult result = Check(copperOnly, FabricationRules::Defaults());
  const auto said = [&](const std::string& text) {
    for (const std::string& note : result.notes) {
      if (note == text) return true;
    }
    return false;
  };
  EXPECT_TRUE(said("annular-ring: not checked, no plated drill file"));
  EXPECT_TRUE(said("drill-to-copper: not checked, no non-plated drill file"));
  EXPECT_TRUE(said("drill: not checked, no drill file"));
  EXPECT_TRUE(said("mask-web: not checked, no solder mask"));
  EXPECT_EQ(result.findings.Total(), 0u);
}

TEST(FabricationChecksTest, ALongThinTrackIsOneFindingAtItsNarrowestPoint) {
  // A 0.09 mm track between two pads, necked to 0.07 mm in its middle.
  const std::string body = kPads + "%ADD30C,0.09*%%ADD31C,0.07*%D10*" + At(0, 0) + "D03*" +
                           At(5, 0) + "D03*D30*" + At(0, 0) + "D02*" + At(2.4, 0) + "D01*" +
                           At(2.6, 0) + "D02*" + At(5, 0) + "D01*D31*" + At(2.4, 0) + "D02*" +
                           At(2.6, 0) + "D01*";
  const FabricationCheckResult result =
      Check({{"top.gtl", LayerSide::kTop, LayerType::kCopper, body}}, Only(RuleValue::kWidth, 0.1));
  ASSERT_EQ(result.findings.Total(), 1u);
  const Finding& f = result.findings.listed.front();
  EXPECT_NEAR(f.measured, 0.07, 0.005);
  EXPECT_NEAR(f.atX, 2.5, 0.05);
  EXPECT_NEAR(f.atY, 0.0, 0.05);
  // From the pads' edges, less the corners a round tool leaves there.
  EXPECT_NEAR(f.box.minX, 0.56, 0.03);
  EXPECT_NEAR(f.box.maxX, 4.44, 0.03);
}

TEST(FabricationChecksTest, AClearanceFindingPerPlaceNotPerPair) {
  // A comb: one island with two teeth, each 0.08 mm from a bar.
  const std::string body = "%ADD40R,0.2X1*%%ADD41R,2X0.2*%D41*" + At(0, 0) + "D03*D40*" +
                           At(-0.8, 0.6) + "D03*" + At(0.8, 0.6) + "D03*D41*" + At(0, 1.28) +
                           "D03*";
  // The teeth rise from y = 0.1 to 1.1; the top bar starts at 1.18.
  const FabricationCheckResult result = Check({{"top.gtl", LayerSide::kTop, LayerType::kCopper, body}},
                                              Only(RuleValue::kClearance, 0.1));
  ASSERT_EQ(result.findings.Total(), 2u);
  for (const Finding& f : result.findings.listed) {
    EXPECT_NEAR(f.measured, 0.08, 0.005);
    EXPECT_NEAR(std::abs(f.atX), 0.8, 0.1);
    EXPECT_NEAR(f.atY, 1.14, 0.05);
  }
}

}  // namespace
}  // namespace corvane
