#include "platform/settings_store.h"

namespace corvane {

const MemorySettingsStore::Value* MemorySettingsStore::Find(std::string_view section,
                                                            std::string_view key) const {
  const auto it = values_.find(Key(section, key));
  return it == values_.end() ? nullptr : &it->second;
}

int32_t MemorySettingsStore::ReadInt(std::string_view section, std::string_view key,
                                     int32_t defaultValue) const {
  const Value* value = Find(section, key);
  return value != nullptr && value->isInt ? value->number : defaultValue;
}

std::string MemorySettingsStore::ReadText(std::string_view section, std::string_view key,
                                          std::string_view defaultValue) const {
  const Value* value = Find(section, key);
  return value != nullptr && !value->isInt ? value->text : std::string(defaultValue);
}

void MemorySettingsStore::WriteInt(std::string_view section, std::string_view key,
                                   int32_t value) {
  values_[Key(section, key)] = Value{true, value, {}};
  ++writeCount_;
}

void MemorySettingsStore::WriteText(std::string_view section, std::string_view key,
                                    std::string_view value) {
  values_[Key(section, key)] = Value{false, 0, std::string(value)};
  ++writeCount_;
}

bool MemorySettingsStore::Contains(std::string_view section, std::string_view key) const {
  return Find(section, key) != nullptr;
}

}  // namespace corvane
