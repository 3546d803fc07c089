#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "document/format_settings.h"
#include "document/plot_records.h"

#include "readers/gerber_reader.h"
#include "readers/nc_drill_reader.h"

namespace corvane {

class CCorvaneDoc;
class Prompter;
class SettingsStore;
struct PlotLayer;

// Loads the files of a working set, and the stored defaults, into one
// document, and keeps the readers' modal state between loads: the per-file
// parts are reset before each file, the rest lasts across the files of a load
// and across loads, and ClearAll resets what a clear of the document always
// has (the NC drill tool). One loader lives beside its document for as long as
// the document does; everything that reloads the document calls it.
class DocumentLoader {
 public:
  // Neither service is owned; either may be null (only built-in defaults, no messages).
  explicit DocumentLoader(CCorvaneDoc& doc, const SettingsStore* store = nullptr,
                          Prompter* prompter = nullptr);
  DocumentLoader(const DocumentLoader&) = delete;
  DocumentLoader& operator=(const DocumentLoader&) = delete;

  CCorvaneDoc& Doc() const { return doc_; }
  Prompter* GetPrompter() const { return prompter_; }
  void SetPrompter(Prompter* prompter) { prompter_ = prompter; }

  // The document's ClearAll with the reader state that goes with it.
  void ClearAll();
  // Fills the format settings and the four stored flags from the store's
  // "Defaults" section (built-in values where the store has none).
  void LoadStoredDefaults();

  // Each returns whether the file could be opened and read.
  bool LoadGerberLayer(PlotLayer layer);
  bool LoadApertureFile(std::string_view name);
  bool LoadDrillToolFile(std::string_view name);
  bool LoadNcDrillFile(std::string_view name);
  // Adds a drill file beyond the NC drill file when it can be opened; only
  // the standard reading reads it, when it draws.
  bool AddDrillFile(DrillFileEntry entry);
  // Clears the document and reads every file of its working set again, in
  // layer order, then the aperture, drill tool and NC drill files and the
  // further drill files; a layer or drill file whose file cannot be opened
  // drops out. The mirror and origin flags, the drill files' functions,
  // colours and visibility, the netlist and the set's reading stay.
  void ReloadAll();

  // The format settings as they stood before the first Gerber file since the
  // last clear was read: the classic reading lets an FS change them, the
  // standard reading takes what the user and the work file gave.
  const FormatSettings& SettingsBeforeGerberFiles() const;
  // Counts the clears and the files read into the document: whatever was
  // derived from the document at one count is stale at another.
  uint64_t LoadCount() const { return loadCount_; }
  // Whether the classic reading's mixed-units warning is shown; the standard
  // reading reads units as the files state them, and has nothing to warn of.
  // It is shown at most once between two clears: once per load of a set.
  void SetWarnMixedUnits(bool warn) { warnMixedUnits_ = warn; }

  GerberReaderState& GerberState() { return gerberState_; }
  const GerberReaderState& GerberState() const { return gerberState_; }
  DrillReaderState& DrillState() { return drillState_; }
  const DrillReaderState& DrillState() const { return drillState_; }

 private:
  CCorvaneDoc& doc_;
  const SettingsStore* store_;
  Prompter* prompter_;
  GerberReaderState gerberState_;
  DrillReaderState drillState_;
  std::optional<FormatSettings> settingsBeforeGerberFiles_;
  uint64_t loadCount_ = 0;
  bool warnMixedUnits_ = true;
  bool mixedUnitsWarned_ = false;
};

}  // namespace corvane
