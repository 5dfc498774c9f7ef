// The company imputation, image-rights, Ceuta and Melilla, Canary Islands and tax-paid-abroad
// dialogs laid out in Castellano and Catalan.
#include "annex/canary_income_dlg.h"
#include "annex/ceutamel_dlg.h"
#include "annex/cesderima_dlg.h"
#include "annex/impotroc_dlg.h"
#include "annex/pimpextr_dlg.h"
#include "annex/resinvcan_dlg.h"
#include "annex/tit2dat1_dlg.h"
#include "annex_fixture.h"
#include "render_support.h"
#include "support/member_view.h"

namespace {

class RenderTaxBase : public annextest::LanguageTest {
 protected:
  template <class Dlg>
  void Check(const char* name) {
    qxtest::MemberView view(1, {1, 1, 1, 0, 0});
    Dlg d({});
    d.EnsureCreated();
    annextest::CheckLayout(d, QString::fromLatin1(name), GetParam());
  }
};

TEST_P(RenderTaxBase, EveryDialogFitsItsTexts) {
  Check<CTransparenciaFiscalDlg>("transparencia_fiscal");
  Check<CImpotrocDlg>("impotroc");
  Check<CCesderimaDlg>("cesderima");
  Check<CTit2dat1Dlg>("tit2dat1");
  Check<CTranfisintDlg>("tranfisint");
  Check<CCeutamelDlg>("ceutamel");
  Check<CBicocaDlg>("bicoca");
  Check<CResinvcan4Dlg>("resinvcan4");
  Check<CResinvcanDlg>("resinvcan");
  Check<CResinvcan3Dlg>("resinvcan3");
  Check<CResinvcan5Dlg>("resinvcan5");
  Check<CPimpextrDlg>("pimpextr");
}

INSTANTIATE_TEST_SUITE_P(Languages, RenderTaxBase, ::testing::Values('e', 'c'));

}  // namespace
