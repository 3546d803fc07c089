// Any byte sequence must read to completion: no crash, no hang, no undefined
// behaviour. The bytes are read as two files of one load into a read target,
// so that state carried from one file to the next (formats, units, macros) is
// exercised too.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/read_target.h"
#include "readers/gerber_input.h"
#include "readers/gerber_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  corvane::ReadTarget target;
  corvane::GerberReaderState state;
  for (int32_t layer = 0; layer < 2; ++layer) {
    state.ResetForFile();
    corvane::GerberInput input(bytes);
    corvane::ReadGerber(target, state, input, layer);
  }
  return 0;
}
