#pragma once

// The standard reading of a loaded working set: each Gerber layer of the
// document read again from its file into the standard model, with the
// layer's colour, mirroring, offsets and visibility, then the NC drill file as
// an Excellon layer. The document's aperture table and drill tools stand in
// for what the files leave undefined. Nothing of the document changes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "standard/standard_model.h"

namespace corvane {

class CCorvaneDoc;
struct FormatSettings;

struct StandardLoad {
  StandardModel model;
  // The document's layer each model layer was read from; -1 for the NC drill
  // file, DocumentLayerOfDrillFile(k) for the document's further drill file k.
  std::vector<int32_t> documentLayers;
  std::vector<std::string> unopened;  // paths that could not be read this time
};

// A layer's file whose content is Excellon (LooksLikeExcellon) is read as an
// Excellon layer in the layer's colour.
// `settings` are the document's settings for what files leave open: those the
// user and the work file gave, before any Gerber file of the load was read
// (the classic reading lets an FS change them; the standard reading of one
// file never depends on another).
StandardLoad LoadStandardModel(const CCorvaneDoc& doc, const FormatSettings& settings);

int32_t DocumentLayerOfDrillFile(std::size_t k);
// The further drill file a model layer's document layer names, if it names one.
std::optional<std::size_t> DrillFileOfDocumentLayer(int32_t index);

// The drill layer: black like the classic reading's holes, shown while the
// document shows drill holes.
inline constexpr uint32_t kStandardDrillColor = 0x000000;

// What any file of the load uses that the classic reading draws differently
// or not at all (StandardFeature bits).
uint32_t StandardFeatures(const StandardModel& model);

}  // namespace corvane
