#include "qt/raster_picture.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QString>

#include <sys/mman.h>

#include <cstdlib>

#include "cli/png_writer.h"
#include "qt/qimage_surface.h"
#include "qt/window_picture.h"

namespace corvane {

struct RasterPicture::Impl {
  QImage image;
  uint32_t background = 0xFFFFFF;
  bool transparent = false;
};

namespace {

constexpr std::size_t kHugePage = 2u << 20;

// A picture's rows in memory backed by huge pages where the system allows it:
// a paint strikes rows all over the picture, and with 4 KiB pages nearly every
// row of every primitive would need its own address translation.
QImage AllocateImage(int32_t width, int32_t height, QImage::Format format) {
  if (width <= 0 || height <= 0) return QImage();
  const std::size_t bytesPerLine = static_cast<std::size_t>(width) * 4;
  const std::size_t bytes =
      (bytesPerLine * static_cast<std::size_t>(height) + kHugePage - 1) / kHugePage * kHugePage;
  void* data = std::aligned_alloc(kHugePage, bytes);
  if (data == nullptr) return QImage(width, height, format);
  madvise(data, bytes, MADV_HUGEPAGE);
  return QImage(
      static_cast<uchar*>(data), width, height, static_cast<qsizetype>(bytesPerLine),
      format, [](void* p) { std::free(p); }, data);
}

}  // namespace

RasterPicture::RasterPicture(int32_t width, int32_t height, uint32_t background)
    : impl_(std::make_unique<Impl>()) {
  impl_->image = AllocateImage(width, height, QImage::Format_RGB32);
  impl_->background = background;
}

std::unique_ptr<RasterPicture> RasterPicture::Transparent(int32_t width, int32_t height) {
  auto picture = std::make_unique<RasterPicture>(0, 0, 0);
  picture->impl_->image = AllocateImage(width, height, QImage::Format_ARGB32);
  picture->impl_->transparent = true;
  return picture;
}

RasterPicture::~RasterPicture() = default;

bool RasterPicture::IsValid() const { return !impl_->image.isNull(); }

void RasterPicture::Paint(HeadlessView& view) {
  if (!IsValid()) return;
  if (impl_->transparent) {
    impl_->image.fill(Qt::transparent);
  } else {
    impl_->image.fill(ToQColor(impl_->background));
  }
  QPainter painter(&impl_->image);
  QImageSurface surface(impl_->image, painter);
  surface.SetBackgroundColor(impl_->background);
  view.PaintWindow(surface);
}

void RasterPicture::PaintAsWindow(HeadlessView& view) {
  if (IsValid()) PaintWindowPicture(impl_->image, impl_->background, view.View());
}

uint32_t RasterPicture::Pixel(int32_t x, int32_t y) const {
  if (!impl_->image.valid(x, y)) return 0;
  const QRgb rgb = impl_->image.pixel(x, y);
  return static_cast<uint32_t>(qRed(rgb)) | static_cast<uint32_t>(qGreen(rgb)) << 8 |
         static_cast<uint32_t>(qBlue(rgb)) << 16;
}

uint32_t RasterPicture::Alpha(int32_t x, int32_t y) const {
  if (!impl_->image.valid(x, y)) return 0;
  return static_cast<uint32_t>(qAlpha(impl_->image.pixel(x, y)));
}

bool RasterPicture::SavePng(const std::string& path, std::string& error) const {
  if (!IsValid()) {
    error = "the picture is empty";
    return false;
  }
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) {
    error = file.errorString().toStdString();
    return false;
  }
  const QImage& image = impl_->image;
  const PngPicture picture{reinterpret_cast<const uint32_t*>(image.constBits()),
                           static_cast<std::ptrdiff_t>(image.bytesPerLine() / 4), image.width(),
                           image.height(), impl_->transparent};
  const bool written = WritePng(picture, [&file](std::string_view bytes) {
    return file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
  });
  if (!written) {
    // The file's own error, when it refused the bytes; else the picture could not be compressed.
    error = file.error() != QFileDevice::NoError ? file.errorString().toStdString()
                                                 : "cannot compress the picture";
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    error = file.errorString().toStdString();
    return false;
  }
  return true;
}

}  // namespace corvane
