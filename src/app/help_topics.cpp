#include "app/help_topics.h"

#include <charconv>

#include "text/ascii.h"

namespace corvane {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsCSpace(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsCSpace(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::optional<uint32_t> ParseNumber(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

HelpTopicMap HelpTopicMap::Parse(std::string_view text) {
  HelpTopicMap map;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    line = Trim(line.substr(0, line.find('#')));
    const std::size_t space = line.find_first_of(" \t");
    if (space == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, space);
    const std::string page(Trim(line.substr(space)));
    if (page.empty()) continue;
    if (key == "contents") {
      map.contents_ = page;
    } else if (key == "index") {
      map.index_ = page;
    } else if (const auto topic = ParseNumber(key)) {
      map.topics_[*topic] = page;
    }
  }
  return map;
}

std::optional<std::string> HelpTopicMap::PageForTopic(uint32_t topic) const {
  const auto it = topics_.find(topic);
  if (it == topics_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> HelpTopicMap::Resolve(uint32_t data, uint32_t command) const {
  if (command == kHelpFinder) return contents_;
  if (command == kHelpContext) return PageForTopic(data).value_or(contents_);
  return std::nullopt;
}

}  // namespace corvane
