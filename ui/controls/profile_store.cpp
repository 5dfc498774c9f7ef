#include "ui/controls/profile_store.h"

#include "data/settings/ini_file.h"

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

// Through the program's own INI file, which keeps values as written ("12,500000" stays one text)
// and every other line of the file as it was.
QString IniProfileStore::GetString(const QString& section, const QString& key, const QString& fallback) const {
  settings::IniFile ini(path_.toStdString());
  ini.Load();
  return QString::fromStdString(ini.GetString(section.toStdString(), key.toStdString(), fallback.toStdString()));
}

void IniProfileStore::SetString(const QString& section, const QString& key, const QString& value) {
  settings::IniFile ini(path_.toStdString());
  ini.Load();
  ini.SetString(section.toStdString(), key.toStdString(), value.toStdString());
  ini.Save();
}

ProfileStore& ActiveProfile() {
  static MemoryProfileStore fallback;
  return g_active ? *g_active : fallback;
}

void SetActiveProfile(ProfileStore* store) { g_active = store; }

}  // namespace ui::controls
