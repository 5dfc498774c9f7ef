// The print command (57607) of an open declaration: the member whose declaration is printed
// (form 100), the printer or PDF file, then every page in use drawn with its marks; the printed
// status and the usage counters follow a print that ended.
#include <QPrintDialog>
#include <QPrinter>

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

bool CDeclarationDocument::PrintDeclaration() {
  BusyScope busy(*this);
  doc_->CommitPendingBoxEdit();
  const bool form100 = renta_ != nullptr;
  const int remembered = form100 ? renta_->ShownMember() : 0;
  int member = 0;
  if (form100) {
    forms::CSeleccionDeclaracionImprimirDlg::Declaration d;
    d.block = doc_->Block();
    d.household = renta_->Household();
    d.shownMember = remembered;
    d.hasErrors = [this] { return doc_->ValidateDeclaration(3) == 0; };
    forms::CSeleccionDeclaracionImprimirDlg select(std::move(d), 0, CProgramMessages::Parent());
    select.EnsureCreated();
    if (services_.runModal(select) != ui::IDOK || select.member < 1) return false;
    member = select.member == 6 ? 2 : select.member;
    renta_->SetTargetMember(member, renta_->MemberView());
    renta_->ShowMember(member);
  }
  doc_->Calculate(1);

  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setFullPage(true);
  // Form 714 has its own dialog, with the taxpayer's extra copy.
  std::unique_ptr<QPrintDialog> dialog;
  forms::CPrint714Dlg* dialog714 = nullptr;
  if (form100) {
    dialog = std::make_unique<QPrintDialog>(&printer, CProgramMessages::Parent());
  } else {
    dialog714 = new forms::CPrint714Dlg(&printer, false, services_.shell.RemoteMode(), CProgramMessages::Parent());
    dialog.reset(dialog714);
  }
  if (services_.runModal(*dialog) != QDialog::Accepted) {
    if (form100 && renta_->CanShowMember(remembered)) renta_->ShowMember(remembered);
    return false;
  }

  forms::PrintJob job;
  job.kind = form100 ? 2 : 3;
  job.pages = forms::DefinedPages(*this, job.kind);
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
  job.filingText = FilingText(member);
  if (dialog714 && dialog714->Copies() == 2) {
    // The taxpayer's extra copy: the declaration again without the second payment sheet.
    std::vector<int> again = job.pages;
    std::erase(again, 312);
    job.pages.insert(job.pages.end(), again.begin(), again.end());
  }
  const bool printed = forms::PrintDeclaration(*this, job, printer, &services_.messages);
  if (printed) {
    if (form100) renta_->SetMemberStatus(1);
    else doc_->SetPrinted(true);
    CUtilities::IncrementUsageCounters(services_.store.Connection(), form100 ? 100 : 714, true, false, false);
  } else {
    services_.messages.Plain(platform::LoadString(kPrintFailedString).toStdString(), kIconWarning);
  }
  if (form100 && renta_->CanShowMember(remembered)) renta_->ShowMember(remembered);
  UpdateAllViews(1);
  return printed;
}

}  // namespace app
