#pragma once

#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "platform/print_service.h"
#include "qt/qpainter_surface.h"

namespace corvane {

// A QPrinter as a print device: a spool job on a printer, a PDF file, or the
// pages of a preview. The page is drawn through the QPainter surface at the
// printer's own resolution, scaled so that logical units are what the job
// asks for.
class QtPrintDevice : public PrintDevice {
 public:
  explicit QtPrintDevice(QPrinter& printer) : printer_(printer) {}
  ~QtPrintDevice() override;

  bool StartDoc(std::string_view title) override;
  int32_t DotsPerInchX() const override { return printer_.logicalDpiX(); }
  int32_t DotsPerInchY() const override { return printer_.logicalDpiY(); }
  void SetMapping(int32_t windowX, int32_t windowY, int32_t viewportX, int32_t viewportY) override;
  DrawingSurface& Page() override;
  void EndDoc() override;

 private:
  QPrinter& printer_;
  QPainter painter_;
  double scaleX_ = 1.0;
  double scaleY_ = 1.0;
  std::optional<QPainterSurface> page_;
};

// Whether a printer can take a job at all: a native printer needs a name, a
// PDF printer a file to write.
bool HasOutput(const QPrinter& printer);

// The printers of the run: one QPrinter at the printer's resolution, set up by
// the print dialog and Print Setup and kept for the following jobs.
class QtPrintService : public PrintService {
 public:
  // The printer starts as the system's default printer.
  explicit QtPrintService(QWidget* parent = nullptr);

  // Prints on the printer of that name from now on; false (and nothing
  // changes) when the spooler has no such printer.
  bool SelectPrinter(const QString& name);
  QPrinter& Printer() { return printer_; }

  bool ShowPrintDialog() override;
  bool ShowPrintSetup() override;
  PrintDevice& CurrentPrinter() override { return device_; }
  void RunPreview(const std::function<void(PrintDevice&)>& paint) override;

 private:
  QPointer<QWidget> parent_;
  QPrinter printer_;
  QtPrintDevice device_;
};

}  // namespace corvane
