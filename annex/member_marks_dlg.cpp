#include "annex/member_marks_dlg.h"

#include <QLabel>
#include <QLayout>

#include "platform/help.h"
#include "platform/strings.h"

namespace {
using ui::Ctl;
namespace f = annex::member_marks;
using f::Variant;

constexpr int kExplanationWidth = 60;  // characters; the explanation wraps at this width

#define QX_MARK(id_, text_, col_, field_, opts_)                                                  \
  {.kind = Ctl::Static, .textId = (text_), .row = 1, .col = (col_)},                             \
  {.id = (id_), .kind = Ctl::Box, .row = 2, .col = (col_), .field = (field_), .options = (opts_)}
#define QX_BUTTONS(r)                                                                             \
  {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = (r), .col = 0},                         \
  {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = (r), .col = 1},                 \
  {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = (r), .col = 2}

// ---- 248
constexpr ui::ControlDef kControls248[] = {
    {.id = f::kExplanation, .kind = Ctl::Static, .textId = 95640, .row = 0, .col = 0, .colSpan = 4},
    QX_MARK(1556, 91022, 0, f::TwoDeclarant, 0u), QX_MARK(1568, 91023, 1, f::TwoSpouse, ui::kOptSpouse),
    QX_BUTTONS(3),
};
constexpr ui::DialogTemplate kTemplate248{.id = CDec2cruz2Dlg::kId, .captionId = 95642, .controls = kControls248};
constexpr Variant kVariants248[] = {{230, 918}, {231, 601}, {0, 967}};

// ---- 37
constexpr ui::ControlDef kControls37[] = {
    QX_MARK(24618, 95605, 0, f::ThreeCommon, ui::kOptSpouse), QX_MARK(1349, 91022, 1, f::ThreeDeclarant, 0u),
    QX_MARK(392, 91023, 2, f::ThreeSpouse, ui::kOptSpouse),
    QX_BUTTONS(3),
};
constexpr ui::DialogTemplate kTemplate37{.id = CDec3cruz3Dlg::kId, .captionId = 95643, .controls = kControls37,
                                         .helpTopic = 909};

// ---- 47
constexpr ui::ControlDef kControls47[] = {
    {.id = f::kExplanation, .kind = Ctl::Static, .textId = 95641, .row = 0, .col = 0, .colSpan = 4},
    QX_MARK(1349, 91022, 0, f::FourDeclarant, 0u), QX_MARK(392, 91023, 1, f::FourSpouse, ui::kOptSpouse),
    QX_MARK(393, 95601, 2, f::FourChild1, ui::kOptChild1), QX_MARK(394, 95602, 3, f::FourChild2, ui::kOptChild2),
    QX_BUTTONS(3),
};
constexpr ui::DialogTemplate kTemplate47{.id = CDec4cruz4Dlg::kId, .captionId = 95644, .controls = kControls47};
constexpr Variant kVariants47[] = {{219, 912}, {219, 913}, {219, 920}, {219, 921}, {221, 0}};
#undef QX_MARK
#undef QX_BUTTONS
}  // namespace

CMemberMarksDlg::CMemberMarksDlg(const ui::DialogTemplate& tmpl, std::size_t bytes, std::span<const Variant> variants,
                                 const ui::AnnexArgs& args)
    : CAnnexDlg(tmpl, bytes, args), variants_(variants) {}

const Variant* CMemberMarksDlg::Current() const {
  return index >= 1 && index <= static_cast<int>(variants_.size()) ? &variants_[static_cast<std::size_t>(index - 1)]
                                                                    : nullptr;
}

void CMemberMarksDlg::OnInitAnnex() {
  auto* explanation = Item<QLabel>(f::kExplanation);
  if (!explanation) return;
  explanation->setWordWrap(true);
  explanation->setFixedWidth(explanation->fontMetrics().averageCharWidth() * kExplanationWidth);
  if (const Variant* v = Current(); v && v->text) explanation->setText(platform::LoadString(v->text));
  explanation->setFixedHeight(explanation->heightForWidth(explanation->width()));
  // The window was sized for the unwrapped text.
  if (layout()) layout()->activate();
  adjustSize();
}

int CMemberMarksDlg::OnCommand(int id, int code) {
  if (id == ui::kHelpButtonId && code == ui::kBnClicked && !variants_.empty()) {
    const Variant* v = Current();
    if (v && v->topic) platform::ShowHelp(v->topic);
    return 1;
  }
  return CAnnexDlg::OnCommand(id, code);
}

CDec2cruz2Dlg::CDec2cruz2Dlg(const ui::AnnexArgs& args) : CMemberMarksDlg(kTemplate248, f::kTwoBlock, kVariants248, args) {}
CDec3cruz3Dlg::CDec3cruz3Dlg(const ui::AnnexArgs& args) : CMemberMarksDlg(kTemplate37, f::kThreeBlock, {}, args) {}
CDec4cruz4Dlg::CDec4cruz4Dlg(const ui::AnnexArgs& args) : CMemberMarksDlg(kTemplate47, f::kFourBlock, kVariants47, args) {}
