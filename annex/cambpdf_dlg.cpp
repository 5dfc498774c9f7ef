#include "annex/cambpdf_dlg.h"

#include <algorithm>

namespace {
using ui::Ctl;
namespace f = annex::cambpdf;
using D = CCambpdfDlg;

// The spouse's two marks go with the spouse, and so on.
constexpr unsigned kMemberOf[] = {0, ui::kOptSpouse, ui::kOptChild1, ui::kOptChild2};
#define QX_MEMBER(k)                                                                                        \
  {.kind = Ctl::Static, .textId = 97923 + (k), .row = 0, .col = 1 + (k)},                                   \
  {.id = D::kAddress[k], .kind = Ctl::Box, .row = 1, .col = 1 + (k), .width = 1, .field = f::Address(k),    \
   .options = ui::kOptMemberEditable | kMemberOf[k]},                                                       \
  {.id = D::kFirstReturn[k], .kind = Ctl::Box, .row = 2, .col = 1 + (k), .width = 1, .field = f::FirstReturn(k), \
   .options = ui::kOptMemberEditable | kMemberOf[k]}
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 99103, .row = 1, .col = 0},
    {.kind = Ctl::Static, .textId = 99104, .row = 2, .col = 0},
    QX_MEMBER(0), QX_MEMBER(1), QX_MEMBER(2), QX_MEMBER(3),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 3, .col = 1, .colSpan = 2},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 3, .col = 3, .colSpan = 2},
};
#undef QX_MEMBER
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 99102, .controls = kControls};

int MemberOf(const std::array<int, 4>& ids, int id) {
  const auto it = std::find(ids.begin(), ids.end(), id);
  return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
}
}  // namespace

D::CCambpdfDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

int D::OnEditValueChanged(int id) {
  std::uint8_t* rec = Data();
  const int address = MemberOf(kAddress, id), first = MemberOf(kFirstReturn, id);
  const int k = std::max(address, first);
  if (k >= 0) {
    const blocks::U8 mark = address >= 0 ? f::Address(k) : f::FirstReturn(k);
    const blocks::U8 other = address >= 0 ? f::FirstReturn(k) : f::Address(k);
    if (mark.get(rec) == 1 && other.get(rec) == 1) {
      other.set(rec, 0);
      UpdateAll(false);
    }
  }
  if (QWidget* w = GetDlgItem(id)) w->setFocus();
  return 1;
}

bool D::ValidateOK() {
  std::uint8_t* rec = Data();
  f::AddressFamily.set(rec, f::Address(0).get(rec));
  f::FirstReturnFamily.set(rec, f::FirstReturn(0).get(rec));
  return true;
}
