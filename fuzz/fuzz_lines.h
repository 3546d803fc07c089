#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace corvane {

// Hands the input to `read` as the loaders would: lines cut at CR or LF and at
// 510 characters, each NUL-terminated.
template <typename Reader>
void ForEachFuzzLine(const uint8_t* data, std::size_t size, Reader read) {
  std::string line;
  auto flush = [&] {
    read(line.c_str());
    line.clear();
  };
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\r' || c == '\n') {
      flush();
    } else {
      line.push_back(c);
      if (line.size() == 510) flush();
    }
  }
  flush();
}

// A field order from the first bytes of the input: codes outside the defined
// range are meant to reach the reader too.
inline std::size_t TakeFieldOrder(const uint8_t* data, std::size_t size, std::string& order) {
  if (size == 0) return 0;
  const std::size_t count = data[0] % 8;
  order.clear();
  for (std::size_t i = 1; i <= count && i < size; ++i)
    order.push_back(static_cast<char>(data[i] % 8));
  return count + 1 < size ? count + 1 : size;
}

}  // namespace corvane
