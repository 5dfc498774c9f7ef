// The scripted answers of a print through the program: the dialogs it may show before its print
// dialog are answered so that it goes on, the print dialog writes a PDF file, the reminder is read.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QTest>
#include <QPrinter>

#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "annex/asignacion_tributaria_dlg.h"
#include "app/declaration_document.h"
#include "checks/avisos_model.h"
#include "forms/filing/filing_dialogs.h"
#include "forms/print/declaration_print.h"
#include "forms/print/member_selection_dlg.h"
#include "forms/print/print_selection_dlg.h"
#include "ui/avisos_errores_dlg.h"

namespace apptest {

using Step = std::function<int(QDialog&)>;

// Answers a dialog that a print may show before its print dialog so that the print goes on:
// findings by the window's print button, the member dialog of that print with OK, the
// tax-assignment question left unanswered. FALSE for any other dialog.
inline bool AnswerBeforePrintDialog(QDialog& d, int& result) {
  if (dynamic_cast<checks::CAvisosErroresDlg*>(&d)) {
    result = checks::kAvisosPrinting;
    return true;
  }
  if (auto* select = dynamic_cast<forms::CSeleccionDeclaracionImprimirDlg*>(&d)) {
    select->show();
    select->Item<QAbstractButton>(ui::IDOK)->click();
    select->hide();
    result = select->result();
    return true;
  }
  if (dynamic_cast<CAsignacionTributariaDlg*>(&d)) {
    result = QDialog::Rejected;
    return true;
  }
  return false;
}

// `step` on the first dialog of a print that AnswerBeforePrintDialog does not answer.
inline Step AfterPrintQuestions(std::deque<Step>& script, Step step) {
  return [&script, step](QDialog& d) -> int {
    int answered = 0;
    if (!AnswerBeforePrintDialog(d, answered)) return step(d);
    script.push_front(AfterPrintQuestions(script, step));
    return answered;
  };
}

// The reminder after a print; the findings of form 714, which validates after its print dialog,
// answered before it.
inline Step Reminder(std::deque<Step>& script) {
  return [&script](QDialog& d) -> int {
    if (dynamic_cast<checks::CAvisosErroresDlg*>(&d)) {
      script.push_front(Reminder(script));
      return checks::kAvisosPrinting;
    }
    EXPECT_TRUE(dynamic_cast<forms::CAtencion100Dlg*>(&d) || dynamic_cast<forms::CAtencion714Dlg*>(&d))
        << "the reminder after the print";
    return static_cast<int>(ui::IDOK);
  };
}

// The steps of a print into the PDF file `path`, through to its reminder; `choose` makes the other
// choices of the print dialog.
inline Step PrintFlow(std::deque<Step>& script, const std::string& path,
                      std::function<void(QPrintDialog&)> choose = {}) {
  return [&script, path, choose](QDialog& d) -> int {
    int answered = 0;
    if (AnswerBeforePrintDialog(d, answered)) {
      script.push_front(PrintFlow(script, path, choose));
      return answered;
    }
    auto& dialog = dynamic_cast<QPrintDialog&>(d);
    if (choose) choose(dialog);
    dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog.printer()->setOutputFileName(QString::fromStdString(path));
    script.push_front(Reminder(script));
    return static_cast<int>(QDialog::Accepted);
  };
}

// The filing dialog answered as a user does: the folder and the name of `path` typed into their
// fields, the paper copy ticked or not, then Aceptar (Cancelar when `accept` is false).
inline int FillFilingDialog(QDialog& d, const std::string& path, bool paperCopy, bool accept = true) {
  auto& files = dynamic_cast<forms::CDlgInternet&>(d);
  files.show();
  const QFileInfo target(QString::fromStdString(path));
  const auto type = [&](int id, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(files.GetDlgItem(id));
    EXPECT_TRUE(edit && edit->isVisible() && edit->isEnabled()) << id;
    if (!edit) return;
    edit->clear();
    QTest::keyClicks(edit, text);
  };
  type(forms::kFolderEdit, target.path());
  type(forms::kFileNameEdit, target.fileName());
  auto* paper = qobject_cast<QCheckBox*>(files.GetDlgItem(forms::kPrintCopyCheck));
  EXPECT_TRUE(paper && paper->isVisible());
  if (paper && paper->isChecked() != paperCopy) paper->click();
  auto* button = qobject_cast<QAbstractButton*>(files.GetDlgItem(accept ? ui::IDOK : ui::IDCANCEL));
  EXPECT_TRUE(button && button->isVisible());
  if (button) button->click();
  EXPECT_FALSE(files.isVisible()) << "the filing dialog ended";
  files.hide();
  return files.result();
}

// The sheets a first print of the open declaration `d` draws: every copy of every page in use for
// the member shown (one sheet each: no continuation sheets).
inline std::size_t PlannedSheetCount(app::CDeclarationDocument& d, bool extraCopy = false, bool internet = false) {
  forms::PrintJob job;
  job.kind = d.KindByte();
  job.pages = forms::PagesInUse(d, job.kind);
  job.extraCopy = extraCopy;
  job.internet = internet;
  return forms::PlannedSheets(job).size();
}

// The sheets of the PDF file at `path`.
inline std::size_t PdfSheets(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-") << path;
  std::size_t sheets = 0;
  for (std::size_t at = pdf.find("/Type /Page\n"); at != std::string::npos; at = pdf.find("/Type /Page\n", at + 1))
    ++sheets;
  return sheets;
}

}  // namespace apptest
