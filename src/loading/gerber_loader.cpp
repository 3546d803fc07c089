// Loading one Gerber plot file into a new layer.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>

#include "document/corvane_doc.h"
#include "intake/archive_cache.h"
#include "loading/data_path.h"
#include "loading/document_loader.h"
#include "platform/prompter.h"
#include "readers/gerber_input.h"
#include "readers/gerber_reader.h"

namespace corvane {
namespace {

constexpr std::string_view kMixedUnitsWarning =
    "Warning: Both English and Meter units specified in Gerber files.";

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Only a regular file counts as one that can be opened: a folder opens like a
// file on this system, /dev/zero never ends and opening a FIFO waits for a
// writer, so a work file naming them would hang the load.
FilePtr OpenForReading(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return nullptr;
  return FilePtr(std::fopen(path.c_str(), "rb"));
}

// Mirroring first, then the offset in thousandths of a plot unit, on statement
// and arc-centre items alike.
void PlaceLayerItems(std::span<PlotItem> items, const PlotLayer& layer) {
  // Most layers are neither mirrored nor offset: spare them a pass over the items.
  if (layer.mirrorOnXAxis == 0 && layer.mirrorOnYAxis == 0 && layer.offsetX == 0 &&
      layer.offsetY == 0) {
    return;
  }
  const double offsetX = layer.offsetX / 1000.0;
  const double offsetY = layer.offsetY / 1000.0;
  for (PlotItem& item : items) {
    if (layer.mirrorOnXAxis != 0) item.y = -item.y;
    if (layer.mirrorOnYAxis != 0) item.x = -item.x;
    item.x += offsetX;
    item.y += offsetY;
  }
}

}  // namespace

bool DocumentLoader::LoadGerberLayer(PlotLayer layer) {
  const std::string path = ResolveDataPath(doc_, layer.fileName);
  FilePtr file = OpenForReading(path);
  // Not a file on disk: perhaps a member of an archive, read from memory.
  std::shared_ptr<const std::string> member;
  if (file == nullptr) member = ArchiveCache::Shared().FindMember(path).bytes;
  if (file == nullptr && member == nullptr) return false;
  if (!settingsBeforeGerberFiles_) settingsBeforeGerberFiles_ = doc_.Settings();

  gerberState_.ResetForFile();
  layer.fileName = path;
  layer.visible = 1;
  const int32_t layerIndex = doc_.AddLayer(layer);
  const auto start = static_cast<std::size_t>(doc_.GetItemCount());
  if (member != nullptr) {
    GerberInput input{std::string_view(*member)};
    ReadGerber(doc_, gerberState_, input, layerIndex);
  } else {
    GerberInput input(file.get());
    ReadGerber(doc_, gerberState_, input, layerIndex);
  }
  file.reset();

  PlaceLayerItems(doc_.MutableItems().subspan(start), layer);
  doc_.ComputeExtents();
  doc_.TrimItems();
  doc_.SetModified(true);
  ++loadCount_;
  // A set read in the standard reading has nothing to warn of.
  if (gerberState_.metricApertures != gerberState_.metricCoordinates && prompter_ != nullptr &&
      warnMixedUnits_ && !mixedUnitsWarned_ && doc_.GetReading() != Reading::kStandard) {
    mixedUnitsWarned_ = true;
    prompter_->ShowMessage(kMixedUnitsWarning, Prompter::Buttons::kOk);
  }
  return true;
}

}  // namespace corvane
