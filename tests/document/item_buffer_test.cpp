#include "document/item_buffer.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace corvane {
namespace {

// Items of 24 bytes: about 87,000 fill the 2 MiB from which a buffer is
// mapped memory rather than heap, so these sizes cross that line both ways.
constexpr std::size_t kSmall = 1000;
constexpr std::size_t kEdge = (std::size_t{2} << 20) / sizeof(PlotItem);
constexpr std::size_t kLarge = 400'000;

struct Step {
  enum Kind { kReset, kAppend, kTrim } kind;
  std::size_t n = 0;  // the capacity to reset to, or the items to append
};

struct Case {
  const char* name;
  std::vector<Step> steps;
};

PlotItem Numbered(std::size_t i) {
  PlotItem item;
  item.dcode = static_cast<int32_t>(i);
  item.x = static_cast<double>(i) * 0.5;
  item.layer = static_cast<uint8_t>(i % 7);
  return item;
}

// Every item appended since the last reset is still there, in order, after
// each step.
TEST(ItemBufferTest, ItemsSurviveEveryGrowthAndTrim) {
  const Case cases[] = {
      {"heap only", {{Step::kAppend, kSmall}, {Step::kTrim}, {Step::kAppend, 3}}},
      {"heap to mapped by growth", {{Step::kAppend, kEdge + 5000}}},
      {"mapped growth many times", {{Step::kAppend, kLarge}, {Step::kAppend, kLarge}}},
      {"mapped trimmed to mapped, then grown",
       {{Step::kAppend, kLarge + 17}, {Step::kTrim}, {Step::kAppend, 1000}}},
      {"mapped trimmed to heap, then grown back",
       {{Step::kReset, kLarge}, {Step::kAppend, 10}, {Step::kTrim}, {Step::kAppend, kEdge}}},
      {"exactly one unit", {{Step::kReset, kEdge}, {Step::kAppend, kEdge}, {Step::kTrim}}},
      {"reset from mapped to heap and back",
       {{Step::kAppend, kLarge},
        {Step::kReset, kSmall},
        {Step::kAppend, 2 * kSmall},
        {Step::kReset, kLarge},
        {Step::kAppend, kLarge + 1}}},
      {"emptied to nothing", {{Step::kAppend, kLarge}, {Step::kReset, 0}, {Step::kAppend, 5}}},
      {"trimmed when empty", {{Step::kReset, kLarge}, {Step::kTrim}, {Step::kAppend, 2}}},
  };
  std::size_t checked = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ItemBuffer buffer;
    std::size_t expected = 0;
    for (const Step& step : c.steps) {
      switch (step.kind) {
        case Step::kReset:
          buffer.Reset(step.n);
          expected = 0;
          EXPECT_EQ(buffer.Capacity(), step.n);
          break;
        case Step::kAppend:
          for (std::size_t i = 0; i < step.n; ++i) buffer.Append(Numbered(expected + i));
          expected += step.n;
          break;
        case Step::kTrim:
          buffer.Trim();
          EXPECT_EQ(buffer.Capacity(), expected);
          break;
      }
      ASSERT_EQ(buffer.Count(), expected);
      ASSERT_GE(buffer.Capacity(), expected);
      std::size_t wrong = 0;
      for (std::size_t i = 0; i < expected; ++i) {
        const PlotItem& item = buffer[i];
        wrong += item.dcode != static_cast<int32_t>(i) || item.x != static_cast<double>(i) * 0.5 ||
                 item.layer != i % 7;
      }
      EXPECT_EQ(wrong, 0u);
      checked += expected;
    }
  }
  EXPECT_GT(checked, 3 * kLarge);
}

}  // namespace
}  // namespace corvane
