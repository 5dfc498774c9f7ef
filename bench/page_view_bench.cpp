// The page view on the densest page (ORD001, form 100): painting the whole page at 100 %, leaving
// an edited box up to the repainted page (the declaration's whole calculation included), and
// opening a declaration on its first page.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <filesystem>
#include <memory>

#include "data/db/ado.h"
#include "data/db/databases.h"
#include "data/doc/calculators.h"
#include "data/doc/renta_doc.h"
#include "data/store/store.h"
#include "forms/view/form_views.h"
#include "bench_app.h"

namespace {

const std::string kResources = QX_BINARY_DIR "/resources/";

struct DocHost : doc::DocumentHost {
  forms::CProg32View* view = nullptr;
  int CommitPendingBoxEdit() override { return view ? view->CommitPendingEdit() : 0; }
  void UpdateAllViews(int hint) {
    if (view) view->OnUpdate(hint);
  }
};

struct PageHost : forms::IPageHost {
  PageHost(doc::CProg32Doc& d, db::CAdoConnection& l, DocHost& h) : document(d), local(l), host(h) {}
  doc::CProg32Doc* PageDocument() override { return &document; }
  db::CAdoConnection* LocalDatabase() override { return &local; }
  int ScreenWidth() const override { return 1024; }
  doc::CProg32Doc& document;
  db::CAdoConnection& local;
  DocHost& host;
};

// An open form-100 declaration with its first page shown.
struct OpenDeclaration {
  OpenDeclaration() {
    qxbench::App();
    folder = std::filesystem::temp_directory_path() / "qx_page_view_bench";
    std::filesystem::create_directories(folder);
    std::filesystem::remove(folder / "DatRed.db");
    ok = declarations.Open((folder / "DatRed.db").string(), db::OpenMode::Create) &&
         db::CreateDeclarationsSchema(declarations) &&
         local.Open(kResources + "DatLocal.db", db::OpenMode::ReadOnly);
    document = std::make_unique<doc::CRentaDoc>(store, docHost, doc::Form100Driver(nullptr));
    document->SetPageTables({&local, 'e', kResources});
    host = std::make_unique<PageHost>(*document, local, docHost);
  }
  ~OpenDeclaration() {
    view.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  bool Show() {
    view.reset(forms::CreatePageView(*host, 2, 201));
    docHost.view = view.get();
    if (!view->Create()) return false;
    view->resize(1000, 800);
    view->EditHotBox();
    return view->GetBoxCount() > 0;
  }

  std::filesystem::path folder;
  db::CAdoConnection declarations{"DatRed"};
  db::CAdoConnection local{"DatLocal"};
  store::DeclarationStore store{declarations};
  DocHost docHost;
  std::unique_ptr<doc::CRentaDoc> document;
  std::unique_ptr<PageHost> host;
  std::unique_ptr<forms::CFormView> view;
  bool ok = false;
};

void BM_PageViewPaintFullPage(benchmark::State& state) {
  OpenDeclaration d;
  if (!d.ok || !d.Show()) return state.SkipWithError("the local database is not built");
  QImage image(d.view->PageSize(), QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    d.view->RenderPage(painter, QPoint(0, 0));
  }
}
BENCHMARK(BM_PageViewPaintFullPage)->Unit(benchmark::kMillisecond);

void BM_PageViewLeaveBoxToRepaintedPage(benchmark::State& state) {
  OpenDeclaration d;
  if (!d.ok || !d.Show()) return state.SkipWithError("the local database is not built");
  QImage image(d.view->PageSize(), QImage::Format_RGB32);
  int n = 0;
  for (auto _ : state) {
    // A new surname in the open box, then Tab: stored, recalculated, repainted.
    d.view->Editor()->setText(QString::number(n++ % 1000));
    d.view->Editor()->SetModifiedEx(true);
    d.view->MoveToAdjacentBox(1);
    QPainter painter(&image);
    d.view->RenderPage(painter, QPoint(0, 0));
    d.view->MoveToAdjacentBox(0);
  }
}
BENCHMARK(BM_PageViewLeaveBoxToRepaintedPage)->Unit(benchmark::kMillisecond);

void BM_PageViewOpenOnFirstPage(benchmark::State& state) {
  OpenDeclaration d;
  if (!d.ok) return state.SkipWithError("the local database is not built");
  for (auto _ : state) {
    if (!d.Show()) return state.SkipWithError("the first page cannot be shown");
    QImage image(d.view->PageSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    d.view->RenderPage(painter, QPoint(0, 0));
  }
}
BENCHMARK(BM_PageViewOpenOnFirstPage)->Unit(benchmark::kMillisecond);

}  // namespace
