// libFuzzer entry point: NC drill lines; the first byte picks the zero
// suppression and digit counts, out-of-range counts included.

#include <cstddef>
#include <cstdint>

#include "document/read_target.h"
#include "fuzz_lines.h"
#include "readers/nc_drill_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  corvane::ReadTarget target;
  corvane::DrillReaderState state;
  std::size_t used = 0;
  if (size > 0) {
    corvane::FormatSettings& s = target.Settings();
    s.drillCompression = data[0] & 3;
    s.drillFormat = {static_cast<int32_t>((data[0] >> 2) & 7) - 1,
                     static_cast<int32_t>((data[0] >> 5) & 7) * 2 - 1};
    s.drillMultiplier = (data[0] & 0x80) ? 25.4 : 1.0;
    used = 1;
  }
  corvane::ForEachFuzzLine(data + used, size - used,
                           [&](const char* line) { corvane::ReadDrillLine(target, state, line); });
  return 0;
}
