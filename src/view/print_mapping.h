#pragma once

#include <cstdint>

#include "document/corvane_doc.h"
#include "view/viewport.h"

namespace corvane {

// The page mapping while printing: a window extent of (100, 100) logical units
// onto the device's pixels per inch, so one logical unit is 1/100 inch.
struct PrintPageMapping {
  int32_t windowExtentX = 100;
  int32_t windowExtentY = 100;
  int32_t viewportExtentX = 100;
  int32_t viewportExtentY = 100;

  // Device pixels per logical unit.
  double ScaleX() const { return static_cast<double>(viewportExtentX) / windowExtentX; }
  double ScaleY() const { return static_cast<double>(viewportExtentY) / windowExtentY; }
};

// A print job's hold on the view: the print scale and the automatic origin
// for its length, the screen state back afterwards.
class PrintMapping {
 public:
  // Logical units per plot unit at magnification 1.
  static constexpr double kUnitsPerInch = 100.0;

  void OnBeginPrinting(Viewport& viewport, CCorvaneDoc& doc);
  static PrintPageMapping OnPrepareDC(int32_t dotsPerInchX, int32_t dotsPerInchY);
  // Restores only what a begun job saved.
  void OnEndPrinting(Viewport& viewport, CCorvaneDoc& doc);

  // The scale a magnification prints at: 0 (or no number) prints as 1.
  static double PrintScale(double magnification);
  bool IsPrinting() const { return active_; }
  double GetSavedScale() const { return savedScale_; }
  int32_t GetSavedAutoOrigin() const { return savedAutoOrigin_; }

 private:
  bool active_ = false;
  double savedScale_ = 0.0;
  int32_t savedAutoOrigin_ = 0;
};

}  // namespace corvane
