#include "app/f1_filter.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(F1FilterTest, OnlyAPlainFirstF1IsConsumed) {
  using K = KeyPress::Key;
  struct Row {
    KeyPress press;
    bool consumed;
  };
  const Row rows[] = {
      {{K::kF1, false, false, false, false}, true},
      {{K::kF1, true, false, false, false}, false},  // Shift+F1
      {{K::kF1, false, true, false, false}, false},  // Ctrl+F1
      {{K::kF1, false, false, true, false}, false},  // Alt+F1
      {{K::kF1, false, false, false, true}, false},  // auto-repeat
      {{K::kOther, false, false, false, false}, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsConsumedByF1Filter(row.press), row.consumed)
        << row.press.shift << row.press.ctrl << row.press.alt << row.press.autoRepeat;
  }
}

}  // namespace
}  // namespace corvane
