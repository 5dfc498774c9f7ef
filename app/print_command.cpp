// The print command (57607) of an open declaration: the member whose declaration is printed
// (form 100), the pages of a declaration printed before, the printer or PDF file, then the copies
// of every page in use drawn with their copy labels and marks in the printing language; the
// printed status, the usage counters and the reminder follow a print that ended.
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/print_command.h"

#include "app/declaration_document.h"
#include "app/filing_context.h"
#include "app/program_messages.h"
#include "checks/avisos_model.h"
#include "blocks/form100.h"
#include "blocks/form714.h"
#include "data/doc/doc714.h"
#include "data/doc/renta_doc.h"
#include "data/doc/active_declaration.h"
#include "data/util/utilities.h"
#include "forms/filing/filing_pages.h"
#include "forms/filing/filing_writer100.h"
#include "forms/filing/filing_writer714.h"
#include "forms/print/barcodes.h"
#include "forms/print/declaration_print.h"
#include "forms/print/member_selection_dlg.h"
#include "forms/print/print714_dlg.h"
#include "forms/print/name_code.h"
#include "forms/print/print_selection_dlg.h"
#include "forms/view/printer_setup.h"
#include "platform/seal.h"
#include "platform/strings.h"

namespace app {

namespace {
constexpr int kPrintFailedString = 96209;  // "No se ha podido imprimir la declaración."
std::string Trimmed(std::string_view text) {
  std::string s(text.substr(0, text.find('\0')));
  while (!s.empty() && s.back() == ' ') s.pop_back();
  while (!s.empty() && s.front() == ' ') s.erase(s.begin());
  return s;
}
}  // namespace

std::string CPrintCommand::DotCodeText(int member) {
  std::string text;
  if (!filing_.Generate(member, CFilingContextFactory::Purpose::DotCode, text, forms::kFilingTextOnly)) text.clear();
  // The record of a print is told from that of a filing file by its mark.
  if (text.size() > 35) text[35] = 'P';
  return text;
}

// The identity a print of `member` (form 100; form 714 its declarant) carries: NIF, the
// identification code of the name, the reference and the record of the dot code.
void CPrintCommand::FillPrintIdentity(forms::PrintJob& job, int member) {
  const auto& doc_ = document_.doc_;
  doc::CRentaDoc* const renta_ = document_.renta_;
  const std::uint8_t* block = doc_->Block().data();
  if (renta_) {
    const std::uint8_t* family = block + f100::Family.offset;
    job.nif = Trimmed(f100::family::HolderNif(member - 1).raw(family));
    const std::string name = Trimmed(f100::family::HolderSurname1(member - 1).raw(family)) + ' ' +
                             Trimmed(f100::family::HolderSurname2(member - 1).raw(family)) + ' ' +
                             Trimmed(f100::family::HolderGivenName(member - 1).raw(family));
    job.nameCode = forms::CNameCode(name, job.nif).GetCode();
    job.reference = renta_->GetReferenceText(member - 1);
    // The other spouse of the member's household: an identification barcode of its own on the
    // first sheet when both the NIF and the name are known.
    const std::string spouseNif = Trimmed(f100::family::SpouseNif(member - 1).raw(family));
    const std::string spouseName = Trimmed(f100::family::SpouseSurname1(member - 1).raw(family)) + ' ' +
                                   Trimmed(f100::family::SpouseSurname2(member - 1).raw(family)) + ' ' +
                                   Trimmed(f100::family::SpouseGivenName(member - 1).raw(family));
    if (!spouseNif.empty() && spouseName.find_first_not_of(' ') != std::string::npos) {
      job.spouseNif = spouseNif;
      job.spouseNameCode = forms::CNameCode(spouseName, spouseNif).GetCode();
    }
  } else {
    const std::uint8_t* personal = block + f714::Personal.offset;
    job.nif = Trimmed(f714::personal::Nif.raw(personal));
    const std::string name = Trimmed(f714::personal::Surname1.raw(personal)) + ' ' +
                             Trimmed(f714::personal::Surname2.raw(personal)) + ' ' +
                             Trimmed(f714::personal::GivenName.raw(personal));
    job.nameCode = forms::CNameCode(name, job.nif).GetCode();
    if (auto* d714 = dynamic_cast<doc::C714Doc*>(doc_.get())) job.reference = d714->GetReferenceText();
  }
  job.filingText = job.internet ? std::string() : DotCodeText(member);
}

bool CPrintCommand::RunCorrectionsPrint() {
  correctionsPrint_ = true;
  return Run();
}

bool CPrintCommand::Run() {
  CDeclarationDocument::BusyScope busy(document_);
  const auto& doc_ = document_.doc_;
  doc::CRentaDoc* const renta_ = document_.renta_;
  DocumentServices& services_ = document_.services_;
  doc_->CommitPendingBoxEdit();
  const bool form100 = renta_ != nullptr;
  const int kind = form100 ? 2 : 3;
  const int remembered = form100 ? renta_->ShownMember() : 0;
  // A box value that did not fit its box since the last commit (form 100 calculates first, which
  // lays every value out again).
  if (!form100 && !doc::overflow_warning::Armed()) {
    services_.messages.ShowMessage("WIN022", ::MessageIcon::Warning, {});
    return false;
  }
  const bool internet = internetCopy_;
  // A print asked for from "Avisos y errores": its member is chosen and validated already.
  const bool corrections = correctionsPrint_;
  correctionsPrint_ = false;
  const int memberMode = internet && !corrections ? 3 : corrections ? 2 : 0;
  int member = 0;
  int copiesMode = 0;
  bool bothSpouses = false;
  const auto restoreMember = [&] {
    if (form100 && renta_->CanShowMember(remembered)) renta_->ShowMember(remembered);
  };
  // Findings stop the print; the window's print button asks for it again without validating.
  const auto findingsStop = [&] {
    restoreMember();
    document_.UpdateAllViews(1);
    if (document_.RunAvisosErrores(false) != checks::kAvisosPrinting) return false;
    return RunCorrectionsPrint();
  };
  if (form100) {
    forms::CSeleccionDeclaracionImprimirDlg::Declaration d;
    d.block = doc_->Block();
    d.household = renta_->Household();
    d.shownMember = remembered;
    d.printMember = renta_->TargetMember();
    d.hasErrors = [this](int member) { return document_.PrintMemberHasErrors(member); };
    forms::CSeleccionDeclaracionImprimirDlg select(std::move(d), memberMode, CProgramMessages::Parent());
    select.EnsureCreated();
    if (services_.runModal(select) != ui::IDOK || select.member < 1) {
      restoreMember();
      return false;
    }
    bothSpouses = select.member == 6;
    member = bothSpouses ? 2 : select.member;
    copiesMode = select.copiesMode;
    renta_->SetTargetMember(select.member, select.member == 1 ? 1 : 0);
    if (memberMode == 0) {
      switch (doc_->ValidateDeclaration(0)) {
        case 0: return findingsStop();
        case 2: restoreMember(); return false;
      }
    }
    renta_->SetTargetMember(member, member == 1 ? 1 : 0);
    renta_->ShowMember(member);
  }
  doc_->Calculate(1);

  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setFullPage(true);
  if (!printerName_.isEmpty()) printer.setPrinterName(printerName_);
  if (!printerFile_.isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printerFile_);
  }

  forms::PrintJob job;
  job.kind = kind;
  job.pages = forms::PagesInUse(document_, kind);
  job.language = services_.shell.PrintingLanguage();
  job.internet = internet;

  // A declaration printed before: which of its pages are printed again. The print of both spouses
  // prints them whole.
  bool printerChosen = false;
  const bool printedBefore = form100 ? !bothSpouses && renta_->MemberStatus(member) == 1 : doc_->IsPrinted();
  const auto choosePages = [&]() -> bool {
    forms::CSeleccionImpresionDlg::Declaration d;
    const std::vector<int> pages = job.pages;
    const int form = form100 ? 100 : 714;
    d.inUse = [pages, form](int index) {
      return std::any_of(pages.begin(), pages.end(),
                         [&](int code) { return forms::print::SelectionIndex(form, code) == index; });
    };
    d.partialAllowed = printedBefore;
    d.printerName = printer.printerName();
    d.remote = services_.shell.RemoteMode();
    d.messages = &services_.messages;
    d.choosePrinter = [&]() -> QString {
      QPrintDialog setup(&printer, CProgramMessages::Parent());
      if (services_.runModal(setup) != QDialog::Accepted) return {};
      printerChosen = true;
      return printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    };
    std::unique_ptr<forms::CSeleccionImpresionDlg> pagesDlg;
    if (form100) pagesDlg = std::make_unique<forms::CSeleccionImpresionDlg>(std::move(d), CProgramMessages::Parent());
    else pagesDlg = std::make_unique<forms::CSeleccionImpresion714Dlg>(std::move(d), CProgramMessages::Parent());
    pagesDlg->EnsureCreated();
    if (services_.runModal(*pagesDlg) != ui::IDOK) return false;
    job.selection = pagesDlg->flags;
    copiesMode = pagesDlg->copiesMode;
    return true;
  };
  if (form100 && printedBefore && !internet && !choosePages()) {
    restoreMember();
    return false;
  }

  if (!printerChosen) {
    // Form 714 has its own dialog, with the taxpayer's extra copy.
    std::unique_ptr<QPrintDialog> dialog;
    forms::CPrint714Dlg* dialog714 = nullptr;
    if (form100) {
      dialog = std::make_unique<QPrintDialog>(&printer, CProgramMessages::Parent());
    } else {
      dialog714 = new forms::CPrint714Dlg(&printer, internet, services_.shell.RemoteMode(), CProgramMessages::Parent());
      dialog.reset(dialog714);
    }
    if (services_.runModal(*dialog) != QDialog::Accepted) {
      restoreMember();
      return false;
    }
    if (dialog714 && dialog714->Copies() == 2 && !internet) copiesMode = 2;
  }
  printerName_ = printer.printerName();
  printerFile_ = printer.outputFileName();
  // The marks are read by machine: A4, portrait, one side, enough resolution.
  if (!forms::print::CheckPrinterSetup(forms::SetupOfPrinter(printer), printer.resolution(), &services_.messages)) {
    restoreMember();
    return false;
  }
  if (!form100) {
    // Form 714 validates once its printer is chosen; the findings window's print button goes on.
    if (doc_->ValidateDeclaration(0) == 0 && document_.RunAvisosErrores(false) != checks::kAvisosPrinting) return false;
    if (printedBefore && !internet) {
      if (!choosePages()) return false;
    }
  }
  job.extraCopy = copiesMode == 2 && !internet;

  // The print of both spouses: the declarant's copies, then the spouse's, each with its own
  // identity and dot code, the document showing that spouse while its sheets are drawn.
  std::vector<int> members = bothSpouses ? std::vector<int>{2, 3} : std::vector<int>{member};
  forms::PrintSession session(printer);
  for (int m : members) {
    if (form100 && m != member) {
      renta_->SetTargetMember(m, 0);
      renta_->ShowMember(m);
      doc_->Calculate(1);
      job.pages = forms::PagesInUse(document_, kind);
    }
    FillPrintIdentity(job, m);
    // The page pictures in the printing language for the print, then the screen's again.
    doc_->SetPageTables({services_.shell.LocalDatabase(), job.language, services_.shell.BaseFolder()});
    if (!session.Print(document_, job, &services_.messages)) break;
  }
  const bool printed = session.End();
  doc_->SetPageTables({services_.shell.LocalDatabase(), services_.shell.InterfaceLanguage(), services_.shell.BaseFolder()});
  if (printed) {
    if (form100) {
      // Both spouses are marked printed even on the paper copy of a filing.
      for (int m : members) {
        if (!internet || bothSpouses) {
          renta_->SetTargetMember(m, m == 1 ? 1 : 0);
          renta_->SetMemberStatus(1);
        }
        CUtilities::IncrementUsageCounters(services_.store.Connection(), 100, true, false, false);
      }
    } else {
      // The reference printed stays the declaration's.
      doc_->Model().SetEditedSincePrinted(false);
      if (!internet) doc_->SetPrinted(true);
      CUtilities::IncrementUsageCounters(services_.store.Connection(), 714, true, false, false);
    }
    // The printed status is kept with the declaration.
    doc_->SaveToDatabase();
  } else {
    services_.messages.Plain(platform::LoadString(kPrintFailedString).toStdString(), kIconWarning);
  }
  if (form100 && bothSpouses) renta_->SetTargetMember(6, 0);
  restoreMember();
  document_.UpdateAllViews(1);
  if (printed && !internet) {
    // What to do with the paper declaration.
    if (form100) {
      forms::CAtencion100Dlg reminder(CProgramMessages::Parent());
      reminder.EnsureCreated();
      services_.runModal(reminder);
    } else {
      forms::CAtencion714Dlg reminder(CProgramMessages::Parent());
      reminder.EnsureCreated();
      services_.runModal(reminder);
    }
  }
  return printed;
}

}  // namespace app
