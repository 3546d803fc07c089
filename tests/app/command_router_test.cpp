#include "app/command_router.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

struct Chain {
  Chain() {
    for (const CommandTarget* t : {&view, &document, &frame, &application}) router.AddTarget(t);
  }
  CommandTarget view, document, frame, application;
  CommandRouter router;
  std::string log;
};

TEST(CommandRouterTest, TheFirstTargetInRoutingOrderWins) {
  Chain c;
  c.application.On(1, [&](int32_t) { c.log += "app"; });
  c.frame.On(1, [&](int32_t) { c.log += "frame"; });
  c.document.On(2, [&](int32_t) { c.log += "doc"; });
  c.application.On(2, [&](int32_t) { c.log += "app"; });
  c.view.On(3, [&](int32_t) { c.log += "view"; });
  c.document.On(3, [&](int32_t) { c.log += "doc"; });
  EXPECT_TRUE(c.router.Execute(1));
  EXPECT_TRUE(c.router.Execute(2));
  EXPECT_TRUE(c.router.Execute(3));
  EXPECT_EQ(c.log, "framedocview");
}

TEST(CommandRouterTest, ACommandWithoutHandlerIsDisabledAndDoesNothing) {
  Chain c;
  const CommandUi ui = c.router.Update(32780);
  EXPECT_FALSE(ui.enabled);
  EXPECT_FALSE(ui.checked.has_value());
  EXPECT_FALSE(c.router.Execute(32780));
}

TEST(CommandRouterTest, AHandledCommandIsEnabledWithoutAnUpdateRule) {
  Chain c;
  c.application.On(5, [](int32_t) {});
  EXPECT_TRUE(c.router.Update(5).enabled);
}

TEST(CommandRouterTest, UpdateRulesEnableAndCheck) {
  Chain c;
  bool enabled = false;
  bool checked = true;
  int runs = 0;
  c.view.On(
      7, [&](int32_t) { ++runs; },
      [&](int32_t, CommandUi& ui) {
        ui.enabled = enabled;
        ui.checked = checked;
      });
  EXPECT_FALSE(c.router.Update(7).enabled);
  EXPECT_EQ(c.router.Update(7).checked, true);
  // A key may arrive for a command the menu shows disabled: it must not run.
  EXPECT_FALSE(c.router.Execute(7));
  EXPECT_EQ(runs, 0);
  enabled = true;
  EXPECT_TRUE(c.router.Execute(7));
  EXPECT_EQ(runs, 1);
}

TEST(CommandRouterTest, RangesPassTheCommandNumber) {
  Chain c;
  int32_t got = 0;
  c.application.OnRange(
      10, 13, [&](int32_t id) { got = id; },
      [](int32_t id, CommandUi& ui) { ui.enabled = id < 12; });
  EXPECT_TRUE(c.router.Execute(11));
  EXPECT_EQ(got, 11);
  EXPECT_FALSE(c.router.Update(12).enabled);
  EXPECT_FALSE(c.router.Update(14).enabled);
}

TEST(CommandRouterTest, ADisabledEarlierTargetHidesALaterOne) {
  // The view's rule decides even when the application could run the command.
  Chain c;
  int appRuns = 0;
  c.view.On(
      8, [](int32_t) {}, [](int32_t, CommandUi& ui) { ui.enabled = false; });
  c.application.On(8, [&](int32_t) { ++appRuns; });
  EXPECT_FALSE(c.router.Execute(8));
  EXPECT_EQ(appRuns, 0);
}

}  // namespace
}  // namespace corvane
