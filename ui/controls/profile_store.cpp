#include "ui/controls/profile_store.h"

#include <QSettings>

namespace ui::controls {

namespace {
QString Joined(const QString& section, const QString& key) { return section + QLatin1Char('/') + key; }
ProfileStore* g_active = nullptr;
}  // namespace

QString MemoryProfileStore::GetString(const QString& section, const QString& key, const QString& fallback) const {
  return values_.value(Joined(section, key), fallback);
}

void MemoryProfileStore::SetString(const QString& section, const QString& key, const QString& value) {
  values_.insert(Joined(section, key), value);
}

IniProfileStore::IniProfileStore(QString path) : path_(std::move(path)) {}

QString IniProfileStore::GetString(const QString& section, const QString& key, const QString& fallback) const {
  QSettings ini(path_, QSettings::IniFormat);
  return ini.value(Joined(section, key), fallback).toString();
}

void IniProfileStore::SetString(const QString& section, const QString& key, const QString& value) {
  QSettings ini(path_, QSettings::IniFormat);
  ini.setValue(Joined(section, key), value);
  ini.sync();
}

ProfileStore& ActiveProfile() {
  static MemoryProfileStore fallback;
  return g_active ? *g_active : fallback;
}

void SetActiveProfile(ProfileStore* store) { g_active = store; }

}  // namespace ui::controls
