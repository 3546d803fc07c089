#pragma once

namespace corvane {

class CCorvaneView;
class CommandTarget;
class Prompter;

// The view's loading commands: NC Drill File and Reload All. Registered on the
// view's link of the routing chain, so they come before every other target.
class ViewCommands {
 public:
  // Nothing is owned; all three outlive the commands.
  ViewCommands(CCorvaneView& view, Prompter& prompter);
  void Register(CommandTarget& viewTarget);

  void OnNcDrillFile();
  void OnReloadAll();
  // Fits the extents into the window and repaints at once.
  void ZoomToExtentsAndRedraw();

 private:
  CCorvaneView& view_;
  Prompter& prompter_;
};

}  // namespace corvane
