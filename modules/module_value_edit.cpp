#include "modules/module_value_edit.h"

#include <QMouseEvent>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "blocks/form100.h"
#include "blocks/form100_e4.h"
#include "data/doc/active_declaration.h"
#include "forms/pages/ord004.h"
#include "forms/pages/ord005.h"
#include "forms/view/module_editor_hook.h"
#include "forms/view/page_view.h"
#include "modules/agrarian_product_edit.h"
#include "modules/module_value_dlgs.h"
#include "modules/module_value_strings.h"
#include "platform/cp1252.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/template_dlg.h"

namespace modules {

// The pages hand their own binding structures; they carry the same three fields.
static_assert(sizeof(ModuleBoxBinding) == sizeof(forms::CBoxesORD004::ModuleLink) &&
              offsetof(forms::CBoxesORD004::ModuleLink, number) == offsetof(ModuleBoxBinding, activity) &&
              offsetof(forms::CBoxesORD004::ModuleLink, zero) == offsetof(ModuleBoxBinding, product));
static_assert(sizeof(ModuleBoxBinding) == sizeof(forms::CBoxesORD005::RowValueLink) &&
              offsetof(forms::CBoxesORD005::RowValueLink, number) == offsetof(ModuleBoxBinding, activity) &&
              offsetof(forms::CBoxesORD005::RowValueLink, kind) == offsetof(ModuleBoxBinding, product));

ModuleBoxBinding BindingOf(const CBoxField* box) {
  ModuleBoxBinding b;
  if (box && box->option) std::memcpy(&b, box->option, sizeof b);
  return b;
}

void RegisterModuleEditors() {
  forms::SetModuleBoxEditorMaker([](CBoxField& box, db::CAdoConnection* connection) -> CEditEx* {
    if (box.occurrences == 1) return new CAgrarianProductEdit(&box, connection);
    return new CModsEmpreEdit(&box);
  });
}

}  // namespace modules

namespace {

namespace e4 = f100::sec_e4;
namespace mr = modules::module_record;
namespace sid = modules::string_id;

enum class ModuleDialog { None, Staff, NonSalaried, Distance, UnitsDays, SeatsDays, Tables };

struct KindRule {
  ModuleDialog dialog;
  int caption = 0, secondCaption = 0;
};

// The dialog and unit caption of each module kind.
KindRule RuleOf(int kind) {
  switch (kind) {
    case 1: case 15: case 16: return {ModuleDialog::Staff};
    case 2: return {ModuleDialog::NonSalaried};
    case 3: case 12: return {ModuleDialog::Distance};
    case 4: return {ModuleDialog::Tables, sid::kCapacity, sid::kTables};
    case 5: case 9: case 10: case 11: case 17: case 18: case 19: return {ModuleDialog::UnitsDays, sid::kMetres};
    case 6: case 7: case 25: return {ModuleDialog::UnitsDays, sid::kNumber};
    case 8: return {ModuleDialog::UnitsDays, sid::kKilowattsCaption};
    case 13: return {ModuleDialog::UnitsDays, sid::kKilograms};
    case 14: return {ModuleDialog::UnitsDays, sid::kSquareDecimetres};
    case 23: return {ModuleDialog::UnitsDays, sid::kTonnes};
    case 24: return {ModuleDialog::UnitsDays, sid::kHorsepower};
    case 20: return {ModuleDialog::SeatsDays, sid::kPlaces};
    case 21: return {ModuleDialog::SeatsDays, sid::kSeats};
    case 61: return {ModuleDialog::SeatsDays, sid::kRafts};
    default: return {ModuleDialog::None};
  }
}

QString Caption(int id) { return id ? platform::LoadString(id) : QString(); }

// A member of a household with several is shown.
bool SingleMemberOfSeveral() {
  return doc::ShownMember() != doc::kFamilyUnit && CEditEx::HasOtherMembers();
}

}  // namespace

CModsEmpreEdit::CModsEmpreEdit(CBoxField* box, QWidget* parent)
    : CDoubleEdit(box, parent), binding_(modules::BindingOf(box)) {
  if (!binding_.record) return;
  kind_ = ValidateKind(static_cast<signed char>(mr::Kind.get(binding_.record)));
  const std::uint8_t* text = binding_.record + mr::Description15.off;
  const std::size_t n = std::find(text, text + mr::Description15.width, 0) - text;
  caption_ = QString::fromStdString(platform::Cp1252ToUtf8(std::string(reinterpret_cast<const char*>(text), n))).trimmed();
}

CModsEmpreEdit::~CModsEmpreEdit() { delete button_.data(); }

int CModsEmpreEdit::ValidateKind(int number) {
  return (number >= 1 && number <= 29) || number == 56 || number == 57 || number == 61 ? number : -1;
}

bool CModsEmpreEdit::AcceptsTypedUnits() const {
  switch (kind_) {
    case 1: case 2: case 3: case 12: case 14: case 15: case 16: return false;
    default: return true;
  }
}

void CModsEmpreEdit::showEvent(QShowEvent* e) {
  CDoubleEdit::showEvent(e);
  // A read-only box of a kind with a dialog is not opened for editing: it gets no button.
  if (kind_ == -1 || button_ || ControlReadOnly()) return;
  button_ = new ui::CCompanionButton(this, ui::CCompanionButton::Look::Dots, sid::kF7Opens);
  connect(button_, &QToolButton::clicked, this, [this] { OnButtonClicked(); });
}

void CModsEmpreEdit::OnButtonClicked() {
  if (kind_ != -1) {
    OpenModuleDialog();
  } else if (SingleMemberOfSeveral()) {
    ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
  }
}

void CModsEmpreEdit::mouseDoubleClickEvent(QMouseEvent*) { OnButtonClicked(); }

const std::uint8_t* CModsEmpreEdit::ActivityRow() const {
  const std::uint8_t* block = doc::Form100Block();
  if (!block || binding_.activity < 0 || binding_.activity >= e4::kRows) return nullptr;
  return f100::record(block, f100::SectionE4) + static_cast<std::size_t>(binding_.activity) * e4::kRowSize;
}

void CModsEmpreEdit::ClearDetail() {
  if (binding_.record) std::fill(binding_.record + mr::kDetailBegin, binding_.record + mr::kDetailEnd, std::uint8_t{0});
}

void CModsEmpreEdit::PrepareDialog(CTemplateDlg& dlg) const {
  dlg.shownMember = doc::ShownMember();
  dlg.hasOtherMembers = HasOtherMembers() ? 1 : 0;
}

template <class Dialog>
int CModsEmpreEdit::Run(Dialog& dlg, bool seasonDays, const std::function<void(Dialog&)>& setUp) {
  if (!binding_.record) return ui::IDCANCEL;
  dlg.caption = caption_;
  std::memcpy(dlg.Data(), binding_.record, mr::kSize);
  if (seasonDays) {
    const std::uint8_t* row = ActivityRow();
    mr::SeasonDays.set(dlg.Data(), row ? e4::SeasonalDays.get(row) : 0.0);
  }
  if (setUp) setUp(dlg);
  PrepareDialog(dlg);
  const int result = dlg.DoModal();
  if (result == ui::IDOK) std::memcpy(binding_.record, dlg.Data(), mr::kSize);
  return result;
}

int CModsEmpreEdit::OpenStaffDialog() {
  modules::CVentModulos01Dlg dlg;
  return Run(dlg, true);
}

int CModsEmpreEdit::OpenStaffTwoYearsDialog() {
  modules::CVentModulos05Dlg dlg;
  return Run(dlg, true);
}

int CModsEmpreEdit::OpenNonSalariedDialog() {
  modules::CPersonalNoAsalariadoDlg dlg;
  const std::uint8_t* row = ActivityRow();
  std::array<std::uint8_t, 5> household{};
  if (const doc::DeclarationModel* m = doc::ActiveForm100()) household = m->Household();
  const std::uint8_t holder = row ? e4::Holder.get(row) : 0;
  const double maxEmployees = row ? e4::MaxEmployees.get(row) : 0.0;
  return Run<modules::CPersonalNoAsalariadoDlg>(
      dlg, true, [&](auto& d) { d.SetActivity(holder, maxEmployees, household); });
}

int CModsEmpreEdit::OpenUnitsDaysDialog(const QString& unitCaption) {
  modules::CVentModulos02Dlg dlg;
  const std::uint8_t* row = ActivityRow();
  return Run<modules::CVentModulos02Dlg>(dlg, true, [&](auto& d) {
    d.SetHolder(row ? e4::Holder.get(row) : 0);
    d.SetUnitCaptions(unitCaption);
  });
}

int CModsEmpreEdit::OpenSeatsDaysDialog(const QString& unitCaption) {
  modules::CVentModulos03Dlg dlg;
  const std::uint8_t* row = ActivityRow();
  return Run<modules::CVentModulos03Dlg>(dlg, true, [&](auto& d) {
    d.SetHolder(row ? e4::Holder.get(row) : 0);
    d.SetUnitCaptions(unitCaption);
  });
}

int CModsEmpreEdit::OpenTablesDialog(const QString& first, const QString& second) {
  modules::CMesasDlg dlg;
  const std::uint8_t* row = ActivityRow();
  return Run<modules::CMesasDlg>(dlg, true, [&](auto& d) {
    d.SetHolder(row ? e4::Holder.get(row) : 0);
    d.SetUnitCaptions(first, second);
  });
}

int CModsEmpreEdit::OpenDistanceDialog() {
  modules::CDistanciaRecorridaDlg dlg;
  return Run<modules::CDistanciaRecorridaDlg>(dlg, false, [&](auto& d) { d.SetKind(kind_); });
}

int CModsEmpreEdit::OpenModuleDialog() {
  // What was typed in the box is stored and checked first.
  const QPointer<CModsEmpreEdit> self(this);
  if (auto* view = dynamic_cast<forms::CProg32View*>(ui::FindEditHost(this))) view->CommitPendingEdit();
  if (!self) return 2;
  // The commit may have reloaded the page's rows: the box's binding says where the module is now.
  binding_ = modules::BindingOf(box_);
  const std::uint8_t* row = ActivityRow();
  const bool staffIncrease = row && e4::StaffIncreased.get(row) == 1;
  const KindRule rule = RuleOf(kind_);
  const QString first = Caption(rule.caption), second = Caption(rule.secondCaption);
  int result = 2;
  switch (rule.dialog) {
    case ModuleDialog::Staff: result = staffIncrease ? OpenStaffTwoYearsDialog() : OpenStaffDialog(); break;
    case ModuleDialog::NonSalaried: result = OpenNonSalariedDialog(); break;
    case ModuleDialog::Distance: result = OpenDistanceDialog(); break;
    case ModuleDialog::UnitsDays: result = OpenUnitsDaysDialog(first); break;
    case ModuleDialog::SeatsDays: result = OpenSeatsDaysDialog(first); break;
    case ModuleDialog::Tables: result = OpenTablesDialog(first, second); break;
    case ModuleDialog::None:
      // From now on a plain units box; its button stays and opens nothing.
      kind_ = -1;
      return 2;
  }
  if (!self) return result;
  if (result == ui::IDOK) {
    MarkModified();
    Notify(ui::kNotifySubDialogValue);
    if (!self) return result;
    LoadFromData(1);
    MarkModified();
  }
  return result;
}

int CModsEmpreEdit::FilterChar(char32_t ch, int repeat, int flags, bool fromKeyboard) {
  if (ch == kChEscape) return CDoubleEdit::FilterChar(ch, repeat, flags, fromKeyboard);
  int r;
  if (kind_ == -1) {
    if (SingleMemberOfSeveral()) {
      ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
      return kRefuse;
    }
    r = CDoubleEdit::FilterChar(ch, repeat, flags, fromKeyboard);
  } else if (!AcceptsTypedUnits()) {
    // The character only opens the dialog; it never reaches the text.
    OpenModuleDialog();
    return kHandled;
  } else {
    r = CDoubleEdit::FilterChar(ch, repeat, flags, fromKeyboard);
  }
  // Typed units replace what a dialog had worked out.
  if (r != kRefuse) ClearDetail();
  StoreToData();
  return r;
}

int CModsEmpreEdit::FilterKeyDown(int key, int repeat, int flags) {
  if (key == Qt::Key_Delete) {
    if (kind_ == -1) {
      if (SingleMemberOfSeveral()) {
        ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
        return kRefuse;
      }
      return CDoubleEdit::FilterKeyDown(key, repeat, flags);
    }
    if (!AcceptsTypedUnits()) {
      if (binding_.record) {
        mr::Units.set(binding_.record, 0.0);
        mr::Yield.set(binding_.record, 0.0);
      }
      ClearDetail();
      LoadFromData(1);
      const QPointer<CModsEmpreEdit> self(this);
      Notify(ui::kNotifySubDialogValue);
      return self ? kAccept : kHandled;
    }
    ClearDetail();
    return CDoubleEdit::FilterKeyDown(key, repeat, flags);
  }
  if (key == Qt::Key_F7) {
    OpenModuleDialog();
    return kHandled;
  }
  // The other keys that reach this filter move between boxes and pages; characters come to
  // FilterChar.
  return CDoubleEdit::FilterKeyDown(key, repeat, flags);
}
