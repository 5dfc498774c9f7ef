#include "annex/amortiag_dlg.h"

#include <QLabel>

#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/edit_ex.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace am = annex::amortiag;
using D = CAmortiagDlg;
// Texts of the headers in the consumption variant.
constexpr int kConsumptionHeaders[] = {2257, 2258, 2259};

constexpr ui::ControlDef Amount(int use, int row) {
  return {.id = D::kAmounts[static_cast<std::size_t>(use)], .kind = Ctl::Money, .row = row, .col = 1, .width = 8,
          .decimals = 2, .field = am::kDepreciation[static_cast<std::size_t>(use)]};
}
constexpr ui::ControlDef kControls[] = {
    {.id = D::kAgricultureHeader, .kind = Ctl::Static, .textId = 97461, .row = 0, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 97462, .row = 1, .col = 0}, Amount(0, 1),
    {.kind = Ctl::Static, .textId = 97463, .row = 2, .col = 0}, Amount(1, 2),
    {.id = D::kLivestockHeader, .kind = Ctl::Static, .textId = 97464, .row = 3, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 97465, .row = 4, .col = 0}, Amount(2, 4),
    {.kind = Ctl::Static, .textId = 97466, .row = 5, .col = 0}, Amount(3, 5),
    {.id = D::kOtherWorkHeader, .kind = Ctl::Static, .textId = 97467, .row = 6, .col = 0}, Amount(4, 6),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 7, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 7, .col = 1},
};
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97440, .controls = kControls};

// The income amounts of the record of which at least one must be set for a use to take depreciation.
constexpr std::size_t kOwnLand[] = {336, 360, 384, 736, 760, 784, 1032, 1056, 1080, 1328, 1352, 1376};
constexpr std::size_t kLeasedLand[] = {416, 440, 464, 816, 840, 864, 1112, 1136, 1160, 1408, 1432, 1456};
constexpr std::size_t kIntensive[] = {112, 136, 160, 184};
constexpr std::size_t kOtherLivestock[] = {64, 88, 528, 552, 576, 928, 952, 976, 1224, 1248, 1272, 1624, 1648, 1672};
constexpr std::size_t kOtherWork[] = {1624, 1648, 1672, 1728, 1752, 1776};
constexpr std::span<const std::size_t> kIncomes[am::kUses] = {kOwnLand, kLeasedLand, kIntensive, kOtherLivestock,
                                                             kOtherWork};
}  // namespace

CAmortiagDlg::CAmortiagDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, am::kBlockSize, args) {}

const std::array<blocks::F64, am::kUses>& CAmortiagDlg::Fields() const {
  return index == kConsumptionVariant ? am::kConsumption : am::kDepreciation;
}

void CAmortiagDlg::OnInitAnnex() {
  if (index == kConsumptionVariant) {
    const int headers[] = {kAgricultureHeader, kLivestockHeader, kOtherWorkHeader};
    for (int i = 0; i < 3; ++i)
      if (auto* l = Item<QLabel>(headers[i])) l->setText(platform::LoadString(kConsumptionHeaders[i]));
    for (int u = 0; u < am::kUses; ++u)
      if (CEditEx* e = Edit(kAmounts[static_cast<std::size_t>(u)])) e->BindData(Data() + Fields()[static_cast<std::size_t>(u)].off);
  }
  if (ReadOnlyView()) return;
  const char kind = static_cast<char>(f100::sec_e5::Type.get(Data()));
  const auto enable = [this](int id, bool on) {
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(on);
  };
  const bool withOtherWork = kind == '1' || kind == '7';
  enable(kAmounts[0], kind != '3');
  enable(kAmounts[1], withOtherWork);
  enable(kAmounts[4], withOtherWork && kind != '7');
}

bool CAmortiagDlg::ValidateOK() {
  const std::uint8_t* d = Data();
  bool flagged = false;
  for (int u = 0; u < am::kUses && !flagged; ++u) {
    if (Fields()[static_cast<std::size_t>(u)].get(d) == 0.0) continue;
    bool income = false;
    for (std::size_t off : kIncomes[u]) income = income || blocks::F64{off}.get(d) != 0.0;
    flagged = !income;
  }
  return !flagged || ui::ShowMessage(this, QStringLiteral("100P031"), platform::kIconAsterisk) != kAnsCorregir;
}
