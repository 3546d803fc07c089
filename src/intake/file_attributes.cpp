#include "intake/file_attributes.h"

#include <array>
#include <charconv>
#include <vector>

#include "intake/file_sniffer.h"
#include "text/ascii.h"

namespace corvane {
namespace {

constexpr std::size_t kAttributeBytes = 16 * 1024;

std::vector<std::string_view> SplitFields(std::string_view value) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t comma = value.find(',');
    std::string_view field = value.substr(0, comma);
    while (!field.empty() && IsCSpace(field.front())) field.remove_prefix(1);
    while (!field.empty() && IsCSpace(field.back())) field.remove_suffix(1);
    fields.push_back(field);
    if (comma == std::string_view::npos) return fields;
    value.remove_prefix(comma + 1);
  }
}

// "L3" as 3; 0 for anything else.
int32_t CopperLayerNumber(std::string_view field) {
  if (field.size() < 2 || (field[0] != 'L' && field[0] != 'l')) return 0;
  int32_t number = 0;
  const auto [end, error] = std::from_chars(field.data() + 1, field.data() + field.size(), number);
  if (error != std::errc() || end != field.data() + field.size() || number < 1) return 0;
  return number;
}

int32_t PositiveNumber(std::string_view field) {
  int32_t number = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), number);
  return error == std::errc() && end == field.data() + field.size() && number > 0 ? number : 0;
}

LayerSide SideWord(std::string_view word) {
  if (EqualNoCase(word, "Top")) return LayerSide::kTop;
  if (EqualNoCase(word, "Bot")) return LayerSide::kBottom;
  if (EqualNoCase(word, "Inr")) return LayerSide::kInner;
  return LayerSide::kNone;
}

// Takes the value of one attribute statement, "TF.Name,value", into `out`.
void TakeAttribute(std::string_view statement, FileAttributes& out) {
  if (statement.substr(0, 3) != "TF.") {
    if (statement.substr(0, 3) == "TA." || statement.substr(0, 3) == "TO." ||
        statement.substr(0, 2) == "TD") {
      out.x2 = true;
    }
    return;
  }
  out.x2 = true;
  statement.remove_prefix(3);
  const std::size_t comma = statement.find(',');
  const std::string_view name = statement.substr(0, comma);
  const std::string_view value =
      comma == std::string_view::npos ? std::string_view() : statement.substr(comma + 1);
  if (name == "FileFunction" && out.fileFunction.empty()) out.fileFunction = value;
  if (name == "FilePolarity" && out.filePolarity.empty()) out.filePolarity = value;
  if (name == "SameCoordinates" || name == "FileFunction") {
    // Excellon states the span of copper layers its holes go through: the
    // highest is the bottom layer's number.
    const std::vector<std::string_view> fields = SplitFields(value);
    if (fields.size() >= 3 && (fields[0] == "Plated" || fields[0] == "NonPlated")) {
      const int32_t to = PositiveNumber(fields[2]);
      if (to > out.layerCount) out.layerCount = to;
    }
  }
}

}  // namespace

FileAttributes ReadFileAttributes(std::string_view head) {
  // File attributes and units stand in the header, before the drawing.
  head = head.substr(0, kAttributeBytes);
  FileAttributes out;
  std::size_t pos = 0;
  while (pos < head.size()) {
    const std::size_t end = LineEnd(head, pos);
    std::string_view line = head.substr(pos, end - pos);
    pos = end + 1;
    if (line.find("MOMM") != std::string_view::npos || line.rfind("METRIC", 0) == 0 ||
        line.rfind("M71", 0) == 0) {
      out.metric = true;
    }
    // Every attribute of a line: parameter blocks and comment forms alike.
    for (std::size_t at = line.find('T'); at != std::string_view::npos; at = line.find('T', at + 1)) {
      const bool block = at > 0 && line[at - 1] == '%';
      const bool comment = at >= 4 && line.substr(at - 4, 4) == "#@! ";
      if (!block && !comment) continue;
      std::string_view statement = line.substr(at);
      const std::size_t stop = statement.find('*');
      TakeAttribute(statement.substr(0, stop), out);
    }
  }
  return out;
}

std::optional<LayerFunction> FunctionFromAttribute(std::string_view fileFunction,
                                                   std::string_view filePolarity, FileKind kind,
                                                   FunctionSource from, int32_t layerCount) {
  const std::vector<std::string_view> f = SplitFields(fileFunction);
  if (f.empty() || f[0].empty()) return std::nullopt;
  LayerFunction out;
  out.kind = kind;
  out.from = from;
  out.negative = EqualNoCase(filePolarity, "Negative");
  const std::string_view what = f[0];
  const auto field = [&f](std::size_t i) { return i < f.size() ? f[i] : std::string_view(); };
  if (EqualNoCase(what, "Copper")) {
    out.type = LayerType::kCopper;
    out.side = SideWord(field(2));
    const int32_t number = CopperLayerNumber(field(1));
    if (out.side == LayerSide::kNone && number == 1) out.side = LayerSide::kTop;
    if (out.side == LayerSide::kNone && number > 1 && number == layerCount) {
      out.side = LayerSide::kBottom;
    }
    if (out.side == LayerSide::kNone && number > 1) out.side = LayerSide::kInner;
    // L2 is the first layer under the top one.
    if (out.side == LayerSide::kInner) out.inner = number > 1 ? number - 1 : 0;
    return out;
  }
  struct Sided {
    std::string_view name;
    LayerType type;
  };
  static constexpr std::array<Sided, 13> kSided{{
      {"Soldermask", LayerType::kSoldermask},     {"Legend", LayerType::kSilkscreen},
      {"Paste", LayerType::kSolderpaste},         {"AssemblyDrawing", LayerType::kDrawing},
      {"Component", LayerType::kOther},           {"Carbonmask", LayerType::kOther},
      {"Goldmask", LayerType::kOther},            {"Heatsinkmask", LayerType::kOther},
      {"Peelablemask", LayerType::kOther},        {"Silvermask", LayerType::kOther},
      {"Tinmask", LayerType::kOther},             {"Glue", LayerType::kOther},
      {"Depthrout", LayerType::kOther},
  }};
  for (const Sided& sided : kSided) {
    if (!EqualNoCase(what, sided.name)) continue;
    out.type = sided.type;
    // Component layers name their copper layer first: Component,L1,Top.
    out.side = SideWord(EqualNoCase(what, "Component") ? field(2) : field(1));
    return out;
  }
  if (EqualNoCase(what, "Profile")) {
    out.type = LayerType::kOutline;
    out.side = LayerSide::kAll;
    return out;
  }
  if (EqualNoCase(what, "Plated") || EqualNoCase(what, "NonPlated")) {
    out.type = LayerType::kDrill;
    out.plating = EqualNoCase(what, "Plated") ? LayerPlating::kPlated : LayerPlating::kNonPlated;
    const std::string_view span = field(3);
    const int32_t first = PositiveNumber(field(1));
    out.side = LayerSide::kAll;
    if (EqualNoCase(span, "Blind")) out.side = first == 1 ? LayerSide::kTop : LayerSide::kBottom;
    if (EqualNoCase(span, "Buried")) out.side = LayerSide::kInner;
    return out;
  }
  static constexpr std::array<std::string_view, 6> kDrawings{
      "FabricationDrawing", "ArrayDrawing", "Drillmap", "OtherDrawing", "Drawing", "Vcut"};
  for (const std::string_view drawing : kDrawings) {
    if (!EqualNoCase(what, drawing)) continue;
    out.type = LayerType::kDrawing;
    out.side = SideWord(field(1));
    return out;
  }
  if (EqualNoCase(what, "Keep-out") || EqualNoCase(what, "Pads") || EqualNoCase(what, "Viafill") ||
      EqualNoCase(what, "Other") || EqualNoCase(what, "Plated+NonPlated")) {
    out.type = EqualNoCase(what, "Viafill") ? LayerType::kDrill : LayerType::kOther;
    out.side = SideWord(field(1));
    return out;
  }
  return std::nullopt;
}

}  // namespace corvane
