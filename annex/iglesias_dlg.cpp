#include "annex/iglesias_dlg.h"

#include <cstring>

#include "blocks/form100.h"
#include "data/doc/active_declaration.h"
#include "ui/edit_ex.h"

namespace {
using ui::Ctl;
using D = CIglesiasDlg;
using N = CIglesiasnoDlg;

constexpr std::size_t kBlockSize = 8;  // the five marks, then three bytes carried
constexpr std::size_t kChurchMarks = 4724, kSocialMarks = 4729, kNoAssignment = 4734;

#define QX_MARKS(ids)                                                                                          \
  {.kind = Ctl::Static, .textId = 97921, .row = 0, .col = 0},                                                  \
  {.id = ids[0], .kind = Ctl::Box, .row = 0, .col = 1, .width = 1, .field = blocks::U8{0}, .options = ui::kOptMemberEditable}, \
  {.kind = Ctl::Static, .textId = 97922, .row = 1, .col = 0, .colSpan = 2},                                    \
  {.kind = Ctl::Static, .textId = 97923, .row = 2, .col = 0},                                                  \
  {.id = ids[1], .kind = Ctl::Box, .row = 2, .col = 1, .width = 1, .field = blocks::U8{1}, .options = ui::kOptMemberEditable}, \
  {.kind = Ctl::Static, .textId = 97924, .row = 3, .col = 0},                                                  \
  {.id = ids[2], .kind = Ctl::Box, .row = 3, .col = 1, .width = 1, .field = blocks::U8{2}, .options = ui::kOptMemberEditable}, \
  {.kind = Ctl::Static, .textId = 97925, .row = 4, .col = 0},                                                  \
  {.id = ids[3], .kind = Ctl::Box, .row = 4, .col = 1, .width = 1, .field = blocks::U8{3}, .options = ui::kOptMemberEditable}, \
  {.kind = Ctl::Static, .textId = 97926, .row = 5, .col = 0},                                                  \
  {.id = ids[4], .kind = Ctl::Box, .row = 5, .col = 1, .width = 1, .field = blocks::U8{4}, .options = ui::kOptMemberEditable}, \
  {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 6, .col = 0},                            \
  {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 6, .col = 1}
constexpr ui::ControlDef kChurch[] = {QX_MARKS(D::kMarks)};
constexpr ui::ControlDef kSocial[] = {QX_MARKS(N::kMarks)};
#undef QX_MARKS
constexpr ui::DialogTemplate kChurchTemplate{.id = D::kId, .captionId = 97927, .controls = kChurch};
constexpr ui::DialogTemplate kSocialTemplate{.id = N::kId, .captionId = 97928, .controls = kSocial};

const D::Kind kChurchKind{kChurchTemplate, kChurchMarks, D::kMarks};
const D::Kind kSocialKind{kSocialTemplate, kSocialMarks, N::kMarks};

std::uint8_t* Family() {
  std::uint8_t* block = doc::Form100Block();
  return block ? block + f100::Family.offset : nullptr;
}
}  // namespace

D::CIglesiasDlg(const ui::AnnexArgs& args) : CIglesiasDlg(kChurchKind, args) {}
D::CIglesiasDlg(const Kind& kind, const ui::AnnexArgs& args) : CAnnexDlg(kind.tmpl, kBlockSize, args), kind_(kind) {}
N::CIglesiasnoDlg(const ui::AnnexArgs& args) : CIglesiasDlg(kSocialKind, args) {}

void D::UpdateMemberFields() {
  auto enable = [this](int id, bool on) {
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(on);
  };
  if (doc::ShownMember() != doc::kFamilyUnit && doc::HouseholdHasSeveralHolders())
    for (int id : kind_.ids)
      if (auto* e = dynamic_cast<CEditEx*>(GetDlgItem(id))) e->SetEditableInMemberView(1);
  const std::uint8_t* block = doc::Form100Block();
  const bool jointFiling = block && (block[f100::Personal.offset] == 1 || block[f100::Personal.offset + 1] == 1);
  enable(kind_.ids[0], jointFiling && doc::HouseholdHas(doc::kFamilyUnit));
  enable(kind_.ids[1], true);
  enable(kind_.ids[2], doc::HouseholdHas(doc::kSpouse));
  enable(kind_.ids[3], doc::HouseholdHas(doc::kChild1));
  enable(kind_.ids[4], doc::HouseholdHas(doc::kChild2));
}

void D::OnInitAnnex() {
  if (const std::uint8_t* family = Family()) std::memcpy(Data(), family + kind_.marks, 5);
  UpdateMemberFields();
}

int D::OnEditValueChanged(int id) {
  if (QWidget* w = GetDlgItem(id)) w->setFocus();
  return 1;
}

void D::OnOK() {
  UpdateAll(true);
  if (std::uint8_t* family = Family()) {
    std::memcpy(family + kind_.marks, Data(), 5);
    std::memset(family + kNoAssignment, 0, 5);
  }
  CTemplateDlg::OnOK();
}
