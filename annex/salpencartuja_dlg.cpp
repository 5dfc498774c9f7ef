#include "annex/salpencartuja_dlg.h"

#include <cstring>

#include "data/doc/active_declaration.h"

namespace {
using ui::Ctl;
namespace f = annex::salpencartuja;
using D = CSalpencartujaDlg;

constexpr int kHolders[f::kRecords] = {1303, 1322, 1342, 1382};
constexpr int kAmounts[f::kRecords][f::kYears] = {
    {24627, 24628, 2214, 2215}, {24629, 24630, 2216, 2217}, {423, 426, 420, 424}, {421, 425, 428, 427}};
constexpr int kYearText[f::kYears] = {95234, 95235, 351, 352};

// Records side by side (grid columns 1 to 4), the fields stacked under each pair's heading.
constexpr std::size_t kControlCount = 2 + 1 + f::kYears + f::kRecords * (1 + f::kYears) + 2;
constexpr std::array<ui::ControlDef, kControlCount> MakeControls() {
  std::array<ui::ControlDef, kControlCount> c{};
  std::size_t n = 0;
  c[n++] = {.kind = Ctl::Static, .textId = 95240, .row = 0, .col = 1, .colSpan = 2};
  c[n++] = {.kind = Ctl::Static, .textId = 95241, .row = 0, .col = 3, .colSpan = 2};
  c[n++] = {.kind = Ctl::Static, .textId = 95202, .row = 1, .col = 0};
  for (int y = 0; y < f::kYears; ++y) c[n++] = {.kind = Ctl::Static, .textId = kYearText[y], .row = y + 2, .col = 0};
  for (int k = 0; k < f::kRecords; ++k) {
    c[n++] = {.id = kHolders[k], .kind = Ctl::Titular, .row = 1, .col = k + 1,
              .field = blocks::U8{f::Holder.off + f::kRecordSize * k}};
    for (int y = 0; y < f::kYears; ++y)
      c[n++] = {.id = kAmounts[k][y], .kind = Ctl::Money, .row = y + 2, .col = k + 1, .width = 8, .decimals = 2,
                .field = blocks::F64{f::Year(y).off + f::kRecordSize * k}};
  }
  c[n++] = {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 3};
  c[n++] = {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 6, .col = 4};
  return c;
}
constexpr std::array<ui::ControlDef, kControlCount> kControls = MakeControls();
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 95239, .controls = kControls};
}  // namespace

CSalpencartujaDlg::CSalpencartujaDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

int CSalpencartujaDlg::HolderCell(int record) { return kHolders[record]; }
int CSalpencartujaDlg::AmountCell(int record, int year) { return kAmounts[record][year]; }

void CSalpencartujaDlg::EnableAmounts(int record, bool on) {
  for (int id : kAmounts[record])
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(on);
}

void CSalpencartujaDlg::ClearRecord(int record) { std::memset(Record(record), 0, f::kRecordSize); }

void CSalpencartujaDlg::MoveSecondIntoFirst(int pair) {
  std::memcpy(Record(2 * pair), Record(2 * pair + 1), f::kRecordSize);
  ClearRecord(2 * pair + 1);
}

void CSalpencartujaDlg::EnableByHolders() {
  for (int pair = 0; pair < 2; ++pair) {
    const int first = 2 * pair, second = first + 1;
    const bool firstUsed = f::Holder.get(Record(first)) != 0;
    if (QWidget* w = GetDlgItem(kHolders[second])) w->setEnabled(firstUsed);
    EnableAmounts(first, firstUsed);
    EnableAmounts(second, firstUsed && f::Holder.get(Record(second)) != 0);
  }
}

void CSalpencartujaDlg::AdjustToShownMember() {
  const int member = doc::ShownMember();
  if (member != doc::kDeclarant && member != doc::kSpouse) {
    std::memset(Data(), 0, f::kBlockSize);
    return;
  }
  const int other = member == doc::kDeclarant ? doc::kSpouse : doc::kDeclarant;
  for (int pair = 0; pair < 2; ++pair) {
    const int first = 2 * pair, second = first + 1;
    if (f::Holder.get(Record(first)) == other) {
      if (f::Holder.get(Record(second)) == member) MoveSecondIntoFirst(pair);
      else ClearRecord(first);
    }
    if (f::Holder.get(Record(second)) == other) ClearRecord(second);
  }
}

void CSalpencartujaDlg::OnInitAnnex() {
  if (shownMember != doc::kFamilyUnit && doc::HouseholdHasSeveralHolders()) {
    AdjustToShownMember();
    for (const ui::ControlDef& d : kControls)
      if (d.field.Bound())
        if (QWidget* w = GetDlgItem(d.id)) w->setEnabled(false);
    return;
  }
  EnableByHolders();
}

int CSalpencartujaDlg::OnEditValueChanged(int id) {
  for (int pair = 0; pair < 2; ++pair) {
    const int first = 2 * pair, second = first + 1;
    if (id == kHolders[first]) {
      if (f::Holder.get(Record(first)) != 0) {
        EnableByHolders();
      } else {
        ClearRecord(first);
        if (QWidget* w = GetDlgItem(kHolders[second])) w->setEnabled(false);
        EnableAmounts(first, false);
        if (f::Holder.get(Record(second)) != 0) {
          MoveSecondIntoFirst(pair);
          EnableAmounts(first, true);
        }
        EnableAmounts(second, false);
      }
    } else if (id == kHolders[second]) {
      const bool used = f::Holder.get(Record(second)) != 0;
      if (!used) ClearRecord(second);
      EnableAmounts(second, used);
    }
  }
  UpdateAll(false);
  return 0;
}
