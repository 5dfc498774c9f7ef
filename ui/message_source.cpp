#include "ui/message_source.h"


#include <QStringList>

#include "data/db/ado.h"
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

}  // namespace

QString MessageTableName(char languageLetter) {
  QString name = QStringLiteral("ERRORESX");
  name[7] = QChar(languageLetter);
  return name.toUpper();
}

DatabaseMessageSource::DatabaseMessageSource(db::CAdoConnection* connection) : connection_(connection) {}

DatabaseMessageSource::DatabaseMessageSource(const QString& path)
    : own_(std::make_unique<db::CAdoConnection>("DatLocal")) {
  if (own_->Open(path.toStdString(), db::OpenMode::ReadOnly)) connection_ = own_.get();
}

DatabaseMessageSource::~DatabaseMessageSource() = default;

bool DatabaseMessageSource::IsOpen() const { return connection_ != nullptr && connection_->IsOpen(); }

std::optional<MessageRow> DatabaseMessageSource::Find(const QString& table, const QString& code) {
  // The table name is formed by the program; it is still checked, and the code is bound.
  if (!IsOpen() || !IsPlainTableName(table)) return std::nullopt;
  db::CAdoRecordset rs;
  if (!rs.Open(table.toStdString(), connection_, db::Filter::Eq("Coderror", code.toStdString()))) return std::nullopt;
  MessageRow r;
  std::string text;
  if (rs.GetText("TituError", text)) r.titu = QString::fromStdString(text);
  if (rs.GetText("TextError", text)) r.text = QString::fromStdString(text);
  rs.GetDouble("numbotones", r.numbotones);
  if (rs.GetText("TextBotone", text)) r.botones = QString::fromStdString(text);
  return r;
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
