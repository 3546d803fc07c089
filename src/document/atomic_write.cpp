#include "document/atomic_write.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {
namespace {

FileResult Failure(const std::string& path, int error) {
  return {false, "Could not save " + path + ": " + std::strerror(error) + "."};
}

// A symbolic link stays a link: the file it points to is the one replaced.
std::string EffectiveTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return path;
  return resolved;
}

// The folder of a real path on this system, where a backslash is part of a
// name: unlike the names in work files (text/path_parts.h), only '/' splits.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A fresh file in the target's folder (a rename cannot cross file systems),
// named short enough for any target name; O_EXCL never reuses another file.
int CreateTemporary(const std::string& target, std::string& tempPath) {
  const std::string folder = FolderOf(target);
  const std::string prefix =
      (folder == "/" ? "" : folder) + "/.corvane-" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = prefix + std::to_string(attempt) + ".tmp";
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// So that the rename itself survives a crash; failing here loses nothing.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

FileResult WriteFileAtomically(const std::string& path, std::string_view contents) {
  if (path.empty()) return {false, "Failed to save document."};
  const std::string target = EffectiveTarget(path);
  std::string tempPath;
  const int fd = CreateTemporary(target, tempPath);
  if (fd < 0) return Failure(path, errno);

  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    ::fchmod(fd, existing.st_mode & 07777);
  }
  bool written = WriteAll(fd, contents) && ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(tempPath.c_str(), target.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    ::unlink(tempPath.c_str());
    return Failure(path, error);
  }
  SyncFolder(FolderOf(target));
  return {};
}

}  // namespace corvane
