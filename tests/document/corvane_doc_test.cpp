#include "document/corvane_doc.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(CCorvaneDocTest, PlotItemIsSmallAndTriviallyCopyable) {
  static_assert(std::is_trivially_copyable_v<PlotItem>);
  EXPECT_LE(sizeof(PlotItem), 24u);
}

}  // namespace
}  // namespace corvane
