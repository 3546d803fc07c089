#pragma once

// What a standard reader is given beside the text of its file: the
// document's settings for whatever the file leaves open, the loaded aperture
// and drill tool tables, and the working set's settings of the layer.

#include <span>

#include "document/format_settings.h"
#include "document/plot_records.h"
#include "standard/standard_limits.h"

namespace corvane {

struct StandardContext {
  // An RS-274-D file (one without FS) is read with the Gerber number format,
  // zero suppression, multiplier and offsets; an Excellon file whose header
  // leaves its number format open with the drill number format and zero
  // suppression; the drill offsets (inches) apply to every Excellon file.
  FormatSettings settings;
  // D-codes a Gerber file uses without defining them are taken from the
  // entries of the aperture file (those with layer -1), sizes as inches.
  std::span<const Aperture> apertureTable;
  // Excellon tools without a diameter in the file take it from here (inches).
  std::span<const DrillTool> drillTools;
  // Colour, mirroring, offsets (thousandths of an inch), visibility, name.
  PlotLayer layer;
  // What the file may multiply (standard_limits.h).
  ReadBounds bounds;
};

}  // namespace corvane
