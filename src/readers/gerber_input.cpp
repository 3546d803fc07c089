#include "readers/gerber_input.h"

#include <cerrno>

#include <unistd.h>

namespace corvane {

GerberInput::GerberInput(std::FILE* file)
    : file_(file),
      block_(std::make_unique_for_overwrite<char[]>(kBlockSize)),
      exhausted_(file == nullptr) {}

GerberInput::GerberInput(int fd)
    : fd_(fd), block_(std::make_unique_for_overwrite<char[]>(kBlockSize)), exhausted_(fd < 0) {}

GerberInput::GerberInput(std::string_view bytes)
    : next_(bytes.data()), end_(bytes.data() + bytes.size()), exhausted_(true) {}

bool GerberInput::Refill() {
  if (exhausted_) return false;
  const std::size_t count = ReadBlock();
  if (count == 0) {
    // A read error ends the input like the end of the file: the reader keeps
    // what it has seen.
    exhausted_ = true;
    return false;
  }
  next_ = block_.get();
  end_ = next_ + count;
  return true;
}

std::size_t GerberInput::ReadBlock() {
  if (file_ != nullptr) return std::fread(block_.get(), 1, kBlockSize, file_);
  for (;;) {
    const ssize_t count = ::read(fd_, block_.get(), kBlockSize);
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno != EINTR) return 0;
  }
}

}  // namespace corvane
