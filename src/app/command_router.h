#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace corvane {

// The state a menu item or toolbar button shows. An update rule changes it;
// without one a handled command is enabled and unchecked.
struct CommandUi {
  bool enabled = true;
  std::optional<bool> checked;  // none: the item has no check mark
};

// One link of the routing chain (view, document, frame, application): the
// commands it handles and the rules that enable and check them.
class CommandTarget {
 public:
  using Handler = std::function<void(int32_t id)>;
  using Updater = std::function<void(int32_t id, CommandUi& ui)>;

  void On(int32_t id, Handler handler, Updater updater = {}) {
    OnRange(id, id, std::move(handler), std::move(updater));
  }
  void OnRange(int32_t first, int32_t last, Handler handler, Updater updater = {});
  bool Handles(int32_t id) const { return Find(id) != nullptr; }
  // Runs the handler; false when this target has none.
  bool Execute(int32_t id) const;
  // Fills `ui`; false when this target has no handler for the command.
  bool Update(int32_t id, CommandUi& ui) const;

 private:
  struct Entry {
    int32_t first = 0;
    int32_t last = 0;
    Handler handler;
    Updater updater;
  };
  const Entry* Find(int32_t id) const;
  std::vector<Entry> entries_;
};

// Offers each command to the targets in order; the first that handles it wins.
// A command no target handles is disabled, so it stays visible but does nothing.
class CommandRouter {
 public:
  // Targets are not owned; add them in routing order.
  void AddTarget(const CommandTarget* target) { targets_.push_back(target); }
  CommandUi Update(int32_t id) const;
  // Runs the command if a target handles it and its update rule leaves it
  // enabled (a key may arrive for a command the menu shows disabled).
  bool Execute(int32_t id) const;

 private:
  std::vector<const CommandTarget*> targets_;
};

}  // namespace corvane
