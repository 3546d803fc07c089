#pragma once

#include <cstdint>
#include <string>

namespace corvane {

struct GeneratedBoard {
  std::string path;
  uint64_t bytes = 0;
  uint64_t statements = 0;
};

// Writes an RS-274-X board of about `statements` statements (aperture
// selections, moves, draws, flashes and a few arcs, format 2.4) to a new file in
// the system's temporary folder. The file is written as it is generated, so
// the generator itself needs little memory. Returns an empty path on failure.
GeneratedBoard WriteGeneratedBoard(uint64_t statements);

// Writes an NC drill program of `hits` holes as CAM tools write it (a header,
// four tool changes, absolute X/Y with leading zeros omitted, Unix line ends)
// to `path`. Returns the bytes written, 0 on failure.
uint64_t WriteGeneratedDrillFile(const std::string& path, int hits);

}  // namespace corvane
