#include "qt/qt_dialog_runner.h"

#include <gtest/gtest.h>

#include "test_application.h"

namespace corvane {
namespace {

struct FirstDialog : ModalDialog {
  int32_t ResourceId() const override { return 1; }
  int value = 0;
};
struct SecondDialog : ModalDialog {
  int32_t ResourceId() const override { return 2; }
};

TEST(QtDialogRunnerTest, RunsTheWindowRegisteredForTheDialogsKindAndCancelsOthers) {
  TestApplication();
  QtDialogRunner runner;
  QWidget parent;
  runner.SetParent(&parent);
  QWidget* seenParent = nullptr;
  runner.Add<FirstDialog>([&](FirstDialog& dialog, QWidget* p) {
    seenParent = p;
    dialog.value = 5;
    return DialogResult::kOk;
  });
  FirstDialog first;
  SecondDialog second;
  EXPECT_EQ(runner.RunModal(first), DialogResult::kOk);
  EXPECT_EQ(first.value, 5);
  EXPECT_EQ(seenParent, &parent);
  EXPECT_EQ(runner.RunModal(second), DialogResult::kCancel);
}

}  // namespace
}  // namespace corvane
