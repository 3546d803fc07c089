#include "app/compare_mode.h"

#include <cstdio>

#include "analysis/layer_pairing.h"
#include "cli/working_set.h"
#include "document/corvane_doc.h"
#include "geometry/layer_geometry_builder.h"
#include "loading/document_loader.h"
#include "loading/standard_model_cache.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

const std::vector<std::string> kColumns = {"Layer", "Kind", "Area", "Position"};

std::string Format(const char* pattern, double a, double b = 0.0) {
  char text[96];
  std::snprintf(text, sizeof text, pattern, a, b);
  return text;
}

double Inches(int64_t nm) { return NanometresToInches(static_cast<double>(nm)); }

}  // namespace

PlaceRow DifferenceRow(const StandardLayer& layer, const DifferencePlace& place) {
  PlaceRow row;
  const std::string name = PairingName(layer.fileName);
  row.texts.push_back(
      layer.function.Identified() ? FunctionInWords(layer.function) + " (" + name + ")" : name);
  row.texts.emplace_back(DifferenceKindName(place.kind));
  row.texts.push_back(Format("%.4f mm²", place.area / 1e12));
  const double cx = (static_cast<double>(place.box.minX) + static_cast<double>(place.box.maxX)) / 2;
  const double cy = (static_cast<double>(place.box.minY) + static_cast<double>(place.box.maxY)) / 2;
  row.texts.push_back(Format("X %.4f  Y %.4f mm", cx / 1e6, cy / 1e6));
  row.box = Extents{Inches(place.box.maxX), Inches(place.box.minX), Inches(place.box.maxY),
                    Inches(place.box.minY)};
  row.atX = NanometresToInches(cx);
  row.atY = NanometresToInches(cy);
  row.color = place.kind == DifferenceKind::kAdded ? kCompareAdded : kCompareRemoved;
  return row;
}

CompareMode::CompareMode(Services services)
    : services_(std::move(services)), differences_(kColumns) {
  differences_.OnChosen([this](std::size_t row) { ChooseRow(row); });
}

bool CompareMode::OnCompareWith() {
  FileChooserRequest request;
  request.title = std::string(kCompareWithTitle);
  request.filter =
      "Fabrication Sets "
      "(*.zip;*.tar;*.tgz;*.7z;*.gbrjob;*.wrk)|*.zip;*.tar;*.tgz;*.7z;*.gbrjob;*.wrk|"
      "All Files (*.*)|*.*||";
  const auto path = services_.prompter.ChooseFile(request);
  return path && Start(*path);
}

bool CompareMode::OnCompareWithFolder() {
  FileChooserRequest request;
  request.mode = FileChooserRequest::Mode::kFolder;
  request.title = std::string(kCompareWithTitle);
  const auto path = services_.prompter.ChooseFile(request);
  return path && Start(*path);
}

std::optional<StandardLoad> CompareMode::LoadNewSet(const std::string& path,
                                                    std::string& error) const {
  CCorvaneDoc doc;
  std::optional<ReadOnlySettingsStore> settings;
  if (services_.store != nullptr) settings.emplace(*services_.store);
  DocumentLoader loader(doc, settings ? &*settings : nullptr, &services_.prompter);
  loader.LoadStoredDefaults();
  WorkingSetArguments arguments;
  arguments.files = {path};
  const WorkingSetLoad load = LoadWorkingSet(loader, arguments);
  if (!load.Succeeded()) {
    error = load.error;
    return std::nullopt;
  }
  if (load.namedFileUnopened) {
    error = "it cannot be opened";
    return std::nullopt;
  }
  StandardLoad model = LoadStandardModel(doc, loader.SettingsBeforeGerberFiles());
  if (!model.unopened.empty()) {
    error = model.unopened.front() + " cannot be read";
    return std::nullopt;
  }
  if (model.model.layers.empty()) {
    error = "it holds no plot or drill files";
    return std::nullopt;
  }
  return model;
}

bool CompareMode::Start(const std::string& path) {
  using Buttons = Prompter::Buttons;
  std::shared_ptr<const StandardLoad> before = services_.models.Shared();
  if (before == nullptr || before->model.layers.empty()) {
    services_.prompter.ShowMessage(kNothingToCompare, Buttons::kOk);
    return false;
  }
  std::string error;
  std::optional<StandardLoad> after;
  std::vector<LayerGeometry> afterGeometry;
  {
    WaitCursor wait(&services_.prompter);
    after = LoadNewSet(path, error);
    if (after) {
      for (const StandardLayer& layer : after->model.layers) {
        afterGeometry.push_back(BuildLayerGeometry(layer));
      }
      ModelGeometry given;
      for (const LayerGeometry& geometry : afterGeometry) given.push_back(&geometry);
      comparison_ = CompareBoards(before->model, {}, after->model, given);
    }
  }
  if (!after) {
    services_.prompter.ShowMessage("Cannot compare with " + path + ": " + error + ".",
                                   Buttons::kOk);
    return false;
  }
  before_ = std::move(before);
  Show(after->model, afterGeometry);
  return true;
}

void CompareMode::Show(const StandardModel& after,
                       const std::vector<LayerGeometry>& afterGeometry) {
  std::vector<PlaceRow> rows;
  std::vector<DifferencePlace> places;
  std::vector<GeoPaths> muted;
  for (const LayerComparison& layer : comparison_.layers) {
    muted.push_back(afterGeometry[layer.after].AllPaths());
    for (const DifferencePlace& place : layer.places) {
      const StandardModel& side = place.kind == DifferenceKind::kAdded ? after : before_->model;
      rows.push_back(DifferenceRow(
          side.layers[place.kind == DifferenceKind::kAdded ? layer.after : layer.before], place));
      places.push_back(place);
    }
  }
  const std::string summary = ComparisonSummary(comparison_);
  std::string listed = summary;
  if (comparison_.unlistedPlaces > 0) {
    listed += "; " + std::to_string(comparison_.unlistedPlaces) + " not listed";
  }
  differences_.SetRows(std::move(rows), listed);
  overlay_.SetPicture(std::move(muted), std::move(places));
  overlay_.SetMarkers(differences_.Markers());
  if (!active_) {
    interpretationBefore_ = services_.view.GetInterpretation();
    services_.view.SetInterpretation(Interpretation::kStandard);
    services_.view.AddOverlay(&overlay_);
  }
  SetActive(true);
  services_.view.RedrawView();
  if (services_.status) services_.status(summary);
}

void CompareMode::ChooseRow(std::size_t row) {
  overlay_.SetMarkers(differences_.Markers());
  if (!services_.view.ZoomToPlotBox(differences_.Rows()[row].box, kMinimumZoomSide)) {
    services_.view.RedrawView();
  }
}

void CompareMode::Leave() {
  if (!active_) return;
  services_.view.RemoveOverlay(&overlay_);
  services_.view.SetInterpretation(interpretationBefore_);
  overlay_.Clear();
  differences_.Clear();
  comparison_ = {};
  before_.reset();
  SetActive(false);
  services_.view.RedrawView();
  if (services_.status) services_.status("");
}

void CompareMode::SetActive(bool active) {
  const bool changed = active != active_;
  active_ = active;
  if (changed && activeChanged_) activeChanged_(active);
}

}  // namespace corvane
