#include "loading/intake_loader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "document/corvane_doc.h"
#include "intake/intake_set.h"
#include "intake/layer_stack.h"
#include "loading/document_loader.h"

namespace corvane {
namespace {

class SetLoader {
 public:
  SetLoader(DocumentLoader& loader, const IntakeLoadOptions& options, IntakeLoadResult& result)
      : loader_(loader), doc_(loader.Doc()), options_(options), result_(result) {}

  void LoadLayers(const IntakeSet& set) {
    std::vector<const IntakeFile*> plots;
    for (const IntakeFile& file : set.files) {
      if (!file.problem.empty()) continue;
      // A file named on its own is loaded as the plot file it was named as,
      // whatever its content looks like.
      if (file.function.kind == FileKind::kGerber ||
          (!set.stacked && file.function.kind == FileKind::kUnknown)) {
        plots.push_back(&file);
      }
    }
    // The set lists the top first; the picture draws the top last, in front.
    if (set.stacked) std::reverse(plots.begin(), plots.end());
    for (const IntakeFile* file : plots) {
      PlotLayer layer;
      layer.fileName = file->path;
      // Every file keeps what it was identified as, named one by one or
      // found in a folder; only the colour of a plain list's layer goes by
      // its place, as it always has.
      layer.function = file->function;
      layer.color = set.stacked ? FunctionColor(file->function)
                                : CCorvaneDoc::DefaultLayerColor(doc_.GetLayerCount());
      if (!loader_.LoadGerberLayer(layer)) Unopened(*file);
    }
  }

  void LoadOthers(const IntakeSet& set) {
    bool aperture = !doc_.GetApertureFileName().empty();
    bool drillTool = !doc_.GetDrillToolFileName().empty();
    for (const IntakeFile& file : set.files) {
      if (!file.problem.empty()) continue;
      switch (file.function.kind) {
        case FileKind::kApertureTable:
          LoadTable(file, aperture, [this](const std::string& p) { return loader_.LoadApertureFile(p); });
          break;
        case FileKind::kDrillToolTable:
          LoadTable(file, drillTool,
                    [this](const std::string& p) { return loader_.LoadDrillToolFile(p); });
          break;
        case FileKind::kExcellon:
          LoadDrill(file);
          break;
        case FileKind::kNetlist:
          if (doc_.GetNetlistFileName().empty()) {
            doc_.SetNetlistFileName(file.path);
          } else {
            result_.notLoaded.push_back(file.path + ": a second netlist");
          }
          break;
        case FileKind::kGerber:
          break;
        case FileKind::kUnknown:
          if (!set.stacked) break;  // loaded as a plot file
          [[fallthrough]];
        case FileKind::kJob:
          result_.notLoaded.push_back(file.path);
          break;
      }
    }
  }

 private:
  template <typename Load>
  void LoadTable(const IntakeFile& file, bool& loaded, Load load) {
    if (loaded) {
      result_.notLoaded.push_back(file.path + ": a second " +
                                  std::string(FileKindName(file.function.kind)));
      return;
    }
    if (load(file.path)) {
      loaded = true;
    } else {
      Unopened(file);
    }
  }

  void LoadDrill(const IntakeFile& file) {
    if (doc_.GetNcDrillFileName().empty() && !options_.ncDrillGiven) {
      if (loader_.LoadNcDrillFile(file.path)) {
        doc_.SetNcDrillFunction(file.function);
        doc_.SetNcDrillColor(FunctionColor(file.function));
      } else {
        Unopened(file);
      }
      return;
    }
    DrillFileEntry entry{file.path, file.function, FunctionColor(file.function), 1};
    if (!loader_.AddDrillFile(entry)) Unopened(file);
  }

  void Unopened(const IntakeFile& file) {
    result_.unopened.push_back(file.path + ": " + std::strerror(ENOENT));
  }

  DocumentLoader& loader_;
  CCorvaneDoc& doc_;
  const IntakeLoadOptions& options_;
  IntakeLoadResult& result_;
};

}  // namespace

IntakeLoadResult LoadIntakeSet(DocumentLoader& loader, const IntakeSet& set,
                               const IntakeLoadOptions& options) {
  IntakeLoadResult result;
  for (const IntakeFile& file : set.files) {
    if (!file.problem.empty()) result.unopened.push_back(file.path + ": " + file.problem);
  }
  // A plain list of files keeps the reading (and the warnings) it always had.
  if (set.stacked && set.UsesTodaysFormats()) loader.Doc().SetReading(Reading::kStandard);
  SetLoader load(loader, options, result);
  load.LoadLayers(set);
  load.LoadOthers(set);
  return result;
}

}  // namespace corvane
