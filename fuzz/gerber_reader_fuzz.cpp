// Any byte sequence must read to completion: no crash, no hang, no undefined
// behaviour. The bytes are read as two files of one load, so that state
// carried from one file to the next (formats, units, macros) is exercised too.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/corvane_doc.h"
#include "readers/gerber_input.h"
#include "readers/gerber_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  corvane::CCorvaneDoc doc;
  for (int32_t layer = 0; layer < 2; ++layer) {
    doc.GerberState().ResetForFile();
    corvane::GerberInput input(bytes);
    corvane::ReadGerber(doc, input, layer);
  }
  doc.ComputeExtents();
  return 0;
}
