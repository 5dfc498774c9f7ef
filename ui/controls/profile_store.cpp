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
  const QVariant v = ini.value(Joined(section, key), fallback);
  // An unquoted comma makes the INI reader split the value into a list: "12,500000".
  if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QLatin1Char(','));
  return v.toString();
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
