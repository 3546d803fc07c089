#pragma once

// The archives the program has opened, kept in memory so that every reader
// (both readings, Reload All, a work file saved from an archive) reaches a
// member by the path "<archive path>/<member path>" without anything being
// extracted. An archive is read again when its size or modification time
// changes; the cache holds at most its budget of expanded bytes, dropping the
// archives used longest ago (members in use stay alive with their users).

#include <cstdint>
#include <ctime>
#include <list>
#include <memory>
#include <mutex>
#include <string>

#include "intake/archive_reader.h"

namespace corvane {

// An archive file larger than this is refused unread.
inline constexpr uint64_t kMaxArchiveFileBytes = 512ull * 1024 * 1024;

class ArchiveCache {
 public:
  // The one cache of the process; safe to use from several threads.
  static ArchiveCache& Shared();

  explicit ArchiveCache(uint64_t budgetBytes = 1024ull * 1024 * 1024) : budget_(budgetBytes) {}
  ArchiveCache(const ArchiveCache&) = delete;
  ArchiveCache& operator=(const ArchiveCache&) = delete;

  // The contents of the archive file at `path`: refused (with the reason)
  // when it is hostile, cannot be read or is no archive.
  std::shared_ptr<const ArchiveContents> Open(const std::string& path);

  struct Member {
    std::shared_ptr<const std::string> bytes;  // null when there is no such member
    std::string archive;                       // the archive the path lies in; empty: none
    std::string refusal;                       // why that archive was refused
  };
  // For a path that is not a regular file: the member it names in the
  // archive that is the path's longest prefix naming a regular file.
  Member FindMember(const std::string& path);

  void Clear();
  uint64_t HeldBytes() const;

 private:
  struct Entry {
    std::string path;
    int64_t size = 0;
    int64_t mtimeSeconds = 0;
    int64_t mtimeNanoseconds = 0;
    std::shared_ptr<const ArchiveContents> contents;
  };
  void TrimToBudget();

  mutable std::mutex mutex_;
  std::list<Entry> entries_;  // most recently used first
  uint64_t budget_;
};

// Whether the file at `path` is a regular file whose first bytes are an archive's.
bool IsArchiveFile(const std::string& path);

}  // namespace corvane
