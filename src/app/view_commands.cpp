#include "app/view_commands.h"

#include <string>
#include <string_view>
#include <vector>

#include "app/command_ids.h"
#include "app/command_router.h"
#include "app/file_filter.h"
#include "dialogs/file_request.h"
#include "loading/document_loader.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "standard/standard_model.h"
#include "view/corvane_view.h"

namespace corvane {

ViewCommands::ViewCommands(CCorvaneView& view, DocumentLoader& loader, Prompter& prompter,
                           SettingsStore* store)
    : view_(view), loader_(loader), prompter_(prompter), store_(store) {}

void ViewCommands::Register(CommandTarget& viewTarget) {
  viewTarget.On(kIdNcDrillFile, [this](int32_t) { OnNcDrillFile(); });
  viewTarget.On(
      kIdReloadAll, [this](int32_t) { OnReloadAll(); },
      [this](int32_t, CommandUi& ui) { ui.enabled = !view_.GetDocument().IsEmpty(); });
  viewTarget.On(
      kIdStandardInterpretation, [this](int32_t) { OnStandardInterpretation(); },
      [this](int32_t, CommandUi& ui) {
        ui.enabled = view_.StandardModels() != nullptr;
        ui.checked = view_.GetInterpretation() == Interpretation::kStandard;
      });
}

void ViewCommands::OnStandardInterpretation() {
  const Interpretation next = view_.GetInterpretation() == Interpretation::kStandard
                                  ? Interpretation::kClassic
                                  : Interpretation::kStandard;
  view_.SetInterpretation(next);
  loader_.SetWarnMixedUnits(next == Interpretation::kClassic);
  if (store_ != nullptr) StoreInterpretation(*store_, next);
  CCorvaneDoc& doc = view_.GetDocument();
  // A set that asks for a reading of its own keeps the one the user chose;
  // its work file stores it. Others change nothing of their work file.
  bool wasModified = doc.IsModified();
  if (doc.GetReading() != Reading::kUnset) {
    doc.SetReading(next == Interpretation::kStandard ? Reading::kStandard : Reading::kClassic);
    wasModified = true;
  }
  {
    WaitCursor wait(&prompter_);
    loader_.ReloadAll();
    // The standard model is read under the same wait cursor, not at the paint.
    if (view_.DrawsStandard()) view_.GetPlotExtents();
  }
  doc.SetModified(wasModified);
  ZoomToExtentsAndRedraw();
}

void ViewCommands::OnNcDrillFile() {
  CCorvaneDoc& doc = view_.GetDocument();
  const std::string& ext = doc.Settings().drillFileExt;
  FileChooserRequest request;
  request.mode = FileChooserRequest::Mode::kOpen;
  request.filter = WithTodaysExtensions(MakeFileFilter("NC Drill Files", ext), FileFamily::kDrill);
  request.defaultExt = ext;
  request.initialDir = doc.GetDocumentDirectory();
  request.pathMustExist = true;
  const auto path = prompter_.ChooseFile(request);
  if (!path) return;
  {
    WaitCursor wait(&prompter_);
    loader_.LoadNcDrillFile(*path);
  }
  ZoomToExtentsAndRedraw();
}

void ViewCommands::OnReloadAll() {
  CCorvaneDoc& doc = view_.GetDocument();
  const bool wasModified = doc.IsModified();
  {
    WaitCursor wait(&prompter_);
    loader_.ReloadAll();
  }
  doc.SetModified(wasModified);
  view_.RedrawView();
}

void ViewCommands::ZoomToExtentsAndRedraw() {
  CCorvaneDoc& doc = view_.GetDocument();
  Viewport& viewport = view_.GetViewport();
  const DevicePoint pos = viewport.ZoomToExtents(view_.GetPlotExtents(), doc.GetAutoOrigin() != 0);
  viewport.SetScrollPosition(pos.x, pos.y);
  view_.RedrawView();
}

namespace {

struct NamedFeature {
  uint32_t bits;
  const char* name;
};

constexpr NamedFeature kFeatureNames[] = {
    {kFeatureRegion, "regions"},
    {kFeatureClearPolarity, "clear polarity"},
    {kFeatureStepRepeat, "step and repeat"},
    {kFeatureBlock, "aperture blocks"},
    {kFeatureMacroFlash | kFeaturePolygonFlash | kFeatureObroundFlash,
     "macro, polygon or obround flashes"},
    {kFeatureMetricWithoutG71, "MO MM without G71"},
    {kFeatureApertureTransform | kFeatureImageTransform, "transformations"},
    {kFeatureHeaderFormat, "an Excellon header format"},
    {kFeatureRouting | kFeatureSlot, "routed slots"},
};

std::vector<std::string_view> FeatureNames(uint32_t features) {
  std::vector<std::string_view> names;
  for (const NamedFeature& named : kFeatureNames) {
    if ((features & named.bits) != 0) names.emplace_back(named.name);
  }
  return names;
}

}  // namespace

std::string ClassicReadingHint(uint32_t features) {
  std::string names;
  for (const std::string_view name : FeatureNames(features)) {
    if (!names.empty()) names += ", ";
    names += name;
  }
  if (names.empty()) return {};
  return "The files use what the classic reading does not draw (" + names +
         "); Options > Standard Interpretation draws them.";
}

std::string ShortClassicReadingHint(uint32_t features) {
  const std::vector<std::string_view> names = FeatureNames(features);
  if (names.empty()) return {};
  std::string text = "Not drawn: " + std::string(names.front());
  if (names.size() > 1) text += " +" + std::to_string(names.size() - 1) + " more";
  return text + " (Options > Standard Interpretation)";
}

}  // namespace corvane
