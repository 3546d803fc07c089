#include "app/command_router.h"

namespace corvane {

void CommandTarget::OnRange(int32_t first, int32_t last, Handler handler, Updater updater) {
  entries_.push_back(Entry{first, last, std::move(handler), std::move(updater)});
}

const CommandTarget::Entry* CommandTarget::Find(int32_t id) const {
  // Later registrations replace earlier ones, so search from the back.
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    if (id >= it->first && id <= it->last && it->handler) return &*it;
  }
  return nullptr;
}

bool CommandTarget::Execute(int32_t id) const {
  const Entry* entry = Find(id);
  if (entry == nullptr) return false;
  entry->handler(id);
  return true;
}

bool CommandTarget::Update(int32_t id, CommandUi& ui) const {
  const Entry* entry = Find(id);
  if (entry == nullptr) return false;
  ui = CommandUi{};
  if (entry->updater) entry->updater(id, ui);
  return true;
}

CommandUi CommandRouter::Update(int32_t id) const {
  CommandUi ui;
  for (const CommandTarget* target : targets_) {
    if (target->Update(id, ui)) return ui;
  }
  return CommandUi{false, std::nullopt};
}

bool CommandRouter::Execute(int32_t id) const {
  for (const CommandTarget* target : targets_) {
    CommandUi ui;
    if (!target->Update(id, ui)) continue;
    return ui.enabled && target->Execute(id);
  }
  return false;
}

}  // namespace corvane
