#include "qt/export_command.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>
#include <QSvgGenerator>
#include <QtGlobal>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "cli/export_run.h"
#include "cli/headless_document.h"
#include "cli/headless_view.h"
#include "loading/standard_model_cache.h"
#include "qt/offscreen_application.h"
#include "qt/qpainter_surface.h"
#include "qt/qt_settings_store.h"
#include "qt/raster_picture.h"

namespace corvane {
namespace {

void WriteLine(std::FILE* stream, std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fputc('\n', stream);
}

// Opens OUT for an atomic write: a temporary file beside it, renamed over it
// on Commit, removed when not committed.
bool OpenOutput(QSaveFile& file, std::string& error) {
  if (file.open(QIODevice::WriteOnly)) return true;
  error = file.errorString().toStdString();
  return false;
}

bool Commit(QSaveFile& file, std::string& error) {
  if (file.commit()) return true;
  error = file.errorString().toStdString();
  return false;
}

// The view of the picture: the classic or the standard reading, sized by
// --size or fitted to what is drawn by --dpi.
class ExportView {
 public:
  ExportView(HeadlessDocument& loaded, const ExportOptions& o)
      : standard_(loaded.Loader()),
        view_(loaded.Doc(), {o.width, o.height}, o.standard ? &standard_ : nullptr) {
    view_.ShowBoard(o.boardPicture);
  }
  bool Fit(const ExportOptions& o, std::string& error) {
    if (o.dpi == 0) return true;
    if (view_.FitDrawingAt(o.dpi, kExportMargin, kMaxExportSide)) return true;
    error = "the picture would be larger than " + std::to_string(kMaxExportSide) + " pixels a side";
    return false;
  }
  HeadlessView& View() { return view_; }
  int32_t Width() const { return view_.GetClientSize().width; }
  int32_t Height() const { return view_.GetClientSize().height; }

 private:
  StandardModelCache standard_;
  HeadlessView view_;
};

bool WritePng(HeadlessDocument& loaded, const ExportOptions& o, std::string& error) {
  ExportView view(loaded, o);
  if (!view.Fit(o, error)) return false;
  // The board is transparent around its edge and in its holes.
  std::unique_ptr<RasterPicture> picture =
      o.boardPicture != nullptr
          ? RasterPicture::Transparent(view.Width(), view.Height())
          : std::make_unique<RasterPicture>(view.Width(), view.Height(), o.background);
  if (!picture->IsValid()) {
    error = "not enough memory for the picture";
    return false;
  }
  picture->Paint(view.View());
  return picture->SavePng(o.output, error);
}

bool WriteSvg(HeadlessDocument& loaded, const ExportOptions& o, std::string& error) {
  ExportView view(loaded, o);
  if (!view.Fit(o, error)) return false;
  const int32_t width = view.Width();
  const int32_t height = view.Height();
  QSaveFile file(QString::fromStdString(o.output));
  if (!OpenOutput(file, error)) return false;
  QSvgGenerator generator;
  generator.setOutputDevice(&file);
  generator.setSize(QSize(width, height));
  generator.setViewBox(QRect(0, 0, width, height));
  // A board at --dpi is at its true size on paper too.
  if (o.boardPicture != nullptr && o.dpi != 0) generator.setResolution(o.dpi);
  {
    QPainter painter(&generator);
    if (!painter.isActive()) {
      error = "cannot start the SVG writer";
      return false;
    }
    if (o.boardPicture == nullptr) painter.fillRect(QRect(0, 0, width, height), ToQColor(o.background));
    QPainterSurface surface(painter, {0, 0, width, height}, false);
    surface.SetBackgroundColor(o.background);
    view.View().PaintWindow(surface);
  }
  return Commit(file, error);
}

QPageSize::PageSizeId PageSizeId(ExportPage page) {
  switch (page) {
    case ExportPage::kA4:
      return QPageSize::A4;
    case ExportPage::kA3:
      return QPageSize::A3;
    case ExportPage::kLegal:
      return QPageSize::Legal;
    case ExportPage::kLetter:
      break;
  }
  return QPageSize::Letter;
}

// The board on a page of the picture's size, at its scale: --dpi pixels to
// the inch, or 96 for a picture sized by --size.
bool WriteBoardPdf(HeadlessDocument& loaded, const ExportOptions& o, std::string& error) {
  ExportView view(loaded, o);
  if (!view.Fit(o, error)) return false;
  const int32_t width = view.Width();
  const int32_t height = view.Height();
  const double dpi = o.dpi != 0 ? o.dpi : 96.0;
  QSaveFile file(QString::fromStdString(o.output));
  if (!OpenOutput(file, error)) return false;
  QPdfWriter writer(&file);
  writer.setResolution(static_cast<int>(dpi));
  const QSizeF page(width * 25.4 / dpi, height * 25.4 / dpi);
  writer.setPageLayout(QPageLayout(QPageSize(page, QPageSize::Millimeter), QPageLayout::Portrait,
                                   QMarginsF(0, 0, 0, 0)));
  {
    QPainter painter(&writer);
    if (!painter.isActive()) {
      error = "cannot start the PDF writer";
      return false;
    }
    QPainterSurface surface(painter, {0, 0, width, height}, false);
    view.View().PaintWindow(surface);
  }
  return Commit(file, error);
}

bool WritePdf(HeadlessDocument& loaded, const ExportOptions& o, std::string& error) {
  if (o.boardPicture != nullptr) return WriteBoardPdf(loaded, o, error);
  constexpr int kDotsPerInch = 1200;
  QSaveFile file(QString::fromStdString(o.output));
  if (!OpenOutput(file, error)) return false;
  QPdfWriter writer(&file);
  writer.setResolution(kDotsPerInch);
  // The whole sheet is the printable area: the plot starts at its corner.
  writer.setPageLayout(
      QPageLayout(QPageSize(PageSizeId(o.page)), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  {
    QPainter painter(&writer);
    if (!painter.isActive()) {
      error = "cannot start the PDF writer";
      return false;
    }
    ExportView exportView(loaded, o);
    HeadlessView& view = exportView.View();
    const PrintPageMapping mapping =
        view.View().OnPrepareDC(writer.logicalDpiX(), writer.logicalDpiY());
    painter.scale(mapping.ScaleX(), mapping.ScaleY());
    const DeviceRect page{0, 0, static_cast<int32_t>(std::ceil(writer.width() / mapping.ScaleX())),
                          static_cast<int32_t>(std::ceil(writer.height() / mapping.ScaleY()))};
    QPainterSurface surface(painter, page, true);
    view.PaintPage(surface);
  }
  return Commit(file, error);
}

}  // namespace

bool WriteExportPicture(HeadlessDocument& loaded, const ExportOptions& options,
                        std::string& error) {
  switch (options.format) {
    case ExportFormat::kSvg:
      return WriteSvg(loaded, options, error);
    case ExportFormat::kPdf:
      return WritePdf(loaded, options, error);
    case ExportFormat::kPng:
      break;
  }
  return WritePng(loaded, options, error);
}

int RunExportCommand(int argc, char** argv) {
  const std::vector<std::string> args(argv, argv + argc);
  OffscreenApplication app;
  WarningLinePrompter prompter([](std::string_view line) { WriteLine(stderr, line); });
  ExportEnvironment environment;
  environment.openUserSettings = [] { return std::make_unique<QtSettingsStore>(); };
  environment.prompter = &prompter;
  environment.writeError = [](std::string_view line) { WriteLine(stderr, line); };
  environment.writePicture = [&app](HeadlessDocument& loaded, const ExportOptions& options,
                                    std::string& error) {
    // The SVG and PDF writers need the application's fonts and paint devices;
    // a PNG is painted into plain memory, and spares its start-up and its
    // memory, a noticeable part of a large board's export.
    if (options.format != ExportFormat::kPng) app.Ensure();
    return WriteExportPicture(loaded, options, error);
  };
  return RunExport(args, environment);
}

}  // namespace corvane
