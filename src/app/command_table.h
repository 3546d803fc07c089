#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "app/command_ids.h"

namespace corvane {

// One command: its number and the texts the menus, status bar and tooltips show.
// The prompt is the status-bar text, the tooltip the toolbar's; either may be empty.
struct CommandInfo {
  int32_t id = 0;
  std::string_view menuText;
  std::string_view prompt;
  std::string_view tooltip;
};

// An entry of a drop-down menu: a command, a separator, or the place the
// recent-file list fills.
struct MenuEntry {
  enum class Kind { kCommand, kSeparator, kRecentFiles };
  Kind kind = Kind::kCommand;
  int32_t id = 0;
};

struct MenuInfo {
  std::string_view title;
  std::span<const MenuEntry> entries;
};

// A key that reaches a command handler.
struct Accelerator {
  enum class Key { kN, kO, kS, kP, kF, kF8 };
  Key key;
  bool ctrl = false;
  int32_t id = 0;
  bool shift = false;
};

// 0 in the toolbar list is a separator.
inline constexpr int32_t kToolbarSeparator = 0;

// Every command of the menus and the toolbar, in menu order, the toolbar-only
// Zoom Tool last.
std::span<const CommandInfo> AllCommands();
// The command with that number, or nullptr. Any recent-file number gives the
// shared recent-file entry.
const CommandInfo* FindCommand(int32_t id);
std::span<const MenuInfo> MainMenu();
std::span<const int32_t> ToolbarButtons();
std::span<const Accelerator> Accelerators();
// Position of a command's picture in the toolbar's strip, or -1.
int32_t ToolbarImageIndex(int32_t id);

}  // namespace corvane
