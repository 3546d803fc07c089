#pragma once

namespace corvane {

class CCorvaneView;
class CommandTarget;
class DialogRunner;
class DocumentLoader;
class Prompter;
class SettingsStore;

// The Options menu: the Gerber, Drill, Aperture and Drill Tool File Format
// commands. Each fills its dialog from the document's settings, runs it, and
// on OK applies it: the document and the stored defaults of the next new
// document take the changes, and the files are reloaded where the reading
// changes. Registered on the view's link of the routing chain.
class FormatCommands {
 public:
  // Nothing is owned; all outlive the commands. The loader is the one of the
  // view's document.
  FormatCommands(CCorvaneView& view, DocumentLoader& loader, DialogRunner& dialogs,
                 SettingsStore& store, Prompter& prompter);
  void Register(CommandTarget& viewTarget);

  void OnGerberFormat();
  void OnDrillFormat();
  void OnApertureFormat();
  void OnDrillToolFormat();

 private:
  template <typename Dialog>
  void RunAndApply();

  CCorvaneView& view_;
  DocumentLoader& loader_;
  DialogRunner& dialogs_;
  SettingsStore& store_;
  Prompter& prompter_;
};

}  // namespace corvane
