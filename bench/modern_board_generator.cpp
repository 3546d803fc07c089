#include "modern_board_generator.h"

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "generated_text.h"

namespace corvane {
namespace {

std::string TemporaryPath(const char* suffix) {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) folder = "/tmp";
  return (folder / ("corvane_bench_modern_" + std::to_string(::getpid()) + suffix)).string();
}

void WriteHeader(TextWriter& out) {
  out.Line("%%TF.GenerationSoftware,Corvane,benchmark,1*%%\n");
  out.Line("%%TF.FileFunction,Copper,L1,Top*%%\n");
  out.Line("%%TF.FilePolarity,Positive*%%\n");
  out.Line("%%FSLAX46Y46*%%\n");
  out.Line("%%MOMM*%%\n");
  out.Line("G04 rounded rectangle: $1 width, $2 height, $3 corner radius*\n");
  out.Line("%%AMRoundRect*\n21,1,$1,$2-$3-$3,0,0,0*\n21,1,$1-$3-$3,$2,0,0,0*\n");
  out.Line("1,1,$3+$3,$1/2-$3,$2/2-$3*\n1,1,$3+$3,-$1/2+$3,$2/2-$3*\n");
  out.Line("1,1,$3+$3,$1/2-$3,-$2/2+$3*\n1,1,$3+$3,-$1/2+$3,-$2/2+$3*%%\n");
  out.Line("%%AMThermal*\n7,0,0,$1,$2,$3,45*%%\n");
  out.Line("%%TA.AperFunction,Conductor*%%\n");
  for (int d = 10; d < 16; ++d) out.Line("%%ADD%dC,0.%03d*%%\n", d, 100 + 50 * (d - 10));
  out.Line("%%TA.AperFunction,SMDPad,CuDef*%%\n");
  out.Line("%%ADD20RoundRect,1.2X0.8X0.2*%%\n");
  out.Line("%%ADD21RoundRect,0.6X1.0X0.15*%%\n");
  out.Line("%%ADD22R,1.5X1.5*%%\n");
  out.Line("%%ADD23O,1.8X1.0*%%\n");
  out.Line("%%TA.AperFunction,ViaPad*%%\n");
  out.Line("%%ADD24C,0.6X0.3*%%\n");
  out.Line("%%ADD25Thermal,1.6X1.0X0.3*%%\n");
  out.Line("%%TD*%%\n");
  out.Line("G75*\n");
}

// One net: its attribute, a track of a few segments and sometimes an arc,
// pads at both ends, a via.
void WriteNet(TextWriter& out, Lcg& random, long net) {
  long x = random.Next(400000000);
  long y = random.Next(300000000);
  out.Line("%%TO.N,NET%ld*%%\n", net);
  out.Line("D%ld*\n", 10L + random.Next(6));
  out.Line("X%ldY%ldD02*\n", x, y);
  const uint32_t segments = 3 + random.Next(6);
  for (uint32_t i = 0; i < segments; ++i) {
    x += static_cast<long>(random.Next(4000001)) - 2000000;
    y += static_cast<long>(random.Next(4000001)) - 2000000;
    out.Line("X%ldY%ldD01*\n", x < 0 ? -x : x, y < 0 ? -y : y);
  }
  if (random.Next(8) == 0) {
    out.Line("G03X%ldY%ldI%ldJ%ldD01*\n", x + 1000000, y + 1000000, 1000000L, 0L);
    out.Line("G01*\n");
  }
  out.Line("D%ld*\n", 20L + random.Next(4));
  out.Line("X%ldY%ldD03*\n", x < 0 ? -x : x, y < 0 ? -y : y);
  out.Line("X%ldY%ldD03*\n", (x < 0 ? -x : x) + 2540000, y < 0 ? -y : y);
  if (random.Next(4) == 0) {
    out.Line("D24*\n");
    out.Line("X%ldY%ldD03*\n", (x < 0 ? -x : x) + 5080000, y < 0 ? -y : y);
  }
  out.Line("%%TD*%%\n");
}

// A pour: a region with a rounded corner, then clear cut-outs and thermals in it.
void WritePour(TextWriter& out, Lcg& random) {
  const long x = random.Next(380000000);
  const long y = random.Next(280000000);
  const long w = 5000000 + random.Next(15000000);
  const long h = 5000000 + random.Next(15000000);
  out.Line("G36*\n");
  out.Line("X%ldY%ldD02*\n", x, y);
  out.Line("X%ldY%ldD01*\n", x + w, y);
  out.Line("X%ldY%ldD01*\n", x + w, y + h - 1000000);
  out.Line("G03X%ldY%ldI%ldJ%ldD01*\n", x + w - 1000000, y + h, -1000000L, 0L);
  out.Line("G01X%ldY%ldD01*\n", x, y + h);
  out.Line("X%ldY%ldD01*\n", x, y);
  out.Line("G37*\n");
  out.Line("%%LPC*%%\n");
  out.Line("D22*\n");
  out.Line("X%ldY%ldD03*\n", x + w / 3, y + h / 3);
  out.Line("%%LPD*%%\n");
  out.Line("D25*\n");
  out.Line("X%ldY%ldD03*\n", x + 2 * w / 3, y + 2 * h / 3);
}

}  // namespace

GeneratedBoard WriteGeneratedModernBoard(uint64_t statements) {
  GeneratedBoard board;
  board.path = TemporaryPath(".gbr");
  std::FILE* file = std::fopen(board.path.c_str(), "wb");
  if (file == nullptr) return {};
  TextWriter out(file);
  Lcg random(11);
  WriteHeader(out);
  long net = 0;
  while (out.Lines() < statements) {
    if (random.Next(20) == 0)
      WritePour(out, random);
    else
      WriteNet(out, random, ++net);
  }
  out.Line("M02*\n");
  out.Flush();
  if (std::fclose(file) != 0) return {};
  board.bytes = out.Bytes();
  board.statements = out.Lines();
  return board;
}

GeneratedBoard WriteGeneratedExcellon(uint64_t hits) {
  GeneratedBoard board;
  board.path = TemporaryPath(".drl");
  std::FILE* file = std::fopen(board.path.c_str(), "wb");
  if (file == nullptr) return {};
  TextWriter out(file);
  Lcg random(5);
  out.Line("M48\n;FILE_FORMAT=3:3\nMETRIC,TZ\n");
  for (int t = 1; t <= 8; ++t) out.Line("T%dC%d.%03d\n", t, t / 4, 300 + 100 * t);
  out.Line("%%\nG90\nG05\n");
  while (out.Lines() < hits) {
    out.Line("T%u\n", 1 + random.Next(8));
    for (uint32_t i = 0; i < 50; ++i)
      out.Line("X%u.%03uY%u.%03u\n", random.Next(400), random.Next(1000), random.Next(300),
               random.Next(1000));
    out.Line("G00X%u.0Y%u.0\nM15\nG01X%u.5Y%u.0\nM16\nG05\n", 10 + random.Next(300),
             10 + random.Next(200), 10 + random.Next(300), 10 + random.Next(200));
  }
  out.Line("M30\n");
  out.Flush();
  if (std::fclose(file) != 0) return {};
  board.bytes = out.Bytes();
  board.statements = out.Lines();
  return board;
}

}  // namespace corvane
