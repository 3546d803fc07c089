#pragma once

// Archives written in memory for the tests, hostile ones included, with
// libarchive's own writer.

#include <archive.h>
#include <archive_entry.h>

#include <string>
#include <vector>

namespace corvane {

struct TestEntry {
  enum class Type { kFile, kDirectory, kSymlink, kHardlink };
  std::string name{};
  std::string content{};
  Type type = Type::kFile;
  std::string target{};  // of a link
};

enum class TestFormat { kZip, kTarGz, kSevenZip, kEncryptedZip };

inline la_ssize_t AppendBytes(archive*, void* out, const void* buffer, size_t length) {
  static_cast<std::string*>(out)->append(static_cast<const char*>(buffer), length);
  return static_cast<la_ssize_t>(length);
}

// The archive's bytes; empty when the writer cannot make that format here.
inline std::string WriteTestArchive(const std::vector<TestEntry>& entries, TestFormat format) {
  std::string bytes;
  archive* a = archive_write_new();
  switch (format) {
    case TestFormat::kZip:
      archive_write_set_format_zip(a);
      break;
    case TestFormat::kEncryptedZip:
      archive_write_set_format_zip(a);
      if (archive_write_set_options(a, "zip:encryption=zipcrypt") != ARCHIVE_OK ||
          archive_write_set_passphrase(a, "secret") != ARCHIVE_OK) {
        archive_write_free(a);
        return {};
      }
      break;
    case TestFormat::kTarGz:
      archive_write_set_format_pax_restricted(a);
      archive_write_add_filter_gzip(a);
      break;
    case TestFormat::kSevenZip:
      archive_write_set_format_7zip(a);
      break;
  }
  archive_write_open(a, &bytes, nullptr, AppendBytes, nullptr);
  for (const TestEntry& e : entries) {
    archive_entry* entry = archive_entry_new();
    archive_entry_set_pathname(entry, e.name.c_str());
    archive_entry_set_perm(entry, 0644);
    switch (e.type) {
      case TestEntry::Type::kFile:
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_size(entry, static_cast<la_int64_t>(e.content.size()));
        break;
      case TestEntry::Type::kDirectory:
        archive_entry_set_filetype(entry, AE_IFDIR);
        break;
      case TestEntry::Type::kSymlink:
        archive_entry_set_filetype(entry, AE_IFLNK);
        archive_entry_set_symlink(entry, e.target.c_str());
        break;
      case TestEntry::Type::kHardlink:
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_hardlink(entry, e.target.c_str());
        break;
    }
    archive_write_header(a, entry);
    if (e.type == TestEntry::Type::kFile && !e.content.empty()) {
      archive_write_data(a, e.content.data(), e.content.size());
    }
    archive_entry_free(entry);
  }
  archive_write_close(a);
  archive_write_free(a);
  return bytes;
}

}  // namespace corvane
