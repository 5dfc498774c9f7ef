#include "annex/impotroc_dlg.h"

#include <cstring>

#include "annex/scratch_declaration.h"
#include "platform/icons.h"
#include "tallyvex.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::impotroc;
using T = CTransparenciaFiscalDlg;
using D = CImpotrocDlg;

// ---- 1844
constexpr ui::ControlDef kControls1844[] = {
    {.kind = Ctl::Static, .textId = 97291, .row = 0, .col = 0, .colSpan = 3},
    {.id = T::kMark, .kind = Ctl::Box, .row = 0, .col = 3, .field = f::WhollyMark},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 1, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 1, .col = 1},
};
constexpr ui::DialogTemplate kTemplate1844{.id = T::kId, .captionId = 97290, .controls = kControls1844};

// ---- 1831
constexpr int kImputedBox = 30361, kLimitBox = 30362, kEffectiveBox = 30363;
#define QX_ENTERED(cid, r, g, fld)                                                                              \
  {.id = (cid), .kind = Ctl::Money, .row = (r), .col = 1, .group = (g), .width = 8, .decimals = 2, .field = (fld)}
#define QX_COMPUTED(cid, r, c, k, fld)                                                                           \
  {.id = (cid), .kind = Ctl::k, .row = (r), .col = (c), .group = kEffectiveBox, .width = (Ctl::k == Ctl::Double ? 2 : 8), \
   .decimals = 2, .field = (fld), .options = ui::kOptDisabled}
constexpr ui::ControlDef kControls1831[] = {
    {.id = kImputedBox, .kind = Ctl::GroupBox, .textId = 97301, .row = 0, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 97310, .row = 0, .col = 1, .group = kImputedBox},
    {.kind = Ctl::Static, .textId = 97302, .row = 1, .col = 0, .group = kImputedBox},
    QX_ENTERED(D::kPayments, 1, kImputedBox, f::PaymentsOnAccount),
    {.kind = Ctl::Static, .textId = 97303, .row = 2, .col = 0, .group = kImputedBox},
    QX_ENTERED(D::kQuotas, 2, kImputedBox, f::CorporateQuotas),
    {.id = kLimitBox, .kind = Ctl::GroupBox, .textId = 97304, .row = 1, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 97310, .row = 0, .col = 1, .group = kLimitBox},
    {.kind = Ctl::Static, .textId = 97305, .row = 1, .col = 0, .group = kLimitBox},
    QX_ENTERED(D::kCorporateTaxation, 1, kLimitBox, f::CorporateTaxation),
    {.kind = Ctl::Static, .textId = 97306, .row = 2, .col = 0, .group = kLimitBox},
    QX_ENTERED(D::kExcess, 2, kLimitBox, f::Excess),
    {.id = kEffectiveBox, .kind = Ctl::GroupBox, .row = 2, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 91042, .row = 0, .col = 1, .group = kEffectiveBox},
    {.kind = Ctl::Static, .textId = 91043, .row = 0, .col = 2, .group = kEffectiveBox},
    {.kind = Ctl::Static, .textId = 97307, .row = 1, .col = 0, .group = kEffectiveBox},
    QX_COMPUTED(D::kHolderRate, 1, 1, Double, f::HolderRate), QX_COMPUTED(D::kUnitRate, 1, 2, Double, f::UnitRate),
    {.kind = Ctl::Static, .textId = 97308, .row = 2, .col = 0, .group = kEffectiveBox},
    QX_COMPUTED(D::kHolderShare, 2, 1, Money, f::HolderShare), QX_COMPUTED(D::kUnitShare, 2, 2, Money, f::UnitShare),
    {.kind = Ctl::Static, .textId = 97309, .row = 3, .col = 0, .group = kEffectiveBox},
    QX_COMPUTED(D::kHolderTax, 3, 1, Money, f::HolderTax), QX_COMPUTED(D::kUnitTax, 3, 2, Money, f::UnitTax),
    {.kind = Ctl::Static, .textId = 97311, .row = 3, .col = 0, .colSpan = 3},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 4, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 4, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 4, .col = 2},
};
#undef QX_ENTERED
#undef QX_COMPUTED
constexpr ui::DialogTemplate kTemplate1831{.id = D::kId, .captionId = 97300, .controls = kControls1831,
                                           .helpTopic = 857};

bool MemberView(const CTemplateDlg& d) { return d.shownMember != ui::kFamilyUnit && doc::HouseholdHasSeveralHolders(); }
}  // namespace

// ---------------------------------------------------------------- 1844

CTransparenciaFiscalDlg::CTransparenciaFiscalDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate1844, 1, args) {}

int CTransparenciaFiscalDlg::OnEditValueChanged(int id) {
  UpdateAll(false);
  return 1;
}

int CTransparenciaFiscalDlg::OnEditValueCleared(int id) {
  UpdateAll(false);
  return 1;
}

int CTransparenciaFiscalDlg::OpenForRow(std::uint8_t* row, QWidget* parent) {
  if (!row || f::row::Holder.get(row) == 0) return 0;
  CTransparenciaFiscalDlg d({parent, 0, 0});
  const std::uint8_t before = f::RowMark.get(row);
  d.Data()[0] = before;
  d.shownMember = doc::ShownMember();
  d.hasOtherMembers = doc::HouseholdHasSeveralHolders() ? 1 : 0;
  if (d.DoModal() != ui::IDOK) return 0;
  const std::uint8_t mark = d.Data()[0];
  f::RowMark.set(row, mark);
  f::WhollyMark.set(row + f::kRowBlock, mark);
  if (mark != before && f::RowNoticeAmount.get(row) != 0.0) {
    if (mark == 1) {
      f::CorporateTaxation.set(row + f::kRowBlock, 0.0);
      f::Excess.set(row + f::kRowBlock, 0.0);
    }
    ui::ShowMessage(parent, QStringLiteral("100I008"), platform::kIconAsterisk);
  }
  return 1;
}

// ---------------------------------------------------------------- 1831

CImpotrocDlg::CImpotrocDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate1831, f::kBlockSize, args) {}

void CImpotrocDlg::SetListItems(const ui::AnnexPointerList& list) {
  if (list.item1) kind_ = blocks::U8{0}.get(list.item1);
  if (list.item2) imputedBase_ = blocks::F64{0}.get(list.item2);
  row_ = list.value >= 0 && list.value < f100::sec_f2::kRows ? list.value : 0;
  const std::uint8_t* declaration = doc::Form100Block();
  const auto* block = static_cast<const std::uint8_t*>(list.block);
  if (!declaration || !block) return;
  const std::uint8_t* first = f100::record(declaration, f100::SectionF2) + f::kRowBlock;
  for (int r = 0; r < f100::sec_f2::kRows; ++r)
    if (block == first + f100::sec_f2::rowOffset(r)) row_ = r;
}

void CImpotrocDlg::Recalculate() {
  annex::ScratchDeclaration s;
  if (!s.Valid()) return;
  const std::size_t at = f100::sec_f2::rowOffset(row_) + f::kRowBlock;
  s.Put(f100::SectionF2, at, block_);
  Calculos100F2(s(f100::SectionF2), s(f100::SectionA), s(f100::SectionB), s(f100::SectionC), s(f100::SectionD),
                s(f100::SectionE1), s(f100::SectionE4), s(f100::SectionE5), s(f100::SectionF1), s(f100::SectionF3),
                s(f100::SectionF4), s(f100::SectionF5), s(f100::SectionH), s(f100::SectionK), s(f100::SectionG6),
                s(f100::Summary));
  // Only the computed fields come back: the entered ones are the dialog's.
  std::memcpy(Data() + f::kComputed, s.At(f100::SectionF2, at) + f::kComputed, f::kBlockSize - f::kComputed);
  if (MemberView(*this)) std::memset(Data() + f::kComputed, 0, f::kBlockSize - f::kComputed);
  else if (!doc::HouseholdHasSeveralHolders())
    for (blocks::F64 joint : {f::UnitRate, f::UnitShare, f::UnitTax}) joint.set(Data(), 0.0);
}

void CImpotrocDlg::EnableCorporateTaxFields() {
  const bool on = f::WhollyMark.get(Data()) != 1;
  for (int id : {kCorporateTaxation, kExcess})
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(on);
}

void CImpotrocDlg::LockCorporateTaxFields() {
  for (int id : {kCorporateTaxation, kExcess})
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
  f::CorporateTaxation.set(Data(), 0.0);
  f::Excess.set(Data(), 0.0);
}

void CImpotrocDlg::OnInitAnnex() {
  if (!MemberView(*this)) Recalculate();
  if (kind_ == '1' || kind_ == '4') f::WhollyMark.set(Data(), 0);
  if (MemberView(*this)) std::memset(Data() + f::kComputed, 0, f::kBlockSize - f::kComputed);
  else EnableCorporateTaxFields();
  if (kind_ == '4' || ((kind_ == '2' || kind_ == '3') && f::WhollyMark.get(Data()) == 1)) LockCorporateTaxFields();
}

int CImpotrocDlg::OnEditKillFocus(int id) {
  UpdateAll(true);
  Recalculate();
  UpdateAll(false);
  return 1;
}

bool CImpotrocDlg::ValidateOK() {
  const bool asks = kind_ == '1' || ((kind_ == '2' || kind_ == '3') && f::WhollyMark.get(Data()) != 1);
  if (!asks || f::CorporateTaxation.get(Data()) != 0.0 || imputedBase_ <= 0.0 ||
      f::PaymentsOnAccount.get(Data()) + f::CorporateQuotas.get(Data()) <= 0.0)
    return true;
  return ui::ShowMessage(this, QStringLiteral("100P042"), platform::kIconAsterisk) == kAnsContinuar;
}
