#include "annex/informacion_relativa_actividad_dlg.h"

#include <QApplication>

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "annex/activity_rows.h"
#include "annex/informacion_nuevas_actividades_dlg.h"
#include "blocks/family_entries.h"
#include "data/doc/reference.h"
#include "data/doc/active_declaration.h"
#include "platform/icons.h"
#include "ui/double_edit.h"
#include "ui/edit_ex.h"
#include "ui/messages.h"
#include "ui/titular_edit.h"

namespace annex::activity_info {
namespace {

constexpr int kLines221[] = {99559, 99560, 99561};
constexpr int kLines229[] = {99562, 99563, 99564, 99565, 99566};
constexpr int kLines226[] = {99567, 99568, 99569, 99570, 99566};
constexpr int kLines81[] = {99573, 99574, 99575, 99576, 99577, 99578, 99579};
constexpr int kMunicipality = 99558, kRafts = 99572, kStaff = 99553, kStaffNoBlank = 99554;

}  // namespace

// clang-format off
const Kind kActivityInfoKinds[5] = {
  // id  class                                  premises vehicles load  max label          lines      staff        digits rows whenModified death      class      refocus required                      OK         focus            Cancel
  {221, "CInformacionRelativaActividadDlg221", true,  true,  true,  3, kMunicipality, kLines221, kStaff,        3, 6, false, "100R033", "100R011", false, Required::PremisesLoadAndClass, "100R010", kSinglePremises, "100R010"},
  {229, "CInformacionRelativaActividadDlg229", true,  true,  true,  5, kMunicipality, kLines229, kStaff,        8, 4, false, "WIN031",  "100R117", false, Required::PremisesLoadAndClass, "100R010", kSinglePremises, "100R010"},
  {224, "CInformacionRelativaActividadDlg224", false, true,  false, 0, 0,             {},        kStaffNoBlank, 8, 4, false, "100R033", "",        false, Required::Vehicles,             "100R132", kVehicles,       "100R132"},
  {226, "CInformacionRelativaActividadDlg226", false, false, false, 5, kMunicipality, kLines226, kStaff,        8, 4, true,  "100R033", "100R117", true,  Required::Class,                "100R010", kClass,          "100R010"},
  {81,  "CInformacionRelativaActividadDlg81",  false, false, false, 7, kRafts,        kLines81,  kStaff,        8, 4, true,  "100R033", "100R116", true,  Required::Class,                "100R131", kClass,          "100R010"},
};
// clang-format on

bool IsComplete(const Kind& kind, const std::uint8_t* r) {
  switch (kind.required) {
    case Required::PremisesLoadAndClass:
      return SinglePremises.get(r) != 255 && !(Vehicles.get(r) == 1.0 && LoadOver1000.get(r) == 255) &&
             ClassKey.get(r) != 0.0;
    case Required::Vehicles: return Vehicles.get(r) != 0.0;
    case Required::Class: return ClassKey.get(r) != 0.0;
  }
  return false;
}

bool NothingEntered(const std::uint8_t* r) {
  return LoadOver1000.get(r) != 1 && StaffIncrease.get(r) != 1 && MaxEmployees.get(r) == 0.0 &&
         ClassKey.get(r) == 0.0 && Vehicles.get(r) == 0.0 && Withholdings.get(r) == 0.0 && StartYear.get(r) == 0.0 &&
         SinglePremises.get(r) != 1 && SeasonDays.get(r) == 0.0;
}

namespace {

using ui::Ctl;

// A dialog's controls, made once from its row of the table.
struct BuiltTemplate {
  std::vector<ui::ControlDef> controls;
  ui::DialogTemplate tmpl;
};

BuiltTemplate Build(const Kind& k) {
  BuiltTemplate b;
  auto& c = b.controls;
  int row = 0;
  auto line = [&](int label, int id, Ctl kind, ui::FieldRef field, int width = 0, int decimals = 0) {
    c.push_back({.kind = Ctl::Static, .textId = label, .row = row, .col = 0});
    c.push_back({.id = id, .kind = kind, .row = row, .col = 1, .width = width, .decimals = decimals, .field = field});
    ++row;
  };
  line(99550, kDays, Ctl::Double, SeasonDays, 3, 0);
  line(99551, kStartYear, Ctl::ANum, {}, 4);
  c.push_back({.id = kStaffGroup, .kind = Ctl::GroupBox, .textId = 99552, .row = row++, .col = 0, .colSpan = 3});
  c.push_back({.kind = Ctl::Static, .textId = k.staffLabel, .row = 0, .col = 0, .group = kStaffGroup});
  c.push_back({.id = kStaffIncrease, .kind = Ctl::YesNo, .row = 0, .col = 1, .group = kStaffGroup, .field = StaffIncrease});
  if (k.premises) line(99555, kSinglePremises, Ctl::YesNo, SinglePremises);
  if (k.vehicles) line(99556, kVehicles, Ctl::Double, Vehicles, 3, 0);
  if (k.load) line(99557, kLoad, Ctl::YesNo, LoadOver1000);
  if (k.classMax > 0) {
    line(k.classLabel, kClass, Ctl::Double, ClassKey, 3, 0);
    for (int text : k.classLines) c.push_back({.kind = Ctl::Static, .textId = text, .row = row++, .col = 0});
  }
  line(99580, kMaxEmployees, Ctl::Double, MaxEmployees, k.employeeDigits, 0);
  line(97837, kWithholdings, Ctl::Double, Withholdings, 8, 2);
  line(97838, kInstalments, Ctl::Double, Instalments, 8, 2);
  c.push_back({.id = ui::IDOK, .kind = Ctl::Ok, .textId = ui::kStrOkButton, .row = row, .col = 0});
  c.push_back({.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = ui::kStrCancelButton, .row = row, .col = 1});
  c.push_back({.id = ui::kHelpButtonId, .kind = Ctl::Help, .textId = 91001, .row = row, .col = 2});
  b.tmpl = {.id = k.templateId, .captionId = 97830, .controls = c, .helpTopic = 289};
  return b;
}

const ui::DialogTemplate& TemplateOf(const Kind& k) {
  static const std::array<BuiltTemplate, 5> built = [] {
    std::array<BuiltTemplate, 5> all;
    for (std::size_t i = 0; i < all.size(); ++i) {
      all[i] = Build(kActivityInfoKinds[i]);
      all[i].tmpl.controls = all[i].controls;  // the span follows the vector into the array
    }
    return all;
  }();
  return built[static_cast<std::size_t>(&k - kActivityInfoKinds)].tmpl;
}

// The integer value of what is typed (digits only; empty is 0).
int TypedInteger(const QString& text) {
  const double v = CDoubleEdit::ParseAmountText(text.trimmed());
  return std::isfinite(v) && std::fabs(v) < 1e9 ? static_cast<int>(v) : 0;
}

bool FocusGoesToCancel() {
  const QWidget* f = QApplication::focusWidget();
  return f && ui::ControlId(f) == ui::IDCANCEL;
}

// The start year as typed, with the two-digit shorthand; -1 for any other text.
double YearOfText(const QString& t) {
  if (t.isEmpty()) return 0.0;
  if (t == QLatin1String("2002") || t == QLatin1String("02")) return 2002.0;
  if (t == QLatin1String("2003") || t == QLatin1String("03")) return 2003.0;
  return -1.0;
}

}  // namespace
}  // namespace annex::activity_info

namespace ai = annex::activity_info;
namespace rows = annex::activity_rows;
using D = CInformacionRelativaActividadDlg;

D::CInformacionRelativaActividadDlg(const ai::Kind& kind, const ui::AnnexArgs& args)
    : CAnnexDlg(ai::TemplateOf(kind), ai::kSize, args), kind_(kind), row_(args.extra) {
  // The page opens it with the member it shows.
  shownMember = args.holderMode > 0 ? args.holderMode : doc::kFamilyUnit;
}

void D::SetRow(std::uint8_t holder, int row) {
  holder_ = holder;
  row_ = row;
  rowGiven_ = true;
}

int D::Show(const char* code, int icon) { return ui::ShowMessage(this, QString::fromLatin1(code), icon); }

void D::Reload(int id) {
  if (CEditEx* e = Edit(id)) e->LoadFromData(1);
}

void D::FocusOn(int id) {
  if (QWidget* w = GetDlgItem(id)) w->setFocus();
}

// Loading the edits is no typing: their checks wait for the user.
void D::OnInitDialog() {
  ++guard_;
  CAnnexDlg::OnInitDialog();
  --guard_;
}

void D::OnInitAnnex() {
  std::memcpy(opened_, Data(), ai::kSize);
  std::uint8_t* declaration = doc::Form100Block();
  if (!rowGiven_ && declaration && row_ >= 0 && row_ < rows::kRows)
    holder_ = rows::Holder(declaration, rows::kObjective, row_);
  const double year = ai::StartYear.get(Data());
  if (CEditEx* e = Edit(ai::kStartYear))
    e->setText(year == 2002.0 ? QStringLiteral("2002") : year == 2003.0 ? QStringLiteral("2003") : QString());
  if (kind_.load) FollowVehicles(static_cast<int>(ai::Vehicles.get(Data())));
  ShareHolderInstalments();
  openedInstalments_ = ai::Instalments.get(Data());
}

// The load question is asked only for exactly one vehicle; otherwise it is left unanswered.
void D::FollowVehicles(int vehicles) {
  QWidget* load = GetDlgItem(ai::kLoad);
  if (!load) return;
  if (vehicles == 1) {
    load->setEnabled(!ReadOnlyView());
  } else {
    ai::LoadOver1000.set(Data(), 255);
    load->setEnabled(false);
  }
  Reload(ai::kLoad);
}

// Another row of the holder with other instalments gives them to this one at once: the value
// shown is then the one every row of the holder holds, whatever the dialog's answer.
void D::ShareHolderInstalments() {
  std::uint8_t* declaration = doc::Form100Block();
  if (!declaration) return;
  double value = ai::Instalments.get(Data());
  bool adopted = false;
  for (int r = 0; r < kind_.instalmentRows && r < rows::kRows; ++r) {
    const std::uint8_t* row = rows::Row(declaration, rows::kObjective, r);
    const double v = rows::Payments(rows::kObjective).get(row);
    if (row[0] == holder_ && v != 0.0 && v != value) {
      value = v;
      adopted = true;
    }
  }
  if (!adopted) return;
  ai::Instalments.set(Data(), value);
  if (row_ >= 0 && row_ < rows::kRows) rows::Payments(rows::kObjective).set(rows::Row(declaration, rows::kObjective, row_), value);
}

// The days of a seasonal activity: at most 180, and for the declarant's activity no more than the
// days up to the declarant's death.
void D::TestDays() {
  std::uint8_t* d = Data();
  const double days = ai::SeasonDays.get(d);
  const std::uint8_t* declaration = doc::Form100Block();
  const std::uint8_t* personal = declaration ? declaration + f100::Personal.offset : nullptr;
  const char* code = nullptr;
  int icon = platform::kIconHand;
  if (personal && holder_ == ui::kHolderDeclarant && !f100::wizard_personal::DeclarantDeath.isAbsent(personal)) {
    const std::string death(f100::wizard_personal::DeclarantDeath.raw(personal));
    const int untilDeath = doc::DaysBetweenDates("31122002", death.c_str());
    if (days >= 181 || days > untilDeath) {
      code = kind_.deathCode;
      icon = platform::kIconExclamation;
    }
  } else if (days > 180) {
    code = "100R032";
  } else if (ai::StartYear.get(d) > 0 && days > 0) {
    code = "100R034";
  }
  if (!code) return;
  ++guard_;
  Show(code, icon);
  ai::SeasonDays.set(d, 0.0);
  Reload(ai::kDays);
  FocusOn(ai::kDays);
  --guard_;
}

void D::TestStartYear() {
  CEditEx* e = Edit(ai::kStartYear);
  if (!e) return;
  const QString typed = e->text();
  if (typed == QLatin1String("02")) e->setText(QStringLiteral("2002"));
  if (typed == QLatin1String("03")) e->setText(QStringLiteral("2003"));
  ++guard_;
  if (ai::YearOfText(typed) < 0) {
    Show("WIN007", platform::kIconHand);
    FocusOn(ai::kStartYear);
  } else if (e->IsModifiedEx()) {
    const double year = ai::YearOfText(e->text());
    ai::StartYear.set(Data(), year);
    bool done = true;
    if (year != 0.0) {
      if (ai::SeasonDays.get(Data()) != 0.0) {
        Show("100R034", platform::kIconHand);
        e->setText(QString());
        ai::StartYear.set(Data(), 0.0);
        FocusOn(ai::kStartYear);
        done = false;  // still modified: leaving it again tests it again
      } else if (CInformacionNuevasActividadesDlg(this).DoModal() != ui::IDOK) {
        // "Corregir": the text stays for OK to read again.
        ai::StartYear.set(Data(), 0.0);
        FocusOn(ai::kStartYear);
      }
    }
    if (done) e->SetModifiedEx(false);
  }
  --guard_;
}

int D::OnEditKillFocus(int id) {
  if (guard_) return 0;
  if (ai::FocusGoesToCancel()) return 1;
  switch (id) {
    case ai::kDays: {
      CEditEx* e = Edit(ai::kDays);
      if (!kind_.daysOnlyWhenModified) {
        TestDays();
      } else if (e && e->IsModifiedEx()) {
        TestDays();
        // Accepted or cleared, the days are shown again and keep the focus once.
        ++guard_;
        Reload(ai::kDays);
        e->SetModifiedEx(false);
        FocusOn(ai::kDays);
        --guard_;
      }
      break;
    }
    case ai::kInstalments:
      if (CEditEx* e = Edit(ai::kInstalments); e && e->IsModifiedEx() && openedInstalments_ != 0.0 &&
                                                openedInstalments_ != ai::Instalments.get(Data())) {
        ++guard_;
        Show("100I006", platform::kIconAsterisk);
        --guard_;
        e->SetModifiedEx(false);
      }
      break;
    case ai::kStartYear: TestStartYear(); break;
    case ai::kVehicles:
      if (kind_.load) FollowVehicles(static_cast<int>(ai::Vehicles.get(Data())));
      break;
    default: break;
  }
  return 1;
}

int D::OnEditChange(int id) {
  if (guard_) return 0;
  CEditEx* e = Edit(id);
  if (!e) return 0;
  if (id == ai::kVehicles && kind_.load) FollowVehicles(ai::TypedInteger(e->text()));
  if (id == ai::kClass && kind_.classMax > 0 && ai::TypedInteger(e->text()) > kind_.classMax) ClassTyped();
  return 1;
}

void D::ClassTyped() {
  ++guard_;
  Show(kind_.classCode, platform::kIconHand);
  ai::ClassKey.set(Data(), 0.0);
  Reload(ai::kClass);
  if (kind_.classRefocus) {
    if (CEditEx* e = Edit(ai::kClass)) e->SetModifiedEx(false);
    FocusOn(ai::kClass);
  }
  --guard_;
}

bool D::Validate() {
  const CEditEx* year = Edit(ai::kStartYear);
  const QString text = year ? year->text() : QString();
  // A year the record cannot hold is not taken as accepted.
  if (ai::YearOfText(text) < 0) {
    Show("WIN007", platform::kIconHand);
    FocusOn(ai::kStartYear);
    return false;
  }
  if (!text.isEmpty() && ai::TypedInteger(text) > 0 && ai::SeasonDays.get(Data()) > 0) {
    Show("100R034", platform::kIconHand);
    FocusOn(ai::kDays);
    return false;
  }
  if (!ai::IsComplete(kind_, Data())) {
    Show(kind_.okCode, platform::kIconHand);
    FocusOn(kind_.okFocus);
    return false;
  }
  return true;
}

bool D::ValidateOK() {
  ++guard_;
  const bool valid = Validate();
  --guard_;
  if (!valid) return false;
  const CEditEx* year = Edit(ai::kStartYear);
  ai::StartYear.set(Data(), ai::YearOfText(year ? year->text() : QString()));
  return true;
}

void D::OnOK() {
  if (ReadOnlyView()) {
    done(ui::IDCANCEL);
    return;
  }
  CAnnexDlg::OnOK();
}

// Cancel drops the changes of a record that was complete, or of one where nothing is entered; an
// incomplete record is left only by completing it or by clearing it.
void D::OnCancel() {
  if (ReadOnlyView()) {
    done(ui::IDCANCEL);
    return;
  }
  ++guard_;
  UpdateAll(true);  // what is typed in the focused edit counts too
  if (ai::NothingEntered(Data()) || ai::IsComplete(kind_, opened_)) {
    --guard_;
    done(ui::IDCANCEL);
    return;
  }
  Show(kind_.cancelCode, platform::kIconHand);
  --guard_;
}

CInformacionRelativaActividadDlg221::CInformacionRelativaActividadDlg221(const ui::AnnexArgs& a) : D(ai::kActivityInfoKinds[0], a) {}
CInformacionRelativaActividadDlg229::CInformacionRelativaActividadDlg229(const ui::AnnexArgs& a) : D(ai::kActivityInfoKinds[1], a) {}
CInformacionRelativaActividadDlg224::CInformacionRelativaActividadDlg224(const ui::AnnexArgs& a) : D(ai::kActivityInfoKinds[2], a) {}
CInformacionRelativaActividadDlg226::CInformacionRelativaActividadDlg226(const ui::AnnexArgs& a) : D(ai::kActivityInfoKinds[3], a) {}
CInformacionRelativaActividadDlg81::CInformacionRelativaActividadDlg81(const ui::AnnexArgs& a) : D(ai::kActivityInfoKinds[4], a) {}

namespace annex {
void RegisterActivityInformationDialogs() {
  ui::RegisterAnnex<CInformacionRelativaActividadDlg221>(ai::kActivityInfoKinds[0].className);
  ui::RegisterAnnex<CInformacionRelativaActividadDlg229>(ai::kActivityInfoKinds[1].className);
  ui::RegisterAnnex<CInformacionRelativaActividadDlg224>(ai::kActivityInfoKinds[2].className);
  ui::RegisterAnnex<CInformacionRelativaActividadDlg226>(ai::kActivityInfoKinds[3].className);
  ui::RegisterAnnex<CInformacionRelativaActividadDlg81>(ai::kActivityInfoKinds[4].className);
}
}  // namespace annex
