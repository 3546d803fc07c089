#include "app/recent_file_list.h"

#include <algorithm>
#include <string>

#include "platform/settings_store.h"
#include "text/path_parts.h"

namespace corvane {
namespace {

std::string EntryKey(int32_t index) { return "File" + std::to_string(index + 1); }

std::string DoubleAmpersands(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '&') out += '&';
    out += c;
  }
  return out;
}

}  // namespace

RecentFileList::RecentFileList(SettingsStore* store, int32_t size)
    : store_(store), size_(std::max<int32_t>(size, 1)) {}

void RecentFileList::Load() {
  paths_.clear();
  if (store_ == nullptr) return;
  for (int32_t i = 0; i < size_; ++i) {
    std::string path = store_->ReadText(kSectionRecentFiles, EntryKey(i), "");
    // A hand-edited list may repeat or skip entries; keep the first of each.
    if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end()) {
      paths_.push_back(std::move(path));
    }
  }
}

void RecentFileList::Add(std::string_view path) {
  if (path.empty()) return;
  const auto it = std::find(paths_.begin(), paths_.end(), path);
  if (it != paths_.end()) paths_.erase(it);
  paths_.insert(paths_.begin(), std::string(path));
  if (Count() > size_) paths_.resize(static_cast<std::size_t>(size_));
  Save();
}

void RecentFileList::Remove(int32_t index) {
  if (index < 0 || index >= Count()) return;
  paths_.erase(paths_.begin() + index);
  Save();
}

std::string RecentFileList::Get(int32_t index) const {
  return index >= 0 && index < Count() ? paths_[static_cast<std::size_t>(index)] : std::string();
}

void RecentFileList::Save() const {
  if (store_ == nullptr) return;
  for (int32_t i = 0; i < size_; ++i) store_->WriteText(kSectionRecentFiles, EntryKey(i), Get(i));
}

std::string RecentFileList::MenuText(int32_t index, std::string_view currentDir) const {
  return "&" + std::to_string(index + 1) + " " +
         DoubleAmpersands(AbbreviatePath(Get(index), currentDir));
}

std::string AbbreviatePath(std::string_view path, std::string_view currentDir,
                           std::size_t maxLength) {
  const std::size_t sep = LastSeparator(path);
  if (sep == std::string_view::npos) return std::string(path);
  if (!currentDir.empty() && path.substr(0, sep) == currentDir) {
    return std::string(path.substr(sep + 1));
  }
  if (path.size() <= maxLength) return std::string(path);

  // Keep the first folder ("/home/", "C:\\") so the user still sees where it lives.
  const std::size_t firstEnd = path.find_first_of(kPathSeparators, 1);
  if (firstEnd == std::string_view::npos || firstEnd >= sep) return std::string(path);
  const std::string_view head = path.substr(0, firstEnd + 1);
  const std::string_view ellipsis = "...";
  std::size_t cut = sep;  // the tail starts at this separator
  while (true) {
    const std::size_t prev = LastSeparator(path.substr(0, cut));
    if (prev <= firstEnd) break;
    const std::size_t tailLength = path.size() - prev;
    if (head.size() + ellipsis.size() + tailLength > maxLength) break;
    cut = prev;
  }
  return std::string(head) + std::string(ellipsis) + std::string(path.substr(cut));
}

}  // namespace corvane
