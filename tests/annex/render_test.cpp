// The annex dialogs laid out in Castellano and Catalan: every caption fits its control. With
// QX_RENDER_DIR set the dialogs are also saved as pictures there, to be looked at.
#include "annex/epigrafe_dlg.h"
#include "annex/informacion_nuevas_actividades_dlg.h"
#include "annex/inmobiliario_dlg.h"
#include "annex/aaee_ed_dlg.h"
#include "annex/housing_accounts_dlg.h"
#include "annex/studies_dlg.h"
#include "annex/aragon1_dlg.h"
#include "annex/family_counts_dlg.h"
#include "annex/iglesias_dlg.h"
#include "annex/entered_amounts_dlg.h"
#include "annex/investment_deduction_dlg.h"
#include "annex/imasd_dlg.h"
#include "annex/activity_deduction_dlg.h"
#include "annex/calculo_intereses_demora_dlg.h"
#include "annex/idemorap_dlg.h"
#include "annex/informacion_actividad_dlg.h"
#include "annex/tipoactividad_dlg.h"
#include "annex/impurentas_dlg.h"
#include "annex/asignacion_tributaria_dlg.h"
#include "annex/famnume_dlg.h"
#include "annex/famnumegalicia_dlg.h"
#include "annex/pcuotint_dlg.h"
#include "annex/pgacuinm_dlg.h"
#include "annex/renobga_dlg.h"
#include "annex/tipo_captura_datos_dlg.h"
#include "annex/resumen_declaraciones_dlg.h"
#include "annex/rtonetatrentas_dlg.h"
#include "annex/tipoelempatrim_dlg.h"
#include "annex_fixture.h"
#include "render_support.h"
#include "data/db/databases.h"
#include "data/doc/renta_doc.h"
#include "data/store/store.h"
#include "platform/strings.h"
#include "support/member_view.h"
#include "ui/companion_button.h"

namespace {

class Render : public annextest::LanguageTest {
 protected:
  void Check(QDialog& d, const QString& name) { annextest::CheckLayout(d, name, GetParam()); }
};

TEST_P(Render, EveryAnnexDialogFitsItsTexts) {
  {
    CRtonetatrentasDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("rtonetatrentas"));
  }
  {
    CPcuotintDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("pcuotint"));
  }
  {
    CAsignacionTributariaDlg d;
    d.caption = platform::LoadString(302);
    d.EnsureCreated();
    Check(d, QStringLiteral("asignacion_tributaria"));
  }
  {
    CFamnumeDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("famnume"));
  }
  {
    CFamnumegaliciaDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("famnumegalicia"));
  }
  {
    CTipoelempatrimDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("tipoelempatrim"));
  }
  {
    CEpigrafeDlg d({});
    d.SetCode("8611", '1');
    d.EnsureCreated();
    Check(d, QStringLiteral("epigrafe"));
  }
  {
    qxtest::MemberView view(1, {1, 1, 1, 0, 0});
    CRenobgaDlg d({nullptr, 2, 0});
    annex::renobga::Holder.set(d.AnnexBlock().data(), 2);
    annex::renobga::General.set(d.AnnexBlock().data(), 12345.67);
    annex::renobga::TaxPaid.set(d.AnnexBlock().data(), 1234.5);
    annex::renobga::GeneralRate(0).set(d.AnnexBlock().data(), 28.35);
    annex::renobga::GeneralPart(1, 0).set(d.AnnexBlock().data(), 9876.54);
    d.EnsureCreated();
    Check(d, QStringLiteral("renobga"));
  }
  {
    CCalculoInteresesDemoraDlg d(nullptr);
    d.holder = 2;
    d.EnsureCreated();
    Check(d, QStringLiteral("calculo_intereses_demora"));
  }
  {
    CIdemorap2Dlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("idemorap2"));
  }
  {
    CIdemorapDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("idemorap"));
  }
  {
    CInvcinaudDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("invcinaud"));
  }
  {
    CInvprotmedDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("invprotmed"));
  }
  {
    CFundaci3Dlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("fundaci3"));
  }
  {
    CGassuerusDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("gassuerus"));
  }
  {
    CDblimpdivDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("dblimpdiv"));
  }
  {
    CDblimptraDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("dblimptra"));
  }
  {
    CIglesiasDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("iglesias"));
  }
  {
    CDec3cruz6imp2Dlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("dec3cruz6imp2"));
  }
  {
    CDec3imp9Dlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("dec3imp9"));
  }
  {
    CDec3num2Dlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("dec3num2"));
  }
  {
    CAragon1Dlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("aragon1"));
  }
  {
    CAutonom2IcDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("autonom2ic"));
  }
  {
    CAdqlibrosDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("adqlibros"));
  }
  {
    CCuenviviDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("cuenvivi"));
  }
  {
    CObraminuDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("obraminu"));
  }
  {
    CImasdDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("imasd"));
  }
  {
    CFormprofDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("formprof"));
  }
  {
    CGtotecinfDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("gtotecinf"));
  }
  {
    CAaeeEdDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("aaee_ed"));
  }
  {
    CInformacionRelativaActividadDlg235 d;
    d.EnsureCreated();
    Check(d, QStringLiteral("informacion_actividad"));
  }
  {
    CTipoactividadDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("tipoactividad"));
  }
  {
    CInmobiliarioDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("inmobiliario"));
  }
  {
    CInformacionNuevasActividadesDlg d(nullptr);
    d.EnsureCreated();
    Check(d, QStringLiteral("nuevasactividades"));
  }
  {
    qxtest::MemberView view(1, {1, 1, 1, 0, 0});
    CImpurentasDlg d({nullptr, 2, 0});
    std::uint8_t* row = d.AnnexBlock().data();
    for (int r = 0; r < annex::impurentas::kRows; ++r)
      annex::impurentas::Revised.set(row + annex::impurentas::kRowSize * r, annex::impurentas::kRevisedBlank);
    annex::impurentas::Holder.set(row, 2);
    annex::impurentas::Share.set(row, 100.0);
    annex::impurentas::Reference.set(row, "9872023VH5797S0001WX");
    annex::impurentas::Value.set(row, 100000.0);
    annex::impurentas::Revised.set(row, 0);
    annex::impurentas::Days.set(row, 365.0);
    annex::impurentas::Income.set(row, 2000.0);
    d.EnsureCreated();
    Check(d, QStringLiteral("impurentas"));
  }
  {
    CTipoCapturaDatosDlg d(nullptr);
    d.EnsureCreated();
    Check(d, QStringLiteral("tipocapturadatos"));
  }
  {
    qxtest::MemberView view(1, {1, 1, 1, 0, 0});
    CPgacuinmDlg d({nullptr, 1, 0});
    annex::pgacuinm::Holder.set(d.AnnexBlock().data(), 2);
    annex::pgacuinm::OnCapitalIncome.set(d.AnnexBlock().data(), 1234.56);
    annex::pgacuinm::Holder.set(d.AnnexBlock().data() + annex::pgacuinm::kRowSize, 3);
    annex::pgacuinm::OnActivityIncome.set(d.AnnexBlock().data() + annex::pgacuinm::kRowSize, 98765.43);
    d.EnsureCreated();
    Check(d, QStringLiteral("pgacuinm"));
  }
  {
    dbtest::TempDir dir;
    db::CAdoConnection conn{"DatRed"};
    ASSERT_TRUE(conn.Open((dir.Path() / "DatRed.db").string(), db::OpenMode::Create));
    ASSERT_TRUE(db::CreateDeclarationsSchema(conn));
    store::DeclarationStore store{conn};
    doc::DocumentHost host;
    doc::CRentaDoc doc(store, host, [](std::span<std::uint8_t> b, const doc::CalcRequest&) {
      for (int c = 0; c < 5; ++c) blocks::Vec5{65368}.set(b.data(), c, 123456.78 * (c + 1));
    });
    qxtest::MemberView view(1, {1, 1, 1, 1, 1});
    CResumenDeclaracionesDlg d(doc);
    d.EnsureCreated();
    Check(d, QStringLiteral("resumen"));
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, Render, ::testing::Values('e', 'c'));

}  // namespace
