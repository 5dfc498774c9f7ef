#include "annex/plpenmin_dlg.h"

#include <QApplication>

#include <string>

#include "blocks/form100.h"
#include "checks/validation_helper.h"
#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::plpenmin;

constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 95217, .row = 0, .col = 0},
    {.id = CPlpenminDlg::kNif, .kind = Ctl::Edit, .row = 0, .col = 1, .width = 9, .field = f::Nif},
    {.kind = Ctl::Static, .textId = 95221, .row = 1, .col = 1},
    {.kind = Ctl::Static, .textId = 95218, .row = 2, .col = 0},
    {.id = CPlpenminDlg::kOwn, .kind = Ctl::Money, .row = 2, .col = 1, .width = 8, .decimals = 2, .field = f::Own},
    {.kind = Ctl::Static, .textId = 95219, .row = 3, .col = 0},
    // Carried over by the declaration from the work-income entries of regime 2.
    {.id = CPlpenminDlg::kPromoter, .kind = Ctl::Money, .row = 3, .col = 1, .width = 8, .decimals = 2,
     .field = f::Promoter, .options = ui::kOptDisabled},
    {.kind = Ctl::Static, .textId = 95220, .row = 4, .col = 0},
    {.id = CPlpenminDlg::kRelatives, .kind = Ctl::Money, .row = 4, .col = 1, .width = 8, .decimals = 2,
     .field = f::Relatives},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 5, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 5, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 5, .col = 2},
};
constexpr ui::DialogTemplate kTemplate{.id = CPlpenminDlg::kId, .captionId = 95212, .controls = kControls,
                                       .helpTopic = 893};

bool Corrected(QWidget* parent, const char* code) {
  return ui::ShowMessage(parent, QString::fromLatin1(code), platform::kIconAsterisk) == kAnsCorregir;
}
}  // namespace

CPlpenminDlg::CPlpenminDlg(const ui::AnnexArgs& args) : CAnnexDlg(kTemplate, f::kBlockSize, args) {}

void CPlpenminDlg::SetListItems(const ui::AnnexPointerList& list) {
  if (list.item1) holder_ = *static_cast<const std::uint8_t*>(list.item1);
}

void CPlpenminDlg::OnInitAnnex() {
  if (QWidget* ok = GetDlgItem(ui::IDOK)) ok->setEnabled(true);
  // A disabled person's own contributions are entered in one row only.
  if (const std::uint8_t* declaration = doc::Form100Block(); declaration && f::Own.get(Data()) == 0.0) {
    namespace j = f100::sec_j;
    const std::uint8_t* section = f100::record(declaration, f100::SectionJ);
    for (int r = 0; r < j::kDisabledRowCount; ++r) {
      const std::uint8_t* row = section + j::disabledRow(r);
      if (j::disabled::Own.get(row) != 0.0 && j::disabled::Holder.get(row) == holder_)
        if (QWidget* own = GetDlgItem(kOwn)) own->setEnabled(false);
    }
  }
}

int CPlpenminDlg::OnEditKillFocus(int id) {
  QWidget* focus = QApplication::focusWidget();
  if (!focus || ui::ControlId(focus) == ui::IDCANCEL) return 0;
  if (id != kNif) return 1;
  UpdateAll(true);
  std::string nif(f::Nif.raw(Data()));
  if (checks::CValidationHelper::ValidateNif(nif.data(), static_cast<int>(f::Nif.width), false)) {
    f::Nif.set(Data(), nif);
    UpdateAll(false);
    return 1;
  }
  ui::ShowMessage(this, QStringLiteral("WIN004"), platform::kIconExclamation);
  f::Nif.clear(Data());
  UpdateAll(false);
  if (QWidget* w = GetDlgItem(kNif)) w->setFocus();
  return 1;
}

int CPlpenminDlg::ValidateBlock() {
  if (ReadOnlyView()) return 1;
  const double own = f::Own.get(Data()), relatives = f::Relatives.get(Data()), promoter = f::Promoter.get(Data());
  if (relatives > 0.0 && f::Nif.isAbsent(Data()) && Corrected(this, "100P062")) {
    if (QWidget* w = GetDlgItem(kNif)) w->setFocus();
    return 0;
  }
  const std::uint8_t* declaration = doc::Form100Block();
  if (declaration && holder_ >= doc::kDeclarant && holder_ <= doc::kChild2 && own + promoter > 0.0 &&
      f100::personal::DisabilityCode(holder_ - 1).get(declaration) != '3' && Corrected(this, "100P049"))
    return 0;
  if (own + promoter > f::kOwnLimit && Corrected(this, "100R106")) return 0;
  if (relatives > f::kRelativesLimit && Corrected(this, "100P061")) return 0;
  if (own + promoter > 0.0 && relatives > 0.0 && Corrected(this, "100P052")) return 0;
  return 1;
}
