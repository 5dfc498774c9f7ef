// An open declaration on a page view, offscreen: a temporary declarations store, a copy of the
// shipped local database with a few fixture pages added, a document of either form and the page
// view's host.
#pragma once

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "blocks/form714.h"
#include "blocks/form714_sections.h"
#include "data/db/ado.h"
#include "data/db/databases.h"
#include "data/message_service.h"
#include "data/doc/calculators.h"
#include "data/doc/doc714.h"
#include "data/doc/renta_doc.h"
#include "data/doc/active_declaration.h"
#include "data/store/store.h"
#include "forms/view/form_views.h"

namespace formstest {

const std::string kResources = QX_BINARY_DIR "/resources/";

// Fixture page 396: two amounts of section B's first rows (positions 1 and 3) around the section
// total (position 2, read-only). Page 399: one box whose coordinates test the scaling, and no
// language rows.
inline constexpr int kAmountPage = 396;
inline constexpr std::size_t kRow0 = f714::SectionB.offset + f714::sections::B.table.amount(0).off;
inline constexpr std::size_t kRow1 = f714::SectionB.offset + f714::sections::B.table.amount(1).off;
inline constexpr std::size_t kTotal = f714::SectionB.offset + f714::sections::B.table.total.off;
inline constexpr forms::BoxBinding kAmountBindings[] = {{1, kRow0}, {2, kTotal}, {3, kRow1}};

class TempFolder {
 public:
  TempFolder() {
    std::random_device r;
    path_ = std::filesystem::temp_directory_path() / ("qx_forms_" + std::to_string(r()) + std::to_string(r()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

struct NoHost : doc::DocumentHost {
  forms::CProg32View* view = nullptr;
  int CommitPendingBoxEdit() override { return view ? view->CommitPendingEdit() : 0; }
  void UpdateAllViews(int hint) {
    if (view) view->OnUpdate(hint);
  }
};

class PageHost : public forms::IPageHost {
 public:
  PageHost(doc::CProg32Doc& d, db::CAdoConnection& local, NoHost& docHost) : doc_(d), local_(local), docHost_(docHost) {}
  doc::CProg32Doc* PageDocument() override { return &doc_; }
  db::CAdoConnection* LocalDatabase() override { return &local_; }
  void WriteZoomSetting(const std::string& text) override { zoomText = text; }
  void ShowPrompt(const QString& text) override { prompt = text; }
  void ShowStringMessage(int id, bool stop) override { messages.push_back(stop ? -id : id); }
  int ScreenWidth() const override { return 1024; }
  int RunFieldCheck(int number, void* value) override {
    fieldChecks.push_back({number, value});
    if (onCheck) onCheck(number, value);
    return checkResult;
  }
  // Sees the value while it is checked (it may live only for the check).
  std::function<void(int, void*)> onCheck;
  bool EditFamilyData(int startPage) override {
    familyWizardPages.push_back(startPage);
    return familyWizardAccepts;
  }
  std::vector<int> familyWizardPages;
  bool familyWizardAccepts = true;

  IMessageService* Messages() override { return &coded; }

  // Coded messages the page shows.
  struct Coded : IMessageService {
    int ShowMessage(std::string_view code, MessageIcon, std::string_view) override {
      codes.emplace_back(code);
      return answer;
    }
    void Notice(std::string_view) override {}
    std::vector<std::string> codes;
    int answer = 1;  // the button every message is answered with: 1 accept, 8 correct
  } coded;
  int checkResult = 1;
  std::vector<std::pair<int, void*>> fieldChecks;
  std::string zoomText;
  QString prompt;
  std::vector<int> messages;

 private:
  doc::CProg32Doc& doc_;
  db::CAdoConnection& local_;
  NoHost& docHost_;
};

class PageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc::overflow_warning::Arm();
    ASSERT_TRUE(declarations.Open(folder.File("DatRed.db"), db::OpenMode::Create));
    ASSERT_TRUE(db::CreateDeclarationsSchema(declarations));
    std::filesystem::copy_file(kResources + "DatLocal.db", folder.File("DatLocal.db"));
    ASSERT_TRUE(local.Open(folder.File("DatLocal.db"), db::OpenMode::ReadWrite));
    ASSERT_TRUE(local.Execute(
        "INSERT INTO Paginasx VALUES (' 396', 3, 'paginasx/PAT001.wmf', 3);"
        "INSERT INTO Paginase VALUES (' 396', 'SECCION B');"
        "INSERT INTO ControlX (IndiceFich, IndNumero, Coor_1, Coor_2, Coor_3, Coor_4, SoloLectur, PintarEn,"
        " Identifica, StrValidac, AdmitNega, Pintacero) VALUES"
        " (' 396', '1', 500, 100, 700, 120, 0, 0, 'B1', 'R12.2', 0, 0),"
        " (' 396', '2', 500, 1200, 700, 1220, -1, 0, 'BTOTAL', 'R12.2', 0, 0),"
        " (' 396', '3', 500, 140, 700, 160, 0, 0, 'B2', 'R12.2', -1, -1),"
        " (' 399', '1', 100, 200, 301, 251, 0, 0, 'X', 'S5', 0, 0);"
        "INSERT INTO Controle VALUES (' 396', '1', 'Valor', 'Valor del primer bien'),"
        " (' 396', '2', 'Total', 'Total de la sección'), (' 396', '3', 'Valor', 'Valor del segundo bien');"));
    forms::RegisterPageBindings(kAmountPage, kAmountBindings);
  }
  void TearDown() override {
    view.reset();
    forms::RegisterPageBindings(kAmountPage, {});
  }

  // A form-714 (kind 3) or form-100 (kind 2) document open on page `code`, shown and active.
  forms::CFormView& Open(int kind, int code) {
    if (kind == 3)
      document = std::make_unique<doc::C714Doc>(store, docHost, doc::Form714Driver(nullptr));
    else
      document = std::make_unique<doc::CRentaDoc>(store, docHost, calculator100);
    document->SetPageTables({&local, 'e', kResources});
    host = std::make_unique<PageHost>(*document, local, docHost);
    view.reset(forms::CreatePageView(*host, kind, code));
    docHost.view = view.get();
    EXPECT_TRUE(view->Create());
    view->resize(900, 700);
    view->show();
    QApplication::setActiveWindow(view.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(view.get()));
    view->EditHotBox();
    QApplication::processEvents();
    return *view;
  }
  std::uint8_t* Block() { return document->Block().data(); }
  double Amount(std::size_t offset) { return blocks::F64{offset}.get(Block()); }
  // Types into the open editor and leaves it with a key.
  void TypeAndLeave(const QString& text, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    ASSERT_NE(view->Editor(), nullptr);
    QTest::keyClicks(view->Editor(), text);
    QTest::keyClick(view->Editor(), key, mods);
    QApplication::processEvents();
  }

  TempFolder folder;
  db::CAdoConnection declarations{"DatRed"};
  db::CAdoConnection local{"DatLocal"};
  store::DeclarationStore store{declarations};
  NoHost docHost;
  doc::Calculator calculator100;  // a form-100 document's calculation (none: it calculates nothing)
  std::unique_ptr<doc::CProg32Doc> document;
  std::unique_ptr<PageHost> host;
  std::unique_ptr<forms::CFormView> view;
};

}  // namespace formstest
