#pragma once

// What the user opens becomes one set of files: folders (their files and
// subfolders), archives (their members, named "<archive>/<member>"), job
// files (the files they list), work files, and any plot, drill or table
// file, each identified by its content and ordered as the board is stacked.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "document/layer_function.h"

namespace corvane {

struct IntakeFile {
  // The path the loaders open: a file on disk, or "<archive>/<member>".
  std::string path;
  LayerFunction function;
  bool usesTodaysFormats = false;
  // Why the file could not be read; empty when it could.
  std::string problem;
};

struct IntakeSet {
  std::vector<IntakeFile> files;
  // One line for each archive refused and each path that names nothing:
  // "fab.zip: refused: the entry ../x.gbr climbs out of the archive".
  std::vector<std::string> refusals;
  // The work files among the paths, in order.
  std::vector<std::string> workFiles;
  // A folder, an archive or a job file was among the paths: the set is
  // today's kind.
  bool gathered = false;
  // The files are in stack order (else in the order the paths named them):
  // such a set is drawn and coloured by function.
  bool stacked = false;

  bool UsesTodaysFormats() const;
  // Some file could not be read, or some path was refused.
  bool HasProblems() const;
};

struct IntakeOptions {
  // Stack a plain list of files too. Without it only a gathered set is
  // stacked, and a list of files keeps the order and the colours by
  // position that scripts have relied on.
  bool stackPlainLists = false;
};

// The largest number of files a folder walk lists, and how deep it goes.
inline constexpr std::size_t kMaxFolderFiles = 10000;
inline constexpr int kMaxFolderDepth = 16;

// True for a name ending in ".wrk", in any case.
bool IsWorkFileName(std::string_view name);

IntakeSet GatherIntake(std::span<const std::string> paths, const IntakeOptions& options = {});

}  // namespace corvane
