#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class SettingsStore;

struct WindowRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// A window's placement: the normal (restored) rectangle in screen pixels and
// whether it is maximized or minimized.
struct WindowPlacementState {
  WindowRect normal;
  bool maximized = false;
  bool minimized = false;
};

// What placement needs of a window.
class PlacementWindow {
 public:
  virtual ~PlacementWindow() = default;
  // False when the window's placement cannot be read.
  virtual bool GetPlacement(WindowPlacementState& placement) const = 0;
  virtual void SetPlacement(const WindowPlacementState& placement) = 0;
  // Width and height of the virtual screen (all monitors together).
  virtual int32_t VirtualScreenWidth() const = 0;
  virtual int32_t VirtualScreenHeight() const = 0;
};

inline constexpr std::string_view kMainWindowKey = "MainWindow";
inline constexpr std::string_view kMainWindowZoomedKey = "MainWindowZoomed";

// Both corners inside the virtual screen, bounds included.
bool IsRectOnScreen(const WindowRect& rect, int32_t screenWidth, int32_t screenHeight);
// "%d, %d, %d, %d" of left, top, right, bottom.
std::string FormatWindowRect(const WindowRect& rect);
// Four integers as sscanf("%d, %d, %d, %d") reads them; nothing unless all four are there.
std::optional<WindowRect> ParseWindowRect(std::string_view text);

// Restores the stored normal rectangle, restored (not maximized), when it has a
// size and lies on the screen; otherwise the window stays where it is. Does
// nothing without a window or when its placement cannot be read.
void LoadWindowPlacement(const SettingsStore& store, PlacementWindow* window);
// Stores the normal rectangle (also while maximized or minimized) and the maximized flag.
void SaveWindowPlacement(SettingsStore& store, const PlacementWindow* window);

}  // namespace corvane
