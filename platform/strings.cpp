#ifdef QT_CORE_LIB
#include "platform/strings.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

#include <cstring>

namespace platform {

QString UnescapeTsv(const QString& value) {
  if (value == QLatin1String("\\N")) return {};
  QString out;
  out.reserve(value.size());
  for (qsizetype i = 0; i < value.size(); ++i) {
    QChar c = value[i];
    if (c == u'\\' && i + 1 < value.size()) {
      QChar n = value[++i];
      if (n == u't') out += u'\t';
      else if (n == u'n') out += u'\n';
      else if (n == u'\\') out += u'\\';
      else { out += u'\\'; out += n; }
    } else {
      out += c;
    }
  }
  return out;
}

int StringTable::ParseTsv(const QString& content) {
  // Read in place: the table is read at every start, before the first window shows.
  int rows = 0;
  const QStringView all(content);
  qsizetype pos = all.indexOf(u'\n');  // line 0: column names
  while (pos >= 0 && pos < all.size()) {
    const qsizetype begin = pos + 1;
    const qsizetype end = all.indexOf(u'\n', begin);
    QStringView line = all.mid(begin, (end < 0 ? all.size() : end) - begin);
    pos = end;
    if (line.endsWith(u'\r')) line.chop(1);
    const qsizetype tab = line.indexOf(u'\t');
    if (tab <= 0) continue;
    bool ok = false;
    const int id = line.left(tab).toInt(&ok);
    if (!ok) continue;
    const QStringView value = line.mid(tab + 1);
    texts_[id] = value.contains(u'\\') ? UnescapeTsv(value.toString()) : value.toString();
    ++rows;
  }
  return rows;
}

QString StringTable::Get(int id) const {
  auto it = texts_.find(id);
  return it == texts_.end() ? QString() : it->second;
}

namespace {
char g_language = 'e';

StringTable LoadTable(char letter) {
  StringTable t;
  QFile f(QStringLiteral(":/strings/%1.tsv").arg(QChar(letter)));
  if (f.open(QIODevice::ReadOnly)) t.ParseTsv(QString::fromUtf8(f.readAll()));
  return t;
}
}  // namespace

const StringTable& Strings(char letter) {
  static std::map<char, StringTable> tables;
  auto it = tables.find(letter);
  if (it == tables.end()) it = tables.emplace(letter, LoadTable(letter)).first;
  return it->second;
}

QString QtCatalogueName(char letter) {
  switch (letter) {
    case 'e': return QStringLiteral("qt_es");
    case 'c':
    case 'v': return QStringLiteral("qt_ca");  // Valencian reads Qt's Catalan texts
    case 'g': return QStringLiteral("qt_gl");
    default: return {};
  }
}

namespace {
// The standard buttons of Qt's dialogs in the program's own words, for a language whose Qt
// catalogue lacks them (the Galician one predates them). Qt's catalogue, installed after this one,
// is asked first.
class OwnButtonWords : public QTranslator {
 public:
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char* = nullptr, int = -1) const override {
    if (!context || !source || std::strcmp(context, "QPlatformTheme") != 0) return {};
    static constexpr struct {
      const char* source;
      int id;
    } kWords[] = {{"&Yes", 96017}, {"&No", 96016}, {"OK", 59}, {"Cancel", 62}, {"Close", 90031}};
    for (const auto& w : kWords)
      if (std::strcmp(source, w.source) == 0) return LoadString(w.id);
    return {};
  }
};

// Qt's own dialogs and buttons (print and file dialogs, Yes/No/Cancel) follow the interface
// language through the system's Qt catalogues; without a catalogue they stay in Qt's English.
void InstallQtTranslator(char letter) {
  static QTranslator* installed = nullptr;
  static QString installedName;
  auto* app = QCoreApplication::instance();
  if (!app) return;
  static OwnButtonWords* own = [app] {
    auto* t = new OwnButtonWords;
    t->setParent(app);
    QCoreApplication::installTranslator(t);
    return t;
  }();
  (void)own;
  const QString name = QtCatalogueName(letter);
  if (installed && name == installedName) return;
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
    installed = nullptr;
    installedName.clear();
  }
  if (name.isEmpty()) return;
  auto* t = new QTranslator(app);
  if (!t->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete t;
    return;
  }
  QCoreApplication::installTranslator(t);
  installed = t;
  installedName = name;
}
}  // namespace

void SetLanguage(char letter) {
  if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
  g_language = letter;
  InstallQtTranslator(letter);
}

char Language() { return g_language; }

QString LoadString(int id) {
  const StringTable& own = Strings(g_language);
  if (own.Has(id)) return own.Get(id);
  return Strings('e').Get(id);
}

}  // namespace platform
#endif
