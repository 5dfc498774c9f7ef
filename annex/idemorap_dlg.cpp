#include "annex/idemorap_dlg.h"

#include <QLabel>

#include <cstring>

#include "annex/calculo_intereses_demora_dlg.h"
#include "platform/icons.h"
#include "ui/owner_draw_button.h"

namespace {
using ui::Ctl;
namespace im = annex::idemorap;
namespace in = annex::interest;
using C = CLateInterestRowsDlg;

constexpr blocks::U8 Holder{0};

// CIdemorap2Dlg: 1997-2001 at +8 (breakdown +16, year mode 2), 2002 at +416 (breakdown +424, mode 4).
constexpr im::Amount kTwoAmounts[] = {{blocks::F64{8}, 16, {1495, 1498, 1500}, 2},
                                      {blocks::F64{416}, 424, {1496, 1499, 1501}, 4}};
constexpr int kTwoCells[] = {C::kHolders[0], C::kHolders[1], C::kHolders[2], CIdemorap2Dlg::kEarlier[0],
                             CIdemorap2Dlg::kEarlier[1], CIdemorap2Dlg::kEarlier[2], CIdemorap2Dlg::k2002[0],
                             CIdemorap2Dlg::k2002[1], CIdemorap2Dlg::k2002[2]};
constexpr ui::RowLayout kTwoLayout{.rows = im::kRows, .columns = 3, .first = 0, .stride = CIdemorap2Dlg::kRowSize,
                                   .holder = 0, .cells = kTwoCells};
#define QX_ROW2(r)                                                                                               \
  {.id = C::kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = Holder},                       \
  {.id = CIdemorap2Dlg::kEarlier[r], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .width = 8, .decimals = 2,    \
   .field = kTwoAmounts[0].interest},                                                                            \
  {.id = kTwoAmounts[0].buttons[r], .kind = Ctl::Button, .row = (r) + 1, .col = 2},                              \
  {.id = CIdemorap2Dlg::k2002[r], .kind = Ctl::Money, .row = (r) + 1, .col = 3, .width = 8, .decimals = 2,       \
   .field = kTwoAmounts[1].interest},                                                                            \
  {.id = kTwoAmounts[1].buttons[r], .kind = Ctl::Button, .row = (r) + 1, .col = 4}
constexpr ui::ControlDef kTwoControls[] = {
    {.kind = Ctl::Static, .textId = 97861, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97862, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 97863, .row = 0, .col = 3},
    QX_ROW2(0), QX_ROW2(1), QX_ROW2(2),
    {.id = C::kPrompt, .kind = Ctl::Legend, .row = 4, .col = 0, .colSpan = 5},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 5, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 5, .col = 2, .colSpan = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 5, .col = 4},
};
#undef QX_ROW2
constexpr ui::DialogTemplate kTwoTemplate{.id = CIdemorap2Dlg::kId, .captionId = 97860, .controls = kTwoControls,
                                          .helpTopic = 490};

// CIdemorapDlg: one interest at +8, its breakdown at +16, the launcher's index as year mode.
constexpr im::Amount kOneAmount[] = {{blocks::F64{8}, 16, {1495, 1498, 1500}, 0}};
constexpr int kOneCells[] = {C::kHolders[0], C::kHolders[1], C::kHolders[2], CIdemorapDlg::kInterest[0],
                             CIdemorapDlg::kInterest[1], CIdemorapDlg::kInterest[2]};
constexpr ui::RowLayout kOneLayout{.rows = im::kRows, .columns = 2, .first = 0, .stride = CIdemorapDlg::kRowSize,
                                   .holder = 0, .cells = kOneCells};
#define QX_ROW1(r)                                                                                               \
  {.id = C::kHolders[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = Holder},                       \
  {.id = CIdemorapDlg::kInterest[r], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .width = 8, .decimals = 2,    \
   .field = kOneAmount[0].interest},                                                                             \
  {.id = kOneAmount[0].buttons[r], .kind = Ctl::Button, .row = (r) + 1, .col = 2}
constexpr ui::ControlDef kOneControls[] = {
    {.kind = Ctl::Static, .textId = 97861, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97865, .row = 0, .col = 1},
    QX_ROW1(0), QX_ROW1(1), QX_ROW1(2),
    {.id = C::kPrompt, .kind = Ctl::Legend, .row = 4, .col = 0, .colSpan = 3},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 5, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 5, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 5, .col = 2},
};
#undef QX_ROW1
constexpr ui::DialogTemplate kOneTemplate{.id = CIdemorapDlg::kId, .captionId = 97864, .controls = kOneControls,
                                          .helpTopic = 490};
}  // namespace

C::CLateInterestRowsDlg(const ui::DialogTemplate& tmpl, std::size_t rowSize, const ui::RowLayout& layout,
                        std::span<const im::Amount> amounts, const ui::AnnexArgs& args)
    : CAnnexRowsDlg(tmpl, rowSize * im::kRows, layout, args), rowSize_(rowSize), amounts_(amounts) {}

CIdemorap2Dlg::CIdemorap2Dlg(const ui::AnnexArgs& args)
    : CLateInterestRowsDlg(kTwoTemplate, kRowSize, kTwoLayout, kTwoAmounts, args) {}

CIdemorapDlg::CIdemorapDlg(const ui::AnnexArgs& args)
    : CLateInterestRowsDlg(kOneTemplate, kRowSize, kOneLayout, kOneAmount, args) {}

void C::OnInitAnnex() {
  for (const im::Amount& a : amounts_)
    for (int id : a.buttons)
      if (auto* b = dynamic_cast<COwnerDrawButton*>(GetDlgItem(id))) b->SetIcon(platform::kIconInformation, platform::kIconInformation, 32, 32);
}

// The breakdowns go with their interests.
void C::ClearRowControls(int row) {
  CAnnexRowsDlg::ClearRowControls(row);
  for (const im::Amount& a : amounts_) std::memset(Row(row) + a.breakdown, 0, in::kRecordSize);
}

void C::MoveRow(int destination, int source) {
  CAnnexRowsDlg::MoveRow(destination, source);
  if (destination == source || destination < 0 || source < 0 || destination >= im::kRows || source >= im::kRows) return;
  for (const im::Amount& a : amounts_) std::memmove(Row(destination) + a.breakdown, Row(source) + a.breakdown, in::kRecordSize);
}

int C::OpenBreakdown(int button, const std::function<int(QDialog&)>& run) {
  for (const im::Amount& a : amounts_)
    for (int r = 0; r < im::kRows; ++r) {
      if (a.buttons[r] != button) continue;
      const int owner = GetRowOwner(r);
      if (owner == 0) return 0;
      CCalculoInteresesDemoraDlg calc(this);
      std::memcpy(calc.AnnexBlock().data(), Row(r) + a.breakdown, in::kRecordSize);
      calc.holder = static_cast<std::uint8_t>(owner);
      calc.yearMode = a.yearMode != 0 ? a.yearMode : index;
      calc.EnsureCreated();
      const int result = run ? run(calc) : calc.DoModal();
      if (result == ui::IDOK) {
        std::memcpy(Row(r) + a.breakdown, calc.AnnexBlock().data(), in::kRecordSize);
        a.interest.set(Row(r), in::Total.get(calc.AnnexBlock().data()));
        UpdateAll(false);
      }
      setEnabled(true);
      return result;
    }
  return 0;
}

bool C::OnButton(int id) {
  for (const im::Amount& a : amounts_)
    for (int b : a.buttons)
      if (b == id) {
        OpenBreakdown(id);
        return true;
      }
  return false;
}

int C::OnEditSetFocus(int id) {
  if (auto* prompt = Item<QLabel>(kPrompt)) {
    if (GetColumnOfControl(id) == 0) prompt->setText(GetHolderLegend());
    else prompt->clear();
  }
  return 1;
}
