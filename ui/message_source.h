// Where the coded message dialog reads its rows: the message tables "ERRORES" + language letter of
// the local database. A small interface, so that the dialog does not depend on the database layer.
#pragma once

#include <QString>

#include <map>
#include <memory>
#include <optional>

struct sqlite3;

namespace ui {

struct MessageRow {
  QString titu;        // TituError
  QString text;        // TextError
  double numbotones = 0;
  QString botones;     // TextBotone
};

class IMessageSource {
 public:
  virtual ~IMessageSource() = default;
  // The row of `code` in `table`; codes compare without regard to case.
  virtual std::optional<MessageRow> Find(const QString& table, const QString& code) = 0;
};

// Over the SQLite C API: opens the database read-only; the code is a bound parameter.
class SqliteMessageSource : public IMessageSource {
 public:
  explicit SqliteMessageSource(const QString& path);
  ~SqliteMessageSource() override;
  SqliteMessageSource(const SqliteMessageSource&) = delete;
  SqliteMessageSource& operator=(const SqliteMessageSource&) = delete;
  bool IsOpen() const { return db_ != nullptr; }
  std::optional<MessageRow> Find(const QString& table, const QString& code) override;

 private:
  sqlite3* db_ = nullptr;
};

// Rows held in memory: tests, and tables read from their authored .tsv files.
class MemoryMessageSource : public IMessageSource {
 public:
  void Add(const QString& table, const QString& code, const MessageRow& row);
  // The rows of one table from its .tsv text (header line with the column names); answers the
  // number of rows read.
  int LoadTsv(const QString& table, const QString& content);
  std::optional<MessageRow> Find(const QString& table, const QString& code) override;

 private:
  std::map<QString, std::map<QString, MessageRow>> tables_;  // upper-case names and codes
};

// The source every CMessageDlg reads (none: every code reads as not found).
void SetMessageSource(std::shared_ptr<IMessageSource> source);
IMessageSource* GetMessageSource();

// "ERRORES" followed by the upper-cased language letter.
QString MessageTableName(char languageLetter);

}  // namespace ui
