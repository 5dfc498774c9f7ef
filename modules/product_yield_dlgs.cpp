#include "modules/product_yield_dlgs.h"

#include <QLabel>

#include "blocks/rounding.h"
#include "modules/module_value_strings.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/edit_ex.h"
#include "ui/messages.h"

namespace modules {

namespace {

using ui::Ctl;
namespace sid = string_id;

constexpr unsigned kIndexAt = 8, kNetAt = 16;
constexpr unsigned kOptFixed = ui::kOptDisabled | ui::kOptReadOnly;

constexpr ui::ControlDef Income(int row, const YieldLine& l) {
  return {.id = l.income, .kind = Ctl::Money, .row = row, .col = 0, .width = 9, .decimals = 2,
          .field = blocks::F64{l.at}};
}
constexpr ui::ControlDef Index(int row, const YieldLine& l, bool fixed) {
  return {.id = l.index, .kind = Ctl::Double, .row = row, .col = 1, .width = 1, .decimals = 3,
          .field = blocks::F64{l.at + kIndexAt}, .options = fixed ? kOptFixed : 0u};
}
constexpr ui::ControlDef Net(int row, const YieldLine& l) {
  return {.id = l.net, .kind = Ctl::Money, .row = row, .col = 2, .width = 9, .decimals = 2,
          .field = blocks::F64{l.at + kNetAt}, .options = kOptFixed};
}
constexpr ui::ControlDef Text(int textId, int row, int col = 0, int span = 1, int id = 0) {
  return {.id = id, .kind = Ctl::Static, .textId = textId, .row = row, .col = col, .colSpan = span};
}
constexpr ui::ControlDef TotalEdit(const YieldTotal& t, int row) {
  return {.id = t.id, .kind = Ctl::Money, .row = row, .col = 2, .width = 9, .decimals = 2,
          .field = blocks::F64{t.at}, .options = kOptFixed};
}
#define QX_HEADINGS(r)                                                                            \
  Text(sid::kIncomeHeading, r, 0), Text(sid::kIndexHeading, r, 1, 1, CRestoProductosTierrasDlg::kIndexHeading), \
      Text(sid::kNetYieldHeading, r, 2)
#define QX_FIRST_LINE(r, l) Income(r, l), Index(r, l, true), Net(r, l)
#define QX_LINE(r, l) Income(r, l), Index(r, l, false), Net(r, l)
#define QX_END(r)                                                                             \
  {.id = CProductYieldDlgBase::kHint, .kind = Ctl::Legend, .row = r, .col = 0, .colSpan = 3}, \
      {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = r + 1, .col = 0},  \
      {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = r + 1, .col = 1}

constexpr int N = -1;

// ---------------------------------------------------------------- "PRODUCTO 1"

constexpr YieldLine kProduct1Lines[] = {{800, 482, 566, 0},    {1533, 779, 887, 24}, {1869, 1183, 751, 48},
                                        {1871, 1208, 899, 72}, {746, 818, 927, 96},  {763, 842, 941, 120}};
constexpr IndexChain kProduct1Chains[] = {{{779, N, N, N, N, N, N}, {1, 3, 5, N, N, N}},
                                          {{1208, N, N, N, N, N, N}, {3, 5, N, N, N, N}},
                                          {{842, N, N, N, N, N, N}, {5, N, N, N, N, N}}};
constexpr unsigned kProduct1Record[] = {0, 24, 48, 72, 96, 120};
constexpr int kProduct1Fixed[] = {8, 56, 104};
constexpr YieldShape kProduct1{CProducto1Dlg::kRecordSize, kProduct1Lines, {}, kProduct1Chains, kProduct1Record,
                               kProduct1Fixed};
constexpr ui::ControlDef kProduct1Controls[] = {
    QX_HEADINGS(0),
    Text(sid::kExtensivePigs, 1, 0, 3),
    QX_FIRST_LINE(2, kProduct1Lines[0]),
    QX_LINE(3, kProduct1Lines[1]),
    Text(sid::kIntensivePigs, 4, 0, 3),
    QX_FIRST_LINE(5, kProduct1Lines[2]),
    QX_LINE(6, kProduct1Lines[3]),
    Text(sid::kPoultry, 7, 0, 3),
    QX_FIRST_LINE(8, kProduct1Lines[4]),
    QX_LINE(9, kProduct1Lines[5]),
    QX_END(10),
};
constexpr ui::DialogTemplate kProduct1Template{.id = CProducto1Dlg::kId, .captionId = sid::kProduct1Caption,
                                               .controls = kProduct1Controls};

// ---------------------------------------------------------------- "resto productos"

// The one-block lines, laid at `base` of the record; the block total at `total`.
constexpr std::array<YieldLine, 3> BlockLines(unsigned base) {
  return {{{1809, 655, 877, base}, {1811, 701, 933, base + 24}, {1820, 768, 974, base + 48}}};
}
constexpr auto kRestLines = BlockLines(0);
constexpr auto kKey9Lines = BlockLines(80);
constexpr YieldTotal kRestTotals[] = {{1018, 72, 0, 2}};
constexpr YieldTotal kKey9Totals[] = {{1018, 160, 0, 2}};
constexpr IndexChain kRestChains[] = {{{655, N, N, N, N, N, N}, {0, 1, 2, N, N, N}},
                                      {{701, N, N, N, N, N, N}, {1, 2, N, N, N, N}},
                                      {{768, N, N, N, N, N, N}, {2, N, N, N, N, N}}};
constexpr unsigned kOneBlockRecord[] = {0, 24, 48};
constexpr unsigned kTwoBlockRecord[] = {0, 24, 48, 80, 104, 128};
constexpr int kOneBlockFixed[] = {8};
constexpr int kTwoBlockFixed[] = {8, 88};
constexpr YieldShape kRest{CRestoProductosDlg::kRecordSize, kRestLines, kRestTotals, kRestChains, kOneBlockRecord,
                           kOneBlockFixed};
constexpr YieldShape kKey9{CRestoProductosClave9Dlg::kRecordSize, kKey9Lines, kKey9Totals, kRestChains,
                           kTwoBlockRecord, kTwoBlockFixed};

#define QX_ONE_BLOCK(lines, total)                                                                 \
  QX_HEADINGS(0), QX_FIRST_LINE(1, lines[0]), QX_LINE(2, lines[1]), QX_LINE(3, lines[2]), \
      Text(sid::kTotal, 4, 1), TotalEdit(total, 4), QX_END(5)
constexpr ui::ControlDef kRestControls[] = {QX_ONE_BLOCK(kRestLines, kRestTotals[0])};
constexpr ui::ControlDef kKey9Controls[] = {QX_ONE_BLOCK(kKey9Lines, kKey9Totals[0])};
#undef QX_ONE_BLOCK
constexpr ui::DialogTemplate kRestTemplate{.id = CRestoProductosDlg::kId, .captionId = sid::kOtherProductsCaption,
                                           .controls = kRestControls};
constexpr ui::DialogTemplate kKey9Template{.id = CRestoProductosClave9Dlg::kId,
                                           .captionId = sid::kOtherProductsCaption, .controls = kKey9Controls};

// ---------------------------------------------------------------- own and leased lands

constexpr YieldLine kLandLines[] = {{1413, 1416, 1419, 0},   {1414, 1417, 1420, 24}, {1415, 1418, 1421, 48},
                                    {1815, 662, 880, 80},    {1819, 706, 937, 104},  {1824, 774, 979, 128}};
constexpr YieldTotal kLandTotals[] = {{1422, 72, 0, 2}, {1022, 152, 3, 5}, {1018, 160, N, N}};
constexpr IndexChain kLandChains[] = {
    {{774, N, N, N, N, N, N}, {5, 4, 3, 2, 1, 0}},
    {{706, N, N, N, N, N, N}, {4, 3, 2, 1, 0, N}},
    {{662, N, N, N, N, N, N}, {3, 2, 1, 0, N, N}},
    {{1418, 1413, 1414, 1415, 1815, 1819, 1824}, {2, 1, 0, N, N, N}},
    {{1417, N, N, N, N, N, N}, {1, 0, N, N, N, N}},
    {{1416, N, N, N, N, N, N}, {0, N, N, N, N, N}},
};
constexpr YieldShape kLands{CRestoProductosTierrasDlg::kRecordSize, kLandLines, kLandTotals, kLandChains,
                            kTwoBlockRecord, kTwoBlockFixed};
constexpr ui::ControlDef kLandControls[] = {
    Text(sid::kOwnLands, 0, 0, 3),
    QX_HEADINGS(1),
    {.id = CRestoProductosTierrasDlg::kReducedIndexHeading, .kind = Ctl::Static, .textId = sid::kReducedIndexHeading,
     .row = 1, .col = 1, .hidden = true},
    QX_FIRST_LINE(2, kLandLines[0]),
    QX_LINE(3, kLandLines[1]),
    QX_LINE(4, kLandLines[2]),
    Text(sid::kOwnLandsTotal, 5, 0, 2),
    TotalEdit(kLandTotals[0], 5),
    Text(sid::kLeasedLands, 6, 0, 3),
    QX_FIRST_LINE(7, kLandLines[3]),
    QX_LINE(8, kLandLines[4]),
    QX_LINE(9, kLandLines[5]),
    Text(sid::kLeasedLandsTotal, 10, 0, 2),
    TotalEdit(kLandTotals[1], 10),
    Text(sid::kYieldTotal, 11, 0, 2),
    TotalEdit(kLandTotals[2], 11),
    QX_END(12),
};
constexpr ui::DialogTemplate kLandTemplate{.id = CRestoProductosTierrasDlg::kId,
                                           .captionId = sid::kOtherProductsCaption, .controls = kLandControls};
#undef QX_HEADINGS
#undef QX_FIRST_LINE
#undef QX_LINE
#undef QX_END

}  // namespace

CProductYieldDlgBase::CProductYieldDlgBase(const ui::DialogTemplate& tmpl, const YieldShape& shape, QWidget* parent)
    : CWorkingRecordDlg(tmpl, shape.size, ui::AnnexArgs{parent}), shape_(shape) {}

void CProductYieldDlgBase::SetNetYieldIndex(double index) {
  for (int at : shape_.fixedIndexes) blocks::F64{static_cast<std::size_t>(at)}.set(Data(), index);
}

void CProductYieldDlgBase::OnInitAnnex() {
  if (auto* hint = qobject_cast<QLabel*>(GetDlgItem(kHint)))
    hint->setText(HintId() ? platform::LoadString(HintId()) : QString());
}

bool CProductYieldDlgBase::IsIncome(int id) const {
  for (const YieldLine& l : shape_.lines)
    if (l.income == id) return true;
  return false;
}

bool CProductYieldDlgBase::CheckIndexes(const IndexChain& chain) {
  for (int line : chain.lines) {
    if (line < 0) break;
    const YieldLine& l = shape_.lines[static_cast<std::size_t>(line)];
    const blocks::F64 index{l.at + kIndexAt};
    if (index.get(Data()) < blocks::RoundToDecimals(1, 2)) continue;
    ui::ShowMessage(this, QStringLiteral("WIN028"), platform::kIconHand);
    index.set(Data(), 0.0);
    if (CEditEx* e = Edit(l.index)) {
      e->LoadFromData(1);
      e->setFocus();
    }
    return false;
  }
  return true;
}

void CProductYieldDlgBase::Compute() {
  std::uint8_t* rec = Data();
  for (const YieldLine& l : shape_.lines) {
    const double yield = blocks::RoundToDecimals(blocks::F64{l.at + kIndexAt}.get(rec) * blocks::F64{l.at}.get(rec), 2);
    blocks::F64{l.at + kNetAt}.set(rec, yield);
  }
  double earlier = 0;
  for (const YieldTotal& t : shape_.totals) {
    double sum = 0;
    if (t.from < 0) {
      sum = earlier;
    } else {
      for (int i = t.from; i <= t.to; ++i)
        sum += blocks::F64{shape_.lines[static_cast<std::size_t>(i)].at + kNetAt}.get(rec);
      earlier += sum;
    }
    blocks::F64{t.at}.set(rec, sum);
  }
  UpdateAll(false);
}

int CProductYieldDlgBase::OnEditKillFocus(int id) {
  if (Closing()) return 1;
  for (const IndexChain& chain : shape_.chains)
    for (int from : chain.from)
      if (from == id) {
        if (!CheckIndexes(chain)) return 0;
        Compute();
        return 1;
      }
  if (!IsIncome(id)) return 1;
  Compute();
  return 1;
}

bool CProductYieldDlgBase::ValidateOK() {
  for (unsigned at : shape_.cleared)
    if (blocks::F64{at + kNetAt}.get(Data()) == 0) blocks::F64{at + kIndexAt}.set(Data(), 0.0);
  UpdateAll(false);
  return true;
}

CProducto1Dlg::CProducto1Dlg(QWidget* parent) : CProductYieldDlgBase(kProduct1Template, kProduct1, parent) {}

CRestoProductosDlg::CRestoProductosDlg(QWidget* parent) : CProductYieldDlgBase(kRestTemplate, kRest, parent) {}

int CRestoProductosDlg::HintId() const { return product_ == 7 && activity_ != 7 ? sid::kBreedingPigsHint : 0; }

CRestoProductosTierrasDlg::CRestoProductosTierrasDlg(QWidget* parent)
    : CProductYieldDlgBase(kLandTemplate, kLands, parent) {}

int CRestoProductosTierrasDlg::HintId() const {
  return product_ == 8 && activity_ != 7 && activity_ != 6 && activity_ != 2 ? sid::kRicePotatoHint : 0;
}

void CRestoProductosTierrasDlg::OnInitAnnex() {
  CProductYieldDlgBase::OnInitAnnex();
  if (QWidget* w = GetDlgItem(kIndexHeading)) w->setVisible(true);
  if (QWidget* w = GetDlgItem(kReducedIndexHeading)) w->setVisible(false);
}

CRestoProductosClave9Dlg::CRestoProductosClave9Dlg(QWidget* parent)
    : CProductYieldDlgBase(kKey9Template, kKey9, parent) {}

}  // namespace modules
