#include "app/status_pane.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct Step {
  enum Kind { kMessage, kHover } kind;
  const char* text;
  const char* shown;
};

TEST(StatusPaneTest, PromptsUnderThePointerDoNotLoseTheProgramsText) {
  const Step steps[] = {
      {Step::kHover, "Load NC drill file", "Load NC drill file"},
      {Step::kHover, "", "For Help, press F1"},  // nothing written yet: idle
      {Step::kMessage, "Select first measurement point.", "Select first measurement point."},
      {Step::kHover, "Sets the offset of a selected layer or drills",
       "Sets the offset of a selected layer or drills"},
      {Step::kHover, "", "Select first measurement point."},  // back on leaving
      {Step::kMessage, "X = 0.3000, Y = 0.4000, Diag = 0.5000",
       "X = 0.3000, Y = 0.4000, Diag = 0.5000"},
      {Step::kHover, "Zoom pointer tool", "Zoom pointer tool"},
      {Step::kMessage, "Select second offset point.", "Select second offset point."},
      {Step::kHover, "", "Select second offset point."},
      {Step::kMessage, "", ""},  // the offset tool clears the pane
      {Step::kHover, "Measures the distance between two points on the screen",
       "Measures the distance between two points on the screen"},
      {Step::kHover, "", "For Help, press F1"},
  };
  StatusPane pane;
  EXPECT_EQ(pane.Text(), "For Help, press F1");
  int checked = 0;
  for (const Step& step : steps) {
    if (step.kind == Step::kMessage) {
      pane.SetMessage(step.text);
    } else {
      pane.SetHoverPrompt(step.text);
    }
    EXPECT_EQ(pane.Text(), step.shown) << checked;
    ++checked;
  }
  EXPECT_EQ(checked, 12);
}

}  // namespace
}  // namespace corvane
