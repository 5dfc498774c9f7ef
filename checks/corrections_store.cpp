#include "checks/corrections_store.h"

#include <algorithm>
#include <cstdint>

#include "data/db/ado.h"

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

constexpr const char* kTable = "CORREGIX";
constexpr const char* kColumns = "CLAVE, CODERROR, TIPDECLA, VISTA, SEVERIDAD, NUMCONTR, SUJETODECL";

db::Filter OfDeclaration(const std::string& clave) { return db::Filter::Eq("CLAVE", clave); }

db::Filter OfRow(const std::string& clave, const std::string& code, int member) {
  return OfDeclaration(clave) && db::Filter::Eq("CODERROR", code) && db::Filter::Eq("SUJETODECL", std::int64_t{member});
}

int Int(db::CAdoRecordset& rs, const char* column) {
  std::int32_t v = 0;
  rs.GetInt(column, v);
  return v;
}

CorrectionRow ReadRow(db::CAdoRecordset& rs) {
  CorrectionRow r;
  rs.GetText("CLAVE", r.clave);
  rs.GetText("CODERROR", r.coderror);
  r.tipdecla = Int(rs, "TIPDECLA");
  r.vista = Int(rs, "VISTA");
  r.severidad = Int(rs, "SEVERIDAD");
  r.numcontr = Int(rs, "NUMCONTR");
  r.sujetodecl = Int(rs, "SUJETODECL");
  return r;
}

}  // namespace

bool DatabaseCorrectionsStore::Find(const std::string& clave, const std::string& code, int member,
                                    std::optional<CorrectionRow>& found) {
  found.reset();
  db::CAdoRecordset rs;
  if (rs.Open(kTable, &connection_, OfRow(clave, code, member), {}, kColumns)) found = ReadRow(rs);
  return rs.IsOpen();
}

bool DatabaseCorrectionsStore::Insert(const CorrectionRow& r) {
  db::CAdoRecordset rs;
  rs.Open(kTable, &connection_, db::Filter::Eq("SUJETODECL", std::int64_t{-1}), {}, kColumns);  // no row
  return rs.IsOpen() && rs.PrepareNewRow() && rs.AddPendingValue("CLAVE", r.clave) &&
         rs.AddPendingValue("CODERROR", r.coderror) && rs.AddPendingInt("TIPDECLA", r.tipdecla) &&
         rs.AddPendingInt("VISTA", r.vista) && rs.AddPendingInt("SEVERIDAD", r.severidad) &&
         rs.AddPendingInt("NUMCONTR", r.numcontr) && rs.AddPendingInt("SUJETODECL", r.sujetodecl) &&
         rs.AppendPendingRow();
}

bool DatabaseCorrectionsStore::Update(const CorrectionRow& r) {
  db::CAdoRecordset rs;
  if (!rs.Open(kTable, &connection_, OfRow(r.clave, r.coderror, r.sujetodecl), {}, kColumns)) return false;
  return rs.SetInt("TIPDECLA", r.tipdecla, false) && rs.SetInt("VISTA", r.vista, false) &&
         rs.SetInt("SEVERIDAD", r.severidad, false) && rs.SetInt("NUMCONTR", r.numcontr, false) && rs.Update();
}

bool DatabaseCorrectionsStore::Clear(const std::string& clave) {
  db::CAdoRecordset rs;
  const bool any = rs.Open(kTable, &connection_, OfDeclaration(clave), {}, "CLAVE");
  if (!rs.IsOpen()) return false;
  bool ok = true;
  if (any)
    for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext()) ok = rs.DeleteCurrent() && ok;
  return ok;
}

std::shared_ptr<void> DatabaseCorrectionsStore::BeginRun() {
  // One transaction over the run, committed when the last holder lets it go. A write that
  // failed was reported where it failed; the others are kept as they would have been one by one.
  struct Run {
    explicit Run(db::CAdoConnection& c) : transaction(c) {}
    ~Run() { transaction.Commit(); }
    db::Transaction transaction;
  };
  if (!connection_.IsOpen()) return nullptr;
  return std::make_shared<Run>(connection_);
}

bool DatabaseCorrectionsStore::List(const std::string& clave, std::vector<CorrectionRow>& rows) {
  rows.clear();
  db::CAdoRecordset rs;
  if (rs.Open(kTable, &connection_, OfDeclaration(clave), "CODERROR ASC", kColumns))
    for (rs.MoveFirst(); rs.IsNotAtEnd(); rs.MoveNext()) rows.push_back(ReadRow(rs));
  return rs.IsOpen();
}

}  // namespace checks
