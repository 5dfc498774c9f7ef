// "Traslado de datos fiscales": one wizard page per kind of record of a fiscal-data file. Each
// record line is a row cut into the columns of DFcampos<L>; on a transferable page the rows carry
// a check column, and the rows marked are collected into the wizard's transfer data and into the
// page's two listings (incorporated and not) whenever the page is left.
#pragma once

#include <QString>
#include <QTableWidget>

#include <string>
#include <vector>

#include "ui/template_dlg.h"
#include "wizards/fiscal_file.h"

class CAsistenteDatosFiscales;

// The page's list: rows that can never be marked (red), the transferable and accumulable columns,
// and the marked rows, which the check boxes only mirror when the rows are drawn.
class CDFListCtrl : public QTableWidget {
  Q_OBJECT
 public:
  static constexpr int kId = 2191;
  static constexpr int kColumnWidth = 75;
  explicit CDFListCtrl(QWidget* parent = nullptr);

  static void AddUnique(std::vector<int>& set, int value);
  static bool Holds(const std::vector<int>& set, int value);
  static void Remove(std::vector<int>& set, int value);

  bool IsExcluded(int row) const { return Holds(excluded, row); }
  bool IsMarked(int row) const { return Holds(marked, row); }
  void Mark(int row) { AddUnique(marked, row); }
  void Unmark(int row) { Remove(marked, row); }
  QString Text(int row, int column) const;
  void SetText(int row, int column, const QString& text);

  std::vector<int> excluded;
  std::vector<int> transferableColumns;
  std::vector<int> accumulableColumns;
  std::vector<int> marked;
};

class CDFTrabajo : public CTemplatePropPg {
  Q_OBJECT
 public:
  static constexpr int IDD = 1860;
  static constexpr int kIdTitle = 24589, kIdMarkAll = 24599, kIdUnmarkAll = 24600;

  explicit CDFTrabajo(const QString& key = {});

  // Set by the wizard before the page is shown.
  CAsistenteDatosFiscales* owner = nullptr;
  int pageNumber = 0;
  std::vector<std::string> lines{std::string()};  // entry 0 empty, then the file's lines

  const QString& Key() const { return key_; }
  bool Transferable() const { return transferable_; }
  const QString& SubDialog() const { return subDialog_; }
  int FirstFieldColumn() const { return transferable_ ? 1 : 0; }
  CDFListCtrl* List() const { return list_; }
  QString HeadingText() const;
  int MurciaChoice() const { return murciaChoice_; }
  int MarkedFunds() const { return markedFunds_; }
  int DisabledNifCount() const { return disabledNifCount_; }
  const std::vector<std::string>& NifSlots() const { return nifSlots_; }

  bool OnSetActive() override;
  bool OnKillActive() override;
  int OnCommand(int id, int code) override;
  void ShowHelp() override;

  // A click (or a double click, which arrives as a second click) on a cell of the list.
  void OnClickList(int row, int column);
  void OnMarcarTodos();
  void OnDesmarcarTodos();
  // Colours and check boxes of the rows from the page's sets.
  void RedrawRows();

  // The listings of the last collect, one text line per entry (Windows-1252).
  const std::vector<std::string>& Incorporated() const { return incorporated_; }
  const std::vector<std::string>& NotIncorporated() const { return notIncorporated_; }
  void FreeListings();

 protected:
  void OnInitDialog() override;
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;

 private:
  void FillList(const std::vector<fiscal::FieldLayout>& fields);
  void FitColumns();
  bool MarkFund(int row, bool showLimit);
  void ClickPension(int row);
  void ClickMortgage(int row);
  void ClickDonation(int row);
  void ClickExpenses(int row);
  void ClearBoth();
  bool Checked(int id) const;
  void SetChecked(int id, bool on);
  bool DeclarationInMurcia() const;
  void Collect();
  void CollectRow(int row, std::string& line);
  std::string TitleLine() const;
  std::string HeadingsLine() const;
  std::string TotalsLine() const;

  QString key_;
  bool transferable_ = false;
  bool hasAccumulable_ = false;
  QString subDialog_;
  QString title_;
  QString status_;
  bool identificationDone_ = false;
  bool mortgageDatesPrepared_ = false;
  bool nifSlotsPrepared_ = false;
  int markedFunds_ = 0;
  int disabledNifCount_ = 0;
  int murciaChoice_ = 0;
  std::vector<std::string> nifSlots_;
  std::vector<std::string> incorporated_;
  std::vector<std::string> notIncorporated_;
  CDFListCtrl* list_ = nullptr;
};
