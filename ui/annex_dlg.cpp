#include "ui/annex_dlg.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>

#include <cstring>
#include <map>

#include "ui/launcher_edit.h"
#include "ui/session.h"
#include "ui/lista_edit.h"
#include "ui/multiline_edit.h"
#include "ui/titular_edit.h"

namespace ui {

namespace {
std::map<std::string, AnnexFactory, std::less<>>& Registry() {
  static std::map<std::string, AnnexFactory, std::less<>> r;
  return r;
}
}  // namespace

void RegisterAnnexClass(std::string_view className, AnnexFactory factory) {
  Registry()[std::string(className)] = std::move(factory);
}

bool IsAnnexClassRegistered(std::string_view className) { return Registry().find(className) != Registry().end(); }

std::vector<std::string> RegisteredAnnexClasses() {
  std::vector<std::string> names;
  for (const auto& [name, factory] : Registry())
    if (factory) names.push_back(name);
  return names;
}

std::unique_ptr<IAnnexDialog> CreateAnnexDialog(std::string_view className, const AnnexArgs& args) {
  auto it = Registry().find(className);
  return it == Registry().end() || !it->second ? nullptr : it->second(args);
}

// ---------------------------------------------------------------- AnnexBinder

int AnnexBinder::RowOfCell(const RowLayout& rows, int id) {
  for (std::size_t i = 0; i < rows.cells.size(); ++i)
    if (rows.cells[i] == id && rows.rows > 0) return static_cast<int>(i) % rows.rows;
  return -1;
}

void AnnexBinder::SetUpEditors(int holderMode) {
  for (CTitularEdit* t : dialog_->findChildren<CTitularEdit*>()) {
    t->SetHolderMode(holderMode);
    t->SetupControl();
  }
  for (CListaEdit* l : dialog_->findChildren<CListaEdit*>())
    if (!dynamic_cast<CTitularEdit*>(l)) l->SetupControl();
  for (CDialogLauncherEdit* l : dialog_->findChildren<CDialogLauncherEdit*>()) l->CreateBrowseButton();
}

void AnnexBinder::Bind(std::uint8_t* block, const RowLayout* rows) {
  block_ = block;
  radios_.clear();
  for (const ControlDef& d : tmpl_.controls) {
    if (!d.field.Bound()) continue;
    std::size_t off = d.field.off;
    if (rows) {
      const int r = RowOfCell(*rows, d.id);
      if (r >= 0) off += static_cast<std::size_t>(r) * rows->stride;
    }
    std::uint8_t* at = block + off;
    if (d.kind == Ctl::Radio) {
      bool known = false;
      for (const Radio& r : radios_) known = known || r.group == d.radioGroup;
      if (!known) radios_.push_back({d.radioGroup, at});
      continue;
    }
    QWidget* w = FindControl(dialog_, d.id);
    if (auto* e = dynamic_cast<CEditEx*>(w)) e->BindData(at);
    else if (auto* m = dynamic_cast<CMultiLineEdit*>(w)) m->BindData(at);
  }
}

void AnnexBinder::Exchange(bool save) {
  CTemplatePropPg::UpdateChildControls(dialog_, save);
  for (CMultiLineEdit* m : dialog_->findChildren<CMultiLineEdit*>()) {
    if (save) m->StoreToData();
    else m->LoadFromData();
  }
  for (const Radio& r : radios_) {
    auto* group = dialog_->findChild<QButtonGroup*>(QStringLiteral("qx_radio_%1").arg(r.group));
    if (!group) continue;
    if (save) {
      std::uint8_t code = 0;
      for (QAbstractButton* b : group->buttons())
        if (b->isChecked()) {
          code = static_cast<std::uint8_t>(b->property("qx_code").toInt());
          break;
        }
      *r.byte = code;
    } else {
      group->setExclusive(false);
      for (QAbstractButton* b : group->buttons()) b->setChecked(b->property("qx_code").toInt() == *r.byte);
      group->setExclusive(true);
    }
  }
}

void AnnexBinder::ApplyHousehold() {
  for (const ControlDef& d : tmpl_.controls) {
    const int member = d.options & kOptSpouse ? kSpouse : d.options & kOptChild1 ? kChild1
                     : d.options & kOptChild2 ? kChild2 : 0;
    if (member && !HouseholdHas(member))
      if (QWidget* w = FindControl(dialog_, d.id)) w->setEnabled(false);
  }
}

// ---------------------------------------------------------------- CAnnexDlg

CAnnexDlg::CAnnexDlg(const DialogTemplate& tmpl, std::size_t blockBytes, const AnnexArgs& args)
    : CTemplateDlg(tmpl, args.parent), block_(blockBytes, 0), binder_(this, tmpl) {
  holderMode = args.holderMode;
  extra = args.extra;
}

bool CAnnexDlg::ReadOnlyView() const { return shownMember != kFamilyUnit && doc::HouseholdHasSeveralHolders(); }

void CAnnexDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  binder_.SetUpEditors(holderMode);
  binder_.Bind(block_.data());
  binder_.ApplyHousehold();
  OnInitAnnex();
  binder_.Exchange(false);
}

void CAnnexDlg::OnOK() {
  binder_.Exchange(true);
  if (!ValidateOK()) return;
  CTemplateDlg::OnOK();
}

// ---------------------------------------------------------------- CAnnexRowsDlg

CAnnexRowsDlg::CAnnexRowsDlg(const DialogTemplate& tmpl, std::size_t blockBytes, const RowLayout& layout,
                             const AnnexArgs& args)
    : CGestorDlg(tmpl, args.parent), block_(blockBytes, 0), working_(blockBytes, 0), layout_(layout),
      table_(tmpl), binder_(this, tmpl) {
  holderMode = args.holderMode;
  extra = args.extra;
  SetMatrix(layout.rows, layout.columns, std::vector<int>(layout.cells.begin(), layout.cells.end()));
}

int CAnnexRowsDlg::GetRowOwner(int row) const {
  if (row < 0 || row >= layout_.rows) return 0;
  const std::vector<std::uint8_t>& shown = layout_.workingCopy ? working_ : block_;
  const std::size_t at = layout_.first + static_cast<std::size_t>(row) * layout_.stride + layout_.holder;
  const int code = at < shown.size() ? shown[at] : 0;
  return code > 5 ? 0 : code;
}

std::vector<FieldRef> CAnnexRowsDlg::RowFields() const {
  std::vector<FieldRef> fields;
  for (const ControlDef& d : table_.controls)
    if (d.field.Bound() && AnnexBinder::RowOfCell(layout_, d.id) == 0 && d.field.off != layout_.first + layout_.holder)
      fields.push_back(d.field);
  return fields;
}

void CAnnexRowsDlg::ClearRowData(int row) {
  if (row < 0 || row >= layout_.rows) return;
  Row(row)[layout_.holder] = 0;
}

void CAnnexRowsDlg::ClearRowControls(int row) {
  if (row < 0 || row >= layout_.rows) return;
  const std::size_t shift = static_cast<std::size_t>(row) * layout_.stride;
  for (const FieldRef& f : RowFields()) {
    // Amounts and marks become 0, texts and dates blanks.
    std::memset(Shown() + f.off + shift, f.kind == FieldRef::Text ? ' ' : 0, f.width);
  }
  for (int c = 1; c < layout_.columns; ++c)
    if (auto* e = dynamic_cast<QLineEdit*>(GetDlgItem(GetControlId(c, row)))) e->setText(QString());
}

void CAnnexRowsDlg::MoveRow(int destination, int source) {
  if (destination == source || destination < 0 || source < 0 || destination >= layout_.rows || source >= layout_.rows)
    return;
  Row(destination)[layout_.holder] = Row(source)[layout_.holder];
  const std::ptrdiff_t delta = (destination - source) * static_cast<std::ptrdiff_t>(layout_.stride);
  for (const FieldRef& f : RowFields()) {
    std::uint8_t* from = Shown() + f.off + static_cast<std::size_t>(source) * layout_.stride;
    std::memmove(from + delta, from, f.width);
  }
}

void CAnnexRowsDlg::HandleCommonRow(int row) {
  for (const FieldRef& f : RowFields()) {
    if (f.kind != FieldRef::F64) continue;
    const blocks::F64 amount{f.off + static_cast<std::size_t>(row) * layout_.stride};
    amount.set(Shown(), amount.get(Shown()) / 2.0);
  }
}

void CAnnexRowsDlg::HandleOwnRow(int row) { Row(row)[layout_.holder] = kDeclarant; }

void CAnnexRowsDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  if (layout_.workingCopy) working_ = block_;
  ApplyHolderMode();
  binder_.SetUpEditors(holderMode);
  binder_.Bind(Shown(), &layout_);
  OnInitAnnex();
  if (IsEditable()) CompactRows();
  binder_.Exchange(false);
  RefreshEnabledRows();
}

void CAnnexRowsDlg::OnOK() {
  binder_.Exchange(true);
  if (IsEditable()) {
    ClearRowsWithoutData();
    if (layout_.workingCopy) block_ = working_;
  }
  if (!ValidateOK()) return;
  CTemplateDlg::OnOK();
}

}  // namespace ui
