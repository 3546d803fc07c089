// libFuzzer entry point: aperture table lines under a field order taken from
// the input.

#include <cstddef>
#include <cstdint>
#include <string>

#include "document/read_target.h"
#include "fuzz_lines.h"
#include "readers/aperture_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  corvane::ReadTarget target;
  std::string order;
  const std::size_t used = corvane::TakeFieldOrder(data, size, order);
  for (corvane::ApertureFormat& format : target.Settings().apertureFormats) {
    if (!order.empty()) format.fieldOrder.assign(order.begin(), order.end());
  }
  if (used > 0 && data[0] & 0x80) target.Settings().apertureFormats[0].identifier.clear();
  corvane::ForEachFuzzLine(data + used, size - used, [&target](const char* line) {
    corvane::ReadApertureLine(target, line);
  });
  return 0;
}
