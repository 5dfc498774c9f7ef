#include "annex/certificado_dlg.h"

#include <cstring>

#include "data/doc/active_declaration.h"

namespace {
using ui::Ctl;
namespace f = annex::requests;
using D = CCertificadoDlg;

constexpr unsigned kMember = ui::kOptMemberEditable;
constexpr ui::ControlDef kControls[] = {
    {.kind = Ctl::Static, .textId = 91022, .row = 0, .col = 0},
    {.id = D::kMarks[0], .kind = Ctl::Box, .row = 0, .col = 1, .width = 1, .field = f::Member(0), .options = kMember},
    {.kind = Ctl::Static, .textId = 91023, .row = 1, .col = 0},
    {.id = D::kMarks[1], .kind = Ctl::Box, .row = 1, .col = 1, .width = 1, .field = f::Member(1),
     .options = kMember | ui::kOptSpouse},
    {.kind = Ctl::Static, .textId = 95601, .row = 2, .col = 0},
    {.id = D::kMarks[2], .kind = Ctl::Box, .row = 2, .col = 1, .width = 1, .field = f::Member(2),
     .options = kMember | ui::kOptChild1},
    {.kind = Ctl::Static, .textId = 95602, .row = 3, .col = 0},
    {.id = D::kMarks[3], .kind = Ctl::Box, .row = 3, .col = 1, .width = 1, .field = f::Member(3),
     .options = kMember | ui::kOptChild2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = 4, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 4, .col = 1},
};
constexpr ui::DialogTemplate kCertificate{.id = CCertificadoDlg::kId, .captionId = 99100, .controls = kControls};
constexpr ui::DialogTemplate kDraft{.id = CBorradorDlg::kId, .captionId = 99101, .controls = kControls};
}  // namespace

D::CCertificadoDlg(const ui::AnnexArgs& args) : CCertificadoDlg(kCertificate, f::kCertificateMarks, args) {}
D::CCertificadoDlg(const ui::DialogTemplate& tmpl, std::size_t marks, const ui::AnnexArgs& args)
    : CAnnexDlg(tmpl, f::kBlockSize, args), marks_(marks) {}
CBorradorDlg::CBorradorDlg(const ui::AnnexArgs& args) : CCertificadoDlg(kDraft, f::kDraftMarks, args) {}

void D::OnInitAnnex() {
  if (const std::uint8_t* block = doc::Form100Block()) std::memcpy(Data(), block + marks_, 5);
}

int D::OnEditValueChanged(int id) {
  if (QWidget* w = GetDlgItem(id)) w->setFocus();
  return 1;
}

bool D::ValidateOK() {
  // The family unit asks with the declarant or the spouse; the children ask on their own.
  std::uint8_t* rec = Data();
  f::FamilyUnit.set(rec, f::Member(0).get(rec) || f::Member(1).get(rec) ? 1 : 0);
  return true;
}
