#include "checks/corrections_store.h"

#include <sqlite3.h>

#include <algorithm>

namespace checks {

namespace {
bool sameRow(const CorrectionRow& r, const std::string& clave, const std::string& code, int member) {
  return r.clave == clave && r.coderror == code && r.sujetodecl == member;
}
}  // namespace

bool InMemoryCorrectionsStore::Find(const std::string& clave, const std::string& code, int member,
                                    std::optional<CorrectionRow>& found) {
  found.reset();
  for (const auto& r : rows)
    if (sameRow(r, clave, code, member)) {
      found = r;
      break;
    }
  return true;
}

bool InMemoryCorrectionsStore::Insert(const CorrectionRow& row) {
  if (failWrites) return false;
  rows.push_back(row);
  return true;
}

bool InMemoryCorrectionsStore::Update(const CorrectionRow& row) {
  if (failWrites) return false;
  for (auto& r : rows)
    if (sameRow(r, row.clave, row.coderror, row.sujetodecl)) {
      r = row;
      return true;
    }
  return false;
}

bool InMemoryCorrectionsStore::Clear(const std::string& clave) {
  if (failWrites) return false;
  std::erase_if(rows, [&](const CorrectionRow& r) { return r.clave == clave; });
  return true;
}

bool InMemoryCorrectionsStore::List(const std::string& clave, std::vector<CorrectionRow>& out) {
  out.clear();
  for (const auto& r : rows)
    if (r.clave == clave) out.push_back(r);
  std::stable_sort(out.begin(), out.end(),
                   [](const CorrectionRow& a, const CorrectionRow& b) { return a.coderror < b.coderror; });
  return true;
}

namespace {

// One prepared statement, finalised on every path.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) { ok_ = db && sqlite3_prepare_v2(db, sql, -1, &st_, nullptr) == SQLITE_OK; }
  ~Statement() { sqlite3_finalize(st_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  bool ok() const { return ok_; }
  Statement& text(int i, const std::string& v) {
    ok_ = ok_ && sqlite3_bind_text(st_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    return *this;
  }
  Statement& integer(int i, int v) {
    ok_ = ok_ && sqlite3_bind_int(st_, i, v) == SQLITE_OK;
    return *this;
  }
  int step() { return ok_ ? sqlite3_step(st_) : SQLITE_ERROR; }
  std::string columnText(int i) {
    const unsigned char* p = sqlite3_column_text(st_, i);
    return p ? reinterpret_cast<const char*>(p) : "";
  }
  int columnInt(int i) { return sqlite3_column_int(st_, i); }

 private:
  sqlite3_stmt* st_ = nullptr;
  bool ok_ = false;
};

#define QX_CORREGIX_COLUMNS "clave, coderror, tipdecla, vista, severidad, numcontr, sujetodecl"

CorrectionRow readRow(Statement& s) {
  CorrectionRow r;
  r.clave = s.columnText(0);
  r.coderror = s.columnText(1);
  r.tipdecla = s.columnInt(2);
  r.vista = s.columnInt(3);
  r.severidad = s.columnInt(4);
  r.numcontr = s.columnInt(5);
  r.sujetodecl = s.columnInt(6);
  return r;
}

}  // namespace

bool SqliteCorrectionsStore::Find(const std::string& clave, const std::string& code, int member,
                                  std::optional<CorrectionRow>& found) {
  found.reset();
  Statement s(db_, "SELECT " QX_CORREGIX_COLUMNS
                   " FROM CORREGIX WHERE clave = ?1 AND coderror = ?2 AND sujetodecl = ?3 LIMIT 1");
  s.text(1, clave).text(2, code).integer(3, member);
  int rc = s.step();
  if (rc == SQLITE_ROW) found = readRow(s);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) lastError_ = sqlite3_errmsg(db_);
  return rc == SQLITE_ROW || rc == SQLITE_DONE;
}

bool SqliteCorrectionsStore::Insert(const CorrectionRow& r) {
  Statement s(db_, "INSERT INTO CORREGIX (" QX_CORREGIX_COLUMNS ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
  s.text(1, r.clave).text(2, r.coderror).integer(3, r.tipdecla).integer(4, r.vista);
  s.integer(5, r.severidad).integer(6, r.numcontr).integer(7, r.sujetodecl);
  bool ok = s.step() == SQLITE_DONE;
  if (!ok) lastError_ = sqlite3_errmsg(db_);
  return ok;
}

bool SqliteCorrectionsStore::Update(const CorrectionRow& r) {
  Statement s(db_,
              "UPDATE CORREGIX SET tipdecla = ?1, vista = ?2, severidad = ?3, numcontr = ?4 "
              "WHERE clave = ?5 AND coderror = ?6 AND sujetodecl = ?7");
  s.integer(1, r.tipdecla).integer(2, r.vista).integer(3, r.severidad).integer(4, r.numcontr);
  s.text(5, r.clave).text(6, r.coderror).integer(7, r.sujetodecl);
  bool ok = s.step() == SQLITE_DONE && sqlite3_changes(db_) > 0;
  if (!ok) lastError_ = sqlite3_errmsg(db_);
  return ok;
}

bool SqliteCorrectionsStore::Clear(const std::string& clave) {
  Statement s(db_, "DELETE FROM CORREGIX WHERE clave = ?1");
  s.text(1, clave);
  bool ok = s.step() == SQLITE_DONE;
  if (!ok) lastError_ = sqlite3_errmsg(db_);
  return ok;
}

bool SqliteCorrectionsStore::List(const std::string& clave, std::vector<CorrectionRow>& rows) {
  rows.clear();
  Statement s(db_, "SELECT " QX_CORREGIX_COLUMNS " FROM CORREGIX WHERE clave = ?1 ORDER BY coderror ASC");
  s.text(1, clave);
  int rc;
  while ((rc = s.step()) == SQLITE_ROW) rows.push_back(readRow(s));
  if (rc != SQLITE_DONE) lastError_ = sqlite3_errmsg(db_);
  return rc == SQLITE_DONE;
}

}  // namespace checks
