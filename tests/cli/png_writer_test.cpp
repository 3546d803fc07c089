#include "cli/png_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace corvane {
namespace {

uint32_t ReadUint32(const std::string& bytes, std::size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3]));
}

struct Decoded {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, row after row
  std::vector<std::string> chunkTypes;
  uint32_t pixelsPerMetre = 0;
};

// A decoder of its own for what the writer makes: every chunk's CRC checked,
// the IDAT data inflated and every row's filter undone.
std::optional<Decoded> Decode(const std::string& file) {
  if (file.compare(0, 8, std::string("\x89PNG\r\n\x1A\n", 8)) != 0) return std::nullopt;
  Decoded out;
  std::string compressed;
  std::size_t at = 8;
  while (at + 12 <= file.size()) {
    const uint32_t length = ReadUint32(file, at);
    if (at + 12 + length > file.size()) return std::nullopt;
    const std::string type = file.substr(at + 4, 4);
    const std::string data = file.substr(at + 8, length);
    const uLong crc = crc32(crc32(0, reinterpret_cast<const Bytef*>(type.data()), 4),
                            reinterpret_cast<const Bytef*>(data.data()), length);
    if (ReadUint32(file, at + 8 + length) != static_cast<uint32_t>(crc)) return std::nullopt;
    out.chunkTypes.push_back(type);
    if (type == "IHDR") {
      if (data != data.substr(0, 8) + std::string("\x08\x02\x00\x00\x00", 5)) return std::nullopt;
      out.width = static_cast<int32_t>(ReadUint32(data, 0));
      out.height = static_cast<int32_t>(ReadUint32(data, 4));
    } else if (type == "pHYs") {
      out.pixelsPerMetre = ReadUint32(data, 0);
    } else if (type == "IDAT") {
      compressed += data;
    }
    at += 12 + length;
  }
  if (at != file.size() || out.chunkTypes.empty() || out.chunkTypes.back() != "IEND") {
    return std::nullopt;
  }
  const std::size_t rowBytes = 1 + 3 * static_cast<std::size_t>(out.width);
  std::string raw(rowBytes * static_cast<std::size_t>(out.height), '\0');
  uLongf rawSize = static_cast<uLongf>(raw.size());
  if (uncompress(reinterpret_cast<Bytef*>(raw.data()), &rawSize,
                 reinterpret_cast<const Bytef*>(compressed.data()),
                 static_cast<uLong>(compressed.size())) != Z_OK ||
      rawSize != raw.size()) {
    return std::nullopt;
  }
  std::vector<uint8_t> above(rowBytes, 0);
  for (int32_t y = 0; y < out.height; ++y) {
    std::vector<uint8_t> row(raw.begin() + static_cast<std::ptrdiff_t>(rowBytes * y),
                             raw.begin() + static_cast<std::ptrdiff_t>(rowBytes * (y + 1)));
    if (row[0] == 2) {
      for (std::size_t i = 1; i < rowBytes; ++i) row[i] = static_cast<uint8_t>(row[i] + above[i]);
    } else if (row[0] != 0) {
      return std::nullopt;
    }
    for (int32_t x = 0; x < out.width; ++x) {
      const uint8_t* p = &row[1 + 3 * static_cast<std::size_t>(x)];
      out.pixels.push_back(static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 |
                           p[2]);
    }
    above = row;
  }
  return out;
}

std::string Write(const PngPicture& picture, bool& ok) {
  std::string file;
  ok = WritePng(picture, [&file](std::string_view bytes) {
    file += bytes;
    return true;
  });
  return file;
}

struct Picture {
  const char* name;
  int32_t width;
  int32_t height;
  std::ptrdiff_t stride;
  enum Kind { kFlat, kStripes, kNoise } kind;
};

// The words as a paint leaves them, top bytes set; the words past the width
// of a row are garbage the writer must not read into the picture.
std::vector<uint32_t> Pixels(const Picture& p) {
  std::mt19937 random(7);
  std::vector<uint32_t> words(static_cast<std::size_t>(p.stride * p.height));
  for (std::size_t i = 0; i < words.size(); ++i) {
    const auto x = static_cast<int32_t>(i % static_cast<std::size_t>(p.stride));
    const auto y = static_cast<int32_t>(i / static_cast<std::size_t>(p.stride));
    uint32_t rgb = 0x102030;
    if (x >= p.width) {
      rgb = random();
    } else if (p.kind == Picture::kStripes) {
      rgb = (x / 3 + y) % 4 == 0 ? 0xFF0000 : 0x0000FF;
    } else if (p.kind == Picture::kNoise) {
      rgb = random() & 0xFFFFFF;
    }
    words[i] = 0xFF000000 | rgb;
  }
  return words;
}

TEST(PngWriterTest, EveryPixelComesBack) {
  const Picture pictures[] = {
      {"one pixel", 1, 1, 1, Picture::kNoise},
      {"flat", 640, 480, 640, Picture::kFlat},
      {"diagonal stripes, odd width", 333, 101, 333, Picture::kStripes},
      {"rows wider than the picture", 17, 9, 24, Picture::kStripes},
      {"one column", 1, 300, 1, Picture::kNoise},
      // Incompressible: several IDAT chunks.
      {"noise", 300, 200, 301, Picture::kNoise},
  };
  for (const Picture& p : pictures) {
    SCOPED_TRACE(p.name);
    const std::vector<uint32_t> words = Pixels(p);
    bool ok = false;
    const std::string file = Write({words.data(), p.stride, p.width, p.height}, ok);
    ASSERT_TRUE(ok);
    const std::optional<Decoded> decoded = Decode(file);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, p.width);
    EXPECT_EQ(decoded->height, p.height);
    EXPECT_EQ(decoded->pixelsPerMetre, 3780u);
    EXPECT_EQ(decoded->chunkTypes.front(), "IHDR");
    ASSERT_EQ(decoded->pixels.size(), static_cast<std::size_t>(p.width * p.height));
    std::size_t differing = 0;
    for (int32_t y = 0; y < p.height; ++y) {
      for (int32_t x = 0; x < p.width; ++x) {
        const uint32_t want = words[static_cast<std::size_t>(y * p.stride + x)] & 0xFFFFFF;
        differing += decoded->pixels[static_cast<std::size_t>(y * p.width + x)] != want;
      }
    }
    EXPECT_EQ(differing, 0u);
    if (p.kind == Picture::kNoise && p.width * p.height > 50000) {
      EXPECT_GT(std::count(decoded->chunkTypes.begin(), decoded->chunkTypes.end(), "IDAT"), 1);
    }
  }
}

TEST(PngWriterTest, PicturesItCannotWriteWriteNothing) {
  const uint32_t pixel = 0;
  const PngPicture invalid[] = {
      {nullptr, 1, 1, 1}, {&pixel, 1, 0, 1},
      {&pixel, 1, 1, 0},  {&pixel, 1, -1, 1},
      {&pixel, 0, 2, 1},  // rows overlapping
      {&pixel, 1, 1, -1}, {&pixel, (1 << 28) + 1, (1 << 28) + 1, 1},
  };
  for (const PngPicture& picture : invalid) {
    bool ok = true;
    EXPECT_TRUE(Write(picture, ok).empty());
    EXPECT_FALSE(ok);
  }
}

// A sink that fails at any one of its pieces stops the writing there, and the
// writer says so.
TEST(PngWriterTest, ARefusedPieceStopsTheWriting) {
  const Picture p{"noise", 200, 150, 200, Picture::kNoise};
  const std::vector<uint32_t> words = Pixels(p);
  const PngPicture picture{words.data(), p.stride, p.width, p.height};
  std::size_t pieces = 0;
  ASSERT_TRUE(WritePng(picture, [&pieces](std::string_view) { return ++pieces > 0; }));
  ASSERT_GT(pieces, 10u);
  for (std::size_t refused = 0; refused < pieces; ++refused) {
    std::size_t taken = 0;
    const bool ok =
        WritePng(picture, [&taken, refused](std::string_view) { return taken++ != refused; });
    EXPECT_FALSE(ok) << refused;
    EXPECT_EQ(taken, refused + 1) << refused;
  }
}

}  // namespace
}  // namespace corvane
