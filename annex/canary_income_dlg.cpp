#include "annex/canary_income_dlg.h"

#include <cstring>

#include "annex/scratch_declaration.h"
#include "tallyvex.h"

namespace {
using ui::Ctl;
namespace g = annex::bicoca;
namespace v = annex::resinvcan4;
using G = CBicocaDlg;
using V = CResinvcan4Dlg;

// The first liquidation pass on `s` (a copy of the declaration).
void RunFirstPass(annex::ScratchDeclaration& s) {
  Calculos100Li(s(f100::Summary), s(f100::SectionH), s(f100::SectionQ), s(f100::SectionB), s(f100::SectionF1),
                s(f100::SectionK), s(f100::SectionD), s(f100::SectionF2), s(f100::SectionE1), s(f100::SectionE4),
                s(f100::SectionE5), s(f100::SectionC), s(f100::SectionF3), s(f100::SectionF4), s(f100::SectionF5),
                s(f100::SectionG6), s(f100::SectionI), s(f100::SectionA), s(f100::SectionJ), s(f100::Result),
                s(f100::Family), 1);
}

bool MemberView(const CTemplateDlg& d) { return d.shownMember != ui::kFamilyUnit && doc::HouseholdHasSeveralHolders(); }

// ---- 233
constexpr int kPartsBox = 30351;
constexpr ui::ControlDef kControls233[] = {
    {.kind = Ctl::Static, .textId = 95614, .row = 0, .col = 0},
    {.id = 1120, .kind = Ctl::Static, .textId = 97271, .row = 0, .col = 1},
    {.id = G::kHolders[0], .kind = Ctl::Titular, .row = 1, .col = 0, .field = g::Holder},
    {.id = G::kIncome[0], .kind = Ctl::Money, .row = 1, .col = 1, .width = 8, .decimals = 2, .field = g::Income},
    {.id = G::kHolders[1], .kind = Ctl::Titular, .row = 2, .col = 0, .field = g::Holder},
    {.id = G::kIncome[1], .kind = Ctl::Money, .row = 2, .col = 1, .width = 8, .decimals = 2, .field = g::Income},
    {.id = G::kLegend, .kind = Ctl::Legend, .row = 3, .col = 0, .colSpan = 3},
    {.id = kPartsBox, .kind = Ctl::GroupBox, .textId = 97272, .row = 4, .col = 0, .colSpan = 3},
    {.kind = Ctl::Static, .textId = 91043, .row = 0, .col = 0, .group = kPartsBox},
    {.kind = Ctl::Static, .textId = 91022, .row = 0, .col = 1, .group = kPartsBox},
    {.kind = Ctl::Static, .textId = 91023, .row = 0, .col = 2, .group = kPartsBox},
    {.id = G::kParts[0], .kind = Ctl::Money, .row = 1, .col = 0, .group = kPartsBox, .width = 8, .decimals = 2,
     .field = g::Part(0), .options = ui::kOptDisabled},
    {.id = G::kParts[1], .kind = Ctl::Money, .row = 1, .col = 1, .group = kPartsBox, .width = 8, .decimals = 2,
     .field = g::Part(1), .options = ui::kOptDisabled},
    {.id = G::kParts[2], .kind = Ctl::Money, .row = 1, .col = 2, .group = kPartsBox, .width = 8, .decimals = 2,
     .field = g::Part(2), .options = ui::kOptDisabled},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 5, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 5, .col = 1},
};
constexpr int kCells233[] = {G::kHolders[0], G::kHolders[1], G::kIncome[0], G::kIncome[1]};
constexpr ui::DialogTemplate kTemplate233{.id = G::kId, .captionId = 97270, .controls = kControls233};
const HolderAmountSpec kSpec233{kTemplate233, g::kBlockSize,
                                {.rows = g::kRows, .columns = 2, .first = 0, .stride = g::kRowSize, .holder = 0,
                                 .cells = kCells233},
                                G::kLegend, nullptr, true};

// ---- 236
constexpr int kDeductionBox = 30352;
#define QX_MONEY(cid, r, c, fld) {.id = (cid), .kind = Ctl::Money, .row = (r), .col = (c), .width = 8, .decimals = 2, .field = (fld)}
#define QX_ROW(r)                                                                                              \
  {.id = V::kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = v::Holder},                  \
  QX_MONEY(V::kAllowance[r], (r) + 1, 1, v::Allowance), QX_MONEY(V::kIncome[r], (r) + 1, 2, v::CanaryIncome),  \
  QX_MONEY(V::kMaterialised[r], (r) + 1, 3, v::Materialised),                                                   \
  {.id = V::kKeys4[r], .kind = Ctl::Lista, .row = (r) + 1, .col = 4, .width = 1, .field = v::Key,               \
   .table = annex::resinvcan::kKeyTable},                                                                      \
  QX_MONEY(V::kPending[r], (r) + 1, 5, v::Pending)
#define QX_COMPUTED(cid, r, c, fld)                                                                              \
  {.id = (cid), .kind = Ctl::Money, .row = (r), .col = (c), .group = kDeductionBox, .width = 8, .decimals = 2,    \
   .field = (fld), .options = ui::kOptDisabled}
#define QX_RATE(cid, c, span, fld)                                                                               \
  {.id = (cid), .kind = Ctl::Double, .row = 2, .col = (c), .colSpan = (span), .group = kDeductionBox, .width = 2, \
   .decimals = 2, .field = (fld), .options = ui::kOptDisabled}
constexpr ui::ControlDef kControls236[] = {
    {.kind = Ctl::Static, .textId = 95614, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97281, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 97282, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 97283, .row = 0, .col = 3},
    {.kind = Ctl::Static, .textId = 97245, .row = 0, .col = 4},
    {.kind = Ctl::Static, .textId = 97284, .row = 0, .col = 5},
    QX_ROW(0), QX_ROW(1),
    {.id = V::kLegend, .kind = Ctl::Legend, .row = 3, .col = 0, .colSpan = 6},
    {.id = kDeductionBox, .kind = Ctl::GroupBox, .row = 4, .col = 0, .colSpan = 6},
    {.kind = Ctl::Static, .textId = 91043, .row = 0, .col = 1, .colSpan = 2, .group = kDeductionBox},
    {.kind = Ctl::Static, .textId = 91022, .row = 1, .col = 1, .group = kDeductionBox},
    {.kind = Ctl::Static, .textId = 91023, .row = 1, .col = 2, .group = kDeductionBox},
    {.kind = Ctl::Static, .textId = 91022, .row = 1, .col = 3, .group = kDeductionBox},
    {.kind = Ctl::Static, .textId = 91023, .row = 1, .col = 4, .group = kDeductionBox},
    {.kind = Ctl::Static, .textId = 97285, .row = 2, .col = 0, .group = kDeductionBox},
    QX_RATE(V::kRates[0], 1, 2, v::Rate(0)), QX_RATE(V::kRates[1], 3, 1, v::Rate(1)),
    QX_RATE(V::kRates[2], 4, 1, v::Rate(2)),
    {.kind = Ctl::Static, .textId = 97286, .row = 3, .col = 0, .group = kDeductionBox},
    QX_COMPUTED(V::kBeforeLimit[0], 3, 1, v::BeforeLimit(0)), QX_COMPUTED(V::kBeforeLimit[1], 3, 2, v::BeforeLimit(1)),
    QX_COMPUTED(V::kBeforeLimit[2], 3, 3, v::BeforeLimit(2)), QX_COMPUTED(V::kBeforeLimit[3], 3, 4, v::BeforeLimit(3)),
    {.kind = Ctl::Static, .textId = 97287, .row = 4, .col = 0, .group = kDeductionBox},
    QX_COMPUTED(V::kLimits[0], 4, 1, v::Limit(0)), QX_COMPUTED(V::kLimits[1], 4, 2, v::Limit(1)),
    QX_COMPUTED(V::kLimits[2], 4, 3, v::Limit(2)), QX_COMPUTED(V::kLimits[3], 4, 4, v::Limit(3)),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 5, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 5, .col = 1},
};
#undef QX_MONEY
#undef QX_ROW
#undef QX_COMPUTED
#undef QX_RATE
constexpr int kCells236[] = {V::kHolders[0],      V::kHolders[1],      V::kIncome[0], V::kIncome[1],
                             V::kAllowance[0],    V::kAllowance[1],    V::kMaterialised[0],
                             V::kMaterialised[1], V::kKeys4[0],        V::kKeys4[1],  V::kPending[0],
                             V::kPending[1]};
constexpr ui::DialogTemplate kTemplate236{.id = V::kId, .captionId = 97280, .controls = kControls236};
const HolderAmountSpec kSpec236{kTemplate236, v::kBlockSize,
                                {.rows = v::kRows, .columns = 6, .first = 0, .stride = v::kRowSize, .holder = 0,
                                 .cells = kCells236},
                                V::kLegend, nullptr};
}  // namespace

// ---------------------------------------------------------------- 233

CBicocaDlg::CBicocaDlg(const ui::AnnexArgs& args) : CHolderAmountDlg(kSpec233, args) {}

void CBicocaDlg::Recalculate() {
  annex::ScratchDeclaration scratch;
  if (!scratch.Valid()) return;
  const std::span<std::uint8_t> working(Shown(), g::kBlockSize);
  scratch.Put(f100::Summary, g::kSummaryOffset, working);
  RunFirstPass(scratch);
  scratch.Take(f100::Summary, g::kSummaryOffset, working);
  if (MemberView(*this)) std::memset(Shown() + g::kParts, 0, g::kBlockSize - g::kParts);
  else if (!doc::HouseholdHasSeveralHolders()) g::Part(0).set(Shown(), 0.0);
}

void CBicocaDlg::OnInitAnnex() { Recalculate(); }

int CBicocaDlg::OnEditKillFocus(int id) {
  if (!CHolderAmountDlg::OnEditKillFocus(id)) return 0;
  UpdateAll(true);
  Recalculate();
  UpdateAll(false);
  return 1;
}

int CBicocaDlg::OnEditValueCleared(int id) {
  Recalculate();
  std::memset(Shown() + g::kParts, 0, g::kBlockSize - g::kParts);
  UpdateAll(false);
  return 1;
}

// ---------------------------------------------------------------- 236

CResinvcan4Dlg::CResinvcan4Dlg(const ui::AnnexArgs& args) : CResinvcanBaseDlg(kSpec236, false, args) {}

void CResinvcan4Dlg::Recalculate() {
  annex::ScratchDeclaration scratch;
  if (!scratch.Valid()) return;
  std::memset(scratch.At(f100::SectionQ, v::kCopiedSection), 0, f100::SectionQ.size - v::kCopiedSection);
  const std::span<std::uint8_t> working(Shown(), v::kBlockSize);
  scratch.Put(f100::SectionQ, v::kSectionOffset, working);
  RunFirstPass(scratch);
  scratch.Take(f100::SectionQ, v::kSectionOffset, working);
  if (MemberView(*this)) {
    std::memset(Shown() + v::kComputed, 0, v::kBlockSize - v::kComputed);
  } else if (!doc::HouseholdHasSeveralHolders()) {
    for (blocks::F64 joint : {v::Rate(0), v::BeforeLimit(0), v::BeforeLimit(1), v::Limit(0), v::Limit(1)})
      joint.set(Shown(), 0.0);
  }
}

void CResinvcan4Dlg::OnInitAnnex() {
  std::memset(Shown() + v::kComputed, 0, v::kBlockSize - v::kComputed);
  Recalculate();
}

int CResinvcan4Dlg::OnEditKillFocus(int id) {
  if (!CResinvcanBaseDlg::OnEditKillFocus(id)) return 0;
  UpdateAll(true);
  Recalculate();
  UpdateAll(false);
  return 1;
}

int CResinvcan4Dlg::OnEditValueCleared(int id) {
  Recalculate();
  std::memset(Shown() + v::kComputed, 0, v::kBlockSize - v::kComputed);
  UpdateAll(false);
  return 1;
}
