// The capital-gains annex dialogs laid out in Castellano and Catalan.
#include "annex/acquisition_value_dlg.h"
#include "annex/alterpatri_dlg.h"
#include "annex/amortiag_dlg.h"
#include "annex/depreciation_dlg.h"
#include "annex/reinvestment_funds_dlg.h"
#include "annex/transmission_value_dlg.h"
#include "annex_fixture.h"
#include "render_support.h"
#include "support/member_view.h"

namespace {

class RenderCapitalGains : public annextest::LanguageTest {
 protected:
  template <class Dlg>
  void Check(const char* name) {
    qxtest::MemberView view(1, {1, 1, 1, 0, 0});
    Dlg d({});
    d.EnsureCreated();
    annextest::CheckLayout(d, QString::fromLatin1(name), GetParam());
  }
};

TEST_P(RenderCapitalGains, EveryDialogFitsItsTexts) {
  Check<CValadquinaDlg>("valadquina");
  Check<CValadquiaDlg>("valadquia");
  Check<CValadquina2Dlg>("valadquina2");
  Check<CValadquia2Dlg>("valadquia2");
  Check<CValtransenaDlg>("valtransena");
  Check<CValtranseaDlg>("valtransea");
  Check<CValtransena2Dlg>("valtransena2");
  Check<CValtransea2Dlg>("valtransea2");
  Check<CValadq96Dlg>("valadq96");
  Check<CValadquiabaDlg>("valadquiaba");
  Check<CValadquiaba2Dlg>("valadquiaba2");
  Check<CAlterpatriDlg>("alterpatri");
  Check<CAmortiagDlg>("amortiag");
  Check<CExencionDlg>("exencion");
  Check<CFondosDlg>("fondos");
}

INSTANTIATE_TEST_SUITE_P(Languages, RenderCapitalGains, ::testing::Values('e', 'c'));

}  // namespace
