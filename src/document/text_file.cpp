#include "document/text_file.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    openError_ = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    return false;
  }
  openError_ = 0;
  fd_ = fd;
  if (!buffer_) buffer_ = std::make_unique<char[]>(kBlockSize);
  pos_ = end_ = 0;
  afterCarriageReturn = false;
  return true;
}

void TextFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
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

std::size_t ReadLine(TextFile& file, char* buffer, std::size_t limit) {
  std::size_t consumed = 0;
  std::size_t stored = 0;
  while (stored < limit) {
    const int c = file.Get();
    if (c < 0) break;
    ++consumed;
    const bool followsCarriageReturn = file.afterCarriageReturn;
    file.afterCarriageReturn = c == '\r';
    if (c == '\r') break;
    if (c == '\n') {
      if (followsCarriageReturn) continue;
      break;
    }
    buffer[stored++] = static_cast<char>(c);
  }
  buffer[stored] = '\0';
  return consumed;
}

}  // namespace corvane
