#include "annex/nachijosrioja_dlg.h"

#include "annex/holder_counts.h"
#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::nachijosrioja;
using D = CNachijosriojaDlg;

constexpr ui::ControlDef kControls[] = {
    QX_HOLDER_HEADINGS,
    QX_HOLDER_ROW(1, 98010, 2, f::Second(0), f::Second(1), f::Second(2), D::kSecond[0], D::kSecond[1], D::kSecond[2]),
    QX_HOLDER_ROW(2, 98011, 2, f::ThirdOn(0), f::ThirdOn(1), f::ThirdOn(2), D::kThirdOn[0], D::kThirdOn[1],
                  D::kThirdOn[2]),
    QX_HOLDER_ROW(3, 98012, 2, f::Multiple(0), f::Multiple(1), f::Multiple(2), D::kMultiple[0], D::kMultiple[1],
                  D::kMultiple[2]),
    {.kind = Ctl::Static, .textId = 95654, .row = 4, .col = 0},
    {.id = D::kLivesWithBoth, .kind = Ctl::YesNo, .row = 4, .col = 2, .field = f::LivesWithBoth},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 5, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 5, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 5, .col = 3},
};
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97999, .controls = kControls, .helpTopic = 956};

bool IsMemberCount(int id) {
  for (int c = 1; c < 3; ++c)
    if (id == D::kSecond[c] || id == D::kThirdOn[c] || id == D::kMultiple[c]) return true;
  return false;
}
}  // namespace

CNachijosriojaDlg::CNachijosriojaDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

void CNachijosriojaDlg::ApplyLivesWithBoth() {
  annex::holder_counts::ApplyLivesWithBoth(*this,
                                           {f::Second(1), f::ThirdOn(1), f::Multiple(1), f::Second(2), f::ThirdOn(2),
                                            f::Multiple(2)},
                                           f::LivesWithBoth, kLivesWithBoth);
}

void CNachijosriojaDlg::OnInitAnnex() { ApplyLivesWithBoth(); }

int CNachijosriojaDlg::OnEditKillFocus(int id) {
  if (!IsMemberCount(id)) return 0;
  UpdateAll(true);
  ApplyLivesWithBoth();
  UpdateAll(false);
  return 1;
}

// Every check runs and says what it found; OK only when none failed.
bool CNachijosriojaDlg::ValidateOK() {
  const std::uint8_t* b = Data();
  bool accept = true;
  if (f::Second(0).get(b) + f::Second(1).get(b) + f::Second(2).get(b) > 1.0) {
    ui::ShowMessage(this, QStringLiteral("100R121"), platform::kIconHand);
    accept = false;
  }
  const double members = f::Second(1).get(b) + f::ThirdOn(1).get(b) + f::Second(2).get(b) + f::ThirdOn(2).get(b);
  if (members > 0.0 && f::LivesWithBoth.get(b) == 255) {
    ui::ShowMessage(this, QStringLiteral("100R085"), platform::kIconHand);
    accept = false;
  }
  bool multipleAlone = false;
  for (int c = 0; c < 3; ++c)
    multipleAlone = multipleAlone || (f::Multiple(c).get(b) > 0.0 && f::Second(c).get(b) + f::ThirdOn(c).get(b) == 0.0);
  if (multipleAlone && ui::ShowMessage(this, QStringLiteral("100P083"), platform::kIconAsterisk) == kAnsCorregir)
    accept = false;
  return accept;
}
