#include "intake/name_conventions.h"

#include <array>
#include <charconv>
#include <string>
#include <vector>

#include "text/ascii.h"
#include "text/path_parts.h"

namespace corvane {
namespace {

using Side = LayerSide;
using Type = LayerType;

struct Named {
  std::string_view text;  // lower case
  Side side;
  Type type;
};

// Layer-name suffixes: the part of the name after the board's name.
constexpr std::array<Named, 26> kLayerNames{{
    {"f_cu", Side::kTop, Type::kCopper},          {"b_cu", Side::kBottom, Type::kCopper},
    {"f_mask", Side::kTop, Type::kSoldermask},    {"b_mask", Side::kBottom, Type::kSoldermask},
    {"f_silks", Side::kTop, Type::kSilkscreen},   {"b_silks", Side::kBottom, Type::kSilkscreen},
    {"f_silkscreen", Side::kTop, Type::kSilkscreen},
    {"b_silkscreen", Side::kBottom, Type::kSilkscreen},
    {"f_paste", Side::kTop, Type::kSolderpaste},  {"b_paste", Side::kBottom, Type::kSolderpaste},
    {"edge_cuts", Side::kAll, Type::kOutline},    {"f_fab", Side::kTop, Type::kDrawing},
    {"b_fab", Side::kBottom, Type::kDrawing},     {"f_courtyard", Side::kTop, Type::kOther},
    {"b_courtyard", Side::kBottom, Type::kOther}, {"f_crtyd", Side::kTop, Type::kOther},
    {"b_crtyd", Side::kBottom, Type::kOther},     {"f_adhes", Side::kTop, Type::kOther},
    {"b_adhes", Side::kBottom, Type::kOther},     {"f_adhesive", Side::kTop, Type::kOther},
    {"b_adhesive", Side::kBottom, Type::kOther},  {"dwgs_user", Side::kNone, Type::kDrawing},
    {"cmts_user", Side::kNone, Type::kDrawing},   {"margin", Side::kNone, Type::kOther},
    {"user_drawings", Side::kNone, Type::kDrawing},
    {"user_comments", Side::kNone, Type::kDrawing},
}};

// Extensions that say the function on their own.
constexpr std::array<Named, 31> kExtensions{{
    {"gtl", Side::kTop, Type::kCopper},          {"gbl", Side::kBottom, Type::kCopper},
    {"gts", Side::kTop, Type::kSoldermask},      {"gbs", Side::kBottom, Type::kSoldermask},
    {"gto", Side::kTop, Type::kSilkscreen},      {"gbo", Side::kBottom, Type::kSilkscreen},
    {"gtp", Side::kTop, Type::kSolderpaste},     {"gbp", Side::kBottom, Type::kSolderpaste},
    {"gko", Side::kAll, Type::kOutline},         {"gm1", Side::kAll, Type::kOutline},
    {"gml", Side::kAll, Type::kOutline},         {"gbr_outline", Side::kAll, Type::kOutline},
    {"cmp", Side::kTop, Type::kCopper},          {"sol", Side::kBottom, Type::kCopper},
    {"stc", Side::kTop, Type::kSoldermask},      {"sts", Side::kBottom, Type::kSoldermask},
    {"plc", Side::kTop, Type::kSilkscreen},      {"pls", Side::kBottom, Type::kSilkscreen},
    {"crc", Side::kTop, Type::kSolderpaste},     {"crs", Side::kBottom, Type::kSolderpaste},
    {"top", Side::kTop, Type::kCopper},          {"bot", Side::kBottom, Type::kCopper},
    {"smt", Side::kTop, Type::kSoldermask},      {"smb", Side::kBottom, Type::kSoldermask},
    {"sst", Side::kTop, Type::kSilkscreen},      {"ssb", Side::kBottom, Type::kSilkscreen},
    {"spt", Side::kTop, Type::kSolderpaste},     {"spb", Side::kBottom, Type::kSolderpaste},
    {"out", Side::kAll, Type::kOutline},         {"dim", Side::kAll, Type::kOutline},
    {"mil", Side::kAll, Type::kOutline},
}};

// The extensions of drill files; their content decides whether they are one.
constexpr std::array<std::string_view, 6> kDrillExtensions{"drl", "drd", "xln", "txt", "exc",
                                                            "nc"};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerAscii(c);
  return lower;
}

// The name split into words at every character that is neither a letter
// nor a digit: "Board-Copper_Top.gbr" gives board, copper, top, gbr.
std::vector<std::string> Words(std::string_view lower) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : lower) {
    if ((c >= 'a' && c <= 'z') || IsDigit(c)) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

// "in3" or "inner3" or "layer3" style numbers after a prefix; 0 when none.
int32_t NumberAfter(std::string_view word, std::string_view prefix) {
  if (word.substr(0, prefix.size()) != prefix || word.size() == prefix.size()) return 0;
  int32_t number = 0;
  const auto [end, error] = std::from_chars(word.data() + prefix.size(), word.data() + word.size(), number);
  return error == std::errc() && end == word.data() + word.size() && number > 0 && number < 100
             ? number
             : 0;
}

LayerFunction Make(FileKind kind, Side side, Type type, int32_t inner = 0) {
  LayerFunction f;
  f.kind = kind;
  f.side = side;
  f.type = type;
  f.inner = inner;
  f.from = FunctionSource::kName;
  return f;
}

// Drill plating by the words of a drill file's name.
LayerPlating PlatingOfName(const std::vector<std::string>& words, std::string_view lower) {
  for (const std::string& w : words) {
    if (w == "npth" || w == "nonplated" || w == "unplated" || w == "np") return LayerPlating::kNonPlated;
  }
  if (lower.find("non_plated") != std::string_view::npos ||
      lower.find("non-plated") != std::string_view::npos ||
      lower.find("nonplated") != std::string_view::npos) {
    return LayerPlating::kNonPlated;
  }
  for (const std::string& w : words) {
    if (w == "pth" || w == "plated" || w == "via" || w == "vias") return LayerPlating::kPlated;
  }
  return LayerPlating::kUnstated;
}

std::optional<LayerFunction> FromLayerSuffix(std::string_view stem, FileKind kind) {
  for (const Named& named : kLayerNames) {
    const std::size_t at = stem.rfind(named.text);
    if (at == std::string_view::npos || at + named.text.size() != stem.size()) continue;
    // The board's name ends before the suffix: "board-F_Cu", "board_F_Cu".
    if (at > 0 && stem[at - 1] != '-' && stem[at - 1] != '_' && stem[at - 1] != '.') continue;
    return Make(kind, named.side, named.type);
  }
  // board-In2_Cu: the second inner layer.
  const std::size_t cu = stem.rfind("_cu");
  if (cu != std::string_view::npos && cu + 3 == stem.size()) {
    const std::size_t start = stem.find_last_of("-_.", cu - 1);
    const std::string_view word = stem.substr(start == std::string_view::npos ? 0 : start + 1,
                                              cu - (start == std::string_view::npos ? 0 : start + 1));
    if (const int32_t n = NumberAfter(word, "in")) return Make(kind, Side::kInner, Type::kCopper, n);
  }
  return std::nullopt;
}

std::optional<LayerFunction> FromExtension(std::string_view ext, FileKind kind) {
  for (const Named& named : kExtensions) {
    if (ext == named.text) return Make(kind, named.side, named.type);
  }
  // .G1 .. .G30: inner copper layers from the top.
  if (ext.size() >= 2 && ext[0] == 'g' && IsDigit(ext[1])) {
    if (const int32_t n = NumberAfter(ext, "g"); n > 0 && n <= 30)
      return Make(kind, Side::kInner, Type::kCopper, n);
  }
  if (const int32_t n = NumberAfter(ext, "gp"); n > 0 && n <= 30)
    return Make(kind, Side::kInner, Type::kCopper, n);
  return std::nullopt;
}

bool Has(const std::vector<std::string>& words, std::string_view word) {
  for (const std::string& w : words) {
    if (w == word) return true;
  }
  return false;
}

bool HasAny(const std::vector<std::string>& words, std::initializer_list<std::string_view> list) {
  for (const std::string_view w : list) {
    if (Has(words, w)) return true;
  }
  return false;
}

Side SideOfWords(const std::vector<std::string>& words, std::string_view lower) {
  if (HasAny(words, {"top", "front", "component", "comp", "toplayer", "topside", "f"}) ||
      lower.find("toplayer") != std::string_view::npos) {
    return Side::kTop;
  }
  if (HasAny(words, {"bottom", "bot", "back", "solder", "bottomlayer", "bottomside", "b"}) ||
      lower.find("bottomlayer") != std::string_view::npos) {
    return Side::kBottom;
  }
  return Side::kNone;
}

// "copper top", "TopLayer", "silkscreen", "board outline", "drill".
std::optional<LayerFunction> FromWords(const std::vector<std::string>& words,
                                       std::string_view lower, FileKind kind) {
  const Side side = SideOfWords(words, lower);
  for (const std::string& w : words) {
    for (const std::string_view prefix : {"inner", "in", "int", "mid", "midlayer"}) {
      if (const int32_t n = NumberAfter(w, prefix)) return Make(kind, Side::kInner, Type::kCopper, n);
    }
  }
  if (HasAny(words, {"outline", "profile", "edge", "edges", "boardoutline", "contour", "dimension",
                     "mill", "milling", "border"}) ||
      lower.find("outline") != std::string_view::npos) {
    return Make(kind, Side::kAll, Type::kOutline);
  }
  if (HasAny(words, {"silk", "silkscreen", "silks", "legend", "overlay", "topsilk", "bottomsilk",
                     "silkscreentop", "silkscreenbottom"}) ||
      lower.find("silk") != std::string_view::npos) {
    return Make(kind, side, Type::kSilkscreen);
  }
  if (HasAny(words, {"paste", "cream", "stencil", "solderpaste"}) ||
      lower.find("paste") != std::string_view::npos) {
    return Make(kind, side, Type::kSolderpaste);
  }
  if (HasAny(words, {"mask", "soldermask", "resist", "stop", "soldermasktop", "soldermaskbottom"}) ||
      lower.find("mask") != std::string_view::npos) {
    return Make(kind, side, Type::kSoldermask);
  }
  if (HasAny(words, {"drill", "drills", "drl", "holes", "excellon", "ncdrill"}) ||
      lower.find("drill") != std::string_view::npos) {
    // A plot of where the holes go is a drawing, not the holes.
    if (HasAny(words, {"map", "drillmap", "guide", "drawing"}) ||
        lower.find("map") != std::string_view::npos) {
      return Make(kind, Side::kNone, Type::kDrawing);
    }
    return Make(kind, Side::kAll, Type::kDrill);
  }
  if (HasAny(words, {"fab", "assembly", "assy", "drawing", "fabrication"})) {
    return Make(kind, side, Type::kDrawing);
  }
  if (HasAny(words, {"copper", "cu", "signal", "layer", "toplayer", "bottomlayer", "topside",
                     "bottomside"}) &&
      side != Side::kNone) {
    return Make(kind, side, Type::kCopper);
  }
  // A name of only a side ("top.gbr", "board_bottom.gbr"): its copper.
  if (side != Side::kNone && words.size() <= 3 &&
      HasAny(words, {"top", "bottom", "bot", "front", "back"})) {
    return Make(kind, side, Type::kCopper);
  }
  return std::nullopt;
}

}  // namespace

std::optional<LayerFunction> FunctionFromName(std::string_view fileName, FileKind kind) {
  const std::string lower = Lower(PathFileName(fileName));
  const std::size_t dot = lower.rfind('.');
  const std::string_view stem =
      dot == std::string::npos ? std::string_view(lower) : std::string_view(lower).substr(0, dot);
  const std::string_view ext =
      dot == std::string::npos ? std::string_view() : std::string_view(lower).substr(dot + 1);
  const std::vector<std::string> words = Words(lower);

  std::optional<LayerFunction> found;
  if (kind == FileKind::kExcellon) {
    // A drill file is a drill file whatever else its name says; the name
    // may only tell its plating.
    LayerFunction drill = Make(kind, Side::kAll, Type::kDrill);
    drill.plating = PlatingOfName(words, lower);
    bool named = drill.plating != LayerPlating::kUnstated;
    for (const std::string_view e : kDrillExtensions) named = named || ext == e;
    named = named || HasAny(words, {"drill", "drl", "holes", "ncdrill"});
    if (!named) return std::nullopt;
    return drill;
  }
  // Older outputs wrote the layer's name with a dot: board-F.Cu.gbr.
  std::string joined(stem);
  for (char& c : joined) {
    if (c == '.') c = '_';
  }
  found = FromLayerSuffix(joined, kind);
  if (!found) found = FromExtension(ext, kind);
  if (!found) found = FromWords(words, lower, kind);
  if (found && found->type == Type::kDrill) found->plating = PlatingOfName(words, lower);
  return found;
}

std::vector<std::string> PlotFileExtensions() {
  std::vector<std::string> extensions{"gbr", "ger"};
  for (const Named& named : kExtensions) {
    // Only the extensions proper; longer entries are whole names' endings.
    if (named.text.size() <= 3) extensions.emplace_back(named.text);
  }
  extensions.emplace_back("g[0-9]*");
  return extensions;
}

std::vector<std::string> DrillFileExtensions() {
  return {kDrillExtensions.begin(), kDrillExtensions.end()};
}

}  // namespace corvane
