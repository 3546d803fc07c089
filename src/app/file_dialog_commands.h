#pragma once

namespace corvane {

class CCorvaneView;
class CommandTarget;
class DialogRunner;
class DocumentLoader;
class Prompter;
class SettingsStore;

// The Files menu's commands that run a dialog: Gerber File, Aperture File and
// Drill Tool File. Registered on the view's link of the routing chain.
class FileDialogCommands {
 public:
  // Nothing is owned; everything outlives the commands. The loader is the one
  // of the view's document; the store keeps the colour chooser's custom colours.
  FileDialogCommands(CCorvaneView& view, DocumentLoader& loader, Prompter& prompter,
                     SettingsStore& store, DialogRunner& dialogs);
  void Register(CommandTarget& viewTarget);

  // Runs the Gerber Files dialog over a copy of the layers; OK replaces the
  // layers with the dialog's, reloads everything and fits the picture.
  void OnGerberFile();
  // Run their list dialogs, whose Load has already loaded; the view is
  // repainted however the dialog was closed.
  void OnApertureFile();
  void OnDrillToolFile();

 private:
  CCorvaneView& view_;
  DocumentLoader& loader_;
  Prompter& prompter_;
  SettingsStore& store_;
  DialogRunner& dialogs_;
};

}  // namespace corvane
