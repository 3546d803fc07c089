#pragma once

#include <QSettings>
#include <memory>

#include "platform/settings_store.h"

namespace corvane {

// The user's settings as an INI file: ~/.config/Nordaxe/Corvane.ini, or the
// file named by CORVANE_SETTINGS. Every write goes to disk at once; a file that
// cannot be read or written is treated as empty and never stops the program.
class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore();
  // Used by tests: the store over one named INI file.
  explicit QtSettingsStore(const QString& iniPath);

  int32_t ReadInt(std::string_view section, std::string_view key,
                  int32_t defaultValue) const override;
  std::string ReadText(std::string_view section, std::string_view key,
                       std::string_view defaultValue) const override;
  void WriteInt(std::string_view section, std::string_view key, int32_t value) override;
  void WriteText(std::string_view section, std::string_view key, std::string_view value) override;

  QString FileName() const { return settings_->fileName(); }

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace corvane
