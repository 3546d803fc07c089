#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace corvane {

class CCorvaneView;
class DocumentLoader;
class CommandTarget;
class Prompter;
class SettingsStore;

// The view's loading commands: NC Drill File, Reload All and the switch
// between the classic and the standard reading. Registered on the view's link
// of the routing chain, so they come before every other target.
class ViewCommands {
 public:
  // Nothing is owned; all outlive the commands. The loader is the one of the
  // view's document. `store` keeps the reading the user chose; may be null.
  ViewCommands(CCorvaneView& view, DocumentLoader& loader, Prompter& prompter,
               SettingsStore* store = nullptr);
  void Register(CommandTarget& viewTarget);

  void OnNcDrillFile();
  void OnReloadAll();
  // Standard Interpretation: the other reading from now on, kept for the next
  // start; the working set is read again in it and fitted to the window.
  void OnStandardInterpretation();
  // Fits the extents into the window and repaints at once.
  void ZoomToExtentsAndRedraw();

 private:
  CCorvaneView& view_;
  DocumentLoader& loader_;
  Prompter& prompter_;
  SettingsStore* store_;
};

// The hint of the status bar after a load in the classic reading, naming what
// the files use that it does not draw (StandardFeature bits) and the switch;
// empty when they use nothing of it.
std::string ClassicReadingHint(uint32_t features);
// The same hint short enough for the status bar of a window 1000 pixels wide
// (at most kShortHintLength characters): the first feature named, how many
// more there are, and the switch.
inline constexpr std::size_t kShortHintLength = 90;
std::string ShortClassicReadingHint(uint32_t features);

}  // namespace corvane
