#include "loading/standard_loader.h"

#include "document/corvane_doc.h"
#include "loading/text_file.h"
#include "standard/file_kind.h"
#include "standard/standard_reader.h"

namespace corvane {
namespace {

bool ReadFileText(const std::string& path, std::string& text) {
  TextFile file;
  if (!file.Open(path)) return false;
  file.ReadRest(text);
  return true;
}

}  // namespace

StandardLoad LoadStandardModel(const CCorvaneDoc& doc, const FormatSettings& settings) {
  StandardLoad load;
  StandardContext context;
  context.settings = settings;
  context.apertureTable = doc.Apertures();
  context.drillTools = doc.DrillTools();
  std::string text;
  const std::vector<PlotLayer>& layers = doc.Layers();
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const PlotLayer& layer = layers[i];
    text.clear();
    if (!ReadFileText(layer.fileName, text)) {
      load.unopened.push_back(layer.fileName);
      continue;
    }
    context.layer = layer;
    load.model.layers.push_back(LooksLikeExcellon(text) ? ReadStandardExcellon(text, context)
                                                        : ReadStandardGerber(text, context));
    load.documentLayers.push_back(static_cast<int32_t>(i));
  }
  const std::string& drillFile = doc.GetNcDrillFileName();
  if (drillFile.empty()) return load;
  text.clear();
  if (!ReadFileText(drillFile, text)) {
    load.unopened.push_back(drillFile);
    return load;
  }
  context.layer = PlotLayer{};
  context.layer.fileName = drillFile;
  context.layer.color = kStandardDrillColor;
  context.layer.visible = doc.GetShowDrillHoles();
  load.model.layers.push_back(ReadStandardExcellon(text, context));
  load.documentLayers.push_back(-1);
  return load;
}

uint32_t StandardFeatures(const StandardModel& model) {
  uint32_t features = 0;
  for (const StandardLayer& layer : model.layers) features |= layer.features;
  return features;
}

}  // namespace corvane
