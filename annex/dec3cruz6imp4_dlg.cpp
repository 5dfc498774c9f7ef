#include "annex/dec3cruz6imp4_dlg.h"

#include "annex/holder_counts.h"
#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::dec3cruz6imp4;

// A holder count and the persons who share it: the count's control, the persons' control.
struct Pair {
  int countId;
  blocks::F64 count;
  int personsId;
  blocks::F64 persons;
};
constexpr Pair kPairs[] = {
    {392, f::Declarant[0], 24662, f::PersonsDeclarant[0]},
    {393, f::Spouse[0], 24663, f::PersonsSpouse[0]},
    {395, f::Declarant[1], 24669, f::PersonsDeclarant[1]},
    {396, f::Spouse[1], 24670, f::PersonsSpouse[1]},
};

#define QX_PERSONS(r_, label_, idd_, fd_, ids_, fs_)                                                             \
  {.kind = Ctl::Static, .textId = (label_), .row = (r_), .col = 0},                                              \
  {.id = (idd_), .kind = Ctl::Money, .row = (r_), .col = 2, .width = 1, .decimals = 0, .field = (fd_)},          \
  {.id = (ids_), .kind = Ctl::Money, .row = (r_), .col = 3, .width = 1, .decimals = 0, .field = (fs_),           \
   .options = ui::kOptSpouse}
constexpr ui::ControlDef kControls[] = {
    QX_HOLDER_HEADINGS,
    QX_HOLDER_ROW(1, 95664, 2, f::Common[0], f::Declarant[0], f::Spouse[0], 24617, 392, 393),
    QX_PERSONS(2, 95661, 24662, f::PersonsDeclarant[0], 24663, f::PersonsSpouse[0]),
    QX_HOLDER_ROW(3, 95665, 2, f::Common[1], f::Declarant[1], f::Spouse[1], 394, 395, 396),
    QX_PERSONS(4, 95661, 24669, f::PersonsDeclarant[1], 24670, f::PersonsSpouse[1]),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 5, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 5, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 5, .col = 3},
};
#undef QX_PERSONS
constexpr ui::DialogTemplate kTemplate{.id = CDec3cruz6imp4Dlg::kId, .captionId = 95666, .controls = kControls,
                                       .helpTopic = 908};
}  // namespace

CDec3cruz6imp4Dlg::CDec3cruz6imp4Dlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

void CDec3cruz6imp4Dlg::OnInitAnnex() {
  for (const Pair& p : kPairs) annex::holder_counts::ApplyPersonsRule(*this, p.count, p.persons, p.personsId);
}

int CDec3cruz6imp4Dlg::OnEditKillFocus(int id) {
  for (const Pair& p : kPairs) {
    if (p.countId != id) continue;
    UpdateAll(true);
    annex::holder_counts::ApplyPersonsRule(*this, p.count, p.persons, p.personsId);
    UpdateAll(false);
    return 1;
  }
  return 0;
}

bool CDec3cruz6imp4Dlg::ValidateOK() {
  for (const Pair& p : kPairs) {
    if (p.count.get(Data()) > 0.0 && p.persons.get(Data()) == 0.0) {
      ui::ShowMessage(this, QStringLiteral("100R084"), platform::kIconHand);
      if (QWidget* w = GetDlgItem(p.personsId)) w->setFocus();
      return false;
    }
  }
  return true;
}
