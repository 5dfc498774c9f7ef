#include "modules/module_value_dlgs.h"

#include <QLabel>

#include <algorithm>

#include "data/doc/reference.h"
#include "blocks/family_entries.h"
#include "blocks/rounding.h"
#include "blocks/truncate.h"
#include "data/doc/active_declaration.h"
#include "modules/module_value_strings.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/edit_ex.h"
#include "ui/messages.h"

namespace modules {

namespace {

using ui::Ctl;
namespace mr = module_record;
namespace sid = string_id;

// Applied as one multiplication, as the yearly averages are.
constexpr double kPerDay = 1.0 / 365.0;
constexpr double kPerPerson = 1.0 / 1800.0;
constexpr double kYearHours = 1800.0;
constexpr int kFullYearDays = 365;

constexpr ui::ControlDef OkButton(int row) {
  return {.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = row, .col = 0};
}
constexpr ui::ControlDef CancelButton(int row, int col) {
  return {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = row, .col = col};
}

// ------------------------------------------------------------ by units and days

struct ColumnFormat {
  int digits, decimals;
};

constexpr DaysDialogShape kModulos02{CVentModulos02Dlg::kId, 3, 2,
                                     {{{1711, 1712, 0}, {1714, 1715, 0}, {1717, 1718, 0}, {}}}, 1720,
                                     {1924, 0}, DaysFormula::UnitsTimesDays};
constexpr DaysDialogShape kModulos03{CVentModulos03Dlg::kId, 4, 2,
                                     {{{1711, 1712, 0}, {1714, 1715, 0}, {1717, 1718, 0}, {1720, 1722, 0}}}, 1724,
                                     {1924, 0}, DaysFormula::UnitsTimesDays};
constexpr DaysDialogShape kMesas{CMesasDlg::kId, 4, 3,
                                 {{{1711, 1712, 1714}, {1715, 1717, 1718}, {1720, 1722, 1724}, {1725, 1727, 1728}}}, 1730,
                                 {2016, 2018}, DaysFormula::Tables};

// Headings over the columns, one line of edits per line of detail, the units below, OK and Cancel.
template <int Lines, int Columns>
constexpr auto DaysControls(const DaysDialogShape& s, std::array<int, Columns> headingText,
                            std::array<ColumnFormat, Columns> format) {
  std::array<ui::ControlDef, Columns + Lines * Columns + 4> c{};
  std::size_t n = 0;
  for (int col = 0; col < Columns; ++col)
    c[n++] = {.id = col < 2 ? s.headingIds[static_cast<std::size_t>(col)] : 0, .kind = Ctl::Static,
              .textId = headingText[static_cast<std::size_t>(col)], .row = 0, .col = col};
  for (int line = 0; line < Lines; ++line)
    for (int col = 0; col < Columns; ++col) {
      const auto f = format[static_cast<std::size_t>(col)];
      c[n++] = {.id = s.ids[static_cast<std::size_t>(line)][static_cast<std::size_t>(col)], .kind = Ctl::Double,
                .row = line + 1, .col = col, .width = f.digits, .decimals = f.decimals,
                .field = blocks::F64{mr::kDetailBegin + 8 * static_cast<std::size_t>(line * Columns + col)}};
    }
  c[n++] = {.id = CDaysDlgBase::kUnitsLabel, .kind = Ctl::Static, .textId = sid::kUnitsLabel, .row = Lines + 1,
            .col = Columns - 2};
  c[n++] = {.id = s.totalId, .kind = Ctl::Double, .row = Lines + 1, .col = Columns - 1, .width = 12, .decimals = 2,
            .field = mr::Units};
  c[n++] = OkButton(Lines + 2);
  c[n++] = CancelButton(Lines + 2, 1);
  return c;
}

constexpr auto kModulos02Controls = DaysControls<3, 2>(kModulos02, {sid::kUnitsHeading, sid::kDaysHeading},
                                                       {ColumnFormat{7, 2}, ColumnFormat{3, 0}});
constexpr auto kModulos03Controls = DaysControls<4, 2>(kModulos03, {sid::kUnitsHeading, sid::kDaysHeading},
                                                       {ColumnFormat{7, 2}, ColumnFormat{3, 0}});
constexpr auto kMesasControls =
    DaysControls<4, 3>(kMesas, {sid::kCapacity, sid::kTables, sid::kDaysHeading},
                       {ColumnFormat{2, 0}, ColumnFormat{4, 0}, ColumnFormat{3, 0}});

constexpr ui::DialogTemplate kModulos02Template{.id = CVentModulos02Dlg::kId, .captionId = sid::kModulos02Caption,
                                                .controls = kModulos02Controls};
constexpr ui::DialogTemplate kModulos03Template{.id = CVentModulos03Dlg::kId, .captionId = sid::kModulos03Caption,
                                                .controls = kModulos03Controls};
constexpr ui::DialogTemplate kMesasTemplate{.id = CMesasDlg::kId, .captionId = sid::kTables,
                                            .controls = kMesasControls};

// The declarant's date of death, or nothing when none is given.
const std::uint8_t* DeclarantDeath() {
  const std::uint8_t* block = doc::Form100Block();
  if (!block) return nullptr;
  const std::uint8_t* date = block + f100::wizard_personal::DeclarantDeath.off;
  return date[0] != 0 && date[0] != ' ' ? date : nullptr;
}

void Reload(CEditEx* e) {
  if (e) e->LoadFromData(1);
}

}  // namespace

CDaysDlgBase::CDaysDlgBase(const ui::DialogTemplate& tmpl, const DaysDialogShape& shape, QWidget* parent)
    : CWorkingRecordDlg(tmpl, mr::kSize, ui::AnnexArgs{parent}), shape_(shape) {}

void CDaysDlgBase::SetUnitCaptions(const QString& first, const QString& second) {
  captions_[0] = first;
  captions_[1] = second;
}

blocks::F64 CDaysDlgBase::Field(int line, int column) const {
  return mr::Detail(line * shape_.columns + column);
}

void CDaysDlgBase::OnInitAnnex() {
  for (std::size_t i = 0; i < 2; ++i)
    if (auto* heading = qobject_cast<QLabel*>(GetDlgItem(shape_.headingIds[i])); heading && !captions_[i].isEmpty())
      heading->setText(captions_[i]);
  maxDays_ = 0;
}

double CDaysDlgBase::MaxDays() const {
  if (holder_ != doc::kDeclarant) return kFullYearDays;
  const std::uint8_t* death = DeclarantDeath();
  if (!death) return kFullYearDays;
  char date[9] = {};
  std::copy_n(death, 8, date);
  return doc::DaysBetweenDates("31122002", date);
}

bool CDaysDlgBase::CheckDays(int days) {
  const double season = mr::SeasonDays.get(Data());
  if ((season != 0 && days > season) || days > maxDays_) {
    Guard() = true;
    ui::ShowMessage(this, QStringLiteral("100R118"), platform::kIconHand);
    Guard() = false;
    return false;
  }
  return true;
}

double CDaysDlgBase::Units() const {
  const std::uint8_t* rec = block_.data();
  const int days = shape_.columns - 1;
  double sum = 0;
  for (int line = 0; line < shape_.lines; ++line) {
    if (shape_.formula == DaysFormula::Tables)
      sum += Field(line, 2).get(rec) * kPerDay * Field(line, 0).get(rec) * 0.25 * Field(line, 1).get(rec);
    else
      sum += Field(line, 0).get(rec) * Field(line, days).get(rec);
  }
  if (shape_.formula == DaysFormula::Tables) return blocks::TruncToDecimals(sum, 2);
  return blocks::TruncToDecimals(sum * Scale() * kPerDay, 2);
}

int CDaysDlgBase::OnEditKillFocus(int id) {
  // Nothing is checked once the dialog has closed, nor while its own message is up.
  if (Guard() || Closing()) return 1;
  maxDays_ = MaxDays();
  const int daysColumn = shape_.columns - 1, fillColumn = shape_.columns - 2;
  for (int line = 0; line < shape_.lines; ++line)
    for (int col = 0; col < shape_.columns; ++col) {
      if (shape_.ids[static_cast<std::size_t>(line)][static_cast<std::size_t>(col)] != id) continue;
      const blocks::F64 days = Field(line, daysColumn);
      const int daysId = shape_.ids[static_cast<std::size_t>(line)][static_cast<std::size_t>(daysColumn)];
      if (col == fillColumn && Field(line, col).get(Data()) != 0 && days.get(Data()) == 0) {
        const double season = mr::SeasonDays.get(Data());
        days.set(Data(), season != 0 && season < maxDays_ ? season : maxDays_);
        Reload(Edit(daysId));
      } else if (col == daysColumn && !CheckDays(static_cast<int>(days.get(Data())))) {
        if (QWidget* e = GetDlgItem(daysId)) e->setFocus();
      }
    }
  mr::Units.set(Data(), Units());
  Reload(Edit(shape_.totalId));
  return 1;
}

CVentModulos02Dlg::CVentModulos02Dlg(QWidget* parent) : CDaysDlgBase(kModulos02Template, kModulos02, parent) {}

double CVentModulos02Dlg::Scale() const { return mr::Kind.get(block_.data()) == 14 ? 0.01 : 1.0; }

void CVentModulos02Dlg::OnInitAnnex() {
  CDaysDlgBase::OnInitAnnex();
  if (mr::Kind.get(Data()) == 14)
    if (auto* label = qobject_cast<QLabel*>(GetDlgItem(kUnitsLabel)))
      label->setText(platform::LoadString(sid::kUnitsPerHundredLabel));
}

CVentModulos03Dlg::CVentModulos03Dlg(QWidget* parent) : CDaysDlgBase(kModulos03Template, kModulos03, parent) {}

CMesasDlg::CMesasDlg(QWidget* parent) : CDaysDlgBase(kMesasTemplate, kMesas, parent) {}

// ------------------------------------------------------------ distance

namespace {
using DR = CDistanciaRecorridaDlg;
constexpr ui::ControlDef kDistanceControls[] = {
    {.id = DR::kValueLabel, .kind = Ctl::Static, .textId = sid::kKilometres, .row = 0, .col = 0},
    {.id = DR::kValue, .kind = Ctl::Double, .row = 0, .col = 1, .width = 7, .decimals = 0, .field = mr::Detail(0)},
    {.id = DR::kUnitsLabel, .kind = Ctl::Static, .textId = sid::kKilometreUnits, .row = 1, .col = 0},
    {.id = DR::kUnits, .kind = Ctl::Double, .row = 1, .col = 1, .width = 7, .decimals = 2,
     .field = mr::Detail(1), .options = ui::kOptDisabled | ui::kOptReadOnly},
    OkButton(2),
    CancelButton(2, 1),
};
constexpr ui::DialogTemplate kDistanceTemplate{.id = DR::kId, .captionId = sid::kDistanceCaption,
                                               .controls = kDistanceControls};
}  // namespace

CDistanciaRecorridaDlg::CDistanciaRecorridaDlg(QWidget* parent)
    : CWorkingRecordDlg(kDistanceTemplate, mr::kSize, ui::AnnexArgs{parent}) {}

void DR::OnInitAnnex() {
  std::fill(Data() + 64, Data() + 152, std::uint8_t{0});
  if (QWidget* units = GetDlgItem(kUnits)) units->setEnabled(false);
  if (kind_ == 3) {
    if (auto* l = qobject_cast<QLabel*>(GetDlgItem(kValueLabel))) l->setText(platform::LoadString(sid::kKilowatts));
    if (auto* l = qobject_cast<QLabel*>(GetDlgItem(kUnitsLabel))) l->setText(platform::LoadString(sid::kKilowattUnits));
  }
}

void DR::Compute() {
  const double factor = kind_ == 3 ? 0.01 : 0.001;
  const double units = blocks::TruncToDecimals(mr::Detail(0).get(Data()) * factor, 2);
  mr::Units.set(Data(), units);
  mr::Detail(1).set(Data(), units);
  Reload(Edit(kUnits));
}

int DR::OnEditKillFocus(int) {
  Compute();
  return 1;
}

int DR::OnEditChange(int id) {
  if (id != kValue) return 0;
  // The total follows the typing: the figure is stored first.
  if (CEditEx* e = Edit(kValue); e && e->hasFocus()) e->StoreToData();
  Compute();
  return 1;
}

// ------------------------------------------------------------ staff

namespace {
using M01 = CVentModulos01Dlg;
using M05 = CVentModulos05Dlg;
using PNA = CPersonalNoAsalariadoDlg;

constexpr ui::ControlDef HoursEdit(int id, int row, int col, blocks::F64 field) {
  return {.id = id, .kind = Ctl::Double, .row = row, .col = col, .width = 7, .decimals = 0, .field = field};
}
constexpr ui::ControlDef Label(int textId, int row) { return {.kind = Ctl::Static, .textId = textId, .row = row, .col = 0}; }

// Fields of the hours: 2003 at 48, 56, 64; 2002 at 72, 80, 88.
constexpr blocks::F64 kFieldOver19{48}, kFieldUnder19{56}, kFieldAgreement{64};
constexpr blocks::F64 kFieldOver19Before{72}, kFieldUnder19Before{80}, kFieldAgreementBefore{88};

constexpr ui::ControlDef kModulos01Controls[] = {
    {.kind = Ctl::Static, .textId = sid::kHoursHeading, .row = 0, .col = 0, .colSpan = 2},
    Label(sid::kAgreementHours, 1), HoursEdit(M01::kAgreement, 1, 1, kFieldAgreement),
    Label(sid::kUnder19Hours, 2),   HoursEdit(M01::kUnder19, 2, 1, kFieldUnder19),
    Label(sid::kOver19Hours, 3),    HoursEdit(M01::kOver19, 3, 1, kFieldOver19),
    OkButton(4),                    CancelButton(4, 1),
};
constexpr ui::DialogTemplate kModulos01Template{.id = M01::kId, .captionId = sid::kModulos01Caption,
                                                .controls = kModulos01Controls};

constexpr ui::ControlDef kModulos05Controls[] = {
    {.kind = Ctl::Static, .textId = sid::kHoursHeading, .row = 0, .col = 0},
    {.kind = Ctl::Static, .textId = sid::kYear2003, .row = 0, .col = 1},
    {.kind = Ctl::Static, .textId = sid::kYear2002, .row = 0, .col = 2},
    Label(sid::kAgreementHoursPlain, 1),
    HoursEdit(M05::kAgreementBefore, 1, 2, kFieldAgreementBefore),
    Label(sid::kUnder19Hours, 2),
    HoursEdit(M05::kUnder19Before, 2, 2, kFieldUnder19Before),
    Label(sid::kOver19Hours, 3),
    HoursEdit(M05::kOver19Before, 3, 2, kFieldOver19Before),
    HoursEdit(M05::kAgreement, 1, 1, kFieldAgreement),
    HoursEdit(M05::kUnder19, 2, 1, kFieldUnder19),
    HoursEdit(M05::kOver19, 3, 1, kFieldOver19),
    OkButton(4),
    CancelButton(4, 1),
};
constexpr ui::DialogTemplate kModulos05Template{.id = M05::kId, .captionId = sid::kModulos05Caption,
                                                .controls = kModulos05Controls};

constexpr blocks::F64 kHolderHours{48}, kSpouseHours{56}, kChildrenHours{64};
constexpr ui::ControlDef kNonSalariedControls[] = {
    Label(sid::kChildrenHours, 0), HoursEdit(PNA::kChildren, 0, 1, kChildrenHours),
    Label(sid::kSpouseHours, 1),   HoursEdit(PNA::kSpouse, 1, 1, kSpouseHours),
    Label(sid::kHolderHours, 2),   HoursEdit(PNA::kHolder, 2, 1, kHolderHours),
    {.id = PNA::kHint, .kind = Ctl::Legend, .textId = sid::kHoursHint, .row = 3, .col = 0, .colSpan = 2},
    OkButton(4),                   CancelButton(4, 1),
};
constexpr ui::DialogTemplate kNonSalariedTemplate{.id = PNA::kId, .captionId = sid::kNonSalariedCaption,
                                                  .controls = kNonSalariedControls};

// Agreement hours of 0 or less stand for the yearly 1800.
void DefaultAgreement(std::uint8_t* rec, blocks::F64 agreement) {
  if (agreement.get(rec) <= 0) agreement.set(rec, kYearHours);
}
double SalariedPersons(const std::uint8_t* rec) {
  return (kFieldOver19.get(rec) + 0.6 * kFieldUnder19.get(rec)) / kFieldAgreement.get(rec);
}
}  // namespace

CVentModulos01Dlg::CVentModulos01Dlg(QWidget* parent) : CWorkingRecordDlg(kModulos01Template, mr::kSize, ui::AnnexArgs{parent}) {}

void M01::OnInitAnnex() {
  DefaultAgreement(Data(), kFieldAgreement);
  // A single year: the previous year's hours and the rest of the detail go.
  std::fill(Data() + 72, Data() + 152, std::uint8_t{0});
}

int M01::OnEditKillFocus(int) {
  if (kFieldAgreement.get(Data()) == 0) kFieldAgreement.set(Data(), kYearHours);
  mr::Units.set(Data(), SalariedPersons(Data()));
  Reload(Edit(M01::kAgreement));
  return 1;
}

CVentModulos05Dlg::CVentModulos05Dlg(QWidget* parent) : CWorkingRecordDlg(kModulos05Template, mr::kSize, ui::AnnexArgs{parent}) {}

void M05::OnInitAnnex() {
  DefaultAgreement(Data(), kFieldAgreement);
  DefaultAgreement(Data(), kFieldAgreementBefore);
}

int M05::OnEditKillFocus(int) {
  if (kFieldAgreement.get(Data()) == 0) kFieldAgreement.set(Data(), kYearHours);
  mr::Units.set(Data(), blocks::TruncToDecimals(SalariedPersons(Data()), 2));
  Reload(Edit(M05::kAgreement));
  return 1;
}

CPersonalNoAsalariadoDlg::CPersonalNoAsalariadoDlg(QWidget* parent)
    : CWorkingRecordDlg(kNonSalariedTemplate, mr::kSize, ui::AnnexArgs{parent}) {}

void PNA::OnInitAnnex() {
  const bool childsActivity = holder_ == doc::kChild1 || holder_ == doc::kChild2;
  if (childsActivity) {
    kSpouseHours.set(Data(), 0.0);
    kChildrenHours.set(Data(), 0.0);
  }
  for (int id : {kSpouse, kChildren})
    if (QWidget* e = GetDlgItem(id)) {
      e->setVisible(true);
      e->setEnabled(!childsActivity && !ReadOnlyView());
    }
}

int PNA::OnEditSetFocus(int) {
  if (auto* hint = qobject_cast<QLabel*>(GetDlgItem(kHint))) hint->clear();
  return 0;
}

int PNA::OnEditKillFocus(int id) {
  if (Closing()) return 1;
  for (const auto& [control, field] : {std::pair{kHolder, kHolderHours}, std::pair{kSpouse, kSpouseHours}}) {
    if (id != control || field.get(Data()) <= kYearHours) continue;
    ui::ShowMessage(this, QStringLiteral("100R136"), platform::kIconExclamation);
    field.set(Data(), 0.0);
    Reload(Edit(control));
    if (QWidget* e = GetDlgItem(control)) e->setFocus();
    return 0;
  }
  ComputeUnits();
  Reload(Edit(kChildren));
  return 1;
}

void PNA::ComputeUnits() {
  const double h = std::min(kHolderHours.get(Data()), kYearHours);
  const double s = std::min(kSpouseHours.get(Data()), kYearHours);
  const double c = kChildrenHours.get(Data());
  const double sum = maxEmployees_ <= 1 && h == kYearHours ? h + 0.5 * (s + c) : h + s + c;
  mr::Units.set(Data(), blocks::TruncToDecimals(sum * kPerPerson, 2));
}

}  // namespace modules
