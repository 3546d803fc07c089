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

void ReadDrillLayer(const StandardContext& context, int32_t documentLayer, StandardLoad& load) {
  std::string text;
  if (!ReadFileText(context.layer.fileName, text)) {
    load.unopened.push_back(context.layer.fileName);
    return;
  }
  load.model.layers.push_back(ReadStandardExcellon(text, context));
  load.documentLayers.push_back(documentLayer);
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
  if (!drillFile.empty()) {
    context.layer = PlotLayer{};
    context.layer.fileName = drillFile;
    context.layer.color = doc.GetNcDrillColor();
    context.layer.visible = doc.GetShowDrillHoles();
    context.layer.function = doc.GetNcDrillFunction();
    ReadDrillLayer(context, -1, load);
  }
  for (std::size_t k = 0; k < doc.DrillFiles().size(); ++k) {
    const DrillFileEntry& entry = doc.DrillFiles()[k];
    context.layer = PlotLayer{};
    context.layer.fileName = entry.fileName;
    context.layer.color = entry.color;
    context.layer.visible = entry.visible;
    context.layer.function = entry.function;
    ReadDrillLayer(context, DocumentLayerOfDrillFile(k), load);
  }
  return load;
}

int32_t DocumentLayerOfDrillFile(std::size_t k) { return -2 - static_cast<int32_t>(k); }

std::optional<std::size_t> DrillFileOfDocumentLayer(int32_t index) {
  if (index > -2) return std::nullopt;
  return static_cast<std::size_t>(-2 - static_cast<int64_t>(index));
}

uint32_t StandardFeatures(const StandardModel& model) {
  uint32_t features = 0;
  for (const StandardLayer& layer : model.layers) features |= layer.features;
  return features;
}

}  // namespace corvane
