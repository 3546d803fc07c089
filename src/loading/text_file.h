#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace corvane {

// A data or work file opened for reading, handed out one byte at a time from
// 64 KiB blocks. Only regular files open: a directory, a device such as
// /dev/zero or a pipe named by a work file would otherwise block the load or
// never end. A path "<archive>/<member>" opens the member of an archive on
// disk from the archive cache, without anything being extracted.
class TextFile {
 public:
  TextFile() = default;
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // False when the path names no readable regular file and no archive member.
  bool Open(const std::string& path);
  // The bytes of an archive member, when that is what was opened; null otherwise.
  const std::shared_ptr<const std::string>& Member() const { return member_; }
  // The errno of the last failed Open (EISDIR or EINVAL for a file that is
  // not a regular one).
  int OpenError() const { return openError_; }
  void Close();
  bool IsOpen() const { return fd_ >= 0 || member_ != nullptr; }

  // The next byte, or -1 at the end of the file (a read error counts as the end).
  int Get() {
    if (pos_ == end_ && !Fill()) return -1;
    return static_cast<unsigned char>(data_[pos_++]);
  }

  // The line reading of ReadLine below, over the block in hand.
  std::size_t ReadLine(char* buffer, std::size_t limit);
  // Appends every byte not yet handed out to `text`.
  void ReadRest(std::string& text);

 private:
  bool Fill();
  bool OpenMember(const std::string& path);

  static constexpr std::size_t kBlockSize = 65536;
  int fd_ = -1;
  int openError_ = 0;
  std::unique_ptr<char[]> buffer_;
  std::shared_ptr<const std::string> member_;
  const char* data_ = nullptr;  // the block in hand: buffer_, or the whole member
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  // The byte consumed last was a carriage return: a line feed next is the
  // second half of a CR LF pair and does not end another, empty line.
  bool afterCarriageReturn_ = false;
};

// Reads one text line into `buffer`, which must hold limit + 1 characters.
// Stops after a carriage return, at a line feed that does not follow one, or
// when `limit` characters are stored; line ends are never stored. The text is
// NUL-terminated. Returns the bytes consumed, so an empty line gives 1 and the
// end of the file 0.
std::size_t ReadLine(TextFile& file, char* buffer, std::size_t limit);

// The line limit of the table and drill loaders.
inline constexpr std::size_t kLineLimit = 510;
// Work file lines hold whole paths, which may be far longer than a table line:
// a layer line cut at 510 characters would lose its layer when the work file
// is opened again.
inline constexpr std::size_t kWorkFileLineLimit = 8192;

}  // namespace corvane
