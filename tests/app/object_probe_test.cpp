#include "app/object_probe.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/app_shell.h"
#include "app/command_ids.h"
#include "document/corvane_doc.h"
#include "fake_work_file_io.h"
#include "loading/document_loader.h"
#include "loading/standard_model_cache.h"
#include "platform/frame_host.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "platform/ui_thread_poster.h"
#include "view/corvane_view.h"
#include "view/plot_mapping.h"

namespace corvane {
namespace {

constexpr double kMmPerInch = 25.4;

std::string BoardPath(const std::string& name) {
  return std::string(CORVANE_TEST_DATA_DIR) + "/probe/" + name;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The small board's two copper layers in the standard reading, their
// geometry built, and the view fitted to them.
class InspectorTest : public ::testing::Test {
 protected:
  InspectorTest() : loader(doc), models(loader), cache(models, poster), view(doc, host) {
    for (const char* name : {"top.gbr", "bottom.gbr"}) {
      PlotLayer layer;
      layer.fileName = BoardPath(name);
      EXPECT_TRUE(loader.LoadGerberLayer(layer));
    }
    view.AttachStandardModels(&models);
    view.SetInterpretation(Interpretation::kStandard);
    view.OnInitialUpdate();
    inspector = std::make_unique<Inspector>(view, cache);
    inspector->SetClock([this] { return now; });
    inspector->SetTextSink([this] { ++textChanges; });
    cache.RequestAll();
    cache.WaitForWorker();
    poster.RunPending();
    Paint();
  }

  // A paint places the picture: pixels and plot points agree after it.
  void Paint() {
    surface.Clear();
    view.OnDraw(surface);
  }
  DevicePoint PixelAt(double xMm, double yMm) const {
    const SubPoint p = PlotMapping::Of(view.GetViewport()).Map(xMm / kMmPerInch, yMm / kMmPerInch);
    return {p.x / kSubUnits, p.y / kSubUnits};
  }

  CCorvaneDoc doc;
  DocumentLoader loader;
  StandardModelCache models;
  QueuedPoster poster;
  LayerGeometryCache cache;
  FakeViewHost host;
  CCorvaneView view;
  RecordingSurface surface;
  std::unique_ptr<Inspector> inspector;
  uint64_t now = 1000;
  int textChanges = 0;
};

TEST_F(InspectorTest, HoverShowsNetComponentAndPinAtMostEvery30Ms) {
  view.OnPointerMove({PointerButton::kNone, PixelAt(13, 10)});
  const std::string& text = inspector->Text();
  EXPECT_TRUE(Has(text, "Net: VCC")) << text;
  EXPECT_TRUE(Has(text, "Component: R1")) << text;
  EXPECT_TRUE(Has(text, "Pin: R1,2,Anode")) << text;
  EXPECT_TRUE(Has(text, "Aperture function: SMDPad,CuDef")) << text;
  EXPECT_TRUE(Has(text, "Aperture D10, rectangle 1.500 x 1.000 mm")) << text;
  EXPECT_EQ(textChanges, 1);
  // Too soon: the next movement waits; then it is taken.
  now += kHoverIntervalMs - 1;
  view.OnPointerMove({PointerButton::kNone, PixelAt(10, 10)});
  EXPECT_TRUE(Has(inspector->Text(), "Pin: R1,2,Anode"));
  now += 1;
  view.OnPointerMove({PointerButton::kNone, PixelAt(10, 10)});
  EXPECT_TRUE(Has(inspector->Text(), "Net: GND")) << inspector->Text();
  EXPECT_EQ(textChanges, 2);
  // A movement that waited is not lost: the window's next refresh takes it.
  now += 1;
  view.OnPointerMove({PointerButton::kNone, PixelAt(13, 10)});
  EXPECT_TRUE(Has(inspector->Text(), "Net: GND"));
  EXPECT_TRUE(inspector->Refresh());
  EXPECT_TRUE(Has(inspector->Text(), "Net: VCC")) << inspector->Text();
  EXPECT_FALSE(inspector->Refresh());
  // Nowhere: nothing listed.
  now += kHoverIntervalMs;
  view.OnPointerMove({PointerButton::kNone, PixelAt(35, 5)});
  EXPECT_TRUE(Has(inspector->Text(), "Nothing")) << inspector->Text();
}

// The pointer rests while the geometry is built: the panel fills when it
// comes, with no further movement.
TEST_F(InspectorTest, TheHoverIsAnsweredWhenTheGeometryArrives) {
  models.Release();  // read again: nothing is built for the new model
  view.OnPointerMove({PointerButton::kNone, PixelAt(13, 10)});
  EXPECT_FALSE(Has(inspector->Text(), "Net: VCC")) << inspector->Text();
  const int before = textChanges;
  cache.WaitForWorker();
  poster.RunPending();
  EXPECT_TRUE(Has(inspector->Text(), "Net: VCC")) << inspector->Text();
  EXPECT_GT(textChanges, before);
  // Once gone, the inspector hears of no later build.
  inspector.reset();
  models.Release();
  cache.RequestAll();
  cache.WaitForWorker();
  poster.RunPending();
}

TEST_F(InspectorTest, AClickLightsTheNetOnEveryLayerAndEscapeEndsIt) {
  view.OnZoomTool();  // the zoom tool off: a click chooses
  ASSERT_FALSE(view.Tools().IsZoomToolOn());
  view.OnPointerPress({PointerButton::kLeft, PixelAt(16, 10)});  // the VCC track
  EXPECT_TRUE(Has(inspector->Text(), "Chosen")) << inspector->Text();
  // The net's copper: one island on top (pad, track, via pad), one below
  // (via pad and two tracks).
  EXPECT_EQ(inspector->Overlay().ContourCount(), 2u);
  EXPECT_NEAR(inspector->Overlay().MaxY() * kMmPerInch, 20.125, 1e-3);
  Paint();
  const auto layers = surface.Calls(SurfaceOp::kBeginLayer);
  ASSERT_FALSE(layers.empty());
  EXPECT_EQ(layers.back().color, kHighlightColor) << "the highlight is drawn last, over the layers";
  EXPECT_TRUE(view.OnKeyDown(ViewKey::kEscape, false));
  EXPECT_TRUE(inspector->Overlay().Empty());
  EXPECT_FALSE(Has(inspector->Text(), "Chosen"));
  EXPECT_FALSE(inspector->EndChoice()) << "nothing left to end";
  // The pour lights GND: R1's pad 1, and the pour's island with its hole;
  // a click on nothing clears.
  view.OnPointerPress({PointerButton::kLeft, PixelAt(35, 1)});
  EXPECT_EQ(inspector->Overlay().ContourCount(), 3u);
  view.OnPointerPress({PointerButton::kLeft, PixelAt(35, 5)});
  EXPECT_TRUE(inspector->Overlay().Empty());
}

TEST_F(InspectorTest, FindByNameWithoutCaseAndSayWhatMatchesNothing) {
  struct Case {
    std::string name;
    bool found;
    NameKind kind;
    std::size_t objects, layers;
  };
  const Case cases[] = {
      {"vcc", true, NameKind::kNet, 6, 2},         {"GND", true, NameKind::kNet, 2, 1},
      {"u1", true, NameKind::kComponent, 1, 1},    {"R1", true, NameKind::kComponent, 2, 1},
      {"nope", false, NameKind::kComponent, 0, 0},
  };
  for (const Case& c : cases) {
    const FindOutcome outcome = inspector->Find(c.name);
    EXPECT_EQ(outcome.found, c.found) << c.name;
    EXPECT_EQ(outcome.kind, c.kind) << c.name;
    EXPECT_EQ(outcome.objects, c.objects) << c.name;
    EXPECT_EQ(outcome.layers, c.layers) << c.name;
  }
  EXPECT_EQ(inspector->Find("nope").status, "No net or component is named nope.");
  EXPECT_EQ(inspector->Find("gnd").status, "Net gnd: 2 objects on 1 layer.");
  // Zoomed to GND, R1's pad 1 to the pour's far corner, filling the window's width.
  Paint();
  const DevicePoint low = PixelAt(9.25, 0);
  const DevicePoint high = PixelAt(40, 10.5);
  EXPECT_GE(low.x, 0);
  EXPECT_LE(high.x, host.clientSize.width);
  EXPECT_GT(high.x - low.x, host.clientSize.width / 2);
  EXPECT_EQ(inspector->Completions(),
            (std::vector<std::string>{"GND", "Net-(U1-Pad3)", "VCC", "R1", "U1"}));
}

TEST_F(InspectorTest, MeasuringSnapsToCentresAndGivesTheClearance) {
  struct Case {
    double xMm, yMm;
    bool onObject;
    double snappedX, snappedY;
  };
  const Case cases[] = {
      {10.1, 10.1, true, 10, 10},  // near R1's pad 1
      {19.8, 10.0, true, 20, 10},  // near the via
      {25.0, 5.0, false, 25, 5},   // nothing within 8 pixels
  };
  for (const Case& c : cases) {
    const MeasureSnap snap = inspector->SnapAt(PixelAt(c.xMm, c.yMm));
    EXPECT_EQ(snap.onObject, c.onObject) << c.xMm;
    const double pixelMm = kMmPerInch / view.GetViewport().GetScale();
    EXPECT_NEAR(snap.at.x * kMmPerInch, c.snappedX, c.onObject ? 1e-6 : pixelMm) << c.xMm;
    EXPECT_NEAR(snap.at.y * kMmPerInch, c.snappedY, c.onObject ? 1e-6 : pixelMm) << c.xMm;
  }
  view.OnMeasure();
  view.OnPointerPress({PointerButton::kLeft, PixelAt(10.1, 9.9)});
  EXPECT_TRUE(inspector->Overlay().Empty()) << "a snap marker is no highlight";
  view.OnPointerPress({PointerButton::kLeft, PixelAt(12.9, 10.1)});
  ASSERT_FALSE(host.statusTexts.empty());
  EXPECT_EQ(host.statusTexts.back(),
            "Centre to centre 3.000 mm (X 3.000, Y 0.000), clearance 1.500 mm");
  // With Shift held the points stay where they were given, in the files' unit.
  host.shiftDown = true;
  view.OnMeasure();
  view.OnPointerPress({PointerButton::kLeft, PixelAt(10, 10)});
  view.OnPointerPress({PointerButton::kLeft, PixelAt(13, 10)});
  EXPECT_TRUE(Has(host.statusTexts.back(), "Centre to centre "));
  EXPECT_FALSE(Has(host.statusTexts.back(), "clearance"));
  inspector->SetUnit(LengthUnit::kMil);
  EXPECT_EQ(inspector->MeasurementText({{0, 0}}, {{0.1, 0}}),
            "Centre to centre 100.00 mil (X 100.00, Y 0.00)");
}

TEST_F(InspectorTest, TheClassicReadingSaysWhyNothingIsInspected) {
  view.OnPointerMove({PointerButton::kNone, PixelAt(13, 10)});
  view.SetInterpretation(Interpretation::kClassic);
  EXPECT_TRUE(inspector->Refresh());
  EXPECT_EQ(inspector->Text(), kInspectorNeedsStandard);
  EXPECT_FALSE(inspector->Refresh()) << "nothing new";
  EXPECT_FALSE(inspector->Available());
  const FindOutcome outcome = inspector->Find("VCC");
  EXPECT_FALSE(outcome.found);
  EXPECT_EQ(outcome.status, kInspectorNeedsStandard);
  EXPECT_TRUE(inspector->ReportsAt(13 / kMmPerInch, 10 / kMmPerInch).empty());
  view.OnZoomTool();
  view.OnPointerPress({PointerButton::kLeft, PixelAt(13, 10)});
  ASSERT_FALSE(host.statusTexts.empty());
  EXPECT_EQ(host.statusTexts.back(), kInspectorNeedsStandard);
  EXPECT_TRUE(inspector->Completions().empty());
}

class InspectorFrame : public FrameHost {
 public:
  bool IsToolBarVisible() const override { return true; }
  void ShowToolBar(bool) override {}
  bool IsStatusBarVisible() const override { return true; }
  void ShowStatusBar(bool) override {}
  bool IsInspectorVisible() const override { return inspectorVisible; }
  void ShowInspector(bool visible) override { inspectorVisible = visible; }
  void StartFind() override { ++findsStarted; }
  void Close() override {}
  void ShowAbout() override {}
  void ShowHelpPage(const std::string&) override {}
  void SetStatusText(std::string_view text) override { status = text; }
  void SetCaption(const std::string&) override {}
  bool inspectorVisible = true;
  int findsStarted = 0;
  std::string status;
};

TEST(InspectorCommandsTest, PanelFindAndUnitsThroughTheShell) {
  MemorySettingsStore store;
  RecordingPrompter prompter;
  FakeWorkFileIo io;
  QueuedPoster poster;
  AppShell shell(store, prompter, io);
  shell.AttachPoster(poster);
  InspectorFrame frame;
  shell.AttachFrame(&frame);
  FakeViewHost host;
  CCorvaneView view(shell.Doc(), host);
  shell.AttachView(view);
  EXPECT_FALSE(shell.Update(kIdFindNetOrComponent).enabled) << "no Inspector attached";
  Inspector inspector(view, *shell.Geometry());
  shell.AttachInspector(&inspector);

  struct Case {
    int32_t command;
    std::string stored;
    std::optional<LengthUnit> unit;
  };
  const Case units[] = {{kIdUnitsMil, "mil", LengthUnit::kMil},
                        {kIdUnitsInch, "inch", LengthUnit::kInch},
                        {kIdUnitsMillimetre, "mm", LengthUnit::kMillimetre},
                        {kIdUnitsOfFiles, "", std::nullopt}};
  for (const Case& c : units) {
    ASSERT_TRUE(shell.Execute(c.command));
    EXPECT_EQ(store.ReadText("Inspector", "Units", "?"), c.stored);
    EXPECT_EQ(StoredLengthUnit(store), c.unit);
    for (const Case& other : units)
      EXPECT_EQ(shell.Update(other.command).checked, other.command == c.command) << c.stored;
  }

  view.SetInterpretation(Interpretation::kClassic);
  ASSERT_TRUE(shell.Update(kIdFindNetOrComponent).enabled);
  shell.Execute(kIdFindNetOrComponent);
  EXPECT_EQ(frame.status, kInspectorNeedsStandard);
  EXPECT_EQ(frame.findsStarted, 0);
  view.SetInterpretation(Interpretation::kStandard);
  shell.Execute(kIdFindNetOrComponent);
  EXPECT_EQ(frame.findsStarted, 1);

  EXPECT_EQ(shell.Update(kIdViewInspector).checked, true);
  shell.Execute(kIdViewInspector);
  EXPECT_FALSE(frame.inspectorVisible);
  EXPECT_EQ(shell.Update(kIdViewInspector).checked, false);
  shell.AttachInspector(nullptr);
  EXPECT_FALSE(shell.Update(kIdViewInspector).enabled);
}

TEST(InspectorTextTest, LengthsInEachUnit) {
  struct Case {
    double mm;
    LengthUnit unit;
    std::string text;
  };
  const Case cases[] = {
      {1.5, LengthUnit::kMillimetre, "1.500"},   {25.4, LengthUnit::kInch, "1.0000"},
      {0.254, LengthUnit::kMil, "10.00"},        {-0.0001, LengthUnit::kMillimetre, "0.000"},
      {-2.0, LengthUnit::kMillimetre, "-2.000"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatLength(c.mm, c.unit), c.text) << c.mm;
  EXPECT_EQ(LengthUnitNamed("inch"), LengthUnit::kInch);
  EXPECT_EQ(LengthUnitNamed("mil"), LengthUnit::kMil);
  EXPECT_EQ(LengthUnitNamed("in"), std::nullopt);
  EXPECT_EQ(LengthUnitNamed(""), std::nullopt);
}

}  // namespace
}  // namespace corvane
