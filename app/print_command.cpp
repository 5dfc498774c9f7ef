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

#include "app/declaration_document.h"
#include "app/program_messages.h"
#include "blocks/form100.h"
#include "blocks/form714.h"
#include "data/doc/doc714.h"
#include "data/doc/renta_doc.h"
#include "data/util/utilities.h"
#include "forms/filing/filing_pages.h"
#include "forms/filing/filing_writer100.h"
#include "forms/filing/filing_writer714.h"
#include "forms/print/declaration_print.h"
#include "forms/print/member_selection_dlg.h"
#include "forms/print/print714_dlg.h"
#include "forms/print/name_code.h"
#include "forms/print/print_selection_dlg.h"
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

std::string CDeclarationDocument::FilingText(int member) {
  forms::FilingContext c;
  c.local = LocalDatabase();
  c.declarations = &services_.store.Connection();
  c.messages = &services_.messages;
  c.block = doc_->Block();
  c.key = doc_->Key();
  c.member = member;
  c.filingFlag = &filingFlag_;
  c.language = Language();
  c.versionLetter = doc::GetWindowsVersionCode();
  forms::BoxTables tables{LocalDatabase(), Language(), {}};
  c.pages = forms::BindingTableFilingPages(tables, doc_->Block());
  c.seal = [](const std::string& file, char* seal, int position) { return platform::SelloPos(file, seal, position); };
  std::string text;
  bool ok = false;
  if (kindByte_ == store::kKindForm714) {
    forms::CFilingFileWriter714 writer(std::move(c));
    ok = writer.Generate(text, forms::kFilingTextOnly);
  } else {
    forms::CFilingFileWriter100 writer(member, std::move(c));
    ok = writer.Generate(text, forms::kFilingTextOnly);
  }
  return ok ? text : std::string();
}

std::string CDeclarationDocument::DotCodeText(int member) {
  std::string text = FilingText(member);
  // The record of a print is told from that of a filing file by its mark.
  if (text.size() > 35) text[35] = 'P';
  return text;
}

bool CDeclarationDocument::PrintDeclaration() {
  BusyScope busy(*this);
  doc_->CommitPendingBoxEdit();
  const bool form100 = renta_ != nullptr;
  const int kind = form100 ? 2 : 3;
  const int remembered = form100 ? renta_->ShownMember() : 0;
  const bool internet = internetCopy_;
  int member = 0;
  int copiesMode = 0;
  bool bothSpouses = false;
  if (form100) {
    forms::CSeleccionDeclaracionImprimirDlg::Declaration d;
    d.block = doc_->Block();
    d.household = renta_->Household();
    d.shownMember = remembered;
    d.hasErrors = [this] { return doc_->ValidateDeclaration(3) == 0; };
    forms::CSeleccionDeclaracionImprimirDlg select(std::move(d), 0, CProgramMessages::Parent());
    select.EnsureCreated();
    if (services_.runModal(select) != ui::IDOK || select.member < 1) return false;
    bothSpouses = select.member == 6;
    member = bothSpouses ? 2 : select.member;
    copiesMode = select.copiesMode;
    renta_->SetTargetMember(member, renta_->MemberView());
    renta_->ShowMember(member);
  }
  doc_->Calculate(1);
  const auto restoreMember = [&] {
    if (form100 && renta_->CanShowMember(remembered)) renta_->ShowMember(remembered);
  };

  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setFullPage(true);

  forms::PrintJob job;
  job.kind = kind;
  job.pages = forms::DefinedPages(*this, kind);
  job.language = services_.shell.PrintingLanguage();
  job.internet = internet;

  // A declaration printed before: which of its pages are printed again.
  bool printerChosen = false;
  const bool printedBefore = form100 ? !bothSpouses && renta_->MemberStatus(member) == 1 : doc_->IsPrinted();
  if (printedBefore && !internet) {
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
    if (services_.runModal(*pagesDlg) != ui::IDOK) {
      restoreMember();
      return false;
    }
    job.selection = pagesDlg->flags;
    copiesMode = pagesDlg->copiesMode;
  }
  job.extraCopy = copiesMode == 2 && !internet;

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
    if (dialog714 && dialog714->Copies() == 2 && !internet) job.extraCopy = true;
  }

  const std::uint8_t* block = doc_->Block().data();
  if (form100) {
    const std::uint8_t* family = block + f100::Family.offset;
    job.nif = Trimmed(f100::family::HolderNif(member - 1).raw(family));
    const std::string name = Trimmed(f100::family::HolderSurname1(member - 1).raw(family)) + ' ' +
                             Trimmed(f100::family::HolderSurname2(member - 1).raw(family)) + ' ' +
                             Trimmed(f100::family::HolderGivenName(member - 1).raw(family));
    job.nameCode = forms::CNameCode(name, job.nif).GetCode();
    job.reference = renta_->GetReferenceText(member - 1);
  } else {
    const std::uint8_t* personal = block + f714::Personal.offset;
    job.nif = Trimmed(f714::personal::Nif.raw(personal));
    const std::string name = Trimmed(f714::personal::Surname1.raw(personal)) + ' ' +
                             Trimmed(f714::personal::Surname2.raw(personal)) + ' ' +
                             Trimmed(f714::personal::GivenName.raw(personal));
    job.nameCode = forms::CNameCode(name, job.nif).GetCode();
    if (auto* d714 = dynamic_cast<doc::C714Doc*>(doc_.get())) job.reference = d714->GetReferenceText();
  }
  if (!internet) job.filingText = DotCodeText(member);
  // The page pictures in the printing language for the print, then the screen's again.
  doc_->SetPageTables({services_.shell.LocalDatabase(), job.language, services_.shell.BaseFolder()});
  const bool printed = forms::PrintDeclaration(*this, job, printer, &services_.messages);
  doc_->SetPageTables({services_.shell.LocalDatabase(), services_.shell.InterfaceLanguage(), services_.shell.BaseFolder()});
  if (printed) {
    if (!internet) {
      if (form100) renta_->SetMemberStatus(1);
      else doc_->SetPrinted(true);
    }
    CUtilities::IncrementUsageCounters(services_.store.Connection(), form100 ? 100 : 714, true, false, false);
  } else {
    services_.messages.Plain(platform::LoadString(kPrintFailedString).toStdString(), kIconWarning);
  }
  restoreMember();
  UpdateAllViews(1);
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
