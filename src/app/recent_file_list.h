#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class SettingsStore;

// The most recently opened or saved work files, newest first, kept in the
// store's "Recent File List" section as "File1".."File4".
class RecentFileList {
 public:
  // The store is not owned and may be null (nothing is kept).
  explicit RecentFileList(SettingsStore* store, int32_t size = 4);

  void Load();
  // Moves the path to the top (adding it when new) and writes the list at once.
  void Add(std::string_view path);
  void Remove(int32_t index);

  int32_t Size() const { return size_; }
  int32_t Count() const { return static_cast<int32_t>(paths_.size()); }
  // Empty for an index outside the list.
  std::string Get(int32_t index) const;
  const std::vector<std::string>& Paths() const { return paths_; }

  // The menu text of an entry: "&1 " and the path shortened to fit a menu,
  // with "&" doubled so it is shown, not taken as a mnemonic.
  std::string MenuText(int32_t index, std::string_view currentDir) const;

 private:
  void Save() const;

  SettingsStore* store_;
  int32_t size_;
  std::vector<std::string> paths_;
};

// A path shortened for a menu: the bare name when it lies in `currentDir`,
// the whole path when it has at most `maxLength` characters, else the first
// folder, "...", and as many trailing parts as fit (at least the file name).
std::string AbbreviatePath(std::string_view path, std::string_view currentDir,
                           std::size_t maxLength = 30);

}  // namespace corvane
