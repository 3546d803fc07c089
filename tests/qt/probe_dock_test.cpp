#include "qt/probe_dock.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "app/object_probe.h"
#include "document/corvane_doc.h"
#include "loading/document_loader.h"
#include "loading/standard_model_cache.h"
#include "platform/ui_thread_poster.h"
#include "test_application.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

class InspectorDockTest : public ::testing::Test {
 protected:
  InspectorDockTest() : loader(doc), models(loader), cache(models, poster), view(doc, host) {
    TestApplication();
    PlotLayer layer;
    layer.fileName = std::string(CORVANE_TEST_DATA_DIR) + "/probe/top.gbr";
    EXPECT_TRUE(loader.LoadGerberLayer(layer));
    view.AttachStandardModels(&models);
    view.SetInterpretation(Interpretation::kStandard);
    inspector = std::make_unique<Inspector>(view, cache);
    dock = std::make_unique<CInspectorDock>(
        *inspector, [this](std::string_view text) { status.emplace_back(text); });
  }

  CCorvaneDoc doc;
  DocumentLoader loader;
  StandardModelCache models;
  QueuedPoster poster;
  LayerGeometryCache cache;
  FakeViewHost host;
  CCorvaneView view;
  std::unique_ptr<Inspector> inspector;
  std::unique_ptr<CInspectorDock> dock;
  std::vector<std::string> status;
};

TEST_F(InspectorDockTest, NamedForAccessibilityAndShowingTheCoresText) {
  EXPECT_EQ(dock->accessibleName(), QStringLiteral("Inspector"));
  EXPECT_EQ(dock->FindField().accessibleName(), QStringLiteral("Find net or component"));
  EXPECT_TRUE(dock->TextView().isReadOnly());
  EXPECT_TRUE(dock->TextView().textInteractionFlags() & Qt::TextSelectableByMouse);
  EXPECT_EQ(dock->TextView().toPlainText().toStdString(), inspector->Text());
  // A change of unit reaches the panel through the inspector's sink.
  inspector->SetUnit(LengthUnit::kMil);
  EXPECT_EQ(dock->TextView().toPlainText().toStdString(), inspector->Text());
}

TEST_F(InspectorDockTest, FindTakesANameAndSaysWhatItFound) {
  dock->FindField().setText(QStringLiteral("  gnd "));
  emit dock->FindField().returnPressed();
  ASSERT_FALSE(status.empty());
  EXPECT_EQ(status.back(), "Net gnd: 2 objects on 1 layer.");
  EXPECT_FALSE(inspector->Overlay().Empty());
  view.SetInterpretation(Interpretation::kClassic);
  dock->StartFind();
  EXPECT_EQ(status.back(), kInspectorNeedsStandard);
}

}  // namespace
}  // namespace corvane
