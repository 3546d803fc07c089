// What the program's PNG writer makes, read back by Qt's own decoder: other
// programs must see exactly the pixels that were painted.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <vector>

#include "cli/png_writer.h"

namespace corvane {
namespace {

TEST(PngWriterQtTest, QtReadsEveryPixel) {
  struct Case {
    int32_t width;
    int32_t height;
    uint32_t seed;
  };
  const Case cases[] = {{1, 1, 1}, {1920, 1080, 2}, {257, 3, 3}, {5, 700, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    QImage painted(c.width, c.height, QImage::Format_RGB32);
    // Flat areas with a pattern of lines and single dots, as boards look.
    uint32_t state = c.seed;
    for (int32_t y = 0; y < c.height; ++y) {
      for (int32_t x = 0; x < c.width; ++x) {
        state = state * 1664525u + 1013904223u;
        const bool line = (x + 2 * y) % 37 < 2;
        const QRgb rgb = line ? qRgb(200, 30, 10) : (state >> 28) == 0 ? state : qRgb(16, 32, 48);
        painted.setPixel(x, y, rgb);
      }
    }
    QByteArray file;
    const PngPicture picture{reinterpret_cast<const uint32_t*>(painted.constBits()),
                             painted.bytesPerLine() / 4, c.width, c.height};
    ASSERT_TRUE(WritePng(picture, [&file](std::string_view bytes) {
      file.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
      return true;
    }));
    const QImage read = QImage::fromData(file, "PNG");
    ASSERT_EQ(read.size(), painted.size());
    EXPECT_EQ(read.dotsPerMeterX(), 3780);
    int64_t differing = 0;
    for (int32_t y = 0; y < c.height; ++y) {
      for (int32_t x = 0; x < c.width; ++x) {
        differing += (read.pixel(x, y) & 0xFFFFFF) != (painted.pixel(x, y) & 0xFFFFFF);
      }
    }
    EXPECT_EQ(differing, 0);
  }
}

TEST(PngWriterQtTest, AlphaComesBackWithEveryPixel) {
  // Clear, half and opaque pixels in rows that repeat and rows that do not.
  QImage painted(61, 17, QImage::Format_ARGB32);
  for (int y = 0; y < painted.height(); ++y) {
    for (int x = 0; x < painted.width(); ++x) {
      const int alpha = (x + y / 4) % 3 == 0 ? 0 : (x % 5 == 0 ? 128 : 255);
      painted.setPixel(x, y, qRgba(x * 4, 200 - y * 3, 77, alpha));
    }
  }
  QByteArray file;
  const PngPicture picture{reinterpret_cast<const uint32_t*>(painted.constBits()),
                           painted.bytesPerLine() / 4, painted.width(), painted.height(), true};
  ASSERT_TRUE(WritePng(picture, [&file](std::string_view bytes) {
    file.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return true;
  }));
  const QImage read = QImage::fromData(file, "PNG").convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(read.size(), painted.size());
  EXPECT_TRUE(read.hasAlphaChannel());
  int64_t differing = 0;
  int64_t clear = 0;
  for (int y = 0; y < painted.height(); ++y) {
    for (int x = 0; x < painted.width(); ++x) {
      differing += read.pixel(x, y) != painted.pixel(x, y);
      clear += qAlpha(read.pixel(x, y)) == 0;
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(clear, 0);
}

}  // namespace
}  // namespace corvane
