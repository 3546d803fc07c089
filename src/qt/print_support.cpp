#include "qt/print_support.h"

#include <QDialogButtonBox>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <cmath>

namespace corvane {

QtPrintDevice::~QtPrintDevice() {
  // A job left open is ended rather than abandoned half-spooled.
  if (painter_.isActive()) EndDoc();
}

bool HasOutput(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) return !printer.outputFileName().isEmpty();
  return !printer.printerName().isEmpty() && printer.isValid();
}

bool QtPrintDevice::StartDoc(std::string_view title) {
  if (painter_.isActive()) return false;
  printer_.setDocName(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
  // The preview's pages are a printer of their own kind and always start.
  const bool preview =
      printer_.paintEngine() != nullptr && printer_.paintEngine()->type() == QPaintEngine::Picture;
  if (!preview && !HasOutput(printer_)) return false;
  if (!painter_.begin(&printer_)) return false;
  scaleX_ = scaleY_ = 1.0;
  return true;
}

void QtPrintDevice::SetMapping(int32_t windowX, int32_t windowY, int32_t viewportX,
                               int32_t viewportY) {
  page_.reset();
  painter_.resetTransform();
  scaleX_ = windowX > 0 && viewportX > 0 ? static_cast<double>(viewportX) / windowX : 1.0;
  scaleY_ = windowY > 0 && viewportY > 0 ? static_cast<double>(viewportY) / windowY : 1.0;
  painter_.scale(scaleX_, scaleY_);
}

DrawingSurface& QtPrintDevice::Page() {
  if (!page_) {
    // The printable area, which the printer's own coordinates start at.
    const DeviceRect area{0, 0, static_cast<int32_t>(std::ceil(printer_.width() / scaleX_)),
                          static_cast<int32_t>(std::ceil(printer_.height() / scaleY_))};
    page_.emplace(painter_, area, true);
  }
  return *page_;
}

void QtPrintDevice::EndDoc() {
  page_.reset();
  if (painter_.isActive()) painter_.end();
}

QtPrintService::QtPrintService(QWidget* parent)
    : parent_(parent), printer_(QPrinter::HighResolution), device_(printer_) {}

bool QtPrintService::SelectPrinter(const QString& name) {
  if (QPrinterInfo::printerInfo(name).isNull()) return false;
  printer_.setOutputFormat(QPrinter::NativeFormat);
  printer_.setPrinterName(name);
  return true;
}

namespace {

// One page per job: the dialogs offer no page range and no current page.
void OnePageOnly(QPrintDialog& dialog) {
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
}

}  // namespace

bool QtPrintService::ShowPrintDialog() {
  QPrintDialog dialog(&printer_, parent_.data());
  OnePageOnly(dialog);
  return dialog.exec() == QDialog::Accepted;
}

bool QtPrintService::ShowPrintSetup() {
  // The printer and its page, chosen without printing: the print dialog with
  // its page settings, whose button only confirms the choice.
  QPrintDialog dialog(&printer_, parent_.data());
  dialog.setWindowTitle(QStringLiteral("Print Setup"));
  OnePageOnly(dialog);
  dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
  for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>()) {
    if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
  }
  return dialog.exec() == QDialog::Accepted;
}

void QtPrintService::RunPreview(const std::function<void(PrintDevice&)>& paint) {
  QPrintPreviewDialog dialog(&printer_, parent_.data());
  dialog.setWindowTitle(QStringLiteral("Print Preview"));
  // Full pages want room: the preview takes the main window's size.
  if (parent_ != nullptr) dialog.resize(parent_->window()->size());
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&paint](QPrinter* printer) {
                     QtPrintDevice device(*printer);
                     paint(device);
                   });
  dialog.exec();
}

}  // namespace corvane
