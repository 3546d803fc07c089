#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "document/format_settings.h"

namespace corvane {

// The "Field Order" list of the aperture and drill tool format dialogs: the
// columns of a table line as codes, the selected line, and what the Move Up,
// Move Down, Add Skip and Delete Skip buttons do to them. Only Skip lines come
// and go, so every other column a list holds stays in it.
class FieldOrderList {
 public:
  using NameFunction = std::string_view (*)(int code);

  // `skipCode` is the Skip column of the table kind, `name` its display names.
  FieldOrderList(uint8_t skipCode, NameFunction name) : skipCode_(skipCode), name_(name) {}

  // Shows `order` with no line selected, as a refilled list box has none.
  void Reset(const FieldOrder& order);
  const FieldOrder& Codes() const { return codes_; }
  int32_t LineCount() const { return static_cast<int32_t>(codes_.size()); }
  // The display name of each line, "Unknown" for a code outside the range.
  std::vector<std::string_view> Lines() const;

  // -1 for none.
  int32_t Selection() const { return selection_; }
  // A line outside the list selects none.
  void Select(int32_t line);
  // "Delete Skip" is enabled exactly while a Skip line is selected.
  bool IsDeleteSkipEnabled() const;

  // Each returns whether the list changed. The moved line stays selected.
  bool MoveUp();
  bool MoveDown();
  // Appends a Skip line; the selection stays where it is.
  void AddSkip();
  // Removes the selected line if it is a Skip; the line that took its place,
  // or the new last line, is selected afterwards.
  bool DeleteSkip();

 private:
  uint8_t skipCode_;
  NameFunction name_;
  FieldOrder codes_;
  int32_t selection_ = -1;
};

}  // namespace corvane
