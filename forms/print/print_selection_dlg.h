// Before a print: which pages of a declaration printed before are printed again, the printer and
// an additional copy for the taxpayer (form 100 and form 714). After a print: the reminder of what
// to do with the paper declaration.
#pragma once

#include <QString>

#include <functional>

#include "forms/print/print_plan.h"
#include "ui/template_dlg.h"

class IMessageService;

namespace forms {

// The help topic of the print dialogs.
inline constexpr int kPrintHelpTopic = 990;

class CSeleccionImpresionDlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 279;
  enum : int { kFirstPage = 2230, kMarkAll = 2248, kUnmarkAll = 2249, kExtraCopy = 2007, kPrinterName = 1088,
               kPrinterLabel = 1093, kPrinterButton = 1024 };
  struct Declaration {
    // Whether page `index` of the selection is in use (form 100: 0 to 17, form 714: 1 to 11).
    std::function<bool(int index)> inUse;
    // The declaration may be printed in part (not new, its reference unchanged).
    bool partialAllowed = false;
    QString printerName;
    // The system's print set-up; the name of the printer chosen, empty when nothing changed.
    std::function<QString()> choosePrinter;
    bool remote = false;  // remote mode: the printer stays as it is
    IMessageService* messages = nullptr;
  };
  CSeleccionImpresionDlg(Declaration declaration, QWidget* parent = nullptr);

  // After OK: one flag per page (form 100: 0 to 18, page 18 following page 17; form 714: 1 to 12,
  // page 12 following page 11).
  print::PageSelection flags{};
  // 1 no additional copy, 2 additional copy.
  int copiesMode = 1;
  QString printerName;

  // The check box of selection index `index`.
  int PageBox(int index) const { return kFirstPage + index; }
  int FirstIndex() const { return form_ == 714 ? 1 : 0; }
  int LastIndex() const { return form_ == 714 ? 11 : 17; }

 protected:
  CSeleccionImpresionDlg(const ui::DialogTemplate& tmpl, int form, Declaration declaration, QWidget* parent);
  void OnInitDialog() override;
  void OnOK() override;
  bool OnButton(int id) override;

 private:
  bool Checked(int id) const;
  void Check(int id, bool on);
  // Every enabled page box to `on`.
  void CheckEnabledPages(bool on);
  // A partial print that is not allowed: the message and every page chosen again.
  bool RefusePartial();
  void ShowMarkState();

  int form_;
  Declaration declaration_;
};

class CSeleccionImpresion714Dlg : public CSeleccionImpresionDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1859;
  CSeleccionImpresion714Dlg(Declaration declaration, QWidget* parent = nullptr);
};

// "ATENCIÓN": what to do with the printed declaration.
class CAtencion100Dlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1733;
  explicit CAtencion100Dlg(QWidget* parent = nullptr);
};

class CAtencion714Dlg : public CTemplateDlg {
  Q_OBJECT
 public:
  static constexpr int kId = 1735;
  explicit CAtencion714Dlg(QWidget* parent = nullptr);
};

}  // namespace forms
