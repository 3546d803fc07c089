// Any byte sequence must read to completion in both standard readings, and
// its model must dump: no crash, no hang, no undefined behaviour. The first
// byte also picks the document's settings that stand in for what a file
// leaves open, out-of-range digit counts included. The reading's bounds are
// small ones (fuzz_bounds.h), so that an input that multiplies reaches them
// quickly.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_bounds.h"
#include "standard/standard_dump.h"
#include "standard/standard_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  corvane::StandardContext context;
  context.bounds = corvane_fuzz::SmallReadBounds();
  const uint8_t pick = size > 0 ? data[0] : 0;
  corvane::FormatSettings& s = context.settings;
  s.gerberCompression = pick & 3;
  s.drillCompression = (pick >> 2) & 3;
  s.SetGerberNumberFormat({(pick >> 4) & 7, ((pick >> 4) & 7) * 2 - 3});
  s.drillFormat = {(pick >> 5) & 3, (pick & 7) + 1};
  s.gerberMultiplier = (pick & 0x80) != 0 ? 25.4 : 1.0;
  s.gerberOffsetX = (pick & 0x40) != 0 ? -1e300 : 12.5;
  s.drillOffsetY = (pick & 0x20) != 0 ? 1e300 : -0.5;
  context.layer.mirrorOnXAxis = pick & 1;
  context.layer.offsetX = (pick & 2) != 0 ? INT32_MIN : 250;

  uint64_t lines = 0;
  const corvane::StandardDumpSink count = [&lines](std::string_view) { ++lines; };
  corvane::StandardModel model;
  model.layers.push_back(corvane::ReadStandardGerber(text, context));
  model.layers.push_back(corvane::ReadStandardExcellon(text, context));
  corvane::DumpStandardModel(model, {true}, count);
  // Every layer prints at least its layer, format, counts and extents.
  if (lines < 8) __builtin_trap();
  return 0;
}
