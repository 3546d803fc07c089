#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The help requests of the program, by the numbers its help calls carry.
inline constexpr uint32_t kHelpContext = 1;  // open the topic numbered `data`
inline constexpr uint32_t kHelpFinder = 11;  // open the contents and index
inline constexpr uint32_t kHelpTopicBase = 0x20000;

// Resource numbers of the dialogs that have a Help button.
inline constexpr uint32_t kDlgSetVisibility = 143;
inline constexpr uint32_t kDlgGerberFormat = 147;
inline constexpr uint32_t kDlgDrillFormat = 148;
inline constexpr uint32_t kDlgApertureFormat = 149;
inline constexpr uint32_t kDlgGerberFiles = 150;
inline constexpr uint32_t kDlgDrillToolFormat = 151;
inline constexpr uint32_t kDlgApertureList = 152;
inline constexpr uint32_t kDlgDrillToolList = 153;

inline constexpr uint32_t HelpTopicForDialog(uint32_t resource) {
  return kHelpTopicBase + resource;
}

// Topic numbers to help pages, read from help/topics.map: one "number page"
// per line (decimal or 0x hexadecimal), "#" starts a comment. The contents
// page is the one named "contents".
class HelpTopicMap {
 public:
  static HelpTopicMap Parse(std::string_view text);

  std::optional<std::string> PageForTopic(uint32_t topic) const;
  const std::string& ContentsPage() const { return contents_; }
  const std::string& IndexPage() const { return index_; }
  const std::map<uint32_t, std::string>& Topics() const { return topics_; }

  // The page a help call opens: the contents for HELP_FINDER, the topic's page
  // for HELP_CONTEXT (the contents when the topic is unknown), nothing else.
  std::optional<std::string> Resolve(uint32_t data, uint32_t command) const;

 private:
  std::map<uint32_t, std::string> topics_;
  std::string contents_ = "index.html";
  std::string index_ = "keywords.html";
};

}  // namespace corvane
