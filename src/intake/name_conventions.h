#pragma once

// The function a file's name states by the naming conventions of the design
// tools in wide use: layer-name suffixes (board-F_Cu.gbr, board-In1_Cu.gbr,
// board-PTH.drl), three-letter extensions (.GTL, .GBS, .G2, .GKO), the
// component/solder side extensions (.cmp, .sol, .stc, .plc, .crc), the
// top/bottom extensions (.top, .smb, .sst, .spt) and plain words ("copper
// top", "silkscreen", "outline", "drill").

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/layer_function.h"

namespace corvane {

// The function of the file named `fileName` (its name without folders) of
// `kind`; nothing when the name says nothing.
std::optional<LayerFunction> FunctionFromName(std::string_view fileName, FileKind kind);

// The extensions, in small letters, that today's plot files are named with:
// gbr and ger, the extensions above that state a function, and g1 .. g30 as
// one pattern "g[0-9]*" (a chooser's wildcard).
std::vector<std::string> PlotFileExtensions();
// The extensions of today's drill files, in small letters.
std::vector<std::string> DrillFileExtensions();

}  // namespace corvane
