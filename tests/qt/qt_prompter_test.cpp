#include "qt/qt_prompter.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(QtPrompterTest, FiltersInQtsFormMatchBothCasesAndFilesWithoutADot) {
  const std::pair<const char*, const char*> cases[] = {
      {"Gerber Plot Files (*.ger)|*.ger|All Files (*.*)|*.*||",
       "Gerber Plot Files (*.ger *.GER);;All Files (*)"},
      {"Drill Tool Files (*.RCK)|*.RCK|All Files (*.*)|*.*||",
       "Drill Tool Files (*.RCK *.rck);;All Files (*)"},
      {"Corvane Work Files (*.wrk)|*.wrk|All Files (*.*)|*.*||",
       "Corvane Work Files (*.wrk *.WRK);;All Files (*)"},
      {"Plots|*.gbr;*.ger||", "Plots (*.gbr *.GBR *.ger *.GER)"},
      {"", ""},
  };
  for (const auto& [filter, expected] : cases) {
    EXPECT_EQ(ToQtFileFilter(filter).toStdString(), expected) << filter;
  }
}

}  // namespace
}  // namespace corvane
