#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

namespace corvane {

// The byte source of the Gerber reader: an opened file read in 64 KiB blocks
// and handed out one byte at a time. Next() is inline and not virtual, since
// the statement reader calls it for every byte of a board. The file is not
// owned; the caller opens and closes it.
class GerberInput {
 public:
  static constexpr std::size_t kBlockSize = 65536;
  static constexpr int kEnd = -1;

  explicit GerberInput(std::FILE* file);
  // A POSIX file descriptor.
  explicit GerberInput(int fd);
  // Bytes already in memory (tests, fuzzing); they must outlive the input.
  explicit GerberInput(std::string_view bytes);

  // The next byte as 0..255, or kEnd once a read finds nothing left.
  int Next() {
    if (next_ == end_ && !Refill()) return kEnd;
    return static_cast<unsigned char>(*next_++);
  }

  // The bytes of the current block not yet handed out, refilling once it is
  // used up; empty at the end of input. With Skip, this lets the statement
  // reader take a run of bytes at once instead of calling Next for each.
  std::string_view Peek() {
    if (next_ == end_ && !Refill()) return {};
    return {next_, static_cast<std::size_t>(end_ - next_)};
  }
  // Hands out `count` bytes of what Peek returned.
  void Skip(std::size_t count) { next_ += count; }

 private:
  bool Refill();
  std::size_t ReadBlock();

  std::FILE* file_ = nullptr;
  int fd_ = -1;
  std::unique_ptr<char[]> block_;
  const char* next_ = nullptr;
  const char* end_ = nullptr;
  bool exhausted_ = false;
};

}  // namespace corvane
