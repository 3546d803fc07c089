#include "board_generator.h"

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "generated_text.h"

namespace corvane {
namespace {

void WriteHeader(TextWriter& out) {
  out.Line("G04 generated benchmark board*\n");
  out.Line("%%FSLAX24Y24*%%\n");
  out.Line("%%MOIN*%%\n");
  for (long d = 10; d < 20; ++d) out.Line("%%ADD%ldC,0.%03ld*%%\n", d, 5 + d);
  out.Line("%%ADD20R,0.060X0.040*%%\n");
  out.Line("G01*\n");
}

// One net: select an aperture, move, draw a few segments, sometimes an arc,
// and flash pads at both ends.
void WriteNet(TextWriter& out, Lcg& random) {
  long x = random.Next(200000);
  long y = random.Next(150000);
  out.Line("D%ld*\n", 10L + random.Next(11));
  out.Line("X%ldY%ldD02*\n", x, y);
  const uint32_t segments = 3 + random.Next(6);
  for (uint32_t i = 0; i < segments; ++i) {
    x += static_cast<long>(random.Next(4001)) - 2000;
    y += static_cast<long>(random.Next(4001)) - 2000;
    out.Line("X%ldY%ldD01*\n", x < 0 ? -x : x, y < 0 ? -y : y);
  }
  if (random.Next(100) == 0) {
    out.Line("G75*\n");
    out.Line("G03X%ldY%ldI%ldJ%ldD01*\n", x + 1000, y + 1000, 1000L, 0L);
    out.Line("G01*\n");
  }
  out.Line("X%ldY%ldD03*\n", x < 0 ? -x : x, y < 0 ? -y : y);
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
  TextWriter out(file);
  Lcg random(42);
  WriteHeader(out);
  while (out.Lines() < statements) WriteNet(out, random);
  out.Line("M02*\n");
  out.Flush();
  const bool written = std::fclose(file) == 0;
  if (!written) return {};
  board.bytes = out.Bytes();
  board.statements = out.Lines();
  return board;
}

uint64_t WriteGeneratedDrillFile(const std::string& path, int hits) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << "M48\nINCH,LZ\nT01C0.012\nT02C0.020\nT03C0.035\nT04C0.040\n%\nG05\nG90\n";
  uint32_t seed = 12345;
  for (int i = 0; i < hits; ++i) {
    if (i % (hits / 4) == 0) out << 'T' << (1 + i / (hits / 4)) << '\n';
    seed = seed * 1664525u + 1013904223u;
    out << 'X' << (seed >> 14) % 200000 << 'Y' << (seed >> 3) % 150000 << '\n';
  }
  out << "M30\n";
  out.flush();
  return out ? static_cast<uint64_t>(out.tellp()) : 0;
}

}  // namespace corvane
