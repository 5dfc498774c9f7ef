#include "wizards/disconformidad_dlg.h"

#include <QAbstractButton>
#include <QCheckBox>

#include <algorithm>
#include <cstring>

#include "data/doc/active_declaration.h"
#include "ui/sub_dialog_edit.h"

namespace wizards {

namespace {

using ui::Ctl;

constexpr int kStrCaption = 98320, kStrConceptsCaption = 98325, kStrConceptsGroup = 98326, kStrFirstConcept = 98330;
constexpr int kStrMembers[] = {98321, 98322, 98323, 98324};
constexpr int kConceptsGroup = 10;

// ---- the concepts of one member

#define QX_CONCEPT(i)                                                                                        \
  {.id = CDfdisconfDlg::kFirstConcept + (i), .kind = Ctl::CheckBox, .textId = kStrFirstConcept + (i),       \
   .row = (i), .col = 0, .group = kConceptsGroup}
constexpr ui::ControlDef kConceptControls[] = {
    {.id = kConceptsGroup, .kind = Ctl::GroupBox, .textId = kStrConceptsGroup, .row = 0, .col = 0, .colSpan = 3},
    QX_CONCEPT(0),  QX_CONCEPT(1),  QX_CONCEPT(2),  QX_CONCEPT(3),  QX_CONCEPT(4),  QX_CONCEPT(5),
    QX_CONCEPT(6),  QX_CONCEPT(7),  QX_CONCEPT(8),  QX_CONCEPT(9),  QX_CONCEPT(10), QX_CONCEPT(11),
    QX_CONCEPT(12), QX_CONCEPT(13), QX_CONCEPT(14), QX_CONCEPT(15), QX_CONCEPT(16), QX_CONCEPT(17),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 1, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 1, .col = 2},
};
#undef QX_CONCEPT
static_assert(std::size(kConceptControls) == concepts::kCount + 3);
constexpr ui::DialogTemplate kConceptTemplate{
    .id = CDfdisconfDlg::IDD, .captionId = kStrConceptsCaption, .controls = kConceptControls};

// ---- the members' marks

#define QX_MEMBER(k)                                                                                         \
  {.kind = Ctl::Static, .textId = kStrMembers[k], .row = (k), .col = 0},                                     \
  {.id = CDisconformidadDlg::kMemberEdits[k], .kind = Ctl::Custom, .row = (k), .col = 1}
constexpr ui::ControlDef kMemberControls[] = {
    QX_MEMBER(0), QX_MEMBER(1), QX_MEMBER(2), QX_MEMBER(3),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 4, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 4, .col = 1},
};
#undef QX_MEMBER
constexpr ui::DialogTemplate kMemberTemplate{
    .id = CDisconformidadDlg::IDD, .captionId = kStrCaption, .controls = kMemberControls};

constexpr int kMembers = static_cast<int>(CDisconformidadDlg::kMemberEdits.size());
// The household member of each edit: spouse, child 1 and child 2 may be absent.
constexpr int kHouseholdMember[] = {doc::kDeclarant, doc::kSpouse, doc::kChild1, doc::kChild2};

int MemberOf(int id) {
  const auto& ids = CDisconformidadDlg::kMemberEdits;
  const auto it = std::find(ids.begin(), ids.end(), id);
  return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
}

}  // namespace

// ---------------------------------------------------------------- CDfdisconfDlg

CDfdisconfDlg::CDfdisconfDlg(const ui::AnnexArgs& args) : CAnnexDlg(kConceptTemplate, concepts::kBytes, args) {}

void CDfdisconfDlg::OnInitDialog() {
  CAnnexDlg::OnInitDialog();
  for (int i = 0; i < concepts::kCount; ++i)
    if (auto* box = Item<QCheckBox>(kFirstConcept + i)) box->setChecked(concepts::Concept(i).get(Data()) == 1);
}

bool CDfdisconfDlg::ValidateOK() {
  for (int i = 0; i < concepts::kCount; ++i)
    if (auto* box = Item<QCheckBox>(kFirstConcept + i)) concepts::Concept(i).set(Data(), box->isChecked() ? 1 : 0);
  return true;
}

// ---------------------------------------------------------------- CDisconformidadDlg

CDisconformidadDlg::CDisconformidadDlg(const ui::AnnexArgs& args)
    : CAnnexDlg(kMemberTemplate, disagreement::kBytes, args) {}

QWidget* CDisconformidadDlg::CreateCustomControl(const ui::ControlDef&, QWidget* parent) {
  return new CSubDialogEdit(1, "IDD_DFDISCONF", parent);
}

void CDisconformidadDlg::OnInitAnnex() {
  // The declaration's own marks win over what the box handed in.
  if (const std::uint8_t* block = doc::Form100Block())
    std::memcpy(Data(), block + f100::Family.offset + f100::family::Disagreement.off, 5);
  for (int k = 0; k < kMembers; ++k) {
    auto* edit = Item<CSubDialogEdit>(kMemberEdits[static_cast<std::size_t>(k)]);
    if (!edit) continue;
    edit->BindData(Data() + disagreement::Mark(k).off);
    edit->SetOption(Data() + disagreement::Concepts(k).off);
    edit->CreateOpenButton();
  }
  EnableMemberEdits();
}

void CDisconformidadDlg::EnableMemberEdits() {
  const bool memberView = doc::ShownMember() != doc::kFamilyUnit && doc::HouseholdHasSeveralHolders();
  for (int k = 0; k < kMembers; ++k) {
    auto* edit = Item<CSubDialogEdit>(kMemberEdits[static_cast<std::size_t>(k)]);
    if (!edit) continue;
    if (memberView) edit->SetEditableInMemberView(true);
    // The open button follows its edit's enabled state.
    edit->setEnabled(k == 0 || doc::HouseholdHas(kHouseholdMember[k]));
  }
}

int CDisconformidadDlg::OnSubDialogValue(int id) {
  const int k = MemberOf(id);
  if (k < 0) return CAnnexDlg::OnSubDialogValue(id);
  bool any = false;
  const std::uint8_t* memberConcepts = Data() + disagreement::Concepts(k).off;
  for (int i = 0; i < concepts::kCount; ++i) any = any || concepts::Concept(i).get(memberConcepts) == 1;
  disagreement::Mark(k).set(Data(), any ? 1 : 0);
  UpdateAll(false);
  return 1;
}

int CDisconformidadDlg::OnEditValueChanged(int id) {
  if (QWidget* w = GetDlgItem(id)) w->setFocus();
  return 1;
}

bool CDisconformidadDlg::ValidateOK() {
  bool any = false;
  for (int k = 0; k < kMembers; ++k) any = any || disagreement::Mark(k).get(Data()) != 0;
  disagreement::AnyMember.set(Data(), any ? 1 : 0);
  return true;
}

void RegisterDisagreementDialogs() {
  ui::RegisterAnnex<CDisconformidadDlg>("CDisconformidadDlg");
  ui::RegisterAnnex<CDfdisconfDlg>("CDfdisconfDlg");
}

}  // namespace wizards
