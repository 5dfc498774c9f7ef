#include "annex/autonom6m_dlg.h"

#include <algorithm>
#include <iterator>

#include "annex/holder_counts.h"
#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::autonom6m;

constexpr int kCommonIds[] = {24581, 24582, 24583}, kDeclarantIds[] = {1527, 1356, 396}, kSpouseIds[] = {397, 398, 399};
constexpr int kMultipleIds[] = {24584, 400, 401};

constexpr ui::ControlDef kControls[] = {
    QX_HOLDER_HEADINGS,
    QX_HOLDER_ROW(1, 95650, 2, f::Common[0], f::Declarant[0], f::Spouse[0], kCommonIds[0], kDeclarantIds[0], kSpouseIds[0]),
    QX_HOLDER_ROW(2, 95651, 2, f::Common[1], f::Declarant[1], f::Spouse[1], kCommonIds[1], kDeclarantIds[1], kSpouseIds[1]),
    QX_HOLDER_ROW(3, 95652, 2, f::Common[2], f::Declarant[2], f::Spouse[2], kCommonIds[2], kDeclarantIds[2], kSpouseIds[2]),
    QX_HOLDER_ROW(4, 95653, 2, f::MultipleCommon, f::MultipleDeclarant, f::MultipleSpouse, kMultipleIds[0], kMultipleIds[1],
              kMultipleIds[2]),
    {.kind = Ctl::Static, .textId = 95654, .row = 5, .col = 0},
    {.id = CAutonom6MDlg::kLivesWithBoth, .kind = Ctl::YesNo, .row = 5, .col = 2, .field = f::LivesWithBoth},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 6, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 6, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 6, .col = 3},
};
constexpr ui::DialogTemplate kTemplate{.id = CAutonom6MDlg::kId, .captionId = 95603, .controls = kControls,
                                       .helpTopic = 946};

double Sum(const std::uint8_t* b, std::initializer_list<blocks::F64> fields) {
  double s = 0.0;
  for (const blocks::F64& x : fields) s += x.get(b);
  return s;
}
}  // namespace

CAutonom6MDlg::CAutonom6MDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

void CAutonom6MDlg::ApplyLivesWithBoth() {
  annex::holder_counts::ApplyLivesWithBoth(
      *this, {f::Declarant[0], f::Declarant[1], f::Declarant[2], f::Spouse[0], f::Spouse[1], f::Spouse[2]},
      f::LivesWithBoth, kLivesWithBoth);
}

int CAutonom6MDlg::OnEditKillFocus(int id) {
  const bool own = std::find(std::begin(kDeclarantIds), std::end(kDeclarantIds), id) != std::end(kDeclarantIds) ||
                   std::find(std::begin(kSpouseIds), std::end(kSpouseIds), id) != std::end(kSpouseIds);
  if (!own) return 0;
  UpdateAll(true);
  ApplyLivesWithBoth();
  UpdateAll(false);
  return 1;
}

bool CAutonom6MDlg::ValidateOK() {
  const std::uint8_t* b = Data();
  bool accept = true;
  const double own = Sum(b, {f::Declarant[0], f::Declarant[1], f::Declarant[2], f::Spouse[0], f::Spouse[1], f::Spouse[2]});
  if (own > 0.0 && f::LivesWithBoth.get(b) == 255) {
    ui::ShowMessage(this, QStringLiteral("100R085"), platform::kIconHand);
    accept = false;
  }
  for (int order : {0, 1}) {
    if (Sum(b, {f::Common[order], f::Declarant[order], f::Spouse[order]}) > 1.0) {
      ui::ShowMessage(this, QStringLiteral("100R086"), platform::kIconHand);
      accept = false;
      break;
    }
  }
  const bool multipleAlone =
      (f::MultipleCommon.get(b) > 0.0 && Sum(b, {f::Common[0], f::Common[1], f::Common[2]}) == 0.0) ||
      (f::MultipleDeclarant.get(b) > 0.0 && Sum(b, {f::Declarant[0], f::Declarant[1], f::Declarant[2]}) == 0.0) ||
      (f::MultipleSpouse.get(b) > 0.0 && Sum(b, {f::Spouse[0], f::Spouse[1], f::Spouse[2]}) == 0.0);
  if (multipleAlone && ui::ShowMessage(this, QStringLiteral("100P084"), platform::kIconAsterisk) == kAnsCorregir)
    accept = false;
  return accept;
}
