#include "render_board.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "generated_text.h"

namespace corvane {
namespace {

long boardX = 80000;  // 10000 per inch at format 2.4
long boardY = 60000;

long Clamp(long v, long max) { return v < 0 ? 0 : (v > max ? max : v); }

// Traces: thin ones mostly (one pixel at zoom extents), some 2 to 9 pixels
// wide; pads: round and rectangular flashes at both ends; one arc in fifty.
void WriteNet(TextWriter& out, Lcg& random) {
  static constexpr long kTraceApertures[] = {10, 10, 10, 11, 11, 12, 13, 14};
  long x = random.Next(boardX);
  long y = random.Next(boardY);
  const long pad = 15 + random.Next(3);
  out.Line("D%ld*\n", pad);
  out.Line("X%ldY%ldD03*\n", x, y);
  out.Line("D%ld*\n", kTraceApertures[random.Next(8)]);
  const uint32_t segments = 3 + random.Next(6);
  for (uint32_t i = 0; i < segments; ++i) {
    x = Clamp(x + static_cast<long>(random.Next(3001)) - 1500, boardX);
    y = Clamp(y + static_cast<long>(random.Next(3001)) - 1500, boardY);
    out.Line("X%ldY%ldD01*\n", x, y);
  }
  if (random.Next(50) == 0) {
    out.Line("G75*\n");
    out.Line("G03X%ldY%ldI%ldJ0D01*\n", x + 500, y + 500, 500L);
    out.Line("G01*\n");
    x += 500;
    y += 500;
  }
  out.Line("D%ld*\n", pad);
  out.Line("X%ldY%ldD03*\n", x, y);
}

bool WriteLayer(const std::string& path, uint64_t statements, Lcg& random, uint64_t& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  {
    TextWriter out(file);
    out.Line("%%FSLAX24Y24*%%\n%%MOIN*%%\n");
    const char* apertures[] = {"C,0.005", "C,0.008", "C,0.012",       "C,0.025",
                               "C,0.050", "C,0.060", "R,0.060X0.040", "R,0.070X0.070"};
    for (int d = 0; d < 8; ++d) out.Line("%%ADD%d%s*%%\n", 10 + d, apertures[d]);
    out.Line("G01*\n");
    while (out.Lines() < statements) WriteNet(out, random);
    out.Line("M02*\n");
    out.Flush();
    bytes += out.Bytes();
  }
  return std::fclose(file) == 0;
}

bool WriteDrills(const RenderBoard& board, uint64_t hits, Lcg& random, uint64_t& bytes) {
  static constexpr int kMils[] = {20, 32, 40, 63, 125};
  std::FILE* tools = std::fopen(board.toolFile.c_str(), "wb");
  if (tools == nullptr) return false;
  for (int t = 0; t < 5; ++t) std::fprintf(tools, "T%02d Plated x %d %d\r\n", t + 1, kMils[t], 0);
  if (std::fclose(tools) != 0) return false;
  std::FILE* file = std::fopen(board.drillFile.c_str(), "wb");
  if (file == nullptr) return false;
  {
    TextWriter out(file);
    out.Line("M48\r\n%%\r\n");
    for (uint64_t i = 0; i < hits; ++i) {
      if (i % (hits / 5 + 1) == 0) out.Line("T%d\r\n", static_cast<int>(i / (hits / 5 + 1)) + 1);
      out.Line("X%ldY%ld\r\n", static_cast<long>(random.Next(boardX)),
               static_cast<long>(random.Next(boardY)));
    }
    out.Line("M30\r\n");
    out.Flush();
    bytes += out.Bytes();
  }
  return std::fclose(file) == 0;
}

}  // namespace

RenderBoard WriteRenderBoard(uint64_t statements, uint64_t hits, int inchesX, int inchesY) {
  RenderBoard board;
  boardX = 10000L * inchesX;
  boardY = 10000L * inchesY;
  std::error_code error;
  std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) folder = "/tmp";
  folder /= "corvane_render_board_" + std::to_string(::getpid()) + "_" + std::to_string(inchesX) +
            "_" + std::to_string(statements);
  std::filesystem::create_directories(folder, error);
  if (error) return {};
  board.folder = folder.string();
  Lcg random(7);
  for (int i = 0; i < 4; ++i) {
    board.layers.push_back((folder / ("layer" + std::to_string(i) + ".gbr")).string());
    if (!WriteLayer(board.layers.back(), statements / 4, random, board.bytes)) return {};
  }
  board.drillFile = (folder / "board.drl").string();
  board.toolFile = (folder / "board.rck").string();
  if (!WriteDrills(board, hits, random, board.bytes)) return {};
  board.statements = statements;
  board.hits = hits;
  return board;
}

void RemoveRenderBoard(const RenderBoard& board) {
  if (board.folder.empty()) return;
  std::error_code error;
  std::filesystem::remove_all(board.folder, error);
}

}  // namespace corvane
