#include "annex/ceutamel_dlg.h"

#include <QLabel>

#include <algorithm>
#include <cstring>

#include "annex/scratch_declaration.h"
#include "tallyvex.h"

namespace {
using ui::Ctl;
namespace f = annex::ceutamel;
using D = CCeutamelDlg;

constexpr int kIndividualBox = 30341, kJointBox = 30342, kPartsBox = 30343;
constexpr int kCells[] = {D::kHolders[0], D::kHolders[1], D::kHolders[2], D::kHolders[3], D::kHolders[4],
                          D::kHolders[5], D::kGeneral[0], D::kGeneral[1], D::kGeneral[2], D::kGeneral[3],
                          D::kGeneral[4], D::kGeneral[5], D::kSpecial[0], D::kSpecial[1], D::kSpecial[2],
                          D::kSpecial[3], D::kSpecial[4], D::kSpecial[5]};
constexpr ui::RowLayout kLayout{.rows = f::kRows, .columns = 3, .first = 0, .stride = f::kRowSize, .holder = 0,
                                .cells = kCells};

#define QX_ROW(r)                                                                                              \
  {.id = D::kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .group = kIndividualBox,              \
   .field = f::Holder},                                                                                        \
  {.id = D::kGeneral[r], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .group = kIndividualBox, .width = 8,    \
   .decimals = 2, .field = f::General, .options = ui::kOptNegatives},                                          \
  {.id = D::kSpecial[r], .kind = Ctl::Money, .row = (r) + 1, .col = 2, .group = kIndividualBox, .width = 8,    \
   .decimals = 2, .field = f::Special, .options = ui::kOptNegatives}
#define QX_PART(m, heading)                                                                                     \
  {.kind = Ctl::Static, .textId = (heading), .row = 0, .col = (m) + 1, .group = kPartsBox},                    \
  {.id = D::kGeneralParts[m], .kind = Ctl::Money, .row = 1, .col = (m) + 1, .group = kPartsBox, .width = 8,     \
   .decimals = 2, .field = f::GeneralPart(m), .options = ui::kOptDisabled},                                     \
  {.id = D::kSpecialParts[m], .kind = Ctl::Money, .row = 2, .col = (m) + 1, .group = kPartsBox, .width = 8,     \
   .decimals = 2, .field = f::SpecialPart(m), .options = ui::kOptDisabled}

constexpr ui::ControlDef kControls[] = {
    {.id = kIndividualBox, .kind = Ctl::GroupBox, .textId = 97261, .row = 0, .col = 0},
    {.id = 1120, .kind = Ctl::Static, .textId = 95202, .row = 0, .col = 0, .group = kIndividualBox},
    {.id = 1124, .kind = Ctl::Static, .textId = 97263, .row = 0, .col = 1, .group = kIndividualBox},
    {.id = 1129, .kind = Ctl::Static, .textId = 97264, .row = 0, .col = 2, .group = kIndividualBox},
    QX_ROW(0), QX_ROW(1), QX_ROW(2), QX_ROW(3), QX_ROW(4), QX_ROW(5),
    {.id = D::kLegend, .kind = Ctl::Legend, .row = 7, .col = 0, .colSpan = 3, .group = kIndividualBox},
    {.id = kJointBox, .kind = Ctl::GroupBox, .textId = 97262, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 97263, .row = 0, .col = 0, .group = kJointBox},
    {.id = D::kJointGeneral, .kind = Ctl::Money, .row = 1, .col = 0, .group = kJointBox, .width = 8, .decimals = 2,
     .field = f::JointGeneral, .options = ui::kOptNegatives},
    {.kind = Ctl::Static, .textId = 97264, .row = 2, .col = 0, .group = kJointBox},
    {.id = D::kJointSpecial, .kind = Ctl::Money, .row = 3, .col = 0, .group = kJointBox, .width = 8, .decimals = 2,
     .field = f::JointSpecial, .options = ui::kOptNegatives},
    {.id = kPartsBox, .kind = Ctl::GroupBox, .textId = 97265, .row = 1, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = 97266, .row = 1, .col = 0, .group = kPartsBox},
    {.kind = Ctl::Static, .textId = 97267, .row = 2, .col = 0, .group = kPartsBox},
    QX_PART(0, 91043), QX_PART(1, 91022), QX_PART(2, 91023), QX_PART(3, 95601), QX_PART(4, 95602),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 2, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 2, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 3, .col = 1},
};
#undef QX_ROW
#undef QX_PART
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97260, .controls = kControls, .helpTopic = 543};

bool IsIn(const int (&ids)[f::kRows], int id) { return std::find(std::begin(ids), std::end(ids), id) != std::end(ids); }
}  // namespace

CCeutamelDlg::CCeutamelDlg(const ui::AnnexArgs& args) : CAnnexRowsDlg(kTemplate, f::kBlockSize, kLayout, args) {}

void CCeutamelDlg::ZeroParts() { std::memset(Shown() + f::kParts, 0, f::kBlockSize - f::kParts); }

double CCeutamelDlg::Sum(blocks::F64 field) {
  double sum = 0.0;
  for (int r = 0; r < f::kRows; ++r) sum += field.get(Row(r));
  return sum;
}

void CCeutamelDlg::Recalculate() {
  annex::ScratchDeclaration scratch;
  if (!scratch.Valid()) return;
  const std::span<std::uint8_t> working(Shown(), f::kBlockSize);
  scratch.Put(f100::SectionO, f::o::kCeutaRows, working);
  Calculos100O(scratch(f100::SectionO), scratch(f100::SectionK), scratch(f100::Summary), scratch(f100::Personal),
               scratch(f100::Family), scratch(f100::SectionI), 3);
  scratch.Take(f100::SectionO, f::o::kCeutaRows, working);
  if (!doc::HouseholdHasSeveralHolders()) {
    f::GeneralPart(0).set(Shown(), 0.0);
    f::SpecialPart(0).set(Shown(), 0.0);
  }
}

void CCeutamelDlg::OnInitAnnex() {
  for (int r = 0; r < f::kRows; ++r) seen_[r] = f::General.get(Row(r));
  familyView_ = HolderModeByte() == ui::kFamilyUnit;
  if (!familyView_) {
    f::JointGeneral.set(Shown(), 0.0);
    f::JointSpecial.set(Shown(), 0.0);
    for (int id : {kJointGeneral, kJointSpecial})
      if (QWidget* w = GetDlgItem(id)) w->setEnabled(false);
  }
  if (shownMember != ui::kFamilyUnit && doc::HouseholdHasSeveralHolders()) ZeroParts();
}

int CCeutamelDlg::OnEditKillFocus(int id) {
  if (!CAnnexRowsDlg::OnEditKillFocus(id)) return 0;
  UpdateAll(true);
  const int row = GetRowOfControl(id);
  if (IsIn(kSpecial, id)) {
    if (familyView_) f::JointSpecial.set(Shown(), Sum(f::Special));
  } else if (IsIn(kGeneral, id)) {
    if (f::General.get(Row(row)) != seen_[row] && familyView_) {
      seen_[row] = f::General.get(Row(row));
      f::JointGeneral.set(Shown(), Sum(f::General));
    }
  } else if (IsIn(kHolders, id)) {
    if (GetRowOwner(0) == 0) f::JointGeneral.set(Shown(), 0.0);
    if (Sum(f::Special) == 0.0) f::JointSpecial.set(Shown(), 0.0);
  }
  Recalculate();
  UpdateAll(false);
  return 1;
}

int CCeutamelDlg::OnEditValueCleared(int id) {
  Recalculate();
  ZeroParts();
  UpdateAll(false);
  return 1;
}

int CCeutamelDlg::OnEditSetFocus(int id) {
  if (GetColumnOfControl(id) == 0)
    if (auto* legend = Item<QLabel>(kLegend)) legend->setText(GetHolderLegend());
  return 1;
}
