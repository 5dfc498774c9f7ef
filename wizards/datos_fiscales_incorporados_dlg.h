// "DATOS FISCALES INCORPORADOS": what a fiscal-data import did for one member of the open
// declaration, read from the row that the import stored (incorporated items, and at the user's
// choice the items not incorporated), shown as a grid and printed on a printer or into a PDF file.
// The dialog edits nothing.
#pragma once

#include <QStringList>

#include <functional>
#include <string>
#include <vector>

#include "ui/template_dlg.h"
#include "wizards/fiscal_listing.h"

class QPainter;
class QPrinter;
class QTableWidget;

namespace db {
class CAdoConnection;
}

class CDatosFiscalesIncorporadosDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int kIdd = 31;
  static constexpr int kIdList = 2191, kIdIncorporated = 765, kIdNotIncorporated = 766, kIdPrint = 332;
  static constexpr const char* kTable = "DATOSFISC";

  CDatosFiscalesIncorporadosDlg(QWidget* parent, db::CAdoConnection* declarations, std::string key);
  ~CDatosFiscalesIncorporadosDlg() override;

  // Set by the opener: the member (1 declarant, 2 spouse, 3 child 1, 4 child 2) and its NIF.
  int member = 0;
  QString nif;
  // Runs the print dialog (exec when empty; the program's seam, scripted by tests).
  std::function<int(QDialog&)> runModal;

  // Reads the member's row once; false, after "100R129", when it is missing or unreadable.
  bool Load();
  bool Loaded() const { return loaded_; }
  // Shows one of the two listings (the radio buttons do it): title and grid rebuilt.
  void ShowListing(bool incorporated);
  bool ShowsIncorporated() const { return incorporated_; }
  const fiscal_review::Grid& Shown() const { return grid_; }
  QTableWidget* List() const;

  // "&Imprimir": the print dialog, then the printout; whether anything was printed.
  bool OnImprimir();
  // Draws the listing shown on `printer`, one page after the other; false when the device refused.
  bool Print(QPrinter& printer);
  // The texts the last printout drew, in drawing order.
  const QStringList& PrintedTexts() const { return printed_; }

 protected:
  void OnInitDialog() override;
  QWidget* CreateCustomControl(const ui::ControlDef& def, QWidget* parent) override;
  bool OnButton(int id) override;

 private:
  struct PrintRun;
  void FillList();
  QString Title() const;
  QString Cell(int row, int column) const;
  void AdvancePrintCell(PrintRun& run) const;
  void LayOutPrintColumns(PrintRun& run, int width) const;
  void PrintHeader(QPainter& p, PrintRun& run);
  void PrintBody(QPainter& p, PrintRun& run);
  void PrintFooter(QPainter& p, PrintRun& run, int page, int pages);
  void PrintCell(QPainter& p, PrintRun& run, const QString& text, int x, int y);
  void Draw(QPainter& p, int x, int y, const QString& text);

  db::CAdoConnection* declarations_;
  std::string key_;
  std::string incorporatedText_, notIncorporatedText_;
  bool loaded_ = false;
  bool loadTried_ = false;
  bool incorporated_ = true;
  fiscal_review::Grid grid_;
  QStringList printed_;
};

namespace fiscal_review {
// The command "Datos Fiscales Incorporados" for the member shown (2 declarant ... 5 child 2) of
// an open form-100 declaration: the review, run modally; false when it was not shown.
bool ShowIncorporatedFiscalData(db::CAdoConnection* declarations, const std::string& key, const std::uint8_t* block,
                                int shownMember, const std::function<int(QDialog&)>& runModal);
}  // namespace fiscal_review
