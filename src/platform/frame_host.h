#pragma once

#include <string>
#include <string_view>

namespace corvane {

// What the application shell needs of its main window: the bars it toggles,
// closing, the About box, the help window and the status bar's message pane.
class FrameHost {
 public:
  virtual ~FrameHost() = default;
  virtual bool IsToolBarVisible() const = 0;
  virtual void ShowToolBar(bool visible) = 0;
  virtual bool IsStatusBarVisible() const = 0;
  virtual void ShowStatusBar(bool visible) = 0;
  // The dockable layer panel; a window without one has none to show.
  virtual bool IsLayerPanelVisible() const { return false; }
  virtual void ShowLayerPanel(bool /*visible*/) {}
  // The dockable Inspector panel and its Find field.
  virtual bool IsInspectorVisible() const { return false; }
  virtual void ShowInspector(bool /*visible*/) {}
  // Shows the Inspector and gives its Find field the keyboard.
  virtual void StartFind() {}
  // Closes the main window; the window asks the shell first (CanClose).
  virtual void Close() = 0;
  virtual void ShowAbout() = 0;
  // Opens the help window at a page of help/.
  virtual void ShowHelpPage(const std::string& page) = 0;
  virtual void SetStatusText(std::string_view text) = 0;
  // A shortened text for the status bar, with the whole of it as its tooltip.
  virtual void SetStatusHint(std::string_view text, std::string_view /*fullText*/) {
    SetStatusText(text);
  }
  // The caption: "<document title> - Corvane".
  virtual void SetCaption(const std::string& caption) = 0;
};

}  // namespace corvane
