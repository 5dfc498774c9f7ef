// The filing command (57612) of an open declaration: the member whose file is written (form 100),
// the declaration calculated, saved and validated (findings open "Avisos y errores" in filing
// mode, from which the file may still be written), the file named in the filing dialog, written
// beside its final name and moved into place only when it is whole, then the paper copy and the
// immediate filing the user asked for.
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/filing_command.h"

#include "app/app_texts.h"
#include "app/declaration_document.h"
#include "app/filing_context.h"
#include "app/print_command.h"
#include "app/program_messages.h"
#include "app/version_info.h"
#include "checks/avisos_model.h"
#include "blocks/form100.h"
#include "blocks/form714.h"
#include "data/doc/renta_doc.h"
#include "data/util/utilities.h"
#include "forms/filing/filing_dialogs.h"
#include "forms/filing/filing_pages.h"
#include "forms/filing/filing_writer100.h"
#include "forms/filing/filing_writer714.h"
#include "forms/print/member_selection_dlg.h"
#include "platform/icons.h"
#include "platform/seal.h"
#include "platform/strings.h"

namespace app {

namespace {

constexpr int kFileCommandPrint = 57607;

// The file being written gets a short name of its own in the chosen folder, so that a chosen
// name of any legal length still has room.
std::string PartialPath(const std::string& finalPath) {
  static int serial = 0;
  const std::string name = ".qx-filing-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + ".tmp";
  return (std::filesystem::path(finalPath).parent_path() / name).string();
}

// What was written reaches the disk before the rename makes it the filing file.
bool FlushToDisk(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool flushed = ::fsync(fd) == 0;
  ::close(fd);
  return flushed;
}

// The first eight characters of an identification number without blanks, "0000000" when empty.
std::string DefaultFileName(std::string_view nif) {
  std::string name;
  for (char c : nif) {
    if (c == '\0') break;
    if (c != ' ') name += c;
  }
  if (name.empty()) name = "0000000";
  return name.substr(0, 8);
}

}  // namespace

bool CFilingCommand::WriteFilingFile(int member, const QString& path) {
  DocumentServices& services_ = document_.services_;
  // Written beside the chosen name and renamed into place once whole: a failed or interrupted
  // write leaves no file that looks like a filing file.
  const std::string finalPath = path.toStdString();
  std::string partial = PartialPath(finalPath);
  bool written = filing_.Generate(member, CFilingContextFactory::Purpose::File, partial, forms::kFilingCreate);
  std::error_code ec;
  if (written && FlushToDisk(partial)) {
    std::filesystem::rename(partial, finalPath, ec);
    written = !ec;
    if (written) FlushToDisk(std::filesystem::path(finalPath).parent_path().string());  // the rename itself
  } else {
    written = false;
  }
  if (!written) {
    std::filesystem::remove(partial, ec);
    services_.messages.Plain(platform::LoadString(forms::kStrFilingFailed).toStdString(), kIconWarning);
  }
  return written;
}

bool CFilingCommand::Run() {
  CDeclarationDocument::BusyScope busy(document_);
  const auto& doc_ = document_.doc_;
  doc::CRentaDoc* const renta_ = document_.renta_;
  DocumentServices& services_ = document_.services_;
  int& filingFlag_ = filing_.filingFlag;
  const bool form100 = renta_ != nullptr;
  const int remembered = form100 ? renta_->ShownMember() : 0;
  const std::uint8_t rememberedView = form100 ? renta_->MemberView() : 0;
  auto restore = [&] {
    if (!form100) return;
    renta_->SetTargetMember(renta_->TargetMember(), rememberedView);
    if (renta_->CanShowMember(remembered)) renta_->ShowMember(remembered);
    document_.UpdateAllViews(1);
  };

  int target = 0;
  bool bothSpouses = false;
  std::string name;
  if (form100) {
    forms::CSeleccionDeclaracionImprimirDlg::Declaration d;
    d.block = doc_->Block();
    d.household = renta_->Household();
    d.shownMember = remembered;
    d.hasErrors = [this](int member) { return document_.PrintMemberHasErrors(member); };
    forms::CSeleccionDeclaracionImprimirDlg select(std::move(d), 1, CProgramMessages::Parent());
    select.EnsureCreated();
    if (services_.runModal(select) != ui::IDOK || select.member < 1) {
      restore();
      return false;
    }
    target = select.member;
    bothSpouses = target == 6;
    if (bothSpouses) target = 2;
    renta_->SetTargetMember(target, rememberedView);
    doc_->Calculate(1);
    renta_->ShowMember(target);
    name = DefaultFileName(f100::family::HolderNif(target - 1).raw(doc_->Block().data() + f100::Family.offset));
  } else {
    name = DefaultFileName(f714::personal::Nif.raw(doc_->Block().data() + f714::Personal.offset));
  }

  doc_->CommitPendingBoxEdit();
  filingFlag_ = 1;
  if (form100 && !doc_->SaveToDatabase()) {
    restore();
    return false;
  }
  if (form100 && bothSpouses) renta_->SetTargetMember(6, rememberedView);
  const int v = doc_->ValidateDeclaration(form100 ? 1 : 0);
  if (v == 0) {
    const int ending = document_.RunAvisosErrores(true);
    if (ending != checks::kAvisosWriteFile) {
      filingFlag_ = 0;
      if (ending != checks::kAvisosJumped) restore();
      return false;
    }
  } else if (v != 1) {
    filingFlag_ = 0;
    restore();
    return false;
  }
  if (!doc_->SaveToDatabase()) {
    filingFlag_ = 0;
    restore();
    return false;
  }
  doc_->Model().WrittenAll();

  forms::CDlgInternet files(QString::fromLatin1(form100 ? "100" : "714"), QString::fromStdString(name),
                            QString::fromStdString(services_.shell.FilingFolder()), services_.shell.RemoteMode(),
                            CProgramMessages::Parent());
  if (form100 && bothSpouses)
    files.SetSpouseFileName(QString::fromStdString(DefaultFileName(
        f100::family::SpouseNif(1).raw(doc_->Block().data() + f100::Family.offset))));
  if (services_.runModal(files) != ui::IDOK || files.GetPathName().isEmpty()) {
    filingFlag_ = 0;
    restore();
    return false;
  }
  const bool paper = files.printCopy != 0;
  const bool immediate = files.immediateFiling != 0;
  if (renta_) renta_->SetSecondPaperCopy(false);
  const QString path = files.GetPathName();
  if (!WriteFilingFile(form100 ? target : 0, path)) {
    filingFlag_ = 0;
    restore();
    return false;
  }
  QString spousePath;
  if (form100 && bothSpouses && files.TakeSpouseFile()) {
    renta_->SetTargetMember(3, rememberedView);
    doc_->Calculate(1);
    renta_->ShowMember(3);
    spousePath = files.GetPathName();
    filingFlag_ = 1;
    if (!WriteFilingFile(3, spousePath)) {
      restore();
      return false;
    }
    renta_->SetTargetMember(6, rememberedView);
  }
  filingFlag_ = 0;
  doc_->ClearNewNotSaved();
  const int model = form100 ? 100 : 714;
  CUtilities::IncrementUsageCounters(services_.store.Connection(), model, false, true, false);
  if (paper) {
    if (renta_) renta_->SetSecondPaperCopy(true);
    print_.SetInternetCopy(true);
    if (services_.shell.CommandEnabled(kFileCommandPrint)) services_.shell.RunCommand(kFileCommandPrint);
    print_.SetInternetCopy(false);
    if (renta_) renta_->SetSecondPaperCopy(false);
  }
  if (immediate)
    for (const QString& file : {path, spousePath}) {
      if (file.isEmpty()) continue;
      forms::CPresentacionTelematicaDeclaracionDlg present(form100 ? 2 : 3, GetProductVersion(), CProgramMessages::Parent());
      present.fileName = file;
      present.EnsureCreated();
      if (services_.runModal(present) == ui::IDOK)
        CUtilities::IncrementUsageCounters(services_.store.Connection(), model, false, false, true);
    }
  restore();
  document_.UpdateAllViews(1);
  return true;
}

}  // namespace app
