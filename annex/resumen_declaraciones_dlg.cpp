#include "annex/resumen_declaraciones_dlg.h"

#include "blocks/form100.h"
#include "blocks/form100_k.h"
#include "blocks/form100_l.h"
#include "blocks/form100_liquidation.h"
#include "blocks/form100_result.h"
#include "data/doc/document.h"
#include "ui/double_edit.h"
#include "ui/session.h"

namespace {
using ui::Ctl;

// Vectors of Form100Data (absolute offsets) that the summary reads.
constexpr std::size_t At(const blocks::RecordDef& r, blocks::Vec5 v) { return r.offset + v.off; }
constexpr std::size_t kGeneralBase = At(f100::SectionK, f100::sec_k::GeneralLiquidable);
constexpr std::size_t kSpecialBase = At(f100::SectionK, f100::sec_k::SpecialLiquidable);
constexpr std::size_t kStateQuota = At(f100::Summary, f100::summary::StateGrossQuota);
constexpr std::size_t kRegionalQuota = At(f100::Summary, f100::summary::RegionalGrossQuota);
constexpr std::size_t kResultingQuota = At(f100::Summary, f100::summary::ResultingQuota);
constexpr std::size_t kPayments = At(f100::Summary, f100::summary::PaymentsOnAccount);
constexpr std::size_t kResult = At(f100::Summary, f100::summary::DeclarationResult);
static_assert(kGeneralBase == 65368 && kSpecialBase == 65648 && kStateQuota == 66136 && kRegionalQuota == 66176 &&
              kResultingQuota == 74368 && kPayments == 74968 && kResult == 75576);

// The deduction vectors of the summary record: the state part sums thirteen, the regional part
// fifteen; the one at 66936 counts in both.
constexpr std::size_t kStateParts[] = {66216, 66296, 66376, 66456, 66536, 66616, 66696,
                                       66776, 66856, 66936, 67016, 67152, 67232};
constexpr std::size_t kRegionalParts[] = {66256, 66336, 66416, 66496, 66576, 66656, 66736, 66816,
                                          66896, 66936, 66976, 67112, 67192, 67272, 67312};

// The members' community codes: "99" keeps a column blank.
constexpr blocks::Text kMemberCode[5] = {{124, 2}, {156, 2}, {188, 2}, {220, 2}, {252, 2}};  // 32 bytes apart
constexpr blocks::U8 kOpenOnFamilyUnit = f100::personal::OpenOnFamilyUnit;
constexpr blocks::U8 kSpouseSeparateAddress{2358};

constexpr int kIds[9][5] = {{1644, 1626, 1608, 1559, 1692}, {1645, 1628, 1610, 1563, 1700},
                            {1649, 1630, 1613, 1571, 1695}, {1653, 1633, 1616, 1579, 1375},
                            {1655, 1657, 1660, 1663, 1667}, {1656, 1658, 1661, 1664, 1668},
                            {1665, 1636, 1620, 1589, 1697}, {1671, 1639, 1623, 1599, 1699},
                            {1684, 1682, 1680, 1678, 1675}};
// Rows 4 and 5 (0-based) are the computed ones.
constexpr std::size_t kRowVector[9] = {kGeneralBase, kSpecialBase, kStateQuota, kRegionalQuota, 0, 0,
                                       kResultingQuota, kPayments, kResult};

#define QX_CELL(r, c) \
  {.id = kIds[r][c], .kind = Ctl::Money, .row = (r) + 1 + ((r) >= 4 ? 1 : 0), .col = (c) + 1, .width = 8, .decimals = 2, \
   .options = ui::kOptDisabled}
#define QX_ROW(r) QX_CELL(r, 0), QX_CELL(r, 1), QX_CELL(r, 2), QX_CELL(r, 3), QX_CELL(r, 4)

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 91021, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 91022, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 91023, .row = 0, .col = 3},
    {.kind = Ctl::Static, .textId = 91024, .row = 0, .col = 4},
    {.kind = Ctl::Static, .textId = 91025, .row = 0, .col = 5},
    {.kind = Ctl::Static, .textId = 91026, .row = 1, .col = 0},
    {.kind = Ctl::Static, .textId = 91027, .row = 2, .col = 0},
    {.kind = Ctl::Static, .textId = 91028, .row = 3, .col = 0},
    {.kind = Ctl::Static, .textId = 91029, .row = 4, .col = 0},
    {.kind = Ctl::Static, .textId = 91030, .row = 5, .col = 0},
    {.kind = Ctl::Static, .textId = 91031, .row = 6, .col = 0},
    {.kind = Ctl::Static, .textId = 91032, .row = 7, .col = 0},
    {.kind = Ctl::Static, .textId = 91033, .row = 8, .col = 0},
    {.kind = Ctl::Static, .textId = 91034, .row = 9, .col = 0},
    {.kind = Ctl::Static, .textId = 91035, .row = 10, .col = 0},
    QX_ROW(0), QX_ROW(1), QX_ROW(2), QX_ROW(3), QX_ROW(4), QX_ROW(5), QX_ROW(6), QX_ROW(7), QX_ROW(8),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 11, .col = 5},
};
#undef QX_ROW
#undef QX_CELL
constexpr ui::DialogTemplate kTemplate{.id = CResumenDeclaracionesDlg::kId, .captionId = 91020, .controls = kControls};

bool Is99(std::span<const std::uint8_t> block, int member) {
  return kMemberCode[member].raw(block.data()) == "99";
}
}  // namespace

CResumenDeclaracionesDlg::CResumenDeclaracionesDlg(doc::CProg32Doc& document, QWidget* parent)
    : CTemplateDlg(kTemplate, parent), doc_(document) {}

int CResumenDeclaracionesDlg::ControlAt(int row, int column) {
  return row >= 0 && row < kRows && column >= 0 && column < kColumns ? kIds[row][column] : 0;
}

double CResumenDeclaracionesDlg::StateDeduction(int c) const { return blocks::F64{0}(static_cast<std::size_t>(c)).get(state_.data()); }
double CResumenDeclaracionesDlg::RegionalDeduction(int c) const {
  return blocks::F64{0}(static_cast<std::size_t>(c)).get(regional_.data());
}

void CResumenDeclaracionesDlg::ComputeDeductions() {
  const std::span<std::uint8_t> block = doc_.Block();
  const bool spouseAlone = kSpouseSeparateAddress.get(block.data()) == 1;
  for (int c = 0; c < kColumns; ++c) {
    double state = 0.0, regional = 0.0;
    for (std::size_t off : kStateParts) state += blocks::Vec5{off}.get(block.data(), c);
    for (std::size_t off : kRegionalParts) regional += blocks::Vec5{off}.get(block.data(), c);
    if ((c == 0 && !doc::HouseholdHasSeveralHolders()) || (c == 2 && spouseAlone)) state = regional = 0.0;
    blocks::F64{0}(static_cast<std::size_t>(c)).set(state_.data(), state);
    blocks::F64{0}(static_cast<std::size_t>(c)).set(regional_.data(), regional);
  }
}

void CResumenDeclaracionesDlg::BindColumn(int c) {
  std::uint8_t* block = doc_.Block().data();
  for (int r = 0; r < kRows; ++r) {
    CEditEx* e = Edit(kIds[r][c]);
    if (!e) continue;
    if (r == 4) e->BindData(state_.data() + 8 * c);
    else if (r == 5) e->BindData(regional_.data() + 8 * c);
    else e->BindData(block + kRowVector[r] + 8u * static_cast<std::size_t>(c));
  }
}

void CResumenDeclaracionesDlg::BlankColumn(int c) {
  for (int r = 0; r < kRows; ++r)
    if (CEditEx* e = Edit(kIds[r][c])) {
      e->BindData(nullptr);
      e->setText(QString());
    }
}

void CResumenDeclaracionesDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  doc_.Calculate(1);
  ComputeDeductions();
  const std::span<std::uint8_t> block = doc_.Block();
  if (doc::HouseholdHasSeveralHolders() && !Is99(block, 0)) BindColumn(0);
  BindColumn(1);
  if (!Is99(block, 2)) {
    BindColumn(2);
  } else if (kOpenOnFamilyUnit.get(block.data()) == 0) {
    BlankColumn(0);
  }
  if (!Is99(block, 3)) BindColumn(3);
  if (!Is99(block, 4)) BindColumn(4);
  if (kSpouseSeparateAddress.get(block.data()) == 1) {
    BlankColumn(2);
    BlankColumn(0);
  }
  CTemplatePropPg::UpdateChildControls(this, false);
}
