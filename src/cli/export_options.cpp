#include "cli/export_options.h"

#include <charconv>

#include "cli/argument_parser.h"
#include "text/ascii.h"

namespace corvane {
namespace {

bool ParseSide(std::string_view text, int32_t& side) {
  if (text.empty() || text.size() > 6) return false;
  for (const char c : text) {
    if (!IsDigit(c)) return false;
  }
  int32_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  if (value < 1 || value > kMaxExportSide) return false;
  side = value;
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

ExportParseResult Refuse(std::string error) {
  ExportParseResult result;
  result.error = std::move(error);
  return result;
}

struct PaintOption {
  std::string_view name;
  BoardPaint paint;
};
constexpr PaintOption kPaintOptions[] = {
    {"--mask", BoardPaint::kMask},
    {"--finish", BoardPaint::kFinish},
    {"--silk", BoardPaint::kSilk},
};

// --board and the colours; true for any other option.
bool TakeBoardOption(std::string_view name, const std::string& value, ExportOptions& o,
                     std::string& error) {
  if (name == "--board") {
    if (value == "top") {
      o.board = BoardSide::kTop;
    } else if (value == "bottom") {
      o.board = BoardSide::kBottom;
    } else {
      error = "bad --board " + value;
      return false;
    }
    return true;
  }
  for (const PaintOption& p : kPaintOptions) {
    if (name != p.name) continue;
    o.paints[static_cast<int>(p.paint)] = PaintChoiceNamed(p.paint, value);
    if (o.paints[static_cast<int>(p.paint)]) return true;
    error = "bad " + std::string(name) + " " + value;
    return false;
  }
  return true;
}

}  // namespace

bool ParseExportSize(std::string_view text, int32_t& width, int32_t& height) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) return false;
  int32_t w = 0;
  int32_t h = 0;
  if (!ParseSide(text.substr(0, x), w) || !ParseSide(text.substr(x + 1), h)) return false;
  width = w;
  height = h;
  return true;
}

bool ParseExportColor(std::string_view text, uint32_t& color) {
  if (text.size() != 7 || text[0] != '#') return false;
  uint32_t rgb = 0;
  for (std::size_t i = 1; i < 7; ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) return false;
    rgb = rgb << 4 | static_cast<uint32_t>(digit);
  }
  color = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
  return true;
}

bool ParseExportPage(std::string_view text, ExportPage& page) {
  if (text == "letter") {
    page = ExportPage::kLetter;
  } else if (text == "a4") {
    page = ExportPage::kA4;
  } else if (text == "a3") {
    page = ExportPage::kA3;
  } else if (text == "legal") {
    page = ExportPage::kLegal;
  } else {
    return false;
  }
  return true;
}

bool ParseExportDpi(std::string_view text, int32_t& dpi) {
  if (text.empty() || text.size() > 6) return false;
  for (const char c : text) {
    if (!IsDigit(c)) return false;
  }
  int32_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  if (value < 1 || value > kMaxExportDpi) return false;
  dpi = value;
  return true;
}

bool ExportFormatOf(std::string_view path, ExportFormat& format) {
  if (EndsWithNoCase(path, ".png")) {
    format = ExportFormat::kPng;
  } else if (EndsWithNoCase(path, ".svg")) {
    format = ExportFormat::kSvg;
  } else if (EndsWithNoCase(path, ".pdf")) {
    format = ExportFormat::kPdf;
  } else {
    return false;
  }
  return true;
}

PageExtent PageExtentOf(ExportPage page) {
  // A4 and A3 are whole millimetres; they are rounded to the nearest 1/100 inch.
  switch (page) {
    case ExportPage::kA4:
      return {827, 1169};
    case ExportPage::kA3:
      return {1169, 1654};
    case ExportPage::kLegal:
      return {850, 1400};
    case ExportPage::kLetter:
      break;
  }
  return {850, 1100};
}

ExportParseResult ParseExportArguments(std::span<const std::string> arguments) {
  static constexpr OptionSpec kExportOptions[] = {
      {"-o", {}, true, "a file name"},
      {"--size", {}, true, "WxH"},
      {"--background", {}, true, "#RRGGBB"},
      {"--page", {}, true, "a page size"},
      {"--standard"},
      {"--dpi", {}, true, "a number"},
      {"--board", {}, true, "top or bottom"},
      {"--mask", {}, true, "a mask colour"},
      {"--finish", {}, true, "a finish colour"},
      {"--silk", {}, true, "a silkscreen colour"},
  };
  ExportParseResult result;
  ExportOptions& o = result.options;
  ParsedArguments parsed;
  if (!ParseArguments(arguments, JoinOptions({kWorkingSetOptions, kExportOptions}), parsed,
                      result.error) ||
      !TakeWorkingSet(parsed, o.workingSet, result.error)) {
    return result;
  }
  // Each value is judged where it stands, as the options come.
  bool haveOutput = false;
  bool haveSize = false;
  for (const ParsedArguments::Option& option : parsed.options) {
    const std::string& value = option.value;
    if (option.name == "-o") {
      if (haveOutput) return Refuse("only one -o");
      if (!ExportFormatOf(value, o.format)) return Refuse("OUT must end in .png, .svg or .pdf");
      o.output = value;
      haveOutput = true;
    } else if (option.name == "--size") {
      if (!ParseExportSize(value, o.width, o.height)) return Refuse("bad --size " + value);
      haveSize = true;
    } else if (option.name == "--dpi") {
      if (!ParseExportDpi(value, o.dpi)) return Refuse("bad --dpi " + value);
    } else if (option.name == "--standard") {
      o.standard = true;
    } else if (option.name == "--background") {
      if (!ParseExportColor(value, o.background)) return Refuse("bad --background " + value);
    } else if (option.name == "--page" && !ParseExportPage(value, o.page)) {
      return Refuse("bad --page " + value);
    } else if (!TakeBoardOption(option.name, value, o, result.error)) {
      return result;
    }
  }
  if (!o.board && (o.paints[0] || o.paints[1] || o.paints[2]))
    return Refuse("--mask, --finish and --silk need --board");
  if (!haveOutput) return Refuse("no -o OUT");
  if (haveSize && o.dpi != 0) return Refuse("--size and --dpi exclude each other");
  result.ok = true;
  return result;
}

}  // namespace corvane
