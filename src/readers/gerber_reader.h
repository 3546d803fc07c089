#pragma once

// The Gerber plot file reader: a lenient single-pass scanner that turns each
// statement into one item of the document's flat item array and adds the
// apertures and aperture macros the file defines. Its modal state lives in the
// document (GerberReaderState), so that it carries over between the files of a
// load exactly where it should.

#include <cstddef>
#include <cstdint>

namespace corvane {

class CCorvaneDoc;
class GerberInput;
struct GerberReaderState;

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
void ReadGerber(CCorvaneDoc& doc, GerberInput& input, int32_t layerIndex);

// Scans one NUL-terminated statement: changes the reader state and appends
// items, apertures and macros.
void ParseStatement(CCorvaneDoc& doc, const char* text, int32_t layerIndex);

// Each of these returns the position where scanning goes on.
// `text` stands just after the G-code's number.
const char* ApplyGCode(GerberReaderState& state, const char* text, int32_t code);
// `text` stands just after a '%'.
const char* ParseParameterBlock(CCorvaneDoc& doc, const char* text, int32_t layerIndex);
// `text` stands after "FS".
const char* ParseFormat(CCorvaneDoc& doc, const char* text);
// `text` stands after "MO".
const char* ParseUnitMode(GerberReaderState& state, const char* text);
// `text` stands after "ADD", at the D-code number.
const char* ParseApertureDefinition(CCorvaneDoc& doc, const char* text, int32_t layerIndex);
// `text` stands after "AM", at the macro name.
const char* ParseApertureMacro(CCorvaneDoc& doc, const char* text, int32_t layerIndex);

}  // namespace corvane
