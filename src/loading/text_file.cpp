#include "loading/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "intake/archive_cache.h"

namespace corvane {

TextFile::~TextFile() { Close(); }

bool TextFile::Open(const std::string& path) {
  Close();
  openError_ = ENOENT;
  if (path.empty()) return false;
  // O_NONBLOCK keeps open() itself from waiting on a FIFO without a writer;
  // such a file is then refused below like every other non-regular one.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    openError_ = errno;
    return (errno == ENOENT || errno == ENOTDIR) && OpenMember(path);
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    openError_ = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    return false;
  }
  // A regular file reads the same either way; blocking reads are what Fill expects.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  openError_ = 0;
  fd_ = fd;
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBlockSize);
  data_ = buffer_.get();
  pos_ = end_ = 0;
  afterCarriageReturn_ = false;
  return true;
}

bool TextFile::OpenMember(const std::string& path) {
  ArchiveCache::Member member = ArchiveCache::Shared().FindMember(path);
  if (!member.bytes) return false;
  openError_ = 0;
  member_ = std::move(member.bytes);
  data_ = member_->data();
  pos_ = 0;
  end_ = member_->size();
  afterCarriageReturn_ = false;
  return true;
}

void TextFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  member_.reset();
  data_ = buffer_.get();
  pos_ = end_ = 0;
}

bool TextFile::Fill() {
  if (fd_ < 0) return false;
  for (;;) {
    const ssize_t got = ::read(fd_, buffer_.get(), kBlockSize);
    if (got > 0) {
      pos_ = 0;
      end_ = static_cast<std::size_t>(got);
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    return false;
  }
}

void TextFile::ReadRest(std::string& text) {
  if (member_) {
    text.append(data_ + pos_, end_ - pos_);
    pos_ = end_;
    return;
  }
  struct stat info {};
  if (fd_ >= 0 && ::fstat(fd_, &info) == 0 && info.st_size > 0)
    text.reserve(text.size() + static_cast<std::size_t>(info.st_size));
  while (pos_ < end_ || Fill()) {
    text.append(data_ + pos_, end_ - pos_);
    pos_ = end_;
  }
}

// Works on local copies of the block position: stores through `buffer` could
// otherwise alias the members and force a reload for every byte.
std::size_t TextFile::ReadLine(char* buffer, std::size_t limit) {
  std::size_t consumed = 0;
  std::size_t stored = 0;
  while (stored < limit) {
    if (pos_ == end_ && !Fill()) break;
    const char* data = data_;
    std::size_t pos = pos_;
    if (afterCarriageReturn_) {
      afterCarriageReturn_ = false;
      if (data[pos] == '\n') {
        pos_ = pos + 1;
        ++consumed;
        continue;
      }
    }
    const char* run = data + pos;
    const std::size_t room = std::min(end_ - pos, limit - stored);
    std::size_t length = 0;
    while (length < room && run[length] != '\r' && run[length] != '\n') ++length;
    std::memcpy(buffer + stored, run, length);
    stored += length;
    consumed += length;
    pos += length;
    if (length < room) {
      afterCarriageReturn_ = data[pos] == '\r';
      pos_ = pos + 1;
      ++consumed;
      break;
    }
    pos_ = pos;
  }
  buffer[stored] = '\0';
  return consumed;
}

std::size_t ReadLine(TextFile& file, char* buffer, std::size_t limit) {
  return file.ReadLine(buffer, limit);
}

}  // namespace corvane
