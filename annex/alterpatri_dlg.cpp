#include "annex/alterpatri_dlg.h"

#include <cstring>

#include "blocks/rounding.h"
#include "platform/icons.h"
#include "ui/lista_edit.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::alterpatri;
using D = CAlterpatriDlg;
constexpr const char* kKindTable = "TGPE___E.TAB";

#define QX_ROW(r)                                                                                              \
  {.kind = Ctl::Static, .textId = 97451 + (r), .row = (r) + 1, .col = 0},                                      \
  {.id = D::kTransmission[r], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .width = 8, .decimals = 2,          \
   .field = f::Transmission(r)},                                                                               \
  {.id = D::kAcquisition[r], .kind = Ctl::Money, .row = (r) + 1, .col = 2, .width = 8, .decimals = 2,           \
   .field = f::Acquisition(r)},                                                                                \
  {.id = D::kKind[r], .kind = Ctl::Lista, .row = (r) + 1, .col = 3, .width = 70, .field = f::KindText(r),       \
   .table = kKindTable},                                                                                       \
  {.id = D::kNoLoss[r], .kind = Ctl::Box, .row = (r) + 1, .col = 4, .width = 1, .field = f::NoLoss(r)}
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 97454, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 97455, .row = 0, .col = 2},
    {.kind = Ctl::Static, .textId = 97456, .row = 0, .col = 3},
    {.kind = Ctl::Static, .textId = 97457, .row = 0, .col = 4},
    QX_ROW(0), QX_ROW(1), QX_ROW(2),
    {.id = 24641, .kind = Ctl::Static, .textId = 97458, .row = 4, .col = 0, .colSpan = 3},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 5, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 5, .col = 2},
};
#undef QX_ROW
constexpr ui::DialogTemplate kTemplate{.id = D::kId, .captionId = 97450, .controls = kControls};

double Cents(double v) { return blocks::RoundToDecimals(v, 2); }
}  // namespace

CAlterpatriDlg::CAlterpatriDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

int CAlterpatriDlg::KindRow(int id) const {
  for (int r = 0; r < f::kRows; ++r)
    if (kKind[r] == id) return r;
  return -1;
}

void CAlterpatriDlg::OnInitAnnex() {
  // Choosing a kind writes its code beside the text.
  for (int r = 0; r < f::kRows; ++r) {
    links_[static_cast<std::size_t>(r)] = {.target = Data() + f::Code(r).off, .targetWidth = f::Code(r).width};
    if (auto* l = Item<CListaEdit>(kKind[r])) l->SetOption(&links_[static_cast<std::size_t>(r)]);
  }
}

int CAlterpatriDlg::OnEditValueCleared(int id) {
  UpdateAll(true);
  if (const int r = KindRow(id); r >= 0) std::memset(Data() + f::Code(r).off, 0, f::Code(r).width);
  UpdateAll(false);
  return 1;
}

int CAlterpatriDlg::OnEditValueChanged(int id) {
  const int r = KindRow(id);
  if (r < 0) return 0;
  UpdateAll(true);
  if (f::KindText(r).isAbsent(Data())) std::memset(Data() + f::Code(r).off, 0, f::Code(r).width);
  UpdateAll(false);
  return 1;
}

bool CAlterpatriDlg::ValidateOK() {
  const std::uint8_t* d = Data();
  for (int r = 0; r < f::kRows; ++r) {
    const double T = Cents(f::Transmission(r).get(d)), A = Cents(f::Acquisition(r).get(d));
    const std::string_view code = f::Code(r).raw(d);
    const char* refusal = nullptr;
    if (T > A && code == " P2") refusal = "100R119";
    else if (T < A && code.substr(0, 2) == "G2") refusal = "100R120";
    else if (f::KindText(r).isAbsent(d) && T + A > 0.0) refusal = "100R122";
    if (refusal) {
      ui::ShowMessage(this, QString::fromLatin1(refusal), platform::kIconHand);
      if (QWidget* w = GetDlgItem(kKind[r])) w->setFocus();
      return false;
    }
  }
  return true;
}
