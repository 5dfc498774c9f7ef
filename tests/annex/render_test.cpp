// The annex dialogs laid out in Castellano and Catalan: every caption fits its control. With
// QX_RENDER_DIR set the dialogs are also saved as pictures there, to be looked at.
#include "annex/pcuotint_dlg.h"
#include "annex/resumen_declaraciones_dlg.h"
#include "annex/rtonetatrentas_dlg.h"
#include "annex/tipoelempatrim_dlg.h"
#include "annex_fixture.h"
#include "data/db/databases.h"
#include "data/doc/renta_doc.h"
#include "data/store/store.h"
#include "platform/strings.h"
#include "render_check.h"

namespace {

class Render : public annextest::AnnexTest, public ::testing::WithParamInterface<char> {
 protected:
  void SetUp() override {
    AnnexTest::SetUp();
    platform::SetLanguage(GetParam());
  }
  void TearDown() override {
    platform::SetLanguage('e');
    AnnexTest::TearDown();
  }
  // Shows the dialog, checks that its texts fit, saves its picture when asked to.
  void Check(QDialog& d, const QString& name) { annextest::CheckRendered(d, name, GetParam()); }
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
    CTipoelempatrimDlg d({});
    d.EnsureCreated();
    Check(d, QStringLiteral("tipoelempatrim"));
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
