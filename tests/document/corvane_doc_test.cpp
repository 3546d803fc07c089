#include "document/corvane_doc.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

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

TEST(CCorvaneDocTest, ExtentsCountDrawsAndHitsOnly) {
  CCorvaneDoc doc;
  doc.AddItem(Draw(1, 5));
  doc.AddItem(Draw(2, -4));
  doc.AddItem(Draw(3, 6));
  doc.AddItem(Draw(-50, -50, 3));  // a flash does not count
  doc.AddItem(Draw(90, 90, 2));    // nor a move
  PlotItem centre = Draw(-70, -70);
  centre.kind = kKindArcCentre;  // nor an arc centre
  doc.AddItem(centre);
  doc.ComputeExtents();
  EXPECT_EQ(doc.GetExtents(), (Extents{3, 1, 6, -4}));

  doc.AddDrillHit(DrillHit{1, 5, 0});
  doc.ComputeExtents();
  EXPECT_EQ(doc.GetExtents(), (Extents{5, 1, 6, -4}));
}

TEST(CCorvaneDocTest, ExtentsWithoutDrawsKeepTheUnsetMinima) {
  CCorvaneDoc doc;
  EXPECT_EQ(doc.GetExtents(), (Extents{0, 0, 0, 0}));  // nothing computed yet
  doc.AddItem(Draw(-5, -5, 3));
  doc.ComputeExtents();
  EXPECT_EQ(doc.GetExtents(), (Extents{0, kExtentsUnset, 0, kExtentsUnset}));
  doc.AddItem(Draw(7, 8));  // the maxima start at 0: they never fall below it
  doc.AddItem(Draw(9, 9, 1));
  doc.ComputeExtents();
  EXPECT_EQ(doc.GetExtents(), (Extents{9, 7, 9, 8}));
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
  EXPECT_EQ(doc.GetExtents(), (Extents{4, 4, 4, 4}));
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
