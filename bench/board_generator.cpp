#include "board_generator.h"

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace corvane {
namespace {

// Deterministic, so that every run reads the same board.
class Lcg {
 public:
  uint32_t Next(uint32_t bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state_ >> 33) % bound;
  }

 private:
  uint64_t state_ = 42;
};

class BoardWriter {
 public:
  explicit BoardWriter(std::FILE* file) : file_(file) {}

  void Statement(const char* format, long a = 0, long b = 0, long c = 0, long d = 0) {
    char line[128];
    const int length = std::snprintf(line, sizeof line, format, a, b, c, d);
    if (length <= 0) return;
    buffer_.append(line, static_cast<std::size_t>(length));
    ++statements_;
    if (buffer_.size() >= (1u << 20)) Flush();
  }
  void Flush() {
    bytes_ += std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
    buffer_.clear();
  }
  uint64_t Statements() const { return statements_; }
  uint64_t Bytes() const { return bytes_; }

 private:
  std::FILE* file_;
  std::string buffer_;
  uint64_t statements_ = 0;
  uint64_t bytes_ = 0;
};

void WriteHeader(BoardWriter& out) {
  out.Statement("G04 generated benchmark board*\n");
  out.Statement("%%FSLAX24Y24*%%\n");
  out.Statement("%%MOIN*%%\n");
  for (long d = 10; d < 20; ++d) out.Statement("%%ADD%ldC,0.%03ld*%%\n", d, 5 + d);
  out.Statement("%%ADD20R,0.060X0.040*%%\n");
  out.Statement("G01*\n");
}

// One net: select an aperture, move, draw a few segments, sometimes an arc,
// and flash pads at both ends.
void WriteNet(BoardWriter& out, Lcg& random) {
  long x = random.Next(200000);
  long y = random.Next(150000);
  out.Statement("D%ld*\n", 10 + random.Next(11));
  out.Statement("X%ldY%ldD02*\n", x, y);
  const uint32_t segments = 3 + random.Next(6);
  for (uint32_t i = 0; i < segments; ++i) {
    x += static_cast<long>(random.Next(4001)) - 2000;
    y += static_cast<long>(random.Next(4001)) - 2000;
    out.Statement("X%ldY%ldD01*\n", x < 0 ? -x : x, y < 0 ? -y : y);
  }
  if (random.Next(100) == 0) {
    out.Statement("G75*\n");
    out.Statement("G03X%ldY%ldI%ldJ%ldD01*\n", x + 1000, y + 1000, 1000, 0);
    out.Statement("G01*\n");
  }
  out.Statement("X%ldY%ldD03*\n", x < 0 ? -x : x, y < 0 ? -y : y);
}

std::string TemporaryPath() {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) folder = "/tmp";
  return (folder / ("corvane_bench_board_" + std::to_string(::getpid()) + ".gbr")).string();
}

}  // namespace

GeneratedBoard WriteGeneratedBoard(uint64_t statements) {
  GeneratedBoard board;
  board.path = TemporaryPath();
  std::FILE* file = std::fopen(board.path.c_str(), "wb");
  if (file == nullptr) return {};
  BoardWriter out(file);
  Lcg random;
  WriteHeader(out);
  while (out.Statements() < statements) WriteNet(out, random);
  out.Statement("M02*\n");
  out.Flush();
  const bool written = std::fclose(file) == 0;
  if (!written) return {};
  board.bytes = out.Bytes();
  board.statements = out.Statements();
  return board;
}

}  // namespace corvane
