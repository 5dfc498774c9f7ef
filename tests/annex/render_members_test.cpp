// The member, children-count and detail annex dialogs laid out in Castellano and Catalan, built
// by class name as the launch table builds them: every caption fits its control.
#include "annex_fixture.h"
#include "platform/strings.h"
#include "render_support.h"
#include "support/member_view.h"
#include "ui/annex_dlg.h"

namespace {

class RenderMembers : public annextest::LanguageTest {};

TEST_P(RenderMembers, EveryDialogFitsItsTexts) {
  struct Shot {
    const char* className;
    const char* picture;
  };
  const Shot shots[] = {
      {"CDevol104Dlg", "devol104"},
      {"CDec3imp3Dlg", "dec3imp3"},
      {"CDec3sino1Dlg", "dec3sino1"},
      {"CTit3dat1Dlg", "tit3dat1"},
      {"CTit4dat1Dlg", "tit4dat1"},
      {"CTit3dat1nDlg", "tit3dat1n"},
      {"CTit3dat1pDlg", "tit3dat1p"},
      {"CTit2dat4Dlg", "tit2dat4"},
      {"CTit3datnifDlg", "tit3datnif"},
      {"CTit3dat2Dlg", "tit3dat2"},
      {"CDec2cruz2Dlg", "dec2cruz2"},
      {"CDec3cruz3Dlg", "dec3cruz3"},
      {"CDec4cruz4Dlg", "dec4cruz4"},
      {"CAutonom3CtDlg", "autonom3ct"},
      {"CAutonom6MDlg", "autonom6m"},
      {"CAutonom5GDlg", "autonom5g"},
      {"CAutonom7V2Dlg", "autonom7v2"},
      {"CDec3imp5Dlg", "dec3imp5"},
      {"CDec3cruz6imp4Dlg", "dec3cruz6imp4"},
  };
  qxtest::MemberView view(1, {1, 1, 1, 1, 1});
  for (const Shot& s : shots) {
    auto d = ui::CreateAnnexDialog(s.className, ui::AnnexArgs{nullptr, 1, 0});
    ASSERT_NE(d, nullptr) << s.className;
    d->Dialog().EnsureCreated();
    annextest::CheckLayout(d->Dialog(), QString::fromLatin1(s.picture), GetParam());
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, RenderMembers, ::testing::Values('e', 'c'));

}  // namespace
