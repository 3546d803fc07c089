#pragma once

// Character classes and case-insensitive comparison in ASCII, whatever the
// process locale says: the files the program reads and the keys it looks up
// are 8-bit text whose meaning must not change with the user's language.

#include <cstddef>
#include <string_view>

namespace corvane {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }
// The C library's white space: blank, tab, line feed, vertical tab, form feed
// and carriage return.
constexpr bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

constexpr char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal as a whole, letters compared without case.
constexpr bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

constexpr bool EndsWithNoCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && EqualNoCase(text.substr(text.size() - end.size()), end);
}

// First case-insensitive occurrence of `word` in the NUL-terminated `text`, or
// nullptr. An empty word matches at the start of a non-empty text; an empty
// text matches nothing.
inline const char* FindNoCase(const char* text, const char* word) {
  for (; *text != '\0'; ++text) {
    std::size_t i = 0;
    while (word[i] != '\0' && UpperAscii(text[i]) == UpperAscii(word[i])) ++i;
    if (word[i] == '\0') return text;
  }
  return nullptr;
}

}  // namespace corvane
