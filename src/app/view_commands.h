#pragma once

namespace corvane {

class CCorvaneView;
class DocumentLoader;
class CommandTarget;
class Prompter;

// The view's loading commands: NC Drill File and Reload All. Registered on the
// view's link of the routing chain, so they come before every other target.
class ViewCommands {
 public:
  // Nothing is owned; all three outlive the commands. The loader is the one of
  // the view's document.
  ViewCommands(CCorvaneView& view, DocumentLoader& loader, Prompter& prompter);
  void Register(CommandTarget& viewTarget);

  void OnNcDrillFile();
  void OnReloadAll();
  // Fits the extents into the window and repaints at once.
  void ZoomToExtentsAndRedraw();

 private:
  CCorvaneView& view_;
  DocumentLoader& loader_;
  Prompter& prompter_;
};

}  // namespace corvane
