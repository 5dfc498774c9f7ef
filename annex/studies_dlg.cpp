#include "annex/studies_dlg.h"

#include "blocks/form100.h"
#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::autonom2ic;
namespace t = annex::adqlibros;
using D = CAutonom2IcDlg;
using T = CAdqlibrosDlg;

constexpr ui::ControlDef kStudies[] = {
    QX_HOLDER_HEADINGS,
    QX_HOLDER_ROW(1, 97950, 2, f::Inside[0], f::Inside[1], f::Inside[2], D::kInside[0], D::kInside[1], D::kInside[2]),
    QX_HOLDER_ROW(2, 97951, 2, f::Outside[0], f::Outside[1], f::Outside[2], D::kOutside[0], D::kOutside[1],
                  D::kOutside[2]),
    {.kind = Ctl::Static, .textId = 95661, .row = 3, .col = 0},
    {.id = D::kPersonsDeclarant, .kind = Ctl::Money, .row = 3, .col = 2, .width = 1, .decimals = 0, .field = f::PersonsDeclarant},
    {.id = D::kPersonsSpouse, .kind = Ctl::Money, .row = 3, .col = 3, .width = 1, .decimals = 0, .field = f::PersonsSpouse,
     .options = ui::kOptSpouse},
    {.kind = Ctl::Static, .textId = 97952, .row = 4, .col = 0},
    {.id = D::kExemptDeclarant, .kind = Ctl::Money, .row = 4, .col = 2, .width = 8, .decimals = 0, .field = f::ExemptDeclarant},
    {.id = D::kExemptSpouse, .kind = Ctl::Money, .row = 4, .col = 3, .width = 8, .decimals = 0, .field = f::ExemptSpouse,
     .options = ui::kOptSpouse},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 5, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 5, .col = 2},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 5, .col = 3},
};
constexpr ui::DialogTemplate kStudiesTemplate{.id = D::kId, .captionId = 97953, .controls = kStudies, .helpTopic = 934};

#define QX_BOOK(r)                                                                                    \
  {.kind = Ctl::Static, .text = #r, .row = (r), .col = 0},                                            \
  {.id = T::kHolders[(r) - 1], .kind = Ctl::Titular, .row = (r), .col = 1, .field = t::Holder},        \
  {.id = T::kAmounts[(r) - 1], .kind = Ctl::Money, .row = (r), .col = 2, .width = 8, .decimals = 2, .field = t::Amount}
constexpr ui::ControlDef kBooks[] = {
    {.kind = Ctl::Static, .textId = 97954, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = 97861, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = 97854, .row = 0, .col = 2},
    QX_BOOK(1), QX_BOOK(2), QX_BOOK(3), QX_BOOK(4), QX_BOOK(5), QX_BOOK(6),
    QX_BOOK(7), QX_BOOK(8), QX_BOOK(9), QX_BOOK(10), QX_BOOK(11), QX_BOOK(12),
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = 13, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = 13, .col = 1},
    {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = 13, .col = 2},
};
#undef QX_BOOK
constexpr ui::DialogTemplate kBooksTemplate{.id = T::kId, .captionId = 97955, .controls = kBooks, .helpTopic = 929};
constexpr auto kBookCells = [] {
  std::array<int, 2 * t::kRows> cells{};
  for (int r = 0; r < t::kRows; ++r) {
    cells[static_cast<std::size_t>(r)] = T::kHolders[r];
    cells[static_cast<std::size_t>(t::kRows + r)] = T::kAmounts[r];
  }
  return cells;
}();
constexpr ui::RowLayout kBooksLayout{.rows = t::kRows, .columns = 2, .first = 0, .stride = t::kRowSize, .holder = 0,
                                     .cells = kBookCells};

// The declarant's (1) or the spouse's (2) elements of the fourth and seventh vectors of section I.
double SectionIIncome(int column) {
  const std::uint8_t* block = doc::Form100Block();
  if (!block) return 0.0;
  const std::uint8_t* i = block + f100::SectionI.offset;
  return blocks::Vec5{120}.get(i, column) + blocks::Vec5{240}.get(i, column);
}

bool Warn(QWidget* parent, const char* code) {
  return ui::ShowMessage(parent, QString::fromLatin1(code), platform::kIconAsterisk) == kAnsCorregir;
}
}  // namespace

D::CAutonom2IcDlg(const ui::AnnexArgs& args) : CAnnexDlg(kStudiesTemplate, f::kBlockSize, args) {}

void D::OnInitAnnex() {
  const std::uint8_t* b = Data();
  if (f::PersonsDeclarant.get(b) == 0)
    if (QWidget* w = GetDlgItem(kPersonsDeclarant)) w->setEnabled(false);
  if (f::PersonsSpouse.get(b) == 0)
    if (QWidget* w = GetDlgItem(kPersonsSpouse)) w->setEnabled(false);
}

int D::OnEditKillFocus(int id) {
  const bool declarant = id == kInside[1] || id == kOutside[1];
  if (!declarant && id != kInside[2] && id != kOutside[2]) return 0;
  UpdateAll(true);
  const int k = declarant ? 1 : 2;
  const blocks::F64 persons = declarant ? f::PersonsDeclarant : f::PersonsSpouse;
  const int personsId = declarant ? kPersonsDeclarant : kPersonsSpouse;
  if (f::Inside[k].get(Data()) <= 0 && f::Outside[k].get(Data()) <= 0) {
    persons.set(Data(), 0.0);
    if (QWidget* w = GetDlgItem(personsId)) w->setEnabled(false);
    UpdateAll(false);
  } else if (QWidget* w = GetDlgItem(personsId)) {
    w->setEnabled(!ReadOnlyView());
  }
  return 1;
}

bool D::ValidateOK() {
  const std::uint8_t* b = Data();
  bool accept = true;
  if ((f::Inside[1].get(b) + f::Outside[1].get(b) > 0 && f::PersonsDeclarant.get(b) == 0) ||
      (f::Inside[2].get(b) + f::Outside[2].get(b) > 0 && f::PersonsSpouse.get(b) == 0)) {
    ui::ShowMessage(this, QStringLiteral("100R084"), platform::kIconHand);
    accept = false;
  }
  const double d = f::ExemptDeclarant.get(b) + SectionIIncome(1), s = f::ExemptSpouse.get(b) + SectionIIncome(2);
  const bool common = f::Inside[0].get(b) > 0 || f::Outside[0].get(b) > 0;
  if (common && d >= f::kIncomeLimit && s < f::kIncomeLimit && Warn(this, "100R096")) accept = false;
  if (common && d < f::kIncomeLimit && s >= f::kIncomeLimit && Warn(this, "100R124")) accept = false;
  return accept;
}

T::CAdqlibrosDlg(const ui::AnnexArgs& args)
    : CAnnexRowsDlg(kBooksTemplate, t::kRowSize * t::kRows, kBooksLayout, args) {}
