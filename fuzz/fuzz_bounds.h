#pragma once

// Small bounds on what one fuzz input may multiply. The fuzz targets link the
// program's own core (in the sanitizer build, with its real bounds, which the
// tests check); a reading given these stops early, so that no input of a
// kilobyte can make one run take seconds. The code that enforces them is the
// same.

#include "standard/standard_context.h"

namespace corvane_fuzz {

inline corvane::ReadBounds SmallReadBounds() {
  corvane::ReadBounds bounds;
  bounds.expandedObjects = 800;
  bounds.addedPoints = 1'600;
  bounds.shapeParts = 400;
  bounds.macroWork = 6'400;
  return bounds;
}

}  // namespace corvane_fuzz
