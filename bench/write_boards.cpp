// Writes the generated benchmark boards into one folder, so that a script can
// read them with the program itself: the Gerber loading board, the paint board
// (four layers, an NC drill file and a drill tool table), the reload
// benchmark's NC drill file, and the standard reading's modern board and
// Excellon file. Usage: corvane_write_boards FOLDER

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "board_generator.h"
#include "modern_board_generator.h"
#include "render_board.h"

namespace {

// The generators pick their own temporary names; the boards are moved here.
bool MoveInto(const std::string& from, const std::filesystem::path& to) {
  std::error_code error;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
  std::filesystem::remove(from, error);
  return std::filesystem::is_regular_file(to);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: corvane_write_boards FOLDER\n", stderr);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder / "render", error);

  // The sizes the benchmarks read.
  const corvane::GeneratedBoard board = corvane::WriteGeneratedBoard(2'500'000);
  bool written = !board.path.empty() && MoveInto(board.path, folder / "gerber_load.gbr");

  const corvane::RenderBoard render = corvane::WriteRenderBoard(1'900'000, 100'000, 16, 12);
  written = written && !render.folder.empty();
  for (std::size_t i = 0; written && i < render.layers.size(); ++i) {
    written =
        MoveInto(render.layers[i], folder / "render" / ("layer" + std::to_string(i) + ".gbr"));
  }
  written = written && MoveInto(render.drillFile, folder / "render" / "board.drl") &&
            MoveInto(render.toolFile, folder / "render" / "board.rck");
  corvane::RemoveRenderBoard(render);

  written = written && corvane::WriteGeneratedDrillFile((folder / "tables_reload.drl").string(),
                                                        1'000'000) != 0;
  const corvane::GeneratedBoard modern = corvane::WriteGeneratedModernBoard(2'500'000);
  written = written && !modern.path.empty() && MoveInto(modern.path, folder / "modern.gbr");
  const corvane::GeneratedBoard excellon = corvane::WriteGeneratedExcellon(1'000'000);
  written = written && !excellon.path.empty() && MoveInto(excellon.path, folder / "modern.drl");
  if (!written) {
    std::fputs("corvane_write_boards: cannot write the boards\n", stderr);
    return 1;
  }
  return 0;
}
