// Writing the filing record of a form-100 and of a form-714 declaration, and printing the whole return to a PDF
// file (every defined page with its marks).
#include <benchmark/benchmark.h>

#include <QPdfWriter>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "bench_app.h"
#include "blocks/form100.h"
#include "blocks/form100_a.h"
#include "blocks/form714.h"
#include "data/doc/calculators.h"
#include "data/db/ado.h"
#include "data/db/databases.h"
#include "data/doc/doc714.h"
#include "data/doc/renta_doc.h"
#include "data/store/store.h"
#include "forms/filing/filing_pages.h"
#include "forms/filing/filing_writer100.h"
#include "forms/filing/filing_writer714.h"
#include "forms/print/declaration_print.h"
#include "forms/view/form_views.h"
#include "platform/seal.h"

namespace {

const std::string kResources = QX_BINARY_DIR "/resources/";

struct PageHost : forms::IPageHost {
  PageHost(doc::CProg32Doc& d, db::CAdoConnection& l) : document(d), local(l) {}
  doc::CProg32Doc* PageDocument() override { return &document; }
  db::CAdoConnection* LocalDatabase() override { return &local; }
  int ScreenWidth() const override { return 1024; }
  doc::CProg32Doc& document;
  db::CAdoConnection& local;
};

struct NoHost : doc::DocumentHost {};

// A form-100 declaration of a declarant with work income.
struct Declaration {
  Declaration() {
    qxbench::App();
    folder = std::filesystem::temp_directory_path() / "qx_output_bench";
    std::filesystem::create_directories(folder);
    std::filesystem::remove(folder / "DatRed.db");
    ok = declarations.Open((folder / "DatRed.db").string(), db::OpenMode::Create) &&
         db::CreateDeclarationsSchema(declarations) && local.Open(kResources + "DatLocal.db", db::OpenMode::ReadOnly);
    document = std::make_unique<doc::CRentaDoc>(store, docHost, doc::Form100Driver(nullptr));
    document->SetPageTables({&local, 'e', kResources});
    std::uint8_t* block = document->Block().data();
    std::memcpy(block + f100::Family.offset + f100::family::HolderNif.off + 9, "12345678Z", 9);
    f100::sec_a::MoneyPay.set(f100::record(block, f100::SectionA), 24000.0);
    document->Calculate(1);
    host = std::make_unique<PageHost>(*document, local);
  }
  ~Declaration() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  std::string FilingText() {
    forms::FilingContext c;
    c.local = &local;
    c.declarations = &declarations;
    c.block = document->Block();
    c.member = 2;
    forms::BoxTables tables{&local, 'e', {}};
    c.pages = forms::BindingTableFilingPages(tables, document->Block());
    c.seal = [](const std::string& f, char* s, int p) { return platform::SelloPos(f, s, p); };
    forms::CFilingFileWriter100 writer(2, std::move(c));
    std::string text;
    return writer.Generate(text, forms::kFilingTextOnly) ? text : std::string();
  }

  std::filesystem::path folder;
  db::CAdoConnection declarations{"DatRed"};
  db::CAdoConnection local{"DatLocal"};
  store::DeclarationStore store{declarations};
  NoHost docHost;
  std::unique_ptr<doc::CRentaDoc> document;
  std::unique_ptr<PageHost> host;
  bool ok = false;
};

void BM_FilingRecordForm100(benchmark::State& state) {
  Declaration d;
  if (!d.ok) return state.SkipWithError("the local database is not built");
  for (auto _ : state) {
    std::string text = d.FilingText();
    if (text.empty()) return state.SkipWithError("the filing record failed");
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_FilingRecordForm100)->Unit(benchmark::kMillisecond);

// A form-714 declaration with its holder's identity.
struct Declaration714 {
  Declaration714() {
    qxbench::App();
    folder = std::filesystem::temp_directory_path() / "qx_output_bench_714";
    std::filesystem::create_directories(folder);
    std::filesystem::remove(folder / "DatRed.db");
    ok = declarations.Open((folder / "DatRed.db").string(), db::OpenMode::Create) &&
         db::CreateDeclarationsSchema(declarations) && local.Open(kResources + "DatLocal.db", db::OpenMode::ReadOnly);
    document = std::make_unique<doc::C714Doc>(store, docHost, doc::Form714Driver(nullptr));
    document->SetPageTables({&local, 'e', kResources});
    std::uint8_t* personal = document->Block().data() + f714::Personal.offset;
    std::memcpy(personal + f714::personal::Nif.off, "12345678Z", 9);
    std::memcpy(personal + f714::personal::Surname1.off, "GARCIA", 6);
    document->Calculate(1);
  }
  ~Declaration714() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  std::string FilingText() {
    forms::FilingContext c;
    c.local = &local;
    c.declarations = &declarations;
    c.block = document->Block();
    forms::BoxTables tables{&local, 'e', {}};
    c.pages = forms::BindingTableFilingPages(tables, document->Block());
    c.seal = [](const std::string& f, char* s, int p) { return platform::SelloPos(f, s, p); };
    forms::CFilingFileWriter714 writer(std::move(c));
    std::string text;
    return writer.Generate(text, forms::kFilingTextOnly) ? text : std::string();
  }

  std::filesystem::path folder;
  db::CAdoConnection declarations{"DatRed"};
  db::CAdoConnection local{"DatLocal"};
  store::DeclarationStore store{declarations};
  NoHost docHost;
  std::unique_ptr<doc::C714Doc> document;
  bool ok = false;
};

void BM_FilingRecordForm714(benchmark::State& state) {
  Declaration714 d;
  if (!d.ok) return state.SkipWithError("the local database is not built");
  for (auto _ : state) {
    std::string text = d.FilingText();
    if (text.empty()) return state.SkipWithError("the filing record failed");
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_FilingRecordForm714)->Unit(benchmark::kMillisecond);

void BM_PrintForm100ToPdf(benchmark::State& state) {
  Declaration d;
  if (!d.ok) return state.SkipWithError("the local database is not built");
  forms::PrintJob job;
  job.pages = forms::DefinedPages(*d.host, 2);
  job.nif = "12345678Z";
  job.nameCode = "GAR-T";
  job.reference = "1234567890123";
  job.filingText = d.FilingText();
  const QString path = QString::fromStdString((d.folder / "renta.pdf").string());
  for (auto _ : state) {
    QPdfWriter pdf(path);
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    if (!forms::PrintDeclaration(*d.host, job, pdf, nullptr)) return state.SkipWithError("printing failed");
  }
}
BENCHMARK(BM_PrintForm100ToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
