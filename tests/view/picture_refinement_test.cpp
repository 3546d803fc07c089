// The window's pictures: at once while cheap, else a preview moved from the
// last exact picture at once and the exact one drawn elsewhere; the
// document's changes stop that drawing first.
#include "view/picture_refinement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/view_host.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

using std::chrono::milliseconds;

PlotMapping Mapping(double k, double cx, double ky, double cy) { return {k, cx, ky, cy}; }

TEST(PreviewTransformTest, PutsEveryPlotPointWhereTheNewPictureHasIt) {
  struct Row {
    const char* name;
    PlotMapping kept;
    PlotMapping wanted;
    bool valid;
  };
  const std::vector<Row> rows = {
      {"same picture", Mapping(2560, 512, 2560, -256), Mapping(2560, 512, 2560, -256), true},
      {"scrolled", Mapping(2560, 512, 2560, -256), Mapping(2560, 512 - 40 * 256, 2560, 0), true},
      {"zoomed in", Mapping(2560, 512, 2560, 0), Mapping(3200, -9000, 3200, 700), true},
      {"zoomed out", Mapping(2560, 512, 2560, 0), Mapping(2048, 100, 2048, 100), true},
      {"mirrored", Mapping(2560, 0, 2560, 0), Mapping(-2560, 256000, 2560, 0), true},
      {"no scale kept", Mapping(0, 0, 2560, 0), Mapping(2560, 0, 2560, 0), false},
      {"no scale wanted", Mapping(2560, 0, 2560, 0), Mapping(2560, 0, 0, 0), false},
      {"not a number", Mapping(NAN, 0, 2560, 0), Mapping(2560, 0, 2560, 0), false},
      {"infinite offset", Mapping(2560, 0, 2560, 0), Mapping(2560, INFINITY, 2560, 0), false},
  };
  int checked = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto t = PreviewTransform(row.kept, row.wanted);
    ASSERT_EQ(t.has_value(), row.valid);
    if (!t) continue;
    for (const double plot : {-3.0, 0.0, 0.25, 1.5, 7.0}) {
      const double oldX = (row.kept.kx * plot + row.kept.cx) / kSubUnits;
      const double oldY = (row.kept.ky * plot + row.kept.cy) / kSubUnits;
      EXPECT_NEAR(t->scaleX * oldX + t->offsetX, (row.wanted.kx * plot + row.wanted.cx) / kSubUnits,
                  1e-9);
      EXPECT_NEAR(t->scaleY * oldY + t->offsetY, (row.wanted.ky * plot + row.wanted.cy) / kSubUnits,
                  1e-9);
      ++checked;
    }
  }
  EXPECT_EQ(checked, 25);
}

// A 4 x 3 source whose pixel is 10 * row + column + 1.
std::vector<uint32_t> Source() {
  std::vector<uint32_t> s;
  for (uint32_t y = 0; y < 3; ++y) {
    for (uint32_t x = 0; x < 4; ++x) s.push_back(10 * y + x + 1);
  }
  return s;
}

TEST(TransformPixelsTest, TakesTheSourcePixelUnderEachCentre) {
  constexpr uint32_t kFill = 0xEE;
  struct Row {
    const char* name;
    PictureTransform t;
    int32_t width;
    int32_t height;
    std::vector<uint32_t> expected;
  };
  const std::vector<Row> rows = {
      {"same", {1, 0, 1, 0}, 4, 3, Source()},
      {"moved right and up",
       {1, 1, 1, -1},
       4,
       3,
       {kFill, 11, 12, 13, kFill, 21, 22, 23, kFill, kFill, kFill, kFill}},
      {"twice the size, top left", {2, 0, 2, 0}, 4, 2, {1, 1, 2, 2, 1, 1, 2, 2}},
      {"half the size", {0.5, 0, 0.5, 0}, 3, 2, {12, 14, kFill, kFill, kFill, kFill}},
      {"mirrored left to right", {-1, 4, 1, 0}, 4, 1, {4, 3, 2, 1}},
      {"moved beyond it", {1, 40, 1, 0}, 2, 1, {kFill, kFill}},
      {"no scale", {0, 0, 1, 0}, 2, 1, {kFill, kFill}},
  };
  int checked = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::vector<uint32_t> source = Source();
    std::vector<uint32_t> target(static_cast<std::size_t>(row.width * row.height), 0);
    TransformPixels(source.data(), 4, 4, 3, target.data(), row.width, row.width, row.height, row.t,
                    kFill);
    EXPECT_EQ(target, row.expected);
    ++checked;
  }
  EXPECT_EQ(checked, static_cast<int>(rows.size()));
}

TEST(PictureBandsTest, CoverEveryRowOnceInOrder) {
  struct Row {
    ClientSize client;
    int32_t bands;
    std::vector<DeviceRect> expected;
  };
  const std::vector<Row> rows = {
      {{10, 9}, 1, {{0, 0, 10, 9}}},
      {{10, 9}, 2, {{0, 0, 10, 4}, {0, 4, 10, 9}}},
      {{10, 9}, 3, {{0, 0, 10, 3}, {0, 3, 10, 6}, {0, 6, 10, 9}}},
      {{10, 2}, 5, {{0, 0, 10, 1}, {0, 1, 10, 2}}},  // no empty band
      {{10, 9}, 0, {{0, 0, 10, 9}}},                 // at least one
      {{10, 9}, -4, {{0, 0, 10, 9}}},
      {{0, 9}, 2, {}},
      {{10, -1}, 2, {}},
  };
  for (const Row& row : rows) EXPECT_EQ(PictureBands(row.client, row.bands), row.expected);
}

TEST(PictureRefinementTest, RefinesOnlyAfterACostlyWholePaintAndCancelsOlderPictures) {
  PictureRefinement r;
  EXPECT_FALSE(r.Refines());  // nothing measured yet: at once
  r.FullPaintTook(milliseconds(7));
  EXPECT_FALSE(r.Refines());
  r.FullPaintTook(milliseconds(8));
  EXPECT_TRUE(r.Refines());
  const uint64_t first = r.Ask();
  const PaintCancel cancel = r.CancelFor(first);
  EXPECT_FALSE(cancel.Cancelled());
  const uint64_t second = r.Ask();
  EXPECT_TRUE(cancel.Cancelled());
  EXPECT_FALSE(r.IsCurrent(first));
  EXPECT_TRUE(r.IsCurrent(second));
  r.CancelAll();
  EXPECT_FALSE(r.IsCurrent(second));
  EXPECT_FALSE(PaintCancel().Cancelled());
}

// A document of one layer with a few draws.
void FillDocument(CCorvaneDoc& doc) {
  doc.AddLayer(PlotLayer{"a.gbr", 0x0000FF});
  Aperture round;
  round.dcode = 10;
  round.layer = 0;
  round.shape = kShapeCircle;
  round.sizeX = round.sizeY = 0.01;
  doc.AddAperture(round);
  const auto item = [&](int32_t dcode, double x, double y) {
    PlotItem i;
    i.kind = kKindStatement;
    i.dcode = dcode;
    i.mode = kModeLinear;
    i.x = x;
    i.y = y;
    doc.AddItem(i);
  };
  item(10, 0, 0);
  item(2, 0.1, 0.1);
  item(1, 1.9, 1.2);
  item(3, 1.0, 0.5);
  doc.ComputeExtents();
}

struct Fixture {
  Fixture() {
    host.drawsElsewhere = true;
    FillDocument(doc);
    view.OnInitialUpdate();
  }
  CCorvaneDoc doc;
  FakeViewHost host;
  CCorvaneView view{doc, host};
};

TEST(PictureRefinementTest, ViewPlansAPreviewAndAJobOnceAWholePaintWasCostly) {
  Fixture f;
  const ClientSize client = f.host.GetClientSize();
  // Cheap or not yet measured: painted at once, as always.
  EXPECT_FALSE(f.view.PlanWindowPaint(client).refine);
  EXPECT_EQ(f.view.MakePictureJob(2), nullptr);
  // Costly, but nothing draws elsewhere (an export): at once still.
  f.view.Refinement().FullPaintTook(milliseconds(300));
  f.host.drawsElsewhere = false;
  f.view.RedrawView();
  EXPECT_FALSE(f.view.PlanWindowPaint(client).refine);
  f.host.drawsElsewhere = true;
  f.view.OnZoomIn();
  const WindowPaintPlan plan = f.view.PlanWindowPaint(client);
  ASSERT_TRUE(plan.refine);
  // The exact picture was at the old scale: the preview is it, one notch larger.
  ASSERT_TRUE(plan.preview.has_value());
  EXPECT_NEAR(plan.preview->scaleX, kZoomInFactor, 1e-12);
  EXPECT_NEAR(plan.preview->scaleY, kZoomInFactor, 1e-12);
  std::unique_ptr<PictureJob> job = f.view.MakePictureJob(2);
  ASSERT_NE(job, nullptr);
  EXPECT_EQ(job->BandCount(), 2u);
  EXPECT_EQ(job->Client(), client);
  EXPECT_EQ(f.view.MakePictureJob(2), nullptr);  // one job per plan
  EXPECT_TRUE(f.view.AcceptPicture(*job, milliseconds(150)));
  // Shown as it is now; nothing is drawn again for it.
  const WindowPaintPlan shown = f.view.PlanWindowPaint(client);
  EXPECT_FALSE(shown.refine);
  EXPECT_FALSE(shown.full);
  EXPECT_TRUE(shown.areas.empty());
  EXPECT_EQ(shown.shift, DevicePoint{});
}

TEST(PictureRefinementTest, AStalePictureIsThrownAway) {
  Fixture f;
  const ClientSize client = f.host.GetClientSize();
  f.view.Refinement().FullPaintTook(milliseconds(300));
  f.view.OnZoomIn();
  ASSERT_TRUE(f.view.PlanWindowPaint(client).refine);
  std::unique_ptr<PictureJob> older = f.view.MakePictureJob(1);
  ASSERT_NE(older, nullptr);
  f.view.OnZoomIn();  // a second notch before the first picture is done
  ASSERT_TRUE(f.view.PlanWindowPaint(client).refine);
  EXPECT_TRUE(older->Cancelled());
  std::unique_ptr<PictureJob> newer = f.view.MakePictureJob(1);
  ASSERT_NE(newer, nullptr);
  EXPECT_FALSE(f.view.AcceptPicture(*older, milliseconds(100)));
  EXPECT_TRUE(f.view.AcceptPicture(*newer, milliseconds(100)));
  // Marking the picture stale cancels too.
  f.view.OnZoomOut();
  ASSERT_TRUE(f.view.PlanWindowPaint(client).refine);
  std::unique_ptr<PictureJob> third = f.view.MakePictureJob(1);
  f.view.InvalidateAll();
  EXPECT_FALSE(f.view.AcceptPicture(*third, milliseconds(100)));
}

// Every change of the document while a picture is drawn elsewhere cancels it
// and waits for the drawing to stop, before the change; none waits when no
// picture is out.
TEST(PictureRefinementTest, DocumentChangesStopTheDrawingFirst) {
  struct Row {
    const char* name;
    void (*change)(CCorvaneDoc&);
  };
  const std::vector<Row> rows = {
      {"layer visibility", [](CCorvaneDoc& d) { d.SetLayerVisible(0, 0); }},
      {"layer colour or offsets",
       [](CCorvaneDoc& d) {
         d.SetLayer(0, PlotLayer{"a.gbr", 0});
       }},
      {"reload", [](CCorvaneDoc& d) { d.ClearAll(); }},
      {"items in place", [](CCorvaneDoc& d) { d.MutableItems()[0].x += 1; }},
      {"an item more", [](CCorvaneDoc& d) { d.AddItem(PlotItem{}); }},
      {"apertures", [](CCorvaneDoc& d) { d.ClearApertures(); }},
      {"drill hits", [](CCorvaneDoc& d) { d.AddDrillHit(DrillHit{}); }},
      {"drill tools", [](CCorvaneDoc& d) { d.AddDrillTool(DrillTool{}); }},
      {"drill files", [](CCorvaneDoc& d) { d.MutableDrillFiles().clear(); }},
      {"drill colour", [](CCorvaneDoc& d) { d.SetNcDrillColor(0x123456); }},
      {"mirror", [](CCorvaneDoc& d) { d.SetMirrorX(1); }},
      {"mirror left to right", [](CCorvaneDoc& d) { d.SetMirrorY(1); }},
      {"origin", [](CCorvaneDoc& d) { d.SetAutoOrigin(0); }},
      {"holes shown", [](CCorvaneDoc& d) { d.SetShowDrillHoles(0); }},
      {"extents", [](CCorvaneDoc& d) { d.ComputeExtents(); }},
      {"layers removed", [](CCorvaneDoc& d) { d.RemoveAllLayers(); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Fixture f;
    const ClientSize client = f.host.GetClientSize();
    f.view.Refinement().FullPaintTook(milliseconds(300));
    f.view.OnZoomIn();
    ASSERT_TRUE(f.view.PlanWindowPaint(client).refine);
    std::unique_ptr<PictureJob> job = f.view.MakePictureJob(2);
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(f.host.drawingWaits, 0);
    row.change(f.doc);
    EXPECT_EQ(f.host.drawingWaits, 1);
    EXPECT_TRUE(job->Cancelled());
    // Nothing is out any more: further changes go ahead without waiting.
    row.change(f.doc);
    EXPECT_EQ(f.host.drawingWaits, 1);
    EXPECT_FALSE(f.view.AcceptPicture(*job, milliseconds(100)));
  }
}

TEST(PictureRefinementTest, OnlyTheFirstViewOfADocumentGuardsIt) {
  CCorvaneDoc doc;
  FakeViewHost host;
  {
    CCorvaneView first(doc, host);
    const DocumentChangeGuard* guard = doc.ChangeGuard();
    ASSERT_NE(guard, nullptr);
    {
      CCorvaneView second(doc, host);
      EXPECT_EQ(doc.ChangeGuard(), guard);
    }
    EXPECT_EQ(doc.ChangeGuard(), guard);
  }
  EXPECT_EQ(doc.ChangeGuard(), nullptr);
}

}  // namespace
}  // namespace corvane
