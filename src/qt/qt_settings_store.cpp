#include "qt/qt_settings_store.h"

#include <QStringList>
#include <QVariant>
#include <QtGlobal>

#include "qt/qt_text.h"

namespace corvane {
namespace {

QString EntryPath(std::string_view section, std::string_view key) {
  return ToQString(section) + QLatin1Char('/') + ToQString(key);
}

// INI files hold only text; a hand-edited value with commas comes back as a
// list, which is joined again as it was typed.
bool ValueAsText(const QVariant& value, QString& text) {
  if (!value.isValid()) return false;
  if (value.userType() == QMetaType::QStringList) {
    text = value.toStringList().join(QStringLiteral(", "));
    return true;
  }
  if (!value.canConvert<QString>()) return false;
  text = value.toString();
  return true;
}

QString SettingsPathFromEnvironment() { return qEnvironmentVariable("CORVANE_SETTINGS"); }

}  // namespace

QtSettingsStore::QtSettingsStore() {
  const QString path = SettingsPathFromEnvironment();
  if (!path.isEmpty()) {
    settings_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
  } else {
    settings_ = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Nordaxe"), QStringLiteral("Corvane"));
  }
}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

int32_t QtSettingsStore::ReadInt(std::string_view section, std::string_view key,
                                 int32_t defaultValue) const {
  QString text;
  if (!ValueAsText(settings_->value(EntryPath(section, key)), text)) return defaultValue;
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  return ok ? value : defaultValue;
}

std::string QtSettingsStore::ReadText(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
  QString text;
  if (!ValueAsText(settings_->value(EntryPath(section, key)), text)) {
    return std::string(defaultValue);
  }
  return text.toStdString();
}

void QtSettingsStore::WriteInt(std::string_view section, std::string_view key, int32_t value) {
  settings_->setValue(EntryPath(section, key), value);
  settings_->sync();
}

void QtSettingsStore::WriteText(std::string_view section, std::string_view key,
                                std::string_view value) {
  settings_->setValue(EntryPath(section, key), ToQString(value));
  settings_->sync();
}

}  // namespace corvane
