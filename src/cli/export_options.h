#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/board_picture.h"
#include "cli/working_set.h"

namespace corvane {

enum class ExportFormat { kPng, kSvg, kPdf };
enum class ExportPage { kLetter, kA4, kA3, kLegal };

// A page in hundredths of an inch, the print mapping's logical units.
struct PageExtent {
  int32_t width = 0;
  int32_t height = 0;
};

// What `corvane export` was asked for, with the working set it pictures.
struct ExportOptions {
  std::string output;
  ExportFormat format = ExportFormat::kPng;
  int32_t width = 1920;
  int32_t height = 1080;
  uint32_t background = 0xFFFFFF;  // 0x00BBGGRR
  ExportPage page = ExportPage::kLetter;
  // The standard reading of the files instead of the classic one.
  bool standard = false;
  // With a value, the picture is sized to everything drawn at this many
  // pixels per plot unit (an inch in the standard reading), with a margin of
  // kExportMargin pixels, instead of --size.
  int32_t dpi = 0;
  WorkingSetArguments workingSet;
  // --board: the board as made, seen from that side, with the colours
  // chosen here (indices into PaintChoices), else the stored ones.
  std::optional<BoardSide> board;
  std::optional<uint32_t> paints[3];  // by BoardPaint
  // The picture of the board, composed by RunExport before it is written.
  std::shared_ptr<const BoardPicture> boardPicture;
};

struct ExportParseResult {
  bool ok = false;
  std::string error;  // why the arguments were refused
  ExportOptions options;
};

inline constexpr std::string_view kExportUsage =
    "usage: corvane export [--defaults] [--standard] [--size WxH | --dpi N] "
    "[--background #RRGGBB] [--page letter|a4|a3|legal] [--aperture-file F] "
    "[--drill-tool-file F] [--drill-file F] [--board top|bottom [--mask COLOUR] "
    "[--finish COLOUR] [--silk COLOUR]] -o OUT.png|OUT.svg|OUT.pdf [FILE...]";

// The largest picture side, in pixels: a 16384 x 16384 picture is already 1 GiB.
inline constexpr int32_t kMaxExportSide = 16384;
// The margin around a picture sized with --dpi, in pixels.
inline constexpr int32_t kExportMargin = 4;
// The largest --dpi.
inline constexpr int32_t kMaxExportDpi = 100000;

// Reads the arguments after "export": its own options and the working set.
ExportParseResult ParseExportArguments(std::span<const std::string> arguments);

// "WxH" with both sides from 1 to kMaxExportSide.
bool ParseExportSize(std::string_view text, int32_t& width, int32_t& height);
// "#RRGGBB" as 0x00BBGGRR.
bool ParseExportColor(std::string_view text, uint32_t& color);
bool ParseExportPage(std::string_view text, ExportPage& page);
// A whole number from 1 to kMaxExportDpi.
bool ParseExportDpi(std::string_view text, int32_t& dpi);
// By the extension of the output's name, in any case.
bool ExportFormatOf(std::string_view path, ExportFormat& format);
PageExtent PageExtentOf(ExportPage page);

}  // namespace corvane
