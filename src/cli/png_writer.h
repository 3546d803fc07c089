#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace corvane {

// A picture in memory: rows of 32-bit words 0xAARRGGBB, `stride` words from
// the start of one row to the next. The top byte is read only with `alpha`:
// then it is the pixel's opacity, not premultiplied.
struct PngPicture {
  const uint32_t* pixels = nullptr;
  std::ptrdiff_t stride = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool alpha = false;
};

// Receives the file's bytes in order, a piece at a time; false stops the writing.
using PngSink = std::function<bool(std::string_view bytes)>;

// Writes `picture` as an 8-bit RGB (or, with alpha, RGBA) PNG at 96 pixels per inch. Board pictures
// are mostly flat colour with thin lines, so each row is stored as its
// difference from the row above and compressed by runs: a few per cent of the
// raw size, at several hundred megabytes a second. Memory stays at a few rows
// and the compressor's state, whatever the size. False, having written only
// part of the file, when the picture is empty or larger than the format
// allows, when the compressor fails, or when `sink` refuses a piece.
bool WritePng(const PngPicture& picture, const PngSink& sink);

}  // namespace corvane
