#pragma once

// The Gerber plot file reader: a lenient single-pass scanner that turns each
// statement into one item of the target's flat item array and adds the
// apertures and aperture macros the file defines. Its modal state is the
// caller's (GerberReaderState), so that it carries over between the files of a
// load exactly where the loader wants it to.

#include <cstddef>
#include <cstdint>

#include "document/plot_records.h"

namespace corvane {

class GerberInput;
class ReadTarget;
struct FormatSettings;

// The Gerber reader's modal state. It is shared by all files of a load; the
// loader resets the per-file part before each file.
struct GerberReaderState {
  // Reset per file.
  PlotItem statement;
  PlotItem arcCentre;  // x = I, y = J
  bool arcCentrePending = false;
  int32_t incremental = 0;
  int32_t multiQuadrant = 0;
  // Kept across files and loads.
  double interpolationScale = 1.0;
  int32_t metricCoordinates = 0;
  int32_t metricApertures = 0;

  void ResetForFile() {
    statement = PlotItem{};
    arcCentre = PlotItem{};
    arcCentrePending = false;
    incremental = 0;
    multiQuadrant = 0;
  }
};

// Room for a statement; the buffer handed to ReadStatement holds two more
// characters (the kept terminator of a cut statement and the closing NUL).
inline constexpr std::size_t kStatementLimit = 4096;
inline constexpr std::size_t kStatementBufferSize = kStatementLimit + 2;

// Reads the next statement into `buffer` (at least limit + 2 characters) and
// NUL-terminates it; returns the number of bytes taken from the input, 0 at the
// end of input.
// A statement ends after its terminator: '*', or '%' once a '%' has been read.
// A statement longer than `limit` keeps its first `limit` characters and its
// terminator; the rest of it is discarded, so its tail never turns into
// statements of its own.
std::size_t ReadStatement(GerberInput& input, char* buffer, std::size_t limit);

// Reads every statement of the input into layer `layerIndex`.
void ReadGerber(ReadTarget& target, GerberReaderState& state, GerberInput& input,
                int32_t layerIndex);

// Scans one NUL-terminated statement: changes the reader state and appends
// items, apertures and macros.
void ParseStatement(ReadTarget& target, GerberReaderState& state, const char* text,
                    int32_t layerIndex);

// Each of these returns the position where scanning goes on.
// `text` stands just after the G-code's number.
const char* ApplyGCode(GerberReaderState& state, const char* text, int32_t code);
// `text` stands just after a '%'.
const char* ParseParameterBlock(ReadTarget& target, GerberReaderState& state, const char* text,
                                int32_t layerIndex);
// `text` stands after "FS".
const char* ParseFormat(FormatSettings& settings, GerberReaderState& state, const char* text);
// `text` stands after "MO".
const char* ParseUnitMode(GerberReaderState& state, const char* text);
// `text` stands after "ADD", at the D-code number.
const char* ParseApertureDefinition(ReadTarget& target, const GerberReaderState& state,
                                    const char* text, int32_t layerIndex);
// `text` stands after "AM", at the macro name.
const char* ParseApertureMacro(ReadTarget& target, const char* text, int32_t layerIndex);

}  // namespace corvane
