#pragma once

// Archives a fab sends or receives (zip, tar, tar.gz, 7z), read in memory
// with libarchive and never extracted. An archive is hostile until proven
// otherwise: it is refused as a whole, with one line saying why, when an
// entry climbs out of it or names an absolute path, is a link, is encrypted
// or corrupt, when it holds too many entries or expands beyond the bound, or
// when archives nest deeper than one level.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct ArchiveLimits {
  uint64_t maxExpandedBytes = 512ull * 1024 * 1024;  // all members together
  uint32_t maxEntries = 10000;
  int maxNesting = 1;  // an archive inside the archive is read; one inside that is refused
};

struct ArchiveMember {
  // "gerbers/board-F_Cu.gbr"; a member of an archive inside the archive is
  // named below that archive's name: "panel.zip/board-F_Cu.gbr".
  std::string path;
  std::shared_ptr<const std::string> bytes;
};

struct ArchiveContents {
  std::vector<ArchiveMember> members;  // regular files, in archive order
  std::string refusal;                 // why the archive was refused; empty when it was read
  uint64_t expandedBytes = 0;
  bool Refused() const { return !refusal.empty(); }
};

// Reads the archive held in `bytes`. A refused archive keeps no members.
ArchiveContents ReadArchive(std::string_view bytes, const ArchiveLimits& limits = {});

// The member named `path`, or nullptr.
const ArchiveMember* FindArchiveMember(const ArchiveContents& contents, std::string_view path);

}  // namespace corvane
