#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace corvane {

// Per-user settings by section and key. A missing value, or one stored with a
// type the reader does not expect, yields the default; a store that cannot be
// read or written never stops the program.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual int32_t ReadInt(std::string_view section, std::string_view key,
                          int32_t defaultValue) const = 0;
  virtual std::string ReadText(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const = 0;
  virtual void WriteInt(std::string_view section, std::string_view key, int32_t value) = 0;
  virtual void WriteText(std::string_view section, std::string_view key,
                         std::string_view value) = 0;
};

// Section names of the store.
inline constexpr std::string_view kSectionDefaults = "Defaults";
inline constexpr std::string_view kSectionSettings = "Settings";
inline constexpr std::string_view kSectionWindowPlacement = "WindowPlacement";
inline constexpr std::string_view kSectionRecentFiles = "Recent File List";
inline constexpr std::string_view kSectionCustom = "Custom";

// An in-memory store for tests and for runs that must not touch the user's
// file. Values keep the type they were written with, as in a real file.
class MemorySettingsStore : public SettingsStore {
 public:
  int32_t ReadInt(std::string_view section, std::string_view key,
                  int32_t defaultValue) const override;
  std::string ReadText(std::string_view section, std::string_view key,
                       std::string_view defaultValue) const override;
  void WriteInt(std::string_view section, std::string_view key, int32_t value) override;
  void WriteText(std::string_view section, std::string_view key, std::string_view value) override;

  bool Contains(std::string_view section, std::string_view key) const;
  std::size_t WriteCount() const { return writeCount_; }

 private:
  struct Value {
    bool isInt = false;
    int32_t number = 0;
    std::string text;
  };
  using Key = std::pair<std::string, std::string>;
  const Value* Find(std::string_view section, std::string_view key) const;

  std::map<Key, Value> values_;
  std::size_t writeCount_ = 0;
};

// Reads a store and never writes it: used by the headless commands, which must
// leave the user's settings alone.
class ReadOnlySettingsStore : public SettingsStore {
 public:
  explicit ReadOnlySettingsStore(const SettingsStore& inner) : inner_(inner) {}
  int32_t ReadInt(std::string_view section, std::string_view key,
                  int32_t defaultValue) const override {
    return inner_.ReadInt(section, key, defaultValue);
  }
  std::string ReadText(std::string_view section, std::string_view key,
                       std::string_view defaultValue) const override {
    return inner_.ReadText(section, key, defaultValue);
  }
  void WriteInt(std::string_view, std::string_view, int32_t) override {}
  void WriteText(std::string_view, std::string_view, std::string_view) override {}

 private:
  const SettingsStore& inner_;
};

}  // namespace corvane
