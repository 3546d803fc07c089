#include "view/print_mapping.h"

#include <cmath>

namespace corvane {

double PrintMapping::PrintScale(double magnification) {
  if (magnification == 0.0 || !std::isfinite(magnification)) magnification = 1.0;
  return magnification * kUnitsPerInch;
}

void PrintMapping::OnBeginPrinting(Viewport& viewport, CCorvaneDoc& doc) {
  // A second begin without an end must not save the print state as screen state.
  if (!active_) {
    savedScale_ = viewport.GetScale();
    savedAutoOrigin_ = viewport.GetAutoOrigin();
  }
  active_ = true;
  viewport.SetScale(PrintScale(doc.GetPrintMagnification()));
  doc.SetAutoOrigin(1);
}

PrintPageMapping PrintMapping::OnPrepareDC(int32_t dotsPerInchX, int32_t dotsPerInchY) {
  PrintPageMapping mapping;
  // A device that reports no resolution is taken as 100 dots per inch.
  mapping.viewportExtentX = dotsPerInchX > 0 ? dotsPerInchX : 100;
  mapping.viewportExtentY = dotsPerInchY > 0 ? dotsPerInchY : 100;
  return mapping;
}

void PrintMapping::OnEndPrinting(Viewport& viewport, CCorvaneDoc& doc) {
  if (!active_) return;
  active_ = false;
  viewport.SetScale(savedScale_);
  doc.SetAutoOrigin(savedAutoOrigin_);
  // The job's paint left the print value in the view's copy too, and the
  // Auto Origin check mark shows the copy until the next screen paint.
  viewport.SetFlags(viewport.GetMirrorX(), viewport.GetMirrorY(), savedAutoOrigin_);
}

}  // namespace corvane
