// The import of one member's "datos fiscales" file: reads and checks the whole file (with a
// progress window), makes one transfer page per run of records of one kind, adds them in the order
// of DFListas<L> and runs as a wizard. Finish stores the two listings in DATOSFISC, writes the
// marked data into the declaration and updates the run's shared counts; Cancel stores nothing.
#pragma once

#include <QString>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "wizards/asistente.h"
#include "wizards/fiscal_file.h"
#include "wizards/fiscal_import.h"
#include "wizards/fiscal_transfer.h"

class CDFTrabajo;

class CAsistenteDatosFiscales : public CAsistente {
  Q_OBJECT
 public:
  static constexpr int kHelpTopic = 778;

  // Reads `path`; on return `failed` is true when the file was refused (its message shown): the
  // wizard then has no pages and is only destroyed.
  CAsistenteDatosFiscales(const QString& caption, const QString& path, bool& failed,
                          const fiscal::ImportEnvironment& environment, QWidget* parent = nullptr,
                          int startPage = 0);
  ~CAsistenteDatosFiscales() override;

  // Set by the caller before the run.
  void SetMember(int member, int memberRegion, int householdRegion);

  int OnCommand(int id, int code) override;

  // The steps of Finish, run by the last page's collect.
  bool SaveFiscalData();
  void ApplyFiscalData();
  void FreeListings();
  // The review of what was just stored for the member, when the declarations database has it.
  void ShowReview();

  // What the pages share.
  fiscal::FiscalTransfer& Transfer() { return transfer_; }
  const fiscal::FiscalTransfer& Transfer() const { return transfer_; }
  fiscal::ImportSession& Session() { return *env_.session; }
  const fiscal::ImportEnvironment& Environment() const { return env_; }
  const fiscal::Layout& Layout() const { return layout_; }
  int Member() const { return transfer_.member; }
  bool busy = false;
  bool finishing = false;

  // Pages in slots 1 .. SlotCount() - 1; those after the added ones are never shown.
  int SlotCount() const { return slotCount_; }
  CDFTrabajo* Slot(int k) const;
  CDFTrabajo* LastPage() const { return Slot(GetPageCount()); }
  // The progress shown while the file was read.
  const std::vector<int>& ProgressShown() const { return progressShown_; }
  // The two listings of every page in slot order, as DATOSFISC stores them.
  std::string IncorporatedText() const;
  std::string NotIncorporatedText() const;

 private:
  bool ReadFile(const QString& path);

  fiscal::ImportEnvironment env_;
  fiscal::ImportSession ownSession_;
  fiscal::Layout layout_;
  fiscal::FiscalFile file_;
  fiscal::FiscalTransfer transfer_;
  std::array<std::unique_ptr<CDFTrabajo>, fiscal::kPageSlots> slots_{};
  int slotCount_ = 1;
  std::vector<int> progressShown_;
};
