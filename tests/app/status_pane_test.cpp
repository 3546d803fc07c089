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

TEST(StatusPaneTest, AShortenedMessageCarriesItsFullTextAsTooltip) {
  struct TipStep {
    Step step;
    const char* fullText;
    const char* tooltip;
  };
  const TipStep steps[] = {
      {{Step::kMessage, "Not drawn: regions", ""}, "The files use regions.", "The files use regions."},
      {{Step::kHover, "Zoom pointer tool", ""}, "", ""},  // a prompt has no tooltip
      {{Step::kHover, "", ""}, "", "The files use regions."},
      {{Step::kMessage, "Select first measurement point.", ""}, "", ""},
      {{Step::kMessage, "", ""}, "ignored", ""},  // a cleared pane has none
      {{Step::kHover, "", ""}, "", ""},  // the idle text has none
  };
  StatusPane pane;
  int checked = 0;
  for (const TipStep& s : steps) {
    if (s.step.kind == Step::kMessage) {
      pane.SetMessage(s.step.text, s.fullText);
    } else {
      pane.SetHoverPrompt(s.step.text);
    }
    EXPECT_EQ(pane.ToolTip(), s.tooltip) << checked;
    ++checked;
  }
  EXPECT_EQ(checked, 6);
}

}  // namespace
}  // namespace corvane
