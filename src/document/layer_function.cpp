#include "document/layer_function.h"

#include <array>
#include <charconv>
#include <vector>

namespace corvane {
namespace {

constexpr std::array<std::string_view, 7> kKindNames{
    "unknown", "gerber", "excellon", "aperture-table", "drill-tool-table", "job", "netlist"};
constexpr std::array<std::string_view, 5> kSideNames{"none", "top", "bottom", "inner", "all"};
constexpr std::array<std::string_view, 8> kTypeNames{
    "other", "copper", "soldermask", "silkscreen", "solderpaste", "outline", "drill", "drawing"};
constexpr std::array<std::string_view, 4> kPlatingNames{"", "plated", "non-plated", "mixed"};
constexpr std::array<std::string_view, 5> kSourceNames{"", "attributes", "job", "name",
                                                       "content"};

template <typename Enum, std::size_t N>
std::string_view NameOf(const std::array<std::string_view, N>& names, Enum value) {
  const auto index = static_cast<std::size_t>(value);
  return index < N ? names[index] : std::string_view();
}

template <typename Enum, std::size_t N>
std::optional<Enum> Named(const std::array<std::string_view, N>& names, std::string_view name) {
  for (std::size_t i = 0; i < N; ++i) {
    if (names[i] == name) return static_cast<Enum>(i);
  }
  return std::nullopt;
}

std::vector<std::string_view> SplitCommas(std::string_view text) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t comma = text.find(',');
    parts.push_back(text.substr(0, comma));
    if (comma == std::string_view::npos) return parts;
    text.remove_prefix(comma + 1);
  }
}

std::string Capitalized(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
  return text;
}

std::string TypeInWords(const LayerFunction& f) {
  switch (f.type) {
    case LayerType::kCopper:
      return "copper";
    case LayerType::kSoldermask:
      return "soldermask";
    case LayerType::kSilkscreen:
      return "silkscreen";
    case LayerType::kSolderpaste:
      return "solder paste";
    case LayerType::kOutline:
      return "outline";
    case LayerType::kDrill:
      switch (f.plating) {
        case LayerPlating::kPlated:
          return "plated drill";
        case LayerPlating::kNonPlated:
          return "non-plated drill";
        case LayerPlating::kMixed:
          return "plated and non-plated drill";
        case LayerPlating::kUnstated:
          break;
      }
      return "drill";
    case LayerType::kDrawing:
      return "drawing";
    case LayerType::kOther:
      break;
  }
  return "layer";
}

}  // namespace

std::string_view FileKindName(FileKind kind) { return NameOf(kKindNames, kind); }
std::string_view LayerSideName(LayerSide side) { return NameOf(kSideNames, side); }
std::string_view LayerTypeName(LayerType type) { return NameOf(kTypeNames, type); }
std::string_view LayerPlatingName(LayerPlating plating) { return NameOf(kPlatingNames, plating); }
std::string_view FunctionSourceName(FunctionSource from) { return NameOf(kSourceNames, from); }

std::optional<FileKind> FileKindNamed(std::string_view name) {
  return Named<FileKind>(kKindNames, name);
}
std::optional<LayerSide> LayerSideNamed(std::string_view name) {
  return Named<LayerSide>(kSideNames, name);
}
std::optional<LayerType> LayerTypeNamed(std::string_view name) {
  return Named<LayerType>(kTypeNames, name);
}
std::optional<LayerPlating> LayerPlatingNamed(std::string_view name) {
  return Named<LayerPlating>(kPlatingNames, name);
}
std::optional<FunctionSource> FunctionSourceNamed(std::string_view name) {
  return Named<FunctionSource>(kSourceNames, name);
}

std::string FunctionInWords(const LayerFunction& f) {
  std::string words;
  switch (f.kind) {
    case FileKind::kApertureTable:
      return "Aperture table";
    case FileKind::kDrillToolTable:
      return "Drill tool table";
    case FileKind::kJob:
      return "Job file";
    case FileKind::kNetlist:
      return "Netlist";
    case FileKind::kUnknown:
      return "Unknown file";
    case FileKind::kGerber:
    case FileKind::kExcellon:
      break;
  }
  switch (f.side) {
    case LayerSide::kTop:
      words = "top ";
      break;
    case LayerSide::kBottom:
      words = "bottom ";
      break;
    case LayerSide::kInner:
      words = "inner ";
      break;
    case LayerSide::kAll:
    case LayerSide::kNone:
      break;
  }
  words += TypeInWords(f);
  if (f.side == LayerSide::kInner && f.inner > 0) words += " " + std::to_string(f.inner);
  if (f.negative) words += " (negative)";
  return Capitalized(std::move(words));
}

std::string FormatLayerFunction(const LayerFunction& f) {
  std::string text(FileKindName(f.kind));
  const std::string inner = std::to_string(f.inner);
  for (const std::string_view field :
       {LayerSideName(f.side), LayerTypeName(f.type), std::string_view(inner),
        LayerPlatingName(f.plating), FunctionSourceName(f.from),
        std::string_view(f.negative ? "negative" : "positive")}) {
    text += ',';
    text += field;
  }
  return text;
}

std::optional<LayerFunction> ParseLayerFunction(std::string_view text) {
  const std::vector<std::string_view> parts = SplitCommas(text);
  if (parts.size() != 7) return std::nullopt;
  LayerFunction f;
  const auto kind = FileKindNamed(parts[0]);
  const auto side = LayerSideNamed(parts[1]);
  const auto type = LayerTypeNamed(parts[2]);
  const auto plating = LayerPlatingNamed(parts[4]);
  const auto from = FunctionSourceNamed(parts[5]);
  int32_t inner = 0;
  const auto [end, error] = std::from_chars(parts[3].data(), parts[3].data() + parts[3].size(), inner);
  if (!kind || !side || !type || !plating || !from || error != std::errc() ||
      end != parts[3].data() + parts[3].size() || inner < 0 ||
      (parts[6] != "positive" && parts[6] != "negative")) {
    return std::nullopt;
  }
  f.kind = *kind;
  f.side = *side;
  f.type = *type;
  f.inner = inner;
  f.plating = *plating;
  f.from = *from;
  f.negative = parts[6] == "negative";
  return f;
}

}  // namespace corvane
