#include "document/corvane_doc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "loading/document_loader.h"

namespace corvane {
namespace {

PlotItem Draw(double x, double y, int32_t dcode = 1, uint8_t layer = 0) {
  PlotItem item;
  item.layer = layer;
  item.kind = kKindStatement;
  item.dcode = dcode;
  item.x = x;
  item.y = y;
  return item;
}

Aperture MakeAperture(int32_t dcode, int32_t layer, int32_t shape, double size) {
  Aperture a;
  a.dcode = dcode;
  a.layer = layer;
  a.shape = shape;
  a.sizeX = a.sizeY = size;
  return a;
}

TEST(CCorvaneDocTest, PlotItemIsSmallAndTriviallyCopyable) {
  static_assert(std::is_trivially_copyable_v<PlotItem>);
  EXPECT_LE(sizeof(PlotItem), 24u);
}

TEST(CCorvaneDocTest, ItemsGrowPastEveryReservationAndTrimKeepsThem) {
  CCorvaneDoc doc;
  const int count = 250001;
  for (int i = 0; i < count; ++i) doc.AddItem(Draw(i, -i));
  ASSERT_EQ(doc.GetItemCount(), count);
  EXPECT_GE(doc.GetItemCapacity(), static_cast<std::size_t>(count));
  doc.TrimItems();
  EXPECT_EQ(doc.GetItemCapacity(), static_cast<std::size_t>(count));
  EXPECT_EQ(doc.GetItem(count - 1).x, count - 1);
  EXPECT_EQ(doc.GetItem(123456).y, -123456);
  doc.AddItem(Draw(7, 7));  // growing again after a trim keeps what is there
  EXPECT_EQ(doc.GetItem(count - 1).x, count - 1);
  EXPECT_EQ(doc.GetItem(count).x, 7);
  EXPECT_EQ(doc.GetItem(-1).kind, 0);  // outside the list: a default item
  EXPECT_EQ(doc.GetItem(count + 1).kind, 0);
}

PlotItem ArcTo(double x, double y, uint8_t mode) {
  PlotItem item = Draw(x, y);
  item.mode = mode;
  return item;
}

PlotItem Centre(double i, double j) {
  PlotItem item = Draw(i, j);
  item.kind = kKindArcCentre;
  return item;
}

// Every point drawn counts, grown by the aperture in force: D10 is a circle
// of 0.2, D11 a rectangle of 0.4 by 0.2.
TEST(CCorvaneDocTest, ExtentsHoldEveryDrawnPoint) {
  struct Case {
    const char* what;
    std::vector<PlotItem> items;
    Extents expected;
  };
  const double u = kExtentsUnset;
  const double r2 = std::sqrt(2.0);
  const Case cases[] = {
      {"flashes alone", {Draw(0, 0, 10), Draw(1, 2, 3), Draw(3, 1, 3)}, {3.1, 0.9, 2.1, 0.9}},
      {"a rectangle's flash", {Draw(0, 0, 11), Draw(1, 1, 3)}, {1.2, 0.8, 1.1, 0.9}},
      {"an L from the origin", {Draw(2, 0), Draw(2, 1)}, {2, 0, 1, 0}},
      {"a draw from a move", {Draw(0, 0, 10), Draw(1, -1, 2), Draw(3, -1)}, {3.1, 0.9, 0, -1.1}},
      {"a stroke of a rectangle", {Draw(-1, -1, 11), Draw(-2, -1)}, {0, -2.2, 0, -1.2}},
      {"a half circle anticlockwise",
       {Draw(1, 0, 2), Centre(-1, 0), ArcTo(-1, 0, kModeCounterClockwiseMulti)},
       {1, -1, 1, 0}},
      {"a half circle clockwise",
       {Draw(1, 0, 2), Centre(-1, 0), ArcTo(-1, 0, kModeClockwiseMulti)},
       {1, -1, 0, -1}},
      {"a quarter past the top",
       {Draw(1, -1, 2), Centre(-1, 1), ArcTo(-1, 1, kModeCounterClockwise)},
       {r2, -1, r2, -1}},
      {"a closed arc: the whole circle",
       {Draw(0, 0, 10), Draw(5, 4, 2), Centre(-1, 0), ArcTo(5, 4, kModeClockwiseMulti)},
       {5.1, 2.9, 5.1, 2.9}},
      {"a closed arc after a move: its point",
       {Draw(5, 4, 2), Centre(-1, 0), Draw(5, 4, 2), ArcTo(5, 4, kModeClockwiseMulti)},
       {5, 5, 4, 4}},
      {"a drill hit alone", {}, {4, 4, 0, -3}},
      // Invalid rows: nothing drawn leaves the minima unset.
      {"moves and selections only", {Draw(-5, -5, 2), Draw(-6, -6, 10)}, {0, u, 0, u}},
      {"an arc centre is no point", {Draw(1, 1, 2), Centre(-70, -70)}, {0, u, 0, u}},
      {"a flash without an aperture is a point", {Draw(-1, 2, 3)}, {0, -1, 2, 2}},
  };
  int checked = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CCorvaneDoc doc;
    doc.AddAperture(MakeAperture(10, -1, kShapeCircle, 0.2));
    Aperture rectangle = MakeAperture(11, -1, kShapeRectangle, 0.4);
    rectangle.sizeY = 0.2;
    doc.AddAperture(rectangle);
    for (const PlotItem& item : c.items) doc.AddItem(item);
    if (c.items.empty()) doc.AddDrillHit(DrillHit{1, 4, -3});
    doc.ComputeExtents();
    const Extents e = doc.GetExtents();
    EXPECT_NEAR(e.maxX, c.expected.maxX, 1e-12);
    EXPECT_NEAR(e.minX, c.expected.minX, 1e-12);
    EXPECT_NEAR(e.maxY, c.expected.maxY, 1e-12);
    EXPECT_NEAR(e.minY, c.expected.minY, 1e-12);
    ++checked;
  }
  EXPECT_EQ(checked, 14);
}

TEST(CCorvaneDocTest, ExtentsFollowTheApertureOfEachLayerAndItsOffset) {
  CCorvaneDoc doc;
  doc.AddAperture(MakeAperture(10, 0, kShapeCircle, 0.2));
  doc.AddAperture(MakeAperture(10, 1, kShapeCircle, 1.0));
  PlotLayer shifted;
  shifted.offsetX = 10000;  // 10 plot units: arc centres carry it, and lose it again
  doc.AddLayer(PlotLayer{});
  doc.AddLayer(shifted);
  doc.AddItem(Draw(0, 0, 10, 0));
  doc.AddItem(Draw(1, 1, 3, 0));
  doc.AddItem(Draw(0, 0, 10, 1));
  doc.AddItem(Draw(12, 0, 2, 1));
  PlotItem centre = Draw(-2 + 10, 0, 1, 1);
  centre.kind = kKindArcCentre;
  doc.AddItem(centre);
  PlotItem arc = Draw(8, 0, 1, 1);
  arc.mode = kModeCounterClockwiseMulti;
  doc.AddItem(arc);
  doc.ComputeExtents();
  EXPECT_EQ(doc.GetExtents(), (Extents{12.5, 0.9, 2.5, -0.5}));
}

TEST(CCorvaneDocTest, ExtentsWithoutDrawsKeepTheUnsetMinima) {
  CCorvaneDoc doc;
  EXPECT_EQ(doc.GetExtents(), (Extents{0, 0, 0, 0}));  // nothing computed yet
  doc.AddItem(Draw(-5, -5, 2));
  doc.ComputeExtents();
  EXPECT_EQ(doc.GetExtents(), (Extents{0, kExtentsUnset, 0, kExtentsUnset}));
  doc.AddItem(Draw(7, 8));  // the maxima start at 0: they never fall below it
  doc.AddItem(Draw(9, 9, 1));
  doc.ComputeExtents();
  EXPECT_EQ(doc.GetExtents(), (Extents{9, -5, 9, -5}));
}

TEST(CCorvaneDocTest, ApertureLookupPrefersTheLayersOwnDefinition) {
  struct Case {
    bool fileEntry;
    bool layerEntry;
    int32_t expectedLayer;
    int32_t expectedShape;
  };
  const Case cases[] = {
      {true, true, 2, kShapeRectangle},
      {true, false, -1, kShapeCircle},
      {false, true, 2, kShapeRectangle},
      {false, false, 0, kShapeNone},
  };
  for (const Case& c : cases) {
    CCorvaneDoc doc;
    if (c.fileEntry) doc.AddAperture(MakeAperture(10, -1, kShapeCircle, 0.01));
    doc.AddAperture(MakeAperture(10, 1, kShapeEllipse, 0.03));  // another layer's
    if (c.layerEntry) doc.AddAperture(MakeAperture(10, 2, kShapeRectangle, 0.02));
    const Aperture found = doc.FindAperture(10, 2);
    EXPECT_EQ(found.shape, c.expectedShape);
    if (c.expectedShape == kShapeNone) {
      EXPECT_EQ(found.dcode, 0);
      EXPECT_EQ(found.sizeX, 0.0);
      EXPECT_EQ(found.sizeY, 0.0);
    } else {
      EXPECT_EQ(found.layer, c.expectedLayer);
      EXPECT_EQ(found.dcode, 10);
    }
  }
}

TEST(CCorvaneDocTest, IndexedGettersLeaveTheCallersRecordOutsideTheRange) {
  CCorvaneDoc doc;
  PlotLayer layer;
  layer.fileName = "a.gbr";
  doc.AddLayer(layer);
  doc.AddDrillHit(DrillHit{3, 1, 2});
  doc.AddDrillTool(DrillTool{3, kPlatingPlated, 0.035, 4});

  for (int32_t index : {-1, 1, 1000}) {
    PlotLayer l;
    l.fileName = "untouched";
    EXPECT_FALSE(doc.GetLayer(index, l));
    EXPECT_EQ(l.fileName, "untouched");
    EXPECT_FALSE(doc.SetLayer(index, layer));
    DrillHit hit{-9, -9, -9};
    EXPECT_FALSE(doc.GetDrillHit(index, hit));
    EXPECT_EQ(hit.tool, -9);
    EXPECT_EQ(doc.IsLayerVisible(index), 1);
    doc.SetLayerVisible(index, 0);  // ignored
    EXPECT_EQ(doc.GetLayerFileName(index), "");
  }
  EXPECT_EQ(doc.GetLayerFileName(0), "a.gbr");
  doc.SetLayerVisible(0, 0);
  EXPECT_EQ(doc.IsLayerVisible(0), 0);

  DrillTool tool{-9, 0, -9, -9};
  EXPECT_FALSE(doc.FindDrillTool(4, tool));
  EXPECT_EQ(tool.tool, -9);
  EXPECT_TRUE(doc.FindDrillTool(3, tool));
  EXPECT_EQ(tool.diameter, 0.035);
}

TEST(CCorvaneDocTest, ClearAllEmptiesTheDataButKeepsSettingsAndExtents) {
  CCorvaneDoc doc;
  DocumentLoader loader(doc);
  doc.AddItem(Draw(4, 4));
  doc.ComputeExtents();
  doc.AddLayer(PlotLayer{});
  doc.AddAperture(MakeAperture(10, -1, kShapeCircle, 0.01));
  doc.AddMacro(std::make_unique<ApertureMacro>());
  doc.AddDrillTool(DrillTool{1, 0, 0.1, 0});
  doc.AddDrillHit(DrillHit{1, 0, 0});
  doc.SetApertureFileName("a.apr");
  doc.SetDrillToolFileName("a.rck");
  doc.SetNcDrillFileName("a.drl");
  loader.DrillState().currentTool = 5;
  doc.SetMirrorX(1);
  doc.SetMirrorY(1);
  doc.SetAutoOrigin(1);
  doc.Settings().gerberMultiplier = 2.5;
  loader.GerberState().metricApertures = 1;
  doc.SetModified();
  EXPECT_FALSE(doc.IsEmpty());

  loader.ClearAll();
  EXPECT_TRUE(doc.IsEmpty());
  EXPECT_EQ(doc.GetItemCount(), 0);
  EXPECT_EQ(doc.GetLayerCount(), 0);
  EXPECT_EQ(doc.GetApertureCount(), 0);
  EXPECT_EQ(doc.GetMacroCount(), 0);
  EXPECT_EQ(doc.GetDrillToolCount(), 0);
  EXPECT_EQ(loader.DrillState().currentTool, 0);
  EXPECT_EQ(doc.GetMirrorX(), 0);
  EXPECT_EQ(doc.GetMirrorY(), 0);
  EXPECT_EQ(doc.GetAutoOrigin(), 0);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.Settings().gerberMultiplier, 2.5);
  EXPECT_EQ(loader.GerberState().metricApertures, 1);
  EXPECT_EQ(doc.GetExtents(), (Extents{4, 0, 4, 0}));
}

TEST(CCorvaneDocTest, IsEmptyTurnsFalseForEachKindOfContent) {
  const std::function<void(CCorvaneDoc&)> fills[] = {
      [](CCorvaneDoc& d) { d.AddItem(Draw(0, 0)); },
      [](CCorvaneDoc& d) { d.SetApertureFileName("x"); },
      [](CCorvaneDoc& d) { d.AddAperture(Aperture{}); },
      [](CCorvaneDoc& d) { d.SetDrillToolFileName("x"); },
      [](CCorvaneDoc& d) { d.AddDrillTool(DrillTool{}); },
      [](CCorvaneDoc& d) { d.SetNcDrillFileName("x"); },
      [](CCorvaneDoc& d) { d.AddDrillHit(DrillHit{}); },
  };
  for (const auto& fill : fills) {
    CCorvaneDoc doc;
    ASSERT_TRUE(doc.IsEmpty());
    fill(doc);
    EXPECT_FALSE(doc.IsEmpty());
  }
  CCorvaneDoc withLayerOnly;
  withLayerOnly.AddLayer(PlotLayer{});  // a layer without items is still empty
  EXPECT_TRUE(withLayerOnly.IsEmpty());
}

TEST(CCorvaneDocTest, MacrosAreFoundByLayerAndExactName) {
  CCorvaneDoc doc;
  auto macro = std::make_unique<ApertureMacro>();
  macro->layer = 1;
  macro->name = "OC8";
  EXPECT_EQ(doc.AddMacro(std::move(macro)), 0);
  EXPECT_EQ(doc.FindMacro("OC8", 1), 0);
  EXPECT_EQ(doc.FindMacro("oc8", 1), -1);
  EXPECT_EQ(doc.FindMacro("OC8", 0), -1);
  EXPECT_EQ(doc.GetMacro(1), nullptr);
  EXPECT_EQ(doc.GetMacro(0)->name, "OC8");
}

TEST(CCorvaneDocTest, DefaultColoursUseTheLowByteOfTheIndex) {
  struct Case {
    int32_t index;
    uint32_t color;
    const char* name;
  };
  const Case cases[] = {
      {0, 0x0000FF, "Red"},    {1, 0xFF0000, "Blue"},   {2, 0x00FF00, "Green"},
      {3, 0x00FFFF, "Yellow"}, {4, 0x000080, "Brown"},  {5, 0x800000, "Navy"},
      {6, 0xFFFF00, "Aqua"},   {7, 0xFF00FF, "Purple"}, {8, 0xC0C0C0, "Light Gray"},
      {9, 0x808080, "Gray"},   {10, 0x000000, "Black"}, {255, 0x000000, "Black"},
      {256, 0x0000FF, "Red"},  {257, 0xFF0000, "Blue"}, {-256, 0x0000FF, "Red"},
      {-1, 0x000000, "Black"}};
  for (const Case& c : cases) {
    EXPECT_EQ(CCorvaneDoc::DefaultLayerColor(c.index), c.color) << c.index;
    EXPECT_EQ(CCorvaneDoc::ColorName(c.index), c.name) << c.index;
  }
}

TEST(CCorvaneDocTest, ShapeAndPlatingNames) {
  const std::pair<int32_t, const char*> shapes[] = {{0, "Circle"}, {1, "Line"},    {2, "Rectangle"},
                                                    {3, "Square"}, {4, "Ellipse"}, {5, ""},
                                                    {6, ""},       {-1, ""}};
  for (const auto& [shape, name] : shapes) EXPECT_EQ(ShapeName(shape), name) << shape;
  EXPECT_EQ(PlatingName(0), "Unknown");
  EXPECT_EQ(PlatingName(1), "Plated");
  EXPECT_EQ(PlatingName(2), "Unplated");
  EXPECT_EQ(PlatingName(7), "Unknown");
}

}  // namespace
}  // namespace corvane
