// The filing command of an open form-100 declaration: as the program runs it with its dialogs
// answered at once, and its own steps without the dialogs.
#include <benchmark/benchmark.h>

#include <QDialog>
#include <QIcon>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "app/declaration_document.h"
#include "app/program_messages.h"
#include "app/seams.h"
#include "bench_app.h"
#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "checks/avisos_model.h"
#include "checks/corrections_store.h"
#include "data/db/ado.h"
#include "data/db/databases.h"
#include "data/store/store.h"
#include "data/store/transfer_format.h"
#include "data/doc/reference.h"
#include "data/doc/renta_doc.h"
#include "data/util/utilities.h"
#include "forms/filing/filing_pages.h"
#include "forms/filing/filing_writer100.h"
#include "platform/seal.h"
#include "forms/filing/filing_dialogs.h"
#include "forms/print/member_selection_dlg.h"
#include "ui/edit_host.h"

namespace {

const std::string kResources = QX_BINARY_DIR "/resources/";

struct Shell : app::IDeclarationShell {
  QMdiArea* DocumentArea() override { return nullptr; }
  QIcon FrameIcon() const override { return {}; }
  void SetPaneText(int, const QString&) override {}
  void UpdateCommandStates() override {}
  void GoToBox(int, int) override {}
  char InterfaceLanguage() const override { return 'e'; }
  void CloseDeclarationsWhenIdle() override {}
  void OpenDeclarationWhenIdle(const std::string&, int) override {}
  db::CAdoConnection* LocalDatabase() override { return local; }
  std::string BaseFolder() const override { return kResources; }
  std::string FilingFolder() const override { return folder; }
  db::CAdoConnection* local = nullptr;
  std::string folder;
};

// An open form-100 declaration of a declarant with work income, in the program's document.
struct OpenDocument {
  OpenDocument() {
    qxbench::App();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    ok = declarations.Open((folder / "DatRed.db").string(), db::OpenMode::Create) &&
         db::CreateDeclarationsSchema(declarations) && local.Open(kResources + "DatLocal.db", db::OpenMode::ReadOnly) &&
         store.Create("BENCH", store::kKindForm100);
    shell.local = &local;
    shell.folder = folder.string() + "/";
    document = std::make_unique<app::CDeclarationDocument>(services, store::kKindForm100);
    ok = ok && document->OpenDeclaration("BENCH", "", false);
    std::uint8_t* block = document->Document().Block().data();
    std::memcpy(block + f100::Family.offset + f100::family::HolderNif.off + 9, "12345678Z", 9);
    f100::sec_a::MoneyPay.set(f100::record(block, f100::SectionA), 24000.0);
  }
  ~OpenDocument() {
    document.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  // The dialogs answered at once: the declarant chosen, findings written anyway, the file named.
  int Answer(QDialog& d) {
    if (auto* select = dynamic_cast<forms::CSeleccionDeclaracionImprimirDlg*>(&d)) {
      select->member = 1;
      return ui::IDOK;
    }
    if (auto* files = dynamic_cast<forms::CDlgInternet*>(&d)) {
      files->OnFileNameOK(QString::fromStdString(filePath));
      return ui::IDOK;
    }
    return checks::kAvisosWriteFile;
  }

  qxbench::AcceptingMessages accepting;
  ui::ScopedMessageService accept{accepting};
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "qx_filing_command_bench";
  const std::string filePath = (folder / "12345678.100").string();
  db::CAdoConnection declarations{"DatRed"};
  db::CAdoConnection local{"DatLocal"};
  store::DeclarationStore store{declarations};
  Shell shell;
  app::CProgramMessages messages;
  checks::DatabaseCorrectionsStore corrections{declarations};
  app::DocumentServices services{shell, store, messages, corrections, [this](QDialog& d) { return Answer(d); }};
  std::unique_ptr<app::CDeclarationDocument> document;
  bool ok = false;
};

// The command as the user runs it, each dialog built and answered at once.
void BM_FilingCommandForm100(benchmark::State& state) {
  OpenDocument d;
  if (!d.ok) return state.SkipWithError("the local database is not built");
  for (auto _ : state) {
    std::filesystem::remove(d.filePath);
    if (!d.document->FileDeclaration() || !std::filesystem::exists(d.filePath))
      return state.SkipWithError("the filing file was not written");
  }
}
BENCHMARK(BM_FilingCommandForm100)->Unit(benchmark::kMillisecond);

// The same steps without the dialogs (the member chosen, the findings window, the file dialog):
// the member's calculation, the saves, the validation, the file written beside its name and moved
// into place, the usage counters.
void BM_FilingCommandForm100NoDialogs(benchmark::State& state) {
  OpenDocument d;
  if (!d.ok) return state.SkipWithError("the local database is not built");
  doc::CRentaDoc& renta = *d.document->RentaDocument();
  doc::CProg32Doc& document = d.document->Document();
  int filingFlag = 0;
  for (auto _ : state) {
    std::filesystem::remove(d.filePath);
    renta.SetTargetMember(1, renta.MemberView());
    document.Calculate(1);
    renta.ShowMember(1);
    document.CommitPendingBoxEdit();
    filingFlag = 1;
    bool done = document.SaveToDatabase() && document.ValidateDeclaration(1) >= 0 && document.SaveToDatabase();
    document.Model().WrittenAll();
    forms::FilingContext c;
    c.local = &d.local;
    c.declarations = &d.declarations;
    c.messages = &d.messages;
    c.block = document.Block();
    c.key = document.Key();
    c.member = 1;
    c.filingFlag = &filingFlag;
    c.showMember = [&renta](int m) {
      const int before = renta.ShownMember();
      renta.ShowMember(m);
      return before;
    };
    c.language = 'e';
    c.versionLetter = doc::GetWindowsVersionCode();
    c.pages = forms::BindingTableFilingPages(forms::BoxTables{&d.local, 'e', {}}, document.Block());
    c.seal = [](const std::string& file, char* seal, int position) { return platform::SelloPos(file, seal, position); };
    std::string partial = d.filePath + ".part";
    {
      forms::CFilingFileWriter100 writer(1, std::move(c));
      done = done && writer.Generate(partial, forms::kFilingCreate);
    }
    std::error_code ec;
    if (done) std::filesystem::rename(partial, d.filePath, ec);
    filingFlag = 0;
    document.ClearNewNotSaved();
    CUtilities::IncrementUsageCounters(d.declarations, 100, false, true, false);
    if (!done || ec) return state.SkipWithError("the filing file was not written");
  }
}
BENCHMARK(BM_FilingCommandForm100NoDialogs)->Unit(benchmark::kMillisecond);

}  // namespace
