// Every window the program opens, in the four interface languages, on the smallest screen it
// supports: the annex dialogs made by name, every page of the wizards, and the tool windows. Each
// fits 1280x800, shows every control inside it, and gives no Alt+letter to two controls.
// With QX_RENDER_DIR set each window is also saved as a picture there, to be looked at.
#include <algorithm>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QListWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "annex/register.h"
#include "annex/resumen_declaraciones_dlg.h"
#include "app/about_dialog.h"
#include "app/app_texts.h"
#include "app/intro_dialog.h"
#include "blocks/form100.h"
#include "data/db/ado.h"
#include "data/db_fixture.h"
#include "data/doc/renta_doc.h"
#include "data/store/store.h"
#include "forms/view/goto_page_dlg.h"
#include "platform/help.h"
#include "support/local_db.h"
#include "support/member_view.h"
#include "support/ui_helpers.h"
#include "support/window_fit.h"
#include "ui/annex_dlg.h"
#include "ui/launch_table.h"
#include "ui/template_dlg.h"
#include "data/db/databases.h"
#include "ui/controls/calculator_dlg.h"
#include "ui/lookup_catalogue.h"
#include "ui/message_source.h"
#include "ui/store/store_dialogs.h"
#include "wizards/comprobacion_dlg.h"
#include "wizards/datos_fam.h"
#include "wizards/family_data.h"
#include "wizards/datos_fiscales_dlg148.h"
#include "wizards/df_subdialogs.h"
#include "wizards/disconformidad_dlg.h"
#include "wizards/fiscal_transfer_dialogs.h"
#include "wizards/obtencion_datos_fiscales_dlg.h"
#include "wizards/vivienda.h"

namespace {

class WindowsFit : public ::testing::TestWithParam<char> {
 protected:
  void SetUp() override {
    app::SetTextLanguage(GetParam());
    ui::SetMessageSource(qxtest::AuthoredMessages());
    ui::SetLookupConnection(&qxtest::LocalDatabase::Get());
    annex::RegisterAnnexDialogs();
    famwiz::RegisterFamilyWizard();
    housing::RegisterHousingWizard();
    wizards::RegisterDisagreementDialogs();
  }
  void TearDown() override {
    ui::SetLookupConnection(nullptr);
    app::SetTextLanguage('e');
  }

  // Shows `w` as it opens for the user and checks it; `name` names it in failures and pictures.
  void Check(QWidget& w, const std::string& name) {
    SCOPED_TRACE(name + " (" + GetParam() + ")");
    if (auto* t = dynamic_cast<CTemplateDlg*>(&w)) t->EnsureCreated();
    w.show();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    for (const std::string& p : qxtest::FitProblems(&w)) ADD_FAILURE() << name << " (" << GetParam() << "): " << p;
    for (const std::string& p : qxtest::MnemonicClashes(&w))
      ADD_FAILURE() << name << " (" << GetParam() << ") shares " << p;
    const QByteArray dir = qgetenv("QX_RENDER_DIR");
    if (!dir.isEmpty()) {
      QDir().mkpath(QString::fromLocal8Bit(dir));
      w.grab().save(QStringLiteral("%1/%2_%3.png").arg(QString::fromLocal8Bit(dir), QString::fromStdString(name)).arg(QChar(GetParam())));
    }
    w.hide();
  }

  qxtest::PublishedDeclaration published_;
  std::span<std::uint8_t> block = published_.Model().Block();
  qxtest::ScriptedMessages messages;
  qxtest::MemberView view{1, {1, 1, 1, 1, 1}};

 private:
};

TEST_P(WindowsFit, EveryAnnexDialogMadeByName) {
  const std::vector<std::string> names = ui::RegisteredAnnexClasses();
  ASSERT_GE(names.size(), 60u);
  // The list items the launcher hands along, for the dialogs whose entry has them.
  std::vector<std::uint8_t> listed(4096, 0);
  // Some dialogs copy a whole context from the second item: room for any of them.
  std::vector<std::uint8_t> amounts(4096, 0);
  std::uint8_t byte = 0;
  for (const std::string& name : names) {
    const ui::LaunchEntry* entry = nullptr;
    for (const ui::LaunchEntry& e : ui::LaunchTable())
      if (e.className && name == e.className) entry = &e;
    std::unique_ptr<ui::IAnnexDialog> d = ui::CreateAnnexDialog(name, ui::AnnexArgs{nullptr, 0, 0});
    ASSERT_NE(d, nullptr) << name;
    if (entry && entry->list != ui::LaunchList::None) {
      ui::AnnexPointerList list{listed.data(), amounts.data(), amounts.data(), 0, 2};
      if (entry->list == ui::LaunchList::Byte) list.item1 = &byte;
      d->SetListItems(list);
    }
    d->Dialog().EnsureCreated();
    Check(d->Dialog(), name);
  }
}

TEST_P(WindowsFit, EveryPageOfTheWizards) {
  {
    famwiz::Declaration decl{block.data(), true, 1, [](const std::uint8_t*) {}, {}, [](QDialog&) { return 1; }};
    famwiz::CDatosFam w(QStringLiteral("DATOS PERSONALES"), nullptr, 0, std::move(decl), true);
    for (int i = 0; i < w.GetPageCount(); ++i) {
      w.show();
      w.SetActivePage(i);
      Check(w, "family_wizard_page" + std::to_string(i + 1));
    }
  }
  {
    std::vector<std::uint8_t> personal(f100::kBlockSize, 0);
    famwiz::CDatoshijoDlg d(nullptr, personal.data(), true, true, {});
    d.EnsureCreated();
    Check(d, "descendant");
  }
  {
    std::vector<std::uint8_t> housing(f100::kBlockSize, 0);  // the sheet works on the whole declaration
    CVivienda w(QStringLiteral("VIVIENDA"), nullptr, 0, 0, housing.data());
    for (int i = 0; i < w.GetPageCount(); ++i) {
      w.show();
      w.SetActivePage(i);
      Check(w, "housing_wizard_page" + std::to_string(i + 1));
    }
  }
}

TEST_P(WindowsFit, TheToolWindows) {
  const char letter = GetParam();
  {
    app::CIntroDlg d(nullptr, QString(), letter, false);
    Check(d, "introduction");
  }
  {
    app::CAboutDlg d(nullptr, letter, false, false);
    Check(d, "about");
  }
  {
    platform::HelpViewer help;
    help.ShowTopic(1);
    Check(help, "help");
    help.show();
    QApplication::processEvents();
    // Every topic title is read whole in the index: wrapped, never cut.
    auto* index = help.findChild<QListWidget*>();
    ASSERT_NE(index, nullptr);
    const int width = index->viewport()->width();
    for (int r = 0; r < index->count(); ++r) {
      QListWidgetItem* item = index->item(r);
      const QRect need = index->fontMetrics().boundingRect(QRect(0, 0, width - 8, 10000), Qt::TextWordWrap, item->text());
      EXPECT_LE(need.height(), index->visualItemRect(item).height()) << item->text().toStdString();
    }
    help.hide();
  }
  {
    CCalculadoraDlg d;
    Check(d, "calculator");
  }
  {
    forms::CIrPaginaDlg d;
    Check(d, "go_to_page");
  }
  {
    dbtest::TempDir dir;
    db::CAdoConnection conn{"DatRed"};
    ASSERT_TRUE(conn.Open((dir.Path() / "DatRed.db").string(), db::OpenMode::Create));
    ASSERT_TRUE(db::CreateDeclarationsSchema(conn));
    store::DeclarationStore store{conn};
    {
      ui::store_dlg::CIndiceDeclaracionesDlg d(store);
      Check(d, "declarations_index");
    }
    {
      ui::store_dlg::CBuscarDeclaracionDlg d(store, true, true);
      Check(d, "find_declaration");
    }
    {
      ui::store_dlg::CGuardarComoDlg d;
      Check(d, "save_as");
    }
    doc::DocumentHost host;
    doc::CRentaDoc document(store, host, [](std::span<std::uint8_t>, const doc::CalcRequest&) {});
    CResumenDeclaracionesDlg d(document);
    d.EnsureCreated();
    Check(d, "results_summary");
  }
  {
    famwiz::Block work{};
    famwiz::CComprobacionDatosFamiliaresDlg d(nullptr, work);
    Check(d, "family_check");
  }
  {
    CObtencionDatosFiscalesDlg d;
    Check(d, "fiscal_data_request");
  }
  {
    CSeleccionDeclarantesDlg d(true);
    Check(d, "fiscal_data_holders");
  }
  {
    CDonacionesMurciaDlg d;
    Check(d, "fiscal_donations");
  }
  {
    CGastosAdqEnajDlg d;
    Check(d, "fiscal_expenses");
  }
  {
    wizards::CDatosFiscalesDlg33 d;
    Check(d, "fiscal_data_33");
  }
  {
    wizards::CNombreApellidosDlg d;
    Check(d, "fiscal_names");
  }
  {
    wizards::CPrestamosHipotecariosDlg d;
    Check(d, "fiscal_loans");
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowsFit, ::testing::Values('e', 'c', 'g', 'v'),
                         [](const ::testing::TestParamInfo<char>& i) { return std::string(1, i.param); });

}  // namespace
