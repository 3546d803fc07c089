#include "intake/archive_reader.h"

#include <archive.h>
#include <archive_entry.h>

#include <memory>

#include "intake/file_sniffer.h"

namespace corvane {
namespace {

struct ArchiveFree {
  void operator()(archive* a) const { archive_read_free(a); }
};
using ArchivePtr = std::unique_ptr<archive, ArchiveFree>;

constexpr std::size_t kReadBlock = 64 * 1024;

ArchivePtr OpenReader(std::string_view bytes) {
  ArchivePtr a(archive_read_new());
  if (!a) return a;
  archive_read_support_format_zip(a.get());
  archive_read_support_format_tar(a.get());
  archive_read_support_format_gnutar(a.get());
  archive_read_support_format_7zip(a.get());
  archive_read_support_filter_gzip(a.get());
  archive_read_support_filter_bzip2(a.get());
  archive_read_support_filter_xz(a.get());
  if (archive_read_open_memory(a.get(), bytes.data(), bytes.size()) != ARCHIVE_OK) a.reset();
  return a;
}

// The entry's name as a clean relative path, or why it is refused.
bool CleanName(std::string name, std::string& clean, std::string& refusal) {
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  if (name.empty()) {
    refusal = "an entry has no name";
    return false;
  }
  if (name.front() == '/' || (name.size() >= 2 && name[1] == ':')) {
    refusal = "the entry " + name + " names an absolute path";
    return false;
  }
  clean.clear();
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find('/', start);
    if (end == std::string::npos) end = name.size();
    const std::string_view part(name.data() + start, end - start);
    if (part == "..") {
      refusal = "the entry " + name + " climbs out of the archive";
      return false;
    }
    if (!part.empty() && part != ".") {
      if (!clean.empty()) clean += '/';
      clean += part;
    }
    start = end + 1;
  }
  return true;
}

class Reader {
 public:
  Reader(const ArchiveLimits& limits, ArchiveContents& out) : limits_(limits), out_(out) {}

  // Reads every entry of `bytes` into the contents, names below `prefix`.
  bool Read(std::string_view bytes, const std::string& prefix, int depth) {
    ArchivePtr a = OpenReader(bytes);
    if (!a) return Refuse("it is no archive that can be read");
    archive_entry* entry = nullptr;
    for (;;) {
      const int status = archive_read_next_header(a.get(), &entry);
      if (status == ARCHIVE_EOF) return true;
      if (status < ARCHIVE_WARN) return Refuse(Corrupt(a.get()));
      if (++entries_ > limits_.maxEntries) {
        return Refuse("it holds more than " + std::to_string(limits_.maxEntries) + " entries");
      }
      if (!TakeEntry(a.get(), entry, prefix, depth)) return false;
    }
  }

 private:
  bool Refuse(std::string why) {
    out_.refusal = std::move(why);
    return false;
  }

  static std::string Corrupt(archive* a) {
    const char* text = archive_error_string(a);
    const std::string cause = text == nullptr ? "" : text;
    if (cause.find("assphrase") != std::string::npos || cause.find("ncrypt") != std::string::npos) {
      return "it is password-protected";
    }
    return "it is corrupt" + (cause.empty() ? std::string() : " (" + cause + ")");
  }

  bool TakeEntry(archive* a, archive_entry* entry, const std::string& prefix, int depth) {
    const char* rawName = archive_entry_pathname(entry);
    std::string name;
    std::string refusal;
    if (!CleanName(rawName == nullptr ? std::string() : std::string(rawName), name, refusal)) {
      return Refuse(refusal);
    }
    const mode_t type = archive_entry_filetype(entry);
    if (type == AE_IFDIR) return true;
    if (type == AE_IFLNK || archive_entry_hardlink(entry) != nullptr ||
        archive_entry_symlink(entry) != nullptr) {
      return Refuse("the entry " + name + " is a link");
    }
    if (type != AE_IFREG && type != 0) return Refuse("the entry " + name + " is no regular file");
    if (archive_entry_is_encrypted(entry)) return Refuse("it is password-protected");
    auto bytes = std::make_shared<std::string>();
    if (!ReadData(a, *bytes)) return false;
    const std::string path = prefix + name;
    if (LooksLikeArchive(*bytes)) {
      if (depth >= limits_.maxNesting) {
        return Refuse("the archive " + path + " inside it nests archives deeper than one level");
      }
      return Read(*bytes, path + "/", depth + 1);
    }
    for (const ArchiveMember& member : out_.members) {
      if (member.path == path) return true;  // a name given twice: the first one counts
    }
    out_.members.push_back({path, std::move(bytes)});
    return true;
  }

  bool ReadData(archive* a, std::string& bytes) {
    char block[kReadBlock];
    for (;;) {
      const la_ssize_t got = archive_read_data(a, block, sizeof block);
      if (got == 0) return true;
      if (got < 0) return Refuse(Corrupt(a));
      out_.expandedBytes += static_cast<uint64_t>(got);
      if (out_.expandedBytes > limits_.maxExpandedBytes) {
        return Refuse("it expands beyond " + std::to_string(limits_.maxExpandedBytes >> 20) +
                      " MB");
      }
      bytes.append(block, static_cast<std::size_t>(got));
    }
  }

  const ArchiveLimits& limits_;
  ArchiveContents& out_;
  uint32_t entries_ = 0;
};

}  // namespace

ArchiveContents ReadArchive(std::string_view bytes, const ArchiveLimits& limits) {
  ArchiveContents contents;
  Reader reader(limits, contents);
  if (!reader.Read(bytes, std::string(), 0)) {
    // Nothing of a refused archive is kept: its memory goes at once.
    contents.members.clear();
    contents.members.shrink_to_fit();
    if (contents.refusal.empty()) contents.refusal = "it cannot be read";
  }
  return contents;
}

const ArchiveMember* FindArchiveMember(const ArchiveContents& contents, std::string_view path) {
  for (const ArchiveMember& member : contents.members) {
    if (member.path == path) return &member;
  }
  return nullptr;
}

}  // namespace corvane
