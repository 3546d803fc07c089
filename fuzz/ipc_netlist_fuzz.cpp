// libFuzzer entry point: the IPC-D-356 netlist reader over any bytes, then
// what it read written out and read once more, which must give the same nets.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "analysis/ipc_netlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const corvane::IpcNetlist read = corvane::ReadIpcNetlist(text);
  std::vector<corvane::NetToWrite> nets;
  for (const corvane::NetPoint& point : read.points) nets.push_back({point.net, {point}});
  const corvane::IpcNetlist again = corvane::ReadIpcNetlist(corvane::WriteIpcNetlist(nets, "fuzz"));
  // A name the writer cannot keep (blank, or ending in blanks) may read back
  // otherwise; the count of points never changes.
  if (again.points.size() != read.points.size()) std::abort();
  return 0;
}
