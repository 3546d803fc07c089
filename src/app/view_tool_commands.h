#pragma once

namespace corvane {

class CCorvaneView;
class CommandTarget;
class DialogRunner;
class SettingsStore;

// The view's commands of zooming, mirroring, origin, redraw and the pointer
// tools, and the two that run a dialog: Offset Layer and Set Visibility.
// Registered on the view's link of the routing chain.
class ViewToolCommands {
 public:
  // Nothing is owned; all three outlive the commands.
  ViewToolCommands(CCorvaneView& view, DialogRunner& dialogs, SettingsStore& store);
  void Register(CommandTarget& viewTarget);

  // Lists the layers and the NC drill data; the chosen entry waits for the
  // offset tool's two points. Cancel leaves the tool as it was.
  void OnOffsetLayer();
  // Runs the visibility dialog, which applies its changes while open when
  // the user lets it; OK applies the final choice.
  void OnSetVisibility();

 private:
  CCorvaneView& view_;
  DialogRunner& dialogs_;
  SettingsStore& store_;
};

}  // namespace corvane
