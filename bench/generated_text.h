#pragma once

// Building blocks of the benchmark board generators: a deterministic random
// source, so that every run reads the same board, and a buffered line writer
// that counts what it wrote.

#include <cstdint>
#include <cstdio>
#include <string>

namespace corvane {

class Lcg {
 public:
  explicit Lcg(uint64_t seed) : state_(seed) {}
  uint32_t Next(uint32_t bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state_ >> 33) % bound;
  }

 private:
  uint64_t state_;
};

class TextWriter {
 public:
  explicit TextWriter(std::FILE* file) : file_(file) {}
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;
  ~TextWriter() { Flush(); }

  // One line (or statement) by a printf format; arguments must match it exactly.
  template <typename... Args>
  void Line(const char* format, Args... args) {
    char line[128];
    const int length = std::snprintf(line, sizeof line, format, args...);
    if (length > 0) buffer_.append(line, static_cast<std::size_t>(length));
    ++lines_;
    if (buffer_.size() >= (1u << 20)) Flush();
  }
  void Flush() {
    bytes_ += std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
    buffer_.clear();
  }
  uint64_t Lines() const { return lines_; }
  uint64_t Bytes() const { return bytes_; }

 private:
  std::FILE* file_;
  std::string buffer_;
  uint64_t lines_ = 0;
  uint64_t bytes_ = 0;
};

}  // namespace corvane
