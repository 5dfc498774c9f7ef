#include "annex/autonom5g_dlg.h"

#include "annex/holder_counts.h"
#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::autonom5g;
using annex::holder_counts::ApplyLivesWithBoth;

constexpr ui::ControlDef kControls[] = {
    QX_HOLDER_HEADINGS,
    QX_HOLDER_ROW(1, 95655, 2, f::Common2003, f::Declarant2003, f::Spouse2003, 24625, 392, 393),
    {.kind = Ctl::Static, .textId = 95654, .row = 2, .col = 0},
    {.id = CAutonom5GDlg::kLivesWithBoth2003, .kind = Ctl::YesNo, .row = 2, .col = 2, .field = f::LivesWithBoth2003},
    QX_HOLDER_ROW(3, 95657, 2, f::MultipleCommon, f::MultipleDeclarant, f::MultipleSpouse, 24663, 24665, 24666),
    QX_HOLDER_ROW(4, 95656, 2, f::CommonEarlier, f::DeclarantEarlier, f::SpouseEarlier, 395, 396, 397),
    {.kind = Ctl::Static, .textId = 95654, .row = 5, .col = 0},
    {.id = CAutonom5GDlg::kLivesWithBothEarlier, .kind = Ctl::YesNo, .row = 5, .col = 2,
     .field = f::LivesWithBothEarlier},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 6, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 6, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 6, .col = 3},
};
constexpr ui::DialogTemplate kTemplate{.id = CAutonom5GDlg::kId, .captionId = 95603, .controls = kControls,
                                       .helpTopic = 577};
}  // namespace

CAutonom5GDlg::CAutonom5GDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

void CAutonom5GDlg::OnInitAnnex() {
  ApplyLivesWithBoth(*this, {f::Declarant2003, f::Spouse2003}, f::LivesWithBoth2003, kLivesWithBoth2003);
  ApplyLivesWithBoth(*this, {f::DeclarantEarlier, f::SpouseEarlier}, f::LivesWithBothEarlier, kLivesWithBothEarlier);
}

int CAutonom5GDlg::OnEditKillFocus(int id) {
  if (id != 392 && id != 393 && id != 396 && id != 397) return 0;
  UpdateAll(true);
  if (id == 392 || id == 393)
    ApplyLivesWithBoth(*this, {f::Declarant2003, f::Spouse2003}, f::LivesWithBoth2003, kLivesWithBoth2003);
  else
    ApplyLivesWithBoth(*this, {f::DeclarantEarlier, f::SpouseEarlier}, f::LivesWithBothEarlier, kLivesWithBothEarlier);
  UpdateAll(false);
  return 1;
}

bool CAutonom5GDlg::ValidateOK() {
  const std::uint8_t* b = Data();
  bool accept = true;
  const bool unanswered =
      (f::Declarant2003.get(b) + f::Spouse2003.get(b) > 0.0 && f::LivesWithBoth2003.get(b) == 255) ||
      (f::DeclarantEarlier.get(b) + f::SpouseEarlier.get(b) > 0.0 && f::LivesWithBothEarlier.get(b) == 255);
  if (unanswered) {
    ui::ShowMessage(this, QStringLiteral("100R085"), platform::kIconHand);
    accept = false;
  }
  const bool multipleAlone = (f::MultipleCommon.get(b) > 0.0 && f::Common2003.get(b) == 0.0) ||
                             (f::MultipleDeclarant.get(b) > 0.0 && f::Declarant2003.get(b) == 0.0) ||
                             (f::MultipleSpouse.get(b) > 0.0 && f::Spouse2003.get(b) == 0.0);
  if (multipleAlone && ui::ShowMessage(this, QStringLiteral("100P083"), platform::kIconAsterisk) == kAnsCorregir)
    accept = false;
  return accept;
}
