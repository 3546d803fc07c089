#include "dialogs/field_order_list.h"

#include <utility>

namespace corvane {

void FieldOrderList::Reset(const FieldOrder& order) {
  codes_ = order;
  selection_ = -1;
}

std::vector<std::string_view> FieldOrderList::Lines() const {
  std::vector<std::string_view> lines;
  lines.reserve(codes_.size());
  for (const uint8_t code : codes_) lines.push_back(name_(code));
  return lines;
}

void FieldOrderList::Select(int32_t line) {
  selection_ = line >= 0 && line < LineCount() ? line : -1;
}

bool FieldOrderList::IsDeleteSkipEnabled() const {
  return selection_ >= 0 && codes_[static_cast<std::size_t>(selection_)] == skipCode_;
}

bool FieldOrderList::MoveUp() {
  if (selection_ <= 0) return false;
  const auto at = static_cast<std::size_t>(selection_);
  std::swap(codes_[at], codes_[at - 1]);
  --selection_;
  return true;
}

bool FieldOrderList::MoveDown() {
  if (selection_ < 0 || selection_ + 1 >= LineCount()) return false;
  const auto at = static_cast<std::size_t>(selection_);
  std::swap(codes_[at], codes_[at + 1]);
  ++selection_;
  return true;
}

void FieldOrderList::AddSkip() { codes_.push_back(skipCode_); }

bool FieldOrderList::DeleteSkip() {
  if (!IsDeleteSkipEnabled()) return false;
  codes_.erase(codes_.begin() + selection_);
  if (selection_ >= LineCount()) selection_ = LineCount() - 1;
  return true;
}

}  // namespace corvane
