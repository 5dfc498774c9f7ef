#include "annex/holder_amount_dlg.h"

#include <QLabel>

#include "blocks/form100.h"
#include "data/doc/active_declaration.h"
#include "platform/help.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/titular_edit.h"
#include "ui/messages.h"

namespace {
using ui::Ctl;
namespace f = annex::holder_amount;

// The housing sheet's investment record and its two marks of a home that gave the regional
// acquisition deduction in 1998, 1999 or 2000.
constexpr std::size_t kHousingInvestmentAt = f100::SectionO.offset + 528;
constexpr std::size_t kEarlierDeductionMark = 2;
constexpr int kHousingVariant = 2;

constexpr int kLegend = 1296, kNote = 1121, kHolderHeading = 1120, kAmountHeading = 1124;
constexpr int kHolders[] = {1394, 1328, 1354, 1359};  // dialogs 170 and 1814
constexpr int kAmounts[] = {1318, 1336, 1378, 1361};
constexpr int kHoldersN[] = {1303, 1322, 1342};        // dialogs 44 and 76
constexpr int kAmountsN[] = {1556, 1568, 1577};

#define QX_HA_ROW(holders, amounts, r)                                                                        \
  {.id = (holders)[r], .kind = Ctl::Titular, .row = (r) + 1, .col = 0, .field = f::Holder},                 \
  {.id = (amounts)[r], .kind = Ctl::Money, .row = (r) + 1, .col = 1, .width = 8, .decimals = 2, .field = f::Amount}
#define QX_HA_HEADINGS                                                                                        \
  {.id = kHolderHeading, .kind = Ctl::Static, .textId = 95614, .row = 0, .col = 0},                          \
  {.id = kAmountHeading, .kind = Ctl::Static, .textId = 95615, .row = 0, .col = 1}
#define QX_HA_BUTTONS(r, help)                                                                                \
  {.id = ui::IDOK, .kind = Ctl::Ok, .textId = 61, .row = (r), .col = 0},                                     \
  {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = 65, .row = (r), .col = 1},                             \
  {.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = (r), .col = 2, .hidden = !(help)}

// ---- 170: three rows, legend, note, variant heading
constexpr ui::ControlDef kControls170[] = {
    QX_HA_HEADINGS,
    QX_HA_ROW(kHolders, kAmounts, 0), QX_HA_ROW(kHolders, kAmounts, 1), QX_HA_ROW(kHolders, kAmounts, 2),
    {.id = kLegend, .kind = Ctl::Legend, .row = 4, .col = 0, .colSpan = 3},
    {.id = kNote, .kind = Ctl::Legend, .row = 5, .col = 0, .colSpan = 3},
    QX_HA_BUTTONS(6, true),
};
constexpr int kCells170[] = {kHolders[0], kHolders[1], kHolders[2], kAmounts[0], kAmounts[1], kAmounts[2]};
constexpr ui::DialogTemplate kTemplate170{.id = CTit3dat1Dlg::kId, .captionId = 95610, .controls = kControls170};

// ---- 1814: four rows, legend, no help
constexpr ui::ControlDef kControls1814[] = {
    QX_HA_HEADINGS,
    QX_HA_ROW(kHolders, kAmounts, 0), QX_HA_ROW(kHolders, kAmounts, 1), QX_HA_ROW(kHolders, kAmounts, 2),
    QX_HA_ROW(kHolders, kAmounts, 3),
    {.id = kLegend, .kind = Ctl::Legend, .row = 5, .col = 0, .colSpan = 3},
    QX_HA_BUTTONS(6, false),
};
constexpr int kCells1814[] = {kHolders[0], kHolders[1], kHolders[2], kHolders[3],
                              kAmounts[0], kAmounts[1], kAmounts[2], kAmounts[3]};
constexpr ui::DialogTemplate kTemplate1814{.id = CTit4dat1Dlg::kId, .captionId = 95611, .controls = kControls1814};

// ---- 44 and 76: three rows and one field below
constexpr int kCellsN[] = {kHoldersN[0], kHoldersN[1], kHoldersN[2], kAmountsN[0], kAmountsN[1], kAmountsN[2]};
constexpr ui::ControlDef kControls44[] = {
    QX_HA_HEADINGS,
    QX_HA_ROW(kHoldersN, kAmountsN, 0), QX_HA_ROW(kHoldersN, kAmountsN, 1), QX_HA_ROW(kHoldersN, kAmountsN, 2),
    {.kind = Ctl::Static, .textId = 95616, .row = 4, .col = 0},
    {.id = CTit3dat1nDlg::kTaxpayers, .kind = Ctl::Money, .row = 4, .col = 1, .width = 1, .decimals = 0,
     .field = f::Taxpayers},
    QX_HA_BUTTONS(5, true),
};
constexpr ui::DialogTemplate kTemplate44{.id = CTit3dat1nDlg::kId, .captionId = 95612, .controls = kControls44,
                                         .helpTopic = 917};
constexpr ui::ControlDef kControls76[] = {
    QX_HA_HEADINGS,
    QX_HA_ROW(kHoldersN, kAmountsN, 0), QX_HA_ROW(kHoldersN, kAmountsN, 1), QX_HA_ROW(kHoldersN, kAmountsN, 2),
    {.kind = Ctl::Static, .textId = 95617, .row = 4, .col = 0},
    {.id = CTit3dat1pDlg::kProtectedHome, .kind = Ctl::Box, .row = 4, .col = 1, .field = f::ProtectedHome},
    QX_HA_BUTTONS(5, true),
};
constexpr ui::DialogTemplate kTemplate76{.id = CTit3dat1pDlg::kId, .captionId = 95613, .controls = kControls76,
                                         .helpTopic = 910};
#undef QX_HA_ROW
#undef QX_HA_HEADINGS
#undef QX_HA_BUTTONS

constexpr ui::RowLayout Rows(int n, std::span<const int> cells) {
  return {.rows = n, .columns = 2, .first = 0, .stride = f::kRowBytes, .holder = 0, .cells = cells};
}

const HolderAmountSpec kSpec170{kTemplate170, f::kBlock3, Rows(3, kCells170), kLegend, &CTit3dat1Dlg::HelpTopic};
const HolderAmountSpec kSpec1814{kTemplate1814, f::kBlock4, Rows(4, kCells1814), kLegend, nullptr};
const HolderAmountSpec kSpec44{kTemplate44, f::kBlockExtra, Rows(3, kCellsN), 0, nullptr};
const HolderAmountSpec kSpec76{kTemplate76, f::kBlockExtra, Rows(3, kCellsN), 0, nullptr};
}  // namespace

CHolderAmountDlg::CHolderAmountDlg(const HolderAmountSpec& spec, const ui::AnnexArgs& args)
    : CAnnexRowsDlg(spec.tmpl, spec.blockBytes, spec.layout, args), spec_(spec) {}

int CHolderAmountDlg::OnCommand(int id, int code) {
  if (id == ui::kHelpButtonId && code == ui::kBnClicked && spec_.helpTopic) {
    if (const int topic = spec_.helpTopic(index)) platform::ShowHelp(topic);
    return 1;
  }
  return CAnnexRowsDlg::OnCommand(id, code);
}

int CHolderAmountDlg::OnEditSetFocus(int id) {
  if (!spec_.legendId) return 1;
  auto* legend = Item<QLabel>(spec_.legendId);
  if (!legend) return 1;
  if (GetColumnOfControl(id) == 0) legend->setText(GetHolderLegend());
  else if (!spec_.legendStays) legend->clear();
  return 1;
}

// ---------------------------------------------------------------- 170

CTit3dat1Dlg::CTit3dat1Dlg(const ui::AnnexArgs& args) : CHolderAmountDlg(kSpec170, args) {}

int CTit3dat1Dlg::HelpTopic(int variant) {
  static constexpr int kTopics[] = {490, 953, 916, 922, 925, 927, 931, 932, 1,   933, 562,
                                    939, 940, 570, 942, 943, 572, 574, 575, 951, 954, 955,
                                    957, 958, 965, 966, 969, 970, 971, 972, 513, 474, 497};
  return variant >= 1 && variant <= static_cast<int>(std::size(kTopics)) ? kTopics[variant - 1] : 1;
}

void CTit3dat1Dlg::OnInitAnnex() {
  if (auto* note = Item<QLabel>(kNote)) note->clear();
  if (index == 9)
    if (auto* heading = Item<QLabel>(kAmountHeading)) heading->setText(platform::LoadString(2126));
}

bool CTit3dat1Dlg::ValidateOK() {
  if (index != kHousingVariant) return true;
  const std::uint8_t* block = doc::Form100Block();
  if (!block) return true;
  const std::uint8_t* investment = block + kHousingInvestmentAt;
  // The marks of the housing sheet's investment page: the declarant's, then the spouse's.
  const bool marked[2] = {investment[kEarlierDeductionMark] != 0, investment[kEarlierDeductionMark + 1] != 0};
  auto held = [this](int member) {
    for (int r = 0; r < spec_.layout.rows; ++r) {
      const int holder = GetRowOwner(r);
      if (holder == member || holder == ui::kHolderCommon) return true;
    }
    return false;
  };
  if ((marked[0] && held(ui::kHolderDeclarant)) || (marked[1] && held(ui::kHolderSpouse))) {
    ui::ShowMessage(this, QStringLiteral("100P081"), platform::kIconHand);
    return false;
  }
  return true;
}

// ---------------------------------------------------------------- 1814, 76

CTit4dat1Dlg::CTit4dat1Dlg(const ui::AnnexArgs& args) : CHolderAmountDlg(kSpec1814, args) {}
CTit3dat1pDlg::CTit3dat1pDlg(const ui::AnnexArgs& args) : CHolderAmountDlg(kSpec76, args) {}

// ---------------------------------------------------------------- 44

CTit3dat1nDlg::CTit3dat1nDlg(const ui::AnnexArgs& args) : CHolderAmountDlg(kSpec44, args) {}

bool CTit3dat1nDlg::ValidateOK() {
  const double taxpayers = f::Taxpayers.get(Shown());
  auto refuse = [this](const char* code) {
    ui::ShowMessage(this, QString::fromLatin1(code), platform::kIconHand);
    if (QWidget* w = GetDlgItem(kTaxpayers)) w->setFocus();
    return false;
  };
  int firstHolder = 0;
  bool mixed = false;
  for (int r = 0; r < spec_.layout.rows; ++r) {
    const int holder = GetRowOwner(r);
    if (holder == 0) continue;
    if (f::Amount.get(Row(r)) > 0.0 && taxpayers == 0.0) return refuse("100R084");
    if (holder == 1 && taxpayers < 2.0) return refuse("100R143");
    if (firstHolder == 0) firstHolder = holder;
    else if (holder != firstHolder) mixed = true;
  }
  if (taxpayers < 2.0 && mixed) return refuse("100R143");
  return true;
}
