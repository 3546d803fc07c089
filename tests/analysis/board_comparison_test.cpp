#include "analysis/board_comparison.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/drill_difference.h"
#include "analysis/geometry_difference.h"
#include "revision_writer.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

constexpr double kMm = 1e6;         // nanometres
constexpr double kMm2 = kMm * kMm;  // square nanometres

StandardLayer Copper(const BoardWriting& writing, const BoardChanges& changes = {}) {
  StandardLayer layer = ReadStandardGerber(RevisionWriter(writing, changes).TopCopper(), {});
  layer.fileName = "top.gbr";
  return layer;
}

StandardLayer Drills(const BoardWriting& writing, const BoardChanges& changes = {}) {
  StandardLayer layer = ReadStandardExcellon(RevisionWriter(writing, changes).Drills(), {});
  layer.fileName = "holes.drl";
  return layer;
}

LayerComparison Compare(const StandardLayer& a, const StandardLayer& b,
                        int64_t tolerance = kDefaultCompareTolerance) {
  CompareOptions options;
  options.tolerance = tolerance;
  return CompareLayers(a, nullptr, b, nullptr, options);
}

struct WritingCase {
  const char* name;
  BoardWriting writing;
};

TEST(BoardComparisonTest, TheSameBoardWrittenOtherwiseHasNoDifferences) {
  const WritingCase cases[] = {
      {"other digits", {false, 4, 10, false, false}},
      {"inches", {true, 6, 10, false, false}},
      {"inches with few digits", {true, 4, 10, false, false}},
      {"regions for macros", {false, 6, 10, true, false}},
      {"chords for arcs", {false, 6, 10, false, true}},
      {"other aperture numbers", {false, 6, 37, false, false}},
      {"all at once", {true, 5, 100, true, true}},
  };
  const StandardLayer copper = Copper({});
  const StandardLayer drills = Drills({});
  ASSERT_FALSE(copper.geometry.objects.empty());
  ASSERT_EQ(RoundHolesOf(drills).size(), 3u);
  for (const WritingCase& c : cases) {
    const LayerComparison top = Compare(copper, Copper(c.writing));
    EXPECT_EQ(top.placeCount, 0u) << c.name;
    EXPECT_FALSE(top.holeByHole);
    const LayerComparison holes = Compare(drills, Drills(c.writing));
    EXPECT_TRUE(holes.holeByHole);
    EXPECT_EQ(holes.placeCount, 0u) << c.name;
  }
  // Without a tolerance the rounding of the few inch digits shows.
  EXPECT_GT(Compare(copper, Copper({true, 4, 10, false, false}), 0).placeCount, 0u);
}

struct Expected {
  DifferenceKind kind;
  double minX, minY, maxX, maxY;  // mm
  double area;                    // mm²
};

struct ChangeCase {
  const char* name;
  BoardChanges changes;
  std::vector<Expected> copper;
  std::vector<Expected> drills;
};

// Each expected place is found once, whatever the order of places that
// share a row.
void ExpectPlaces(const LayerComparison& found, const std::vector<Expected>& expected,
                  const char* name) {
  ASSERT_EQ(found.places.size(), expected.size()) << name;
  std::vector<bool> used(found.places.size(), false);
  double added = 0.0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Expected& e = expected[i];
    bool matched = false;
    for (std::size_t k = 0; k < found.places.size() && !matched; ++k) {
      const DifferencePlace& place = found.places[k];
      // The opening rounds a place's corners by half the tolerance.
      if (used[k] || place.kind != e.kind || std::abs(place.box.minX / kMm - e.minX) > 2e-3 ||
          std::abs(place.box.minY / kMm - e.minY) > 2e-3 ||
          std::abs(place.box.maxX / kMm - e.maxX) > 2e-3 ||
          std::abs(place.box.maxY / kMm - e.maxY) > 2e-3) {
        continue;
      }
      EXPECT_NEAR(place.area / kMm2, e.area, e.area * 0.01) << name << " " << i;
      used[k] = matched = true;
      if (e.kind == DifferenceKind::kAdded) added += place.area;
    }
    EXPECT_TRUE(matched) << name << " " << i << " at " << e.minX << " " << e.minY;
  }
  EXPECT_NEAR(found.addedArea, added, 1.0) << name;
}

TEST(BoardComparisonTest, EachChangeIsExactlyItsPlaces) {
  const double pad = M_PI * 0.75 * 0.75;
  const ChangeCase cases[] = {
      {"pad moved 3 mm",
       {3.0, false, false, 0.8},
       {{DifferenceKind::kRemoved, 14.25, 19.25, 15.75, 20.75, pad},
        {DifferenceKind::kAdded, 17.25, 19.25, 18.75, 20.75, pad}},
       {}},
      {"pad moved within the tolerance", {0.02, false, false, 0.8}, {}, {}},
      {"track deleted",
       {0.0, true, false, 0.8},
       {{DifferenceKind::kRemoved, 10.8, 9.875, 19.2, 10.125, 8.4 * 0.25}},
       {}},
      {"via added",
       {0.0, false, true, 0.8},
       {{DifferenceKind::kAdded, 29.25, 19.25, 30.75, 20.75, pad}},
       {{DifferenceKind::kAdded, 29.8, 19.8, 30.2, 20.2, M_PI * 0.04}}},
      {"drill size changed",
       {0.0, false, false, 1.0},
       {},
       {{DifferenceKind::kAdded, 14.5, 19.5, 15.5, 20.5, M_PI * 0.25},
        {DifferenceKind::kRemoved, 14.6, 19.6, 15.4, 20.4, M_PI * 0.16}}},
  };
  const StandardLayer copper = Copper({});
  const StandardLayer drills = Drills({});
  for (const ChangeCase& c : cases) {
    // The new revision is written otherwise too: only the change may show.
    const BoardWriting other{true, 5, 20, true, true};
    ExpectPlaces(Compare(copper, Copper(other, c.changes)), c.copper, c.name);
    ExpectPlaces(Compare(drills, Drills(other, c.changes)), c.drills, c.name);
  }
}

GeoPath Square(int64_t x0, int64_t y0, int64_t size) {
  return {{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}};
}

TEST(BoardComparisonTest, PiecesThatTouchAreOnePlaceAndSliversGo) {
  struct Case {
    const char* name;
    GeoPaths area;
    std::size_t places;
  };
  const int64_t mm = 1'000'000;
  const Case cases[] = {
      {"two apart", {Square(0, 0, mm), Square(3 * mm, 0, mm)}, 2},
      {"touching at a corner", {Square(0, 0, mm), Square(mm, mm, mm)}, 1},
      {"closer than the tolerance", {Square(0, 0, mm), Square(mm + 20'000, 0, mm)}, 1},
      {"farther than the tolerance", {Square(0, 0, mm), Square(mm + 30'000, 0, mm)}, 2},
      {"sharing an edge", {Square(0, 0, mm), Square(mm, 0, mm)}, 1},
      {"a sliver narrower than the tolerance",
       {{{0, 0}, {10 * mm, 0}, {10 * mm, 20'000}, {0, 20'000}}},
       0},
      {"a strip just wider", {{{0, 0}, {10 * mm, 0}, {10 * mm, 30'000}, {0, 30'000}}}, 1},
      {"nothing", {}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlacesOf(c.area, DifferenceKind::kAdded, kDefaultCompareTolerance).size(), c.places)
        << c.name;
  }
  // A square with a hole is one place, its area the ring's.
  GeoPath hole = Square(mm, mm, mm);
  std::reverse(hole.begin(), hole.end());
  const auto ring = PlacesOf({Square(0, 0, 3 * mm), hole}, DifferenceKind::kRemoved, 0);
  ASSERT_EQ(ring.size(), 1u);
  EXPECT_DOUBLE_EQ(ring[0].area, 8.0 * mm * mm);
  EXPECT_EQ(ring[0].shape.size(), 2u);
}

TEST(BoardComparisonTest, HolesMatchWithinTheToleranceOfPositionAndDiameter) {
  struct Case {
    const char* name;
    std::vector<DrillHole> before;
    std::vector<DrillHole> after;
    std::size_t removed;
    std::size_t added;
  };
  const int64_t t = kDefaultCompareTolerance;
  const Case cases[] = {
      {"the same", {{{0, 0}, 800'000}}, {{{0, 0}, 800'000}}, 0, 0},
      {"moved within", {{{0, 0}, 800'000}}, {{{t - 1, 0}, 800'000}}, 0, 0},
      {"moved beyond", {{{0, 0}, 800'000}}, {{{t + 1, 0}, 800'000}}, 1, 1},
      {"moved across a cell", {{{-1, -1}, 800'000}}, {{{t / 2, t / 2}, 800'000}}, 0, 0},
      {"diameter within", {{{0, 0}, 800'000}}, {{{0, 0}, 800'000 + t}}, 0, 0},
      {"diameter beyond", {{{0, 0}, 800'000}}, {{{0, 0}, 800'000 + t + 1}}, 1, 1},
      {"one of a doubled hole", {{{0, 0}, 800'000}, {{0, 0}, 800'000}}, {{{0, 0}, 800'000}}, 1, 0},
      {"each takes its nearest",
       {{{0, 0}, 800'000}, {{30'000, 0}, 800'000}},
       {{{20'000, 0}, 800'000}, {{-5'000, 0}, 800'000}},
       0,
       0},
      {"only new", {}, {{{0, 0}, 300'000}, {{-5 * t, 7 * t}, 300'000}}, 0, 2},
  };
  for (const Case& c : cases) {
    const std::vector<DifferencePlace> places = CompareHoles(c.before, c.after, t);
    std::size_t removed = 0;
    for (const DifferencePlace& place : places) removed += place.kind == DifferenceKind::kRemoved;
    EXPECT_EQ(removed, c.removed) << c.name;
    EXPECT_EQ(places.size() - removed, c.added) << c.name;
  }
}

StandardLayer Named(const std::string& name, LayerSide side, LayerType type, int32_t inner = 0,
                    bool drill = false, LayerPlating plating = LayerPlating::kUnstated) {
  StandardLayer layer;
  layer.fileName = name;
  layer.source = drill ? StandardSource::kExcellon : StandardSource::kGerber;
  layer.function.kind = drill ? FileKind::kExcellon : FileKind::kGerber;
  layer.function.side = side;
  layer.function.type = type;
  layer.function.inner = inner;
  layer.function.plating = plating;
  layer.function.from = type == LayerType::kOther ? FunctionSource::kNone : FunctionSource::kName;
  return layer;
}

TEST(BoardComparisonTest, LayersPairByFunctionThenByNameAndTheRestIsUnmatched) {
  StandardModel before;
  before.layers = {
      Named("rev1/F_Cu.gbr", LayerSide::kTop, LayerType::kCopper),
      Named("rev1/In1.gbr", LayerSide::kInner, LayerType::kCopper, 1),
      Named("rev1/In2.gbr", LayerSide::kInner, LayerType::kCopper, 2),
      Named("rev1/pth.drl", LayerSide::kAll, LayerType::kDrill, 0, true, LayerPlating::kPlated),
      Named("rev1/npth.drl", LayerSide::kAll, LayerType::kDrill, 0, true, LayerPlating::kNonPlated),
      Named("rev1/notes.gbr", LayerSide::kNone, LayerType::kOther),
      Named("rev1/a.gbr", LayerSide::kTop, LayerType::kDrawing),
      Named("rev1/b.gbr", LayerSide::kTop, LayerType::kDrawing),
      Named("rev1/B_Cu.gbr", LayerSide::kBottom, LayerType::kCopper),
  };
  StandardModel after;
  after.layers = {
      Named("rev2.zip/NOTES.GBR", LayerSide::kNone, LayerType::kOther),
      Named("rev2.zip/npth.drl", LayerSide::kAll, LayerType::kDrill, 0, true,
            LayerPlating::kNonPlated),
      Named("rev2.zip/top.gtl", LayerSide::kTop, LayerType::kCopper),
      Named("rev2.zip/in2.g3", LayerSide::kInner, LayerType::kCopper, 2),
      Named("rev2.zip/In1.gbr", LayerSide::kInner, LayerType::kCopper, 1),
      Named("rev2.zip/holes.drl", LayerSide::kAll, LayerType::kDrill, 0, true,
            LayerPlating::kPlated),
      Named("rev2.zip/c.gbr", LayerSide::kTop, LayerType::kDrawing),
      Named("rev2.zip/b.gbr", LayerSide::kTop, LayerType::kDrawing),
  };
  const LayerPairing pairing = PairLayers(before, after);
  std::vector<std::pair<uint32_t, uint32_t>> pairs;
  std::vector<bool> byName;
  for (const LayerPair& pair : pairing.pairs) {
    pairs.emplace_back(pair.before, pair.after);
    byName.push_back(pair.byName);
  }
  EXPECT_EQ(pairs, (std::vector<std::pair<uint32_t, uint32_t>>{
                       {5, 0}, {4, 1}, {0, 2}, {2, 3}, {1, 4}, {3, 5}, {7, 7}}));
  EXPECT_EQ(byName, (std::vector<bool>{true, false, false, false, false, false, true}));
  // Two drawings of one side cannot be told apart by function; only b.gbr
  // has its name on both sides, and a.gbr and c.gbr are not guessed.
  EXPECT_EQ(pairing.unmatchedBefore, (std::vector<uint32_t>{6, 8}));
  EXPECT_EQ(pairing.unmatchedAfter, (std::vector<uint32_t>{6}));
}

TEST(BoardComparisonTest, BoardsCompareEveryPairAndBoundTheList) {
  StandardModel before;
  before.layers = {Copper({}), Drills({})};
  before.layers[0].function = Named("", LayerSide::kTop, LayerType::kCopper).function;
  before.layers[1].function = Named("", LayerSide::kAll, LayerType::kDrill, 0, true).function;
  StandardModel after = before;
  const BoardChanges via{0.0, false, true, 1.0};
  after.layers[0] = Copper({}, via);
  after.layers[1] = Drills({}, via);
  after.layers[0].function = before.layers[0].function;
  after.layers[1].function = before.layers[1].function;

  const BoardComparison same = CompareBoards(before, before);
  EXPECT_TRUE(same.Same());
  EXPECT_EQ(same.layers.size(), 2u);
  EXPECT_EQ(ComparisonSummary(same), "No differences");

  const BoardComparison changed = CompareBoards(before, after);
  EXPECT_FALSE(changed.Same());
  EXPECT_EQ(changed.PlaceCount(), 4u);  // the via's pad and hole, the hole resized
  EXPECT_EQ(changed.unlistedPlaces, 0u);
  EXPECT_EQ(ComparisonSummary(changed), "4 differences on 2 layers");

  CompareOptions bounded;
  bounded.maxListedPlaces = 2;
  const BoardComparison few = CompareBoards(before, after, bounded);
  EXPECT_EQ(few.PlaceCount(), 4u);
  EXPECT_EQ(few.unlistedPlaces, 2u);
  EXPECT_EQ(few.layers[0].places.size() + few.layers[1].places.size(), 2u);
  EXPECT_NEAR(few.layers[1].addedArea, changed.layers[1].addedArea, 1.0);

  StandardModel missing = after;
  missing.layers.pop_back();
  const BoardComparison unmatched = CompareBoards(before, missing);
  EXPECT_EQ(unmatched.unmatchedBefore, (std::vector<uint32_t>{1}));
  EXPECT_EQ(ComparisonSummary(unmatched), "1 difference on 1 layer, 1 layer unmatched");
}

}  // namespace
}  // namespace corvane
