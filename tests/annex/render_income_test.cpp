// The work-income, prize, social-provision, sportsmen's, spouse-contribution, pending-balance and
// movable-capital annex dialogs laid out in Castellano and Catalan.
#include "annex/conpropp_dlg.h"
#include "annex/deportistas_dlg.h"
#include "annex/divid6_dlg.h"
#include "annex/ingrere_dlg.h"
#include "annex/inrega6_dlg.h"
#include "annex/plpengen_dlg.h"
#include "annex/plpenmin_dlg.h"
#include "annex/premios_dlg.h"
#include "annex/rdto_trabajo_dlg.h"
#include "annex/redapooc_dlg.h"
#include "annex/salpen_dlg.h"
#include "annex/salpencartuja_dlg.h"
#include "annex/tit6dat1_dlg.h"
#include "annex_fixture.h"
#include "platform/strings.h"
#include "render_support.h"
#include "support/member_view.h"

namespace {

class RenderIncome : public annextest::LanguageTest {
 protected:
  template <class Dlg>
  void Check(const char* name) {
    qxtest::MemberView view(1, {1, 1, 1, 0, 0});
    Dlg d({});
    d.EnsureCreated();
    annextest::CheckLayout(d, QString::fromLatin1(name), GetParam());
  }
};

TEST_P(RenderIncome, EveryDialogFitsItsTexts) {
  Check<CRdtoTrabajoDlg>("rdto_trabajo");
  Check<CConproppDlg>("conpropp");
  Check<CPremmetDlg>("premmet");
  Check<CPremespDlg>("premesp");
  Check<CPlpengenDlg>("plpengen");
  Check<CPlpengen2Dlg>("plpengen2");
  Check<CPlpenminDlg>("plpenmin");
  Check<CSalpen95Dlg>("salpen95");
  Check<CSalpenempleoDlg>("salpenempleo");
  Check<CAnexoc1Dlg>("anexoc1");
  Check<CSalpencartujaDlg>("salpencartuja");
  Check<CDeportistasDlg>("deportistas");
  Check<CRedapoocDlg>("redapooc");
  Check<CDivid6Dlg>("divid6");
  Check<CIngrereDlg>("ingrere");
  Check<CInrega6Dlg>("inrega6");
  Check<CTit6dat1Dlg>("tit6dat1");
}

INSTANTIATE_TEST_SUITE_P(Languages, RenderIncome, ::testing::Values('e', 'c'));

}  // namespace
