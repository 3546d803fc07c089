#include "app/object_probe.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <set>

#include "analysis/object_attributes.h"
#include "loading/standard_model_cache.h"
#include "view/corvane_view.h"
#include "view/standard_renderer.h"

namespace corvane {
namespace {

// A lit pad is still seen when zoomed to: at least this many inches a side.
constexpr double kMinimumFitSide = 0.05;
constexpr double kMillimetresPerInch = 25.4;

// "1 layer", "3 layers".
std::string Counted(std::size_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

uint64_t SteadyMilliseconds() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace

Inspector::Inspector(CCorvaneView& view, LayerGeometryCache& geometry)
    : view_(view), geometry_(geometry), clock_(SteadyMilliseconds) {
  view_.AddOverlay(&overlay_);
  view_.AttachInspector(this);
  UpdateText();
}

Inspector::~Inspector() {
  view_.AttachInspector(nullptr);
  view_.RemoveOverlay(&overlay_);
}

bool Inspector::Available() const { return view_.DrawsStandard(); }

LengthUnit Inspector::Unit() {
  if (unit_) return *unit_;
  if (!Available()) return LengthUnit::kMillimetre;
  return UnitOfFiles(view_.StandardModels()->Current().model);
}

// A reload drops what was chosen and lit: the objects are others now.
void Inspector::Sync() {
  StandardModelCache* models = view_.StandardModels();
  if (models == nullptr) return;
  models->Current();
  if (models->Generation() == generation_) return;
  generation_ = models->Generation();
  built_.clear();
  awaitingGeometry_ = false;  // what was asked of the older model never comes
  hovered_.clear();
  selected_.clear();
  overlay_.Clear();
}

std::vector<QueryLayer> Inspector::Layers() {
  Sync();
  std::vector<QueryLayer> layers;
  const StandardLoad& load = view_.StandardModels()->Current();
  built_.resize(load.model.layers.size());
  for (std::size_t i = 0; i < load.model.layers.size(); ++i) {
    if (!StandardLayerLook(view_.GetDocument(), load, i).visible) continue;
    if (built_[i] == nullptr) {
      LayerGeometryCache::Ready ready;
      if (!awaitingGeometry_) {
        ready = [alive = std::weak_ptr<const bool>(alive_), this](const LayerGeometryCache::Built&) {
          if (!alive.expired()) OnGeometryBuilt();
        };
      }
      built_[i] = geometry_.Request(i, std::move(ready));
      awaitingGeometry_ = awaitingGeometry_ || built_[i] == nullptr;
    }
    if (built_[i] == nullptr || built_[i]->index == nullptr) continue;
    layers.push_back({i, &built_[i]->Layer(), built_[i]->index.get()});
  }
  return layers;
}

std::vector<ObjectReport> Inspector::ReportsAt(double x, double y) {
  std::vector<ObjectReport> reports;
  if (!Available()) return reports;
  const std::vector<QueryLayer> layers = Layers();
  bool clamped = false;
  const GeoPoint at = ToNanometres(x, y, clamped);
  for (const ObjectRef& ref : ObjectsAtPoint(layers, at)) {
    const auto layer = std::find_if(layers.begin(), layers.end(),
                                    [&ref](const QueryLayer& l) { return l.layer == ref.layer; });
    reports.push_back(ObjectDescriber(*layer->standard, ref.layer).Describe(ref.object));
  }
  return reports;
}

bool Inspector::Hover(DevicePoint pixel, uint64_t nowMs) {
  if (lastHover_ && nowMs < *lastHover_ + kHoverIntervalMs) {
    waitingHover_ = pixel;
    return false;
  }
  lastHover_ = nowMs;
  waitingHover_.reset();
  lastPixel_ = pixel;
  const PlotPoint p = view_.GetViewport().PlotPointAt(pixel);
  hovered_ = ReportsAt(p.x, p.y);
  const std::string before = text_;
  UpdateText();
  return text_ != before;
}

void Inspector::OnGeometryBuilt() {
  awaitingGeometry_ = false;
  if (!lastPixel_ || !Available()) return;
  lastHover_.reset();
  if (Hover(*lastPixel_, clock_()) && textChanged_) textChanged_();
}

bool Inspector::Select(DevicePoint pixel) {
  const PlotPoint p = view_.GetViewport().PlotPointAt(pixel);
  std::vector<ObjectReport> reports = ReportsAt(p.x, p.y);
  if (reports.empty()) return Clear();
  selected_.assign(1, std::move(reports.front()));
  const ObjectReport& chosen = selected_.front();
  const std::vector<QueryLayer> layers = Layers();
  const std::vector<std::string> nets = NetNames(chosen.net);
  std::vector<ObjectRef> lit;
  for (const std::string& net : nets) {
    for (const ObjectRef& ref : ObjectsNamed(layers, NameKind::kNet, net)) lit.push_back(ref);
  }
  if (lit.empty()) lit.push_back({chosen.layer, chosen.index});
  Light(lit);
  UpdateText();
  return true;
}

bool Inspector::Clear() {
  const bool any = !selected_.empty() || !overlay_.Empty();
  selected_.clear();
  overlay_.Clear();
  UpdateText();
  return any;
}

// Lit layer by layer: the islands of the built layers, the objects' own
// polygons where the geometry is still being built.
void Inspector::Light(const std::vector<ObjectRef>& objects) {
  overlay_.Clear();
  const StandardLoad& load = view_.StandardModels()->Current();
  std::vector<std::vector<uint32_t>> byLayer(load.model.layers.size());
  for (const ObjectRef& ref : objects) {
    if (ref.layer < byLayer.size()) byLayer[ref.layer].push_back(ref.object);
  }
  built_.resize(load.model.layers.size());
  for (std::size_t layer = 0; layer < byLayer.size(); ++layer) {
    if (byLayer[layer].empty()) continue;
    if (built_[layer] == nullptr) built_[layer] = geometry_.Find(layer);
    const bool indexed = built_[layer] != nullptr && built_[layer]->index != nullptr;
    GeoPaths polygons;
    AddLitPolygons(indexed ? built_[layer]->Layer() : load.model.layers[layer],
                   indexed ? built_[layer]->index.get() : nullptr, byLayer[layer], polygons);
    overlay_.Add(polygons);
  }
}

FindOutcome Inspector::Find(std::string_view name) {
  FindOutcome outcome;
  if (!Available()) {
    outcome.status = kInspectorNeedsStandard;
    return outcome;
  }
  Sync();
  const StandardLoad& load = view_.StandardModels()->Current();
  std::vector<QueryLayer> layers;
  for (std::size_t i = 0; i < load.model.layers.size(); ++i)
    layers.push_back({i, &load.model.layers[i], nullptr});
  std::vector<ObjectRef> found = ObjectsNamed(layers, NameKind::kNet, name);
  if (found.empty()) {
    outcome.kind = NameKind::kComponent;
    found = ObjectsNamed(layers, NameKind::kComponent, name);
  }
  if (found.empty()) {
    outcome.status = "No net or component is named " + std::string(name) + ".";
    return outcome;
  }
  std::set<std::size_t> onLayers;
  for (const ObjectRef& ref : found) onLayers.insert(ref.layer);
  outcome.found = true;
  outcome.objects = found.size();
  outcome.layers = onLayers.size();
  outcome.status = std::string(outcome.kind == NameKind::kNet ? "Net " : "Component ") +
                   std::string(name) + ": " + Counted(found.size(), "object") + " on " +
                   Counted(onLayers.size(), "layer") + ".";
  Light(found);
  const bool zoomed = !overlay_.Empty() && view_.ZoomToPlotBox({overlay_.MaxX(), overlay_.MinX(),
                                                                overlay_.MaxY(), overlay_.MinY()},
                                                               kMinimumFitSide);
  if (!zoomed) view_.RedrawView();
  return outcome;
}

std::optional<std::string> Inspector::RefusesFind() const {
  if (Available()) return std::nullopt;
  return std::string(kInspectorNeedsStandard);
}

std::vector<std::string> Inspector::Completions() {
  if (!Available()) return {};
  Sync();
  const StandardLoad& load = view_.StandardModels()->Current();
  std::vector<QueryLayer> layers;
  for (std::size_t i = 0; i < load.model.layers.size(); ++i)
    layers.push_back({i, &load.model.layers[i], nullptr});
  std::vector<std::string> names = NamesOf(layers, NameKind::kNet);
  for (std::string& component : NamesOf(layers, NameKind::kComponent))
    names.push_back(std::move(component));
  return names;
}

void Inspector::SetUnit(std::optional<LengthUnit> unit) {
  unit_ = unit;
  UpdateText();
  if (textChanged_) textChanged_();
}

void Inspector::PointerAt(DevicePoint pixel) {
  if (Hover(pixel, clock_()) && textChanged_) textChanged_();
}

bool Inspector::Choose(DevicePoint pixel) {
  if (!Available()) {
    view_.Host().SetStatusText(kInspectorNeedsStandard);
    return false;
  }
  const bool changed = Select(pixel);
  if (changed) view_.RedrawView();
  if (textChanged_) textChanged_();
  return changed;
}

bool Inspector::EndChoice() {
  const bool changed = Clear();
  if (changed) {
    view_.RedrawView();
    if (textChanged_) textChanged_();
  }
  return changed;
}

MeasureSnap Inspector::SnapAt(DevicePoint pixel) {
  MeasureSnap snap;
  snap.at = view_.GetViewport().PlotPointAt(pixel);
  const double scale = view_.GetViewport().GetScale();  // pixels per inch
  if (!Available() || !(scale > 0.0)) return snap;
  bool clamped = false;
  const GeoPoint at = ToNanometres(snap.at.x, snap.at.y, clamped);
  const double reach = kSnapPixels / scale * kNanometresPerInch;
  const std::optional<BoardSnap> found = NearestSnapPoint(Layers(), at, reach);
  if (!found) return snap;
  snap.at = {NanometresToInches(static_cast<double>(found->point.at.x)),
             NanometresToInches(static_cast<double>(found->point.at.y))};
  snap.onObject = true;
  snap.layer = found->layer;
  snap.object = found->point.object;
  return snap;
}

std::string Inspector::MeasurementText(const MeasureSnap& first, const MeasureSnap& second) {
  const LengthUnit unit = Unit();
  const double dx = (second.at.x - first.at.x) * kMillimetresPerInch;
  const double dy = (second.at.y - first.at.y) * kMillimetresPerInch;
  std::string text = "Centre to centre " + FormatLength(std::hypot(dx, dy), unit) + " " +
                     std::string(LengthUnitName(unit)) + " (X " + FormatLength(std::abs(dx), unit) +
                     ", Y " + FormatLength(std::abs(dy), unit) + ")";
  if (first.onObject && second.onObject) {
    const std::optional<double> clearance =
        ObjectClearance(Layers(), {first.layer, first.object}, {second.layer, second.object});
    if (clearance) {
      text += ", clearance " + FormatLength(NanometresToMillimetres(*clearance), unit) + " " +
              std::string(LengthUnitName(unit));
    }
  }
  return text;
}

void Inspector::ShowSnap(const std::optional<MeasureSnap>& snap) {
  if (snap && snap->onObject)
    overlay_.SetSnapMarker(std::make_pair(snap->at.x, snap->at.y));
  else
    overlay_.SetSnapMarker(std::nullopt);
  view_.RedrawView();
}

bool Inspector::Refresh() {
  if (waitingHover_) {
    const DevicePoint pixel = *waitingHover_;
    lastHover_.reset();
    return Hover(pixel, clock_());
  }
  if (Available()) Sync();
  const std::string before = text_;
  UpdateText();
  return text_ != before;
}

void Inspector::UpdateText() {
  if (!Available()) {
    text_ = kInspectorNeedsStandard;
    return;
  }
  const LengthUnit unit = Unit();
  text_ = PanelText("Under the pointer", hovered_, unit);
  if (!selected_.empty()) text_ += "\n" + PanelText("Chosen", selected_, unit);
}

}  // namespace corvane
