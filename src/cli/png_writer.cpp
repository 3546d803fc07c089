#include "cli/png_writer.h"

#include <zlib.h>

#include <array>
#include <string>
#include <vector>

namespace corvane {
namespace {

constexpr std::string_view kSignature{"\x89PNG\r\n\x1A\n", 8};
// 96 pixels per inch, as pixels per metre: what pictures of this program have
// always said.
constexpr uint32_t kPixelsPerMetre = 3780;
// Compressed bytes gathered before they go out as one IDAT chunk.
constexpr std::size_t kChunkData = 65536;
constexpr uint8_t kFilterUp = 2;

void PutUint32(std::string& out, uint32_t value) {
  out += static_cast<char>(value >> 24);
  out += static_cast<char>(value >> 16 & 0xFF);
  out += static_cast<char>(value >> 8 & 0xFF);
  out += static_cast<char>(value & 0xFF);
}

// Length, type, data and the CRC over type and data.
bool WriteChunk(const PngSink& sink, std::string_view type, std::string_view data) {
  std::string head;
  PutUint32(head, static_cast<uint32_t>(data.size()));
  head += type;
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type.data()), 4);
  // No call for no data: given no bytes at all, crc32 answers its initial value.
  if (!data.empty()) {
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
  }
  std::string tail;
  PutUint32(tail, static_cast<uint32_t>(crc));
  return sink(head) && (data.empty() || sink(data)) && sink(tail);
}

bool WriteHeader(const PngPicture& picture, const PngSink& sink) {
  std::string header;
  PutUint32(header, static_cast<uint32_t>(picture.width));
  PutUint32(header, static_cast<uint32_t>(picture.height));
  // Eight bits a sample, RGB or RGBA, deflate, adaptive filters, no interlacing.
  header += picture.alpha ? std::string_view("\x08\x06\x00\x00\x00", 5)
                          : std::string_view("\x08\x02\x00\x00\x00", 5);
  std::string density;
  PutUint32(density, kPixelsPerMetre);
  PutUint32(density, kPixelsPerMetre);
  density += '\x01';  // the unit is the metre
  return sink(kSignature) && WriteChunk(sink, "IHDR", header) && WriteChunk(sink, "pHYs", density);
}

// One row as PNG wants it: the filter byte, then R, G, B of each pixel less
// those of the pixel above (the row above the first is all zeros), so that
// everything that repeats from row to row becomes runs of zeros.
void FilterRow(const uint32_t* row, const uint32_t* above, int32_t width, bool alpha,
               uint8_t* out) {
  *out++ = kFilterUp;
  for (int32_t x = 0; x < width; ++x) {
    const uint32_t p = row[x];
    const uint32_t q = above != nullptr ? above[x] : 0;
    out[0] = static_cast<uint8_t>((p >> 16) - (q >> 16));
    out[1] = static_cast<uint8_t>((p >> 8) - (q >> 8));
    out[2] = static_cast<uint8_t>(p - q);
    if (alpha) {
      out[3] = static_cast<uint8_t>((p >> 24) - (q >> 24));
      ++out;
    }
    out += 3;
  }
}

// The compressed stream, handed out in IDAT chunks.
class IdatStream {
 public:
  explicit IdatStream(const PngSink& sink) : sink_(sink), out_(kChunkData) {
    // Runs only: rows of a board picture repeat themselves or the row above,
    // and searching for longer matches costs several times the time.
    ok_ = deflateInit2(&z_, 1, Z_DEFLATED, 15, 8, Z_RLE) == Z_OK;
    Reset();
  }
  ~IdatStream() {
    if (ok_) deflateEnd(&z_);
  }
  IdatStream(const IdatStream&) = delete;
  IdatStream& operator=(const IdatStream&) = delete;

  bool Write(const uint8_t* data, std::size_t size, bool last) {
    if (!ok_) return false;
    z_.next_in = const_cast<Bytef*>(data);
    z_.avail_in = static_cast<uInt>(size);
    // Until the row is taken in (and, for the last, the stream is ended),
    // sending out every chunk that fills on the way.
    int result = Z_OK;
    do {
      result = deflate(&z_, last ? Z_FINISH : Z_NO_FLUSH);
      if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) return false;
      if (z_.avail_out == 0 && !Emit()) return false;
    } while (z_.avail_in != 0 || (last && result != Z_STREAM_END));
    return !last || Emit();
  }

 private:
  void Reset() {
    z_.next_out = out_.data();
    z_.avail_out = static_cast<uInt>(out_.size());
  }
  bool Emit() {
    const std::size_t size = out_.size() - z_.avail_out;
    Reset();
    if (size == 0) return true;
    return WriteChunk(sink_, "IDAT", {reinterpret_cast<const char*>(out_.data()), size});
  }

  const PngSink& sink_;
  z_stream z_{};
  std::vector<uint8_t> out_;
  bool ok_ = false;
};

}  // namespace

bool WritePng(const PngPicture& picture, const PngSink& sink) {
  // The format's sides are positive 31-bit numbers; a zlib call takes at most
  // 4 GiB, which a row of this many pixels stays far below.
  if (picture.pixels == nullptr || picture.width <= 0 || picture.height <= 0 ||
      picture.width > (1 << 28) || picture.stride < picture.width) {
    return false;
  }
  if (!WriteHeader(picture, sink)) return false;
  IdatStream stream(sink);
  const std::size_t samples = picture.alpha ? 4 : 3;
  std::vector<uint8_t> row(1 + samples * static_cast<std::size_t>(picture.width));
  const uint32_t* above = nullptr;
  for (int32_t y = 0; y < picture.height; ++y) {
    const uint32_t* pixels = picture.pixels + picture.stride * y;
    FilterRow(pixels, above, picture.width, picture.alpha, row.data());
    if (!stream.Write(row.data(), row.size(), y + 1 == picture.height)) return false;
    above = pixels;
  }
  return WriteChunk(sink, "IEND", {});
}

}  // namespace corvane
