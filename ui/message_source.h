// Where the coded message dialog reads its rows: the message tables "ERRORES" + language letter of
// the local database. A small interface, so that the dialog does not depend on the database layer.
#pragma once

#include <QString>

#include <map>
#include <memory>
#include <optional>

namespace db {
class CAdoConnection;
}

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

// The message tables of a database, read through the program's database layer (the code is a
// bound value): either a connection the program already holds open, or one of its own opened
// read-only on `path`.
class DatabaseMessageSource : public IMessageSource {
 public:
  explicit DatabaseMessageSource(db::CAdoConnection* connection);
  explicit DatabaseMessageSource(const QString& path);
  ~DatabaseMessageSource() override;
  DatabaseMessageSource(const DatabaseMessageSource&) = delete;
  DatabaseMessageSource& operator=(const DatabaseMessageSource&) = delete;
  bool IsOpen() const;
  std::optional<MessageRow> Find(const QString& table, const QString& code) override;

 private:
  std::unique_ptr<db::CAdoConnection> own_;
  db::CAdoConnection* connection_ = nullptr;
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

// The source every coded message reads (none: every code reads as not found).
void SetMessageSource(std::shared_ptr<IMessageSource> source);
IMessageSource* GetMessageSource();

// "ERRORES" followed by the upper-cased language letter.
QString MessageTableName(char languageLetter);

}  // namespace ui
