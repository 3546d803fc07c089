#include "app/netlist_commands.h"

#include <cstdio>
#include <optional>

#include "app/command_ids.h"
#include "cli/netlist_run.h"
#include "loading/document_loader.h"
#include "loading/standard_model_cache.h"
#include "platform/prompter.h"
#include "view/corvane_view.h"

namespace corvane {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr uint32_t kOpenColor = 0x0000FF;         // red
constexpr uint32_t kShortColor = 0x00A5FF;        // orange
constexpr uint32_t kUnconnectedColor = 0xFF00FF;  // magenta
constexpr uint32_t kNetCopperColor = 0x00C000;    // green
// The smallest side of a zoom to a place: 2 mm.
constexpr double kLeastZoomSideInches = 2.0 / kMillimetresPerInch;

std::string Fixed3(double value) {
  char text[48];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

uint32_t ColorOf(const std::string& rule) {
  if (rule == "open") return kOpenColor;
  if (rule == "short") return kShortColor;
  return kUnconnectedColor;
}

Extents InchBox(const FindingBox& box, double atX, double atY) {
  FindingBox grown = box;
  grown.Add(atX, atY);
  return {grown.maxX / kMillimetresPerInch, grown.minX / kMillimetresPerInch,
          grown.maxY / kMillimetresPerInch, grown.minY / kMillimetresPerInch};
}

PlotMarker MarkerOf(const GeoBox& box) {
  const double k = 1.0 / kNanometresPerInch;
  PlotMarker marker;
  marker.minX = static_cast<double>(box.minX) * k;
  marker.minY = static_cast<double>(box.minY) * k;
  marker.maxX = static_cast<double>(box.maxX) * k;
  marker.maxY = static_cast<double>(box.maxY) * k;
  marker.atX = (marker.minX + marker.maxX) / 2.0;
  marker.atY = (marker.minY + marker.maxY) / 2.0;
  marker.color = kNetCopperColor;
  return marker;
}

std::string Summary(const NetlistCheck& check) {
  std::string text = std::to_string(check.nets.size()) + " nets, " +
                     std::to_string(check.opens.size()) + " opens, " +
                     std::to_string(check.shorts.size()) + " shorts, " +
                     std::to_string(check.unconnected.size()) + " unconnected; reference: " +
                     (check.referenceSource.empty() ? "none" : check.referenceSource);
  if (check.malformedLines > 0)
    text += " (" + std::to_string(check.malformedLines) + " malformed lines skipped)";
  for (const std::string& note : check.notes) text += "; " + note;
  return text;
}

}  // namespace

std::vector<std::string> NetlistRowTexts(const Finding& finding) {
  std::string nets;
  for (const std::string& net : finding.nets) nets += (nets.empty() ? "" : " + ") + net;
  return {finding.rule, nets, Fixed3(finding.atX) + ", " + Fixed3(finding.atY), finding.detail};
}

struct NetlistCommands::Session {
  uint64_t generation = 0;
  std::shared_ptr<const StandardLoad> load;
  BoardLayers board;
  std::vector<LayerGeometryCache::Built> built;  // by copper position
  std::unique_ptr<BoardNets> nets;
  std::optional<NetlistCheck> check;
  std::string referencePath;  // the set's netlist, or the one the user chose
};

NetlistCommands::NetlistCommands(CCorvaneView& view, const DocumentLoader& loader,
                                 StandardModelCache& models, Prompter& prompter)
    : view_(view),
      loader_(loader),
      models_(models),
      prompter_(prompter),
      list_({"Kind", "Nets", "At (mm)", "Detail"}) {
  list_.OnChosen([this](std::size_t row) { Chosen(row); });
  viewLifetime_ = view_.Lifetime();
}

NetlistCommands::~NetlistCommands() {
  if (overlaysAdded_ && !viewLifetime_.expired()) {
    view_.RemoveOverlay(&places_);
    view_.RemoveOverlay(&netCopper_);
  }
}

void NetlistCommands::Register(CommandTarget& target) {
  target.On(
      kIdCheckNetlist, [this](int32_t) { Check(); },
      [this](int32_t, CommandUi& ui) {
        ui.enabled = geometry_ != nullptr && view_.DrawsStandard() &&
                     !view_.GetDocument().IsEmpty();
      });
}

void NetlistCommands::OnIdle() {
  if (session_ == nullptr || loader_.LoadCount() == loadCount_) return;
  session_.reset();
  rowNets_.clear();
  places_.Clear();
  netCopper_.Clear();
  list_.Clear();
}

const NetlistCheck* NetlistCommands::Result() const {
  return session_ != nullptr && session_->check ? &*session_->check : nullptr;
}

void NetlistCommands::Check() {
  if (geometry_ == nullptr) return;
  session_ = std::make_unique<Session>();
  loadCount_ = loader_.LoadCount();
  session_->load = models_.Shared();
  session_->generation = models_.Generation();
  session_->board = FindBoardLayers(session_->load->model);
  if (session_->board.copper.empty()) {
    session_.reset();
    prompter_.ShowMessage("The open set has no copper layer: there are no nets to check.",
                          Prompter::Buttons::kOk);
    return;
  }
  session_->referencePath = view_.GetDocument().GetNetlistFileName();
  if (session_->referencePath.empty()) session_->referencePath = AskForReference();
  Continue(session_->generation);
}

// A set without its own netlist: the user may name one; Cancel checks the
// copper against its own net names (or extracts the nets only).
std::string NetlistCommands::AskForReference() {
  FileChooserRequest request;
  request.title = "Reference Netlist (Cancel: the copper's own net names)";
  request.filter =
      "IPC-D-356 Netlists (*.ipc;*.356;*.d356)|*.ipc;*.356;*.d356|All Files (*.*)|*.*||";
  return prompter_.ChooseFile(request).value_or("");
}

// Asks for each copper layer's geometry; the last one to arrive runs the comparison.
void NetlistCommands::Continue(uint64_t generation) {
  if (session_ == nullptr || session_->generation != generation || session_->check) return;
  const uint64_t current = models_.Generation();
  if (current != generation) {
    session_.reset();
    return;
  }
  session_->built.clear();
  for (const uint32_t layer : session_->board.copper) {
    LayerGeometryCache::Built built =
        geometry_->Request(layer, [this, generation](const LayerGeometryCache::Built&) {
          Continue(generation);
        });
    if (built == nullptr) return;  // the callback comes back here when it is built
    session_->built.push_back(std::move(built));
  }
  Compare();
}

void NetlistCommands::Compare() {
  Session& s = *session_;
  std::vector<const GeometryIndex*> indices;
  for (const auto& built : s.built) indices.push_back(built->index.get());
  s.nets = std::make_unique<BoardNets>(s.built.front()->load->model, s.board, indices);
  const std::string& path = s.referencePath;
  const std::optional<std::string> text = path.empty() ? std::nullopt : ReadNetlistText(path);
  if (!path.empty() && !text) {
    prompter_.ShowMessage("The netlist " + path +
                              " cannot be read; the copper is checked against its own net names.",
                          Prompter::Buttons::kOk);
  }
  s.check = CheckNetlist(*s.nets, ChooseReference(*s.nets, text ? &*text : nullptr, path));
  Show();
}

void NetlistCommands::Show() {
  const NetlistCheck& check = *session_->check;
  const FindingList findings = NetlistFindings(check);
  std::vector<PlaceRow> rows;
  rowNets_.clear();
  for (std::size_t i = 0; i < findings.listed.size(); ++i) {
    const Finding& finding = findings.listed[i];
    PlaceRow row;
    row.texts = NetlistRowTexts(finding);
    row.box = InchBox(finding.box, finding.atX, finding.atY);
    row.atX = finding.atX / kMillimetresPerInch;
    row.atY = finding.atY / kMillimetresPerInch;
    row.color = ColorOf(finding.rule);
    rows.push_back(std::move(row));
    if (i < check.opens.size()) {
      rowNets_.push_back(check.opens[i].extracted);
    } else if (i < check.opens.size() + check.shorts.size()) {
      rowNets_.push_back({check.shorts[i - check.opens.size()].extracted});
    } else {
      rowNets_.emplace_back();
    }
  }
  list_.SetRows(std::move(rows), Summary(check));
  places_.SetMarkers(list_.Markers());
  netCopper_.Clear();
  if (!overlaysAdded_) {
    view_.AddOverlay(&netCopper_);
    view_.AddOverlay(&places_);
    overlaysAdded_ = true;
  }
  view_.RedrawView();
  if (shown_) shown_();
}

void NetlistCommands::Chosen(std::size_t row) {
  places_.SetMarkers(list_.Markers());
  netCopper_.SetMarkers(row < rowNets_.size() ? NetMarkers(rowNets_[row]) : std::vector<PlotMarker>{});
  if (!view_.ZoomToPlotBox(list_.Rows()[row].box, kLeastZoomSideInches)) view_.RedrawView();
}

// A box about every piece of copper of the nets: the island outlines would
// be exact, boxes show where the net runs at any zoom.
std::vector<PlotMarker> NetlistCommands::NetMarkers(const std::vector<uint32_t>& nets) const {
  std::vector<PlotMarker> markers;
  if (session_ == nullptr || session_->nets == nullptr) return markers;
  const BoardNets& board = *session_->nets;
  for (const uint32_t net : nets) {
    for (const BoardNets::Piece& piece : board.PiecesOf(net)) {
      if (piece.hole) {
        markers.push_back(MarkerOf(board.Drill(piece.position).Box(piece.item)));
      } else {
        markers.push_back(MarkerOf(board.Copper(piece.position)->Geometry().islands[piece.item].box));
      }
    }
  }
  return markers;
}

}  // namespace corvane
