// The corrections table CORREGIX: one row per validation finding of a declaration.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace db {
class CAdoConnection;
}

namespace checks {

struct CorrectionRow {
  std::string clave;     // DeclarationKey, 50 characters padded with blanks
  std::string coderror;  // MessageCode of the finding
  int tipdecla = 4;
  int vista = 0;         // page position; 100 personal and family data; 0 no page
  int severidad = 0;     // 1 error, 0 warning
  int numcontr = -1;     // box on that page; -1 none
  int sujetodecl = 2;    // member 1..5
};

// Every operation reports whether the database did what was asked.
class ICorrectionsStore {
 public:
  virtual ~ICorrectionsStore() = default;
  // The row of this declaration, code and member, if any.
  virtual bool Find(const std::string& clave, const std::string& code, int member,
                    std::optional<CorrectionRow>& found) = 0;
  virtual bool Insert(const CorrectionRow& row) = 0;
  // Rewrites vista, severidad, numcontr and tipdecla of the row keyed by clave, code and member.
  virtual bool Update(const CorrectionRow& row) = 0;
  // Deletes every row of the declaration `clave`.
  virtual bool Clear(const std::string& clave) = 0;
  // The rows of a declaration sorted by code.
  virtual bool List(const std::string& clave, std::vector<CorrectionRow>& rows) = 0;
  // Held over a whole validation run: its writes are saved together when it goes, instead of
  // each one waiting for the disk on its own. Null when the store has nothing to gather.
  virtual std::shared_ptr<void> BeginRun() { return nullptr; }
};

class InMemoryCorrectionsStore : public ICorrectionsStore {
 public:
  bool Find(const std::string& clave, const std::string& code, int member,
            std::optional<CorrectionRow>& found) override;
  bool Insert(const CorrectionRow& row) override;
  bool Update(const CorrectionRow& row) override;
  bool Clear(const std::string& clave) override;
  bool List(const std::string& clave, std::vector<CorrectionRow>& rows) override;

  std::vector<CorrectionRow> rows;
  bool failWrites = false;  // lets tests make every write fail
};

// CORREGIX in the declarations database, through the data layer's recordsets: keys compare as the
// store compares them, and a failing statement is reported like any database error. The
// connection may be reopened between calls (the compaction does).
class DatabaseCorrectionsStore : public ICorrectionsStore {
 public:
  explicit DatabaseCorrectionsStore(db::CAdoConnection& connection) : connection_(connection) {}
  bool Find(const std::string& clave, const std::string& code, int member,
            std::optional<CorrectionRow>& found) override;
  bool Insert(const CorrectionRow& row) override;
  bool Update(const CorrectionRow& row) override;
  bool Clear(const std::string& clave) override;
  bool List(const std::string& clave, std::vector<CorrectionRow>& rows) override;
  std::shared_ptr<void> BeginRun() override;

 private:
  db::CAdoConnection& connection_;
};

}  // namespace checks
