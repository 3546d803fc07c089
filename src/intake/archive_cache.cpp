#include "intake/archive_cache.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "intake/file_sniffer.h"

namespace corvane {
namespace {

bool StatRegular(const std::string& path, struct stat& info) {
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Reads up to `limit` bytes of a regular file; false with the cause in `error`.
bool ReadFile(const std::string& path, uint64_t limit, std::string& bytes, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    error = "not a regular file";
    return false;
  }
  if (static_cast<uint64_t>(info.st_size) > limit) {
    ::close(fd);
    error = "it is larger than " + std::to_string(limit >> 20) + " MB";
    return false;
  }
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  ::close(fd);
  bytes.resize(done);
  return true;
}

}  // namespace

ArchiveCache& ArchiveCache::Shared() {
  static ArchiveCache cache;
  return cache;
}

bool IsArchiveFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  char head[512];
  ssize_t got = 0;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) got = ::read(fd, head, sizeof head);
  ::close(fd);
  return got > 0 && LooksLikeArchive(std::string_view(head, static_cast<std::size_t>(got)));
}

std::shared_ptr<const ArchiveContents> ArchiveCache::Open(const std::string& path) {
  struct stat info {};
  if (!StatRegular(path, info)) {
    auto refused = std::make_shared<ArchiveContents>();
    refused->refusal = "it cannot be read";
    return refused;
  }
  {
    std::lock_guard lock(mutex_);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->path != path) continue;
      if (it->size == info.st_size && it->mtimeSeconds == info.st_mtim.tv_sec &&
          it->mtimeNanoseconds == info.st_mtim.tv_nsec) {
        entries_.splice(entries_.begin(), entries_, it);
        return entries_.front().contents;
      }
      entries_.erase(it);
      break;
    }
  }
  // Read without the lock: a large archive takes a while.
  std::string bytes;
  std::string error;
  auto contents = std::make_shared<ArchiveContents>();
  if (!ReadFile(path, kMaxArchiveFileBytes, bytes, error)) {
    contents->refusal = error;
  } else {
    *contents = ReadArchive(bytes);
  }
  std::lock_guard lock(mutex_);
  entries_.push_front(
      {path, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec, contents});
  TrimToBudget();
  return contents;
}

ArchiveCache::Member ArchiveCache::FindMember(const std::string& path) {
  Member found;
  for (std::size_t cut = path.rfind('/'); cut != std::string::npos && cut > 0;
       cut = path.rfind('/', cut - 1)) {
    const std::string prefix = path.substr(0, cut);
    struct stat info {};
    if (::stat(prefix.c_str(), &info) != 0) continue;
    // The first prefix that exists decides: a folder means no archive lies on the way.
    if (!S_ISREG(info.st_mode) || !IsArchiveFile(prefix)) return found;
    found.archive = prefix;
    const std::shared_ptr<const ArchiveContents> contents = Open(prefix);
    if (contents->Refused()) {
      found.refusal = contents->refusal;
      return found;
    }
    if (const ArchiveMember* member = FindArchiveMember(*contents, path.substr(cut + 1))) {
      found.bytes = member->bytes;
    }
    return found;
  }
  return found;
}

void ArchiveCache::TrimToBudget() {
  uint64_t held = 0;
  for (auto it = entries_.begin(); it != entries_.end();) {
    held += it->contents->expandedBytes;
    // The archive just read stays even when it alone exceeds the budget.
    if (held > budget_ && it != entries_.begin()) {
      it = entries_.erase(it);
    } else {
      ++it;
    }
  }
}

void ArchiveCache::Clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

uint64_t ArchiveCache::HeldBytes() const {
  std::lock_guard lock(mutex_);
  uint64_t held = 0;
  for (const Entry& entry : entries_) held += entry.contents->expandedBytes;
  return held;
}

}  // namespace corvane
