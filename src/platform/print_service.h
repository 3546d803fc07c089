#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drawing_surface.h"

namespace corvane {

// One output of a print job: a printer's spool job, or the pages of a preview.
// A job is one document of one page.
class PrintDevice {
 public:
  virtual ~PrintDevice() = default;

  // Starts the document under `title`; false when there is no printer or the
  // job cannot start. Nothing else may be called after a false.
  virtual bool StartDoc(std::string_view title) = 0;
  // The device's resolution in dots per inch along each axis.
  virtual int32_t DotsPerInchX() const = 0;
  virtual int32_t DotsPerInchY() const = 0;
  // Scales the page independently along each axis: `windowX` logical units
  // are `viewportX` device dots. Logical (0, 0) is the printable area's
  // top-left corner; x grows to the right, y downward.
  virtual void SetMapping(int32_t windowX, int32_t windowY, int32_t viewportX,
                          int32_t viewportY) = 0;
  // The page in the logical units of the mapping; its clip box is the
  // printable area. Valid until EndDoc.
  virtual DrawingSurface& Page() = 0;
  // Ends the page and the document and hands the job to the spooler.
  virtual void EndDoc() = 0;
};

// The printers of the run: the current printer with its page choice, kept
// from one job to the next, and the windows that choose and preview.
class PrintService {
 public:
  virtual ~PrintService() = default;

  // The print dialog over the current printer; false when cancelled. What
  // the user chose stays current for the following jobs.
  virtual bool ShowPrintDialog() = 0;
  // Print Setup: the printer and the page; false when cancelled.
  virtual bool ShowPrintSetup() = 0;
  // The current printer, for one job.
  virtual PrintDevice& CurrentPrinter() = 0;
  // Opens the preview window of the current printer's page and returns when
  // it closes. The window calls `paint` whenever it needs the page drawn, and
  // with the printer when the user prints from it.
  virtual void RunPreview(const std::function<void(PrintDevice&)>& paint) = 0;
};

// Records what a job did to it; for tests.
class RecordingPrintDevice : public PrintDevice {
 public:
  bool StartDoc(std::string_view title) override;
  int32_t DotsPerInchX() const override { return dotsPerInchX; }
  int32_t DotsPerInchY() const override { return dotsPerInchY; }
  void SetMapping(int32_t windowX, int32_t windowY, int32_t viewportX, int32_t viewportY) override;
  DrawingSurface& Page() override { return page; }
  void EndDoc() override { ++endCount; }

  bool canStart = true;  // false: there is no printer
  int32_t dotsPerInchX = 600;
  int32_t dotsPerInchY = 600;
  std::vector<std::string> titles;  // every StartDoc, started or not
  int startCount = 0;               // StartDocs that succeeded
  int endCount = 0;
  int32_t windowX = 0, windowY = 0, viewportX = 0, viewportY = 0;
  RecordingSurface page;
  // Runs inside StartDoc, for tests that look at the view during a job.
  std::function<void()> onStart;
};

// A print service whose dialogs answer as told; for tests.
class FakePrintService : public PrintService {
 public:
  bool ShowPrintDialog() override {
    ++printDialogCount;
    return printDialogAnswer;
  }
  bool ShowPrintSetup() override {
    ++setupCount;
    return setupAnswer;
  }
  PrintDevice& CurrentPrinter() override { return printer; }
  // Paints the preview's pages `previewPaints` times, then closes it.
  void RunPreview(const std::function<void(PrintDevice&)>& paint) override;

  bool printDialogAnswer = true;
  bool setupAnswer = true;
  int printDialogCount = 0;
  int setupCount = 0;
  int previewCount = 0;
  int previewPaints = 1;
  RecordingPrintDevice printer;
  RecordingPrintDevice previewPage;
  // Runs while the preview is open, after its paints.
  std::function<void()> whilePreviewOpen;
};

}  // namespace corvane
