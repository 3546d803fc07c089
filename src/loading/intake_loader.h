#pragma once

// Loading a gathered set of files (intake/intake_set.h) into the document.

#include <string>
#include <vector>

namespace corvane {

class DocumentLoader;
struct IntakeSet;

struct IntakeLoadOptions {
  // The NC drill file is named otherwise (--drill-file): every drill file of
  // the set is a further one.
  bool ncDrillGiven = false;
};

struct IntakeLoadResult {
  // The files that were found but could not be loaded, and why, one line each.
  std::vector<std::string> unopened;
  // Files of kinds the set holds only one of (a second aperture table, say),
  // and the files that are no layers: listed, not loaded.
  std::vector<std::string> notLoaded;
};

// Appends the set to what the document holds: plot files as layers, each
// keeping its function (a stacked set's drawn bottom side first and top side
// last, so that the top lies in front, each in the colour of its function; a
// plain list's in its order with the colours by position it always had,
// files of unknown content included), the
// first Excellon file as the NC drill file and every other one as a further
// drill file, the first aperture table and drill tool table, the first
// netlist. Job files and unknown files are not loaded. When any file of a
// stacked set uses today's formats the set's reading becomes the standard
// one before anything is read, so the classic reading's warnings stay away.
IntakeLoadResult LoadIntakeSet(DocumentLoader& loader, const IntakeSet& set,
                               const IntakeLoadOptions& options = {});

}  // namespace corvane
