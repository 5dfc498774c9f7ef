// The few profile values the controls keep between sessions, read and written as text by section
// and key. The program installs its own profile; until then an in-memory one answers.
#pragma once

#include <QMap>
#include <QString>
#include <memory>

namespace ui::controls {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // `fallback` when the key is missing.
  virtual QString GetString(const QString& section, const QString& key, const QString& fallback = {}) const = 0;
  virtual void SetString(const QString& section, const QString& key, const QString& value) = 0;
};

class MemoryProfileStore : public ProfileStore {
 public:
  QString GetString(const QString& section, const QString& key, const QString& fallback = {}) const override;
  void SetString(const QString& section, const QString& key, const QString& value) override;

 private:
  QMap<QString, QString> values_;
};

// An INI file.
class IniProfileStore : public ProfileStore {
 public:
  explicit IniProfileStore(QString path);
  QString GetString(const QString& section, const QString& key, const QString& fallback = {}) const override;
  void SetString(const QString& section, const QString& key, const QString& value) override;

 private:
  QString path_;
};

// The profile the controls use; never null. Not owned: the caller keeps it alive.
ProfileStore& ActiveProfile();
void SetActiveProfile(ProfileStore* store);

}  // namespace ui::controls
