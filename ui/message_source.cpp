#include "ui/message_source.h"

#include <sqlite3.h>

#include <QStringList>

#include "platform/strings.h"

namespace ui {

namespace {
std::shared_ptr<IMessageSource> g_source;

bool IsPlainTableName(const QString& t) {
  if (t.isEmpty() || t.size() > 64) return false;
  for (QChar c : t)
    if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'_') return false;
  return true;
}

QString Column(sqlite3_stmt* st, int col) {
  const unsigned char* txt = sqlite3_column_text(st, col);
  return txt ? QString::fromUtf8(reinterpret_cast<const char*>(txt)) : QString();
}
}  // namespace

QString MessageTableName(char languageLetter) {
  QString name = QStringLiteral("ERRORESX");
  name[7] = QChar(languageLetter);
  return name.toUpper();
}

SqliteMessageSource::SqliteMessageSource(const QString& path) {
  const QByteArray p = path.toUtf8();
  if (sqlite3_open_v2(p.constData(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db_);
    db_ = nullptr;
  }
}

SqliteMessageSource::~SqliteMessageSource() {
  if (db_) sqlite3_close(db_);
}

std::optional<MessageRow> SqliteMessageSource::Find(const QString& table, const QString& code) {
  // The table name is formed by the program, never typed; it is still checked before it is
  // quoted into the statement, and the code is bound.
  if (!db_ || !IsPlainTableName(table)) return std::nullopt;
  const QByteArray sql = QStringLiteral(
      "SELECT TituError, TextError, numbotones, TextBotone FROM \"%1\" WHERE Coderror = ?1 COLLATE NOCASE LIMIT 1")
                             .arg(table)
                             .toUtf8();
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db_, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
    sqlite3_finalize(st);
    return std::nullopt;
  }
  const QByteArray c = code.toUtf8();
  sqlite3_bind_text(st, 1, c.constData(), static_cast<int>(c.size()), SQLITE_TRANSIENT);
  std::optional<MessageRow> row;
  if (sqlite3_step(st) == SQLITE_ROW) {
    MessageRow r;
    r.titu = Column(st, 0);
    r.text = Column(st, 1);
    r.numbotones = sqlite3_column_double(st, 2);
    r.botones = Column(st, 3);
    row = r;
  }
  sqlite3_finalize(st);
  return row;
}

void MemoryMessageSource::Add(const QString& table, const QString& code, const MessageRow& row) {
  tables_[table.toUpper()][code.toUpper()] = row;
}

int MemoryMessageSource::LoadTsv(const QString& table, const QString& content) {
  const QStringList lines = content.split(u'\n');
  if (lines.isEmpty()) return 0;
  QStringList head = lines[0].trimmed().split(u'\t');
  for (QString& h : head) h = h.toUpper();
  const qsizetype iCode = head.indexOf(QStringLiteral("CODERROR")), iTitle = head.indexOf(QStringLiteral("TITUERROR")),
                  iText = head.indexOf(QStringLiteral("TEXTERROR")), iNum = head.indexOf(QStringLiteral("NUMBOTONES")),
                  iBut = head.indexOf(QStringLiteral("TEXTBOTONE"));
  if (iCode < 0) return 0;
  int n = 0;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    QString line = lines[i];
    if (line.endsWith(u'\r')) line.chop(1);
    if (line.isEmpty()) continue;
    const QStringList cols = line.split(u'\t');
    auto col = [&](qsizetype k) { return k >= 0 && k < cols.size() ? platform::UnescapeTsv(cols[k]) : QString(); };
    MessageRow r{col(iTitle), col(iText), col(iNum).toDouble(), col(iBut)};
    Add(table, col(iCode), r);
    ++n;
  }
  return n;
}

std::optional<MessageRow> MemoryMessageSource::Find(const QString& table, const QString& code) {
  auto t = tables_.find(table.toUpper());
  if (t == tables_.end()) return std::nullopt;
  auto r = t->second.find(code.toUpper());
  if (r == t->second.end()) return std::nullopt;
  return r->second;
}

void SetMessageSource(std::shared_ptr<IMessageSource> source) { g_source = std::move(source); }
IMessageSource* GetMessageSource() { return g_source.get(); }

}  // namespace ui
