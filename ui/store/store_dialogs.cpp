#include "ui/store/store_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/edit_host.h"
#include "ui/grid/rejilla_ctrl.h"
#include "ui/session.h"

namespace ui::store_dlg {

namespace sid = ::store::index_id;
using ui::Ctl;
using ui::kStrCancelButton;
using ui::kStrOkButton;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

// String ids of the store dialogs' captions.
enum StoreTextId : int {
  kStrCaptureIndividual = 57,
  kStrNotFound = 127,
  kStrFound = 145,
  kStrDeclarations = 2190,
  kStrForm = 2191,
  kStrIndexCaption = 94000,
  kStrIndexPrompt = 94001,
  kStrAlta = 94002,
  kStrDuplicar = 94003,
  kStrRenombrar = 94004,
  kStrBaja = 94005,
  kStrBuscarIndex = 94006,
  kStrSeleccionar = 94007,
  kStrTotal = 94008,
  kStrView = 94009,
  kStrViewRenta = 94010,
  kStrViewPatrimonio = 94011,
  kStrFormRenta = 94012,
  kStrFormPatrimonio = 94013,
  kStrLegend = 94014,
  kStrSearchCaption = 94015,
  kStrSearchGroup = 94016,
  kStrSearch = 94017,
  kStrSaveAsCaption = 94018,
  kStrSaveAsLabel = 94019,
  kStrTakenCaption = 94020,
  kStrTakenText = 94021,
  kStrRename = 94022,
  kStrSkip = 94023,
  kStrOverwrite = 94024,
  kStrOverwriteAll = 94025,
};

// Group boxes that carry no id of their own.
constexpr int kGroupTotal = 9001, kGroupView = 9002;

// The controls of the store dialogs keep their place in the tab order and never take Enter
// for themselves; the dialog's default button does.
void NoAutoDefault(QWidget* dlg) {
  for (QPushButton* b : dlg->findChildren<QPushButton*>()) b->setAutoDefault(false);
}

QWidget* NameEditOr(const ui::ControlDef& def, QWidget* parent, std::initializer_list<int> nameIds) {
  for (int id : nameIds)
    if (def.id == id) return MakeNameEdit(parent, id);
  return nullptr;
}

// The name rule on a name typed in a dialog: ALM002 when it breaks it.
bool RuledName(::store::DeclarationStore& store, const QString& name) {
  const ::store::CheckedName c = ::store::CheckName(S(name));
  if (c.fault == ::store::NameFault::ControlCharacter || c.fault == ::store::NameFault::NotCp1252) {
    store.Messages().Coded(::store::msg::kBadName, MessageIcon::Warning, S(name));
    return false;
  }
  return true;
}

}  // namespace

QLineEdit* MakeNameEdit(QWidget* parent, int id) {
  auto* e = new QLineEdit(parent);
  SetControlId(e, id);
  e->setMaxLength(static_cast<int>(::store::kKeyChars));
  // Names are typed in capitals and never hold an apostrophe.
  QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& t) {
    QString u = t.toUpper();
    u.remove(QLatin1Char('\''));
    if (u != t) {
      int pos = std::min(e->cursorPosition(), static_cast<int>(u.size()));
      e->setText(u);
      e->setCursorPosition(pos);
    }
  });
  return e;
}

// ---------------------------------------------------------------- search

namespace {
constexpr int kSearchName = 1028, kSearchResult = 1296, kSearchButton = 4;
constexpr ui::ControlDef kSearchControls[] = {
    {.id = 1031, .kind = Ctl::GroupBox, .textId = kStrSearchGroup, .row = 0, .col = 0, .colSpan = 3},
    {.id = kSearchName, .kind = Ctl::Custom, .row = 0, .col = 0, .group = 1031},
    {.id = kSearchResult, .kind = Ctl::Legend, .row = 1, .col = 0, .group = 1031},
    {.id = kSearchButton, .kind = Ctl::Button, .textId = kStrSearch, .row = 1, .col = 0},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = kStrOkButton, .row = 1, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = kStrCancelButton, .row = 1, .col = 2},
};
constexpr ui::DialogTemplate kSearchTemplate{109, nullptr, kStrSearchCaption, kSearchControls};
}  // namespace

CBuscarDeclaracionDlg::CBuscarDeclaracionDlg(::store::DeclarationStore& store, bool renta, bool patrimonio,
                                             QWidget* parent)
    : CTemplateDlg(kSearchTemplate, parent), store_(store), renta_(renta), patrimonio_(patrimonio) {
  EnsureCreated();
}

QWidget* CBuscarDeclaracionDlg::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  return NameEditOr(def, parent, {kSearchName});
}

void CBuscarDeclaracionDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  NoAutoDefault(this);
  SetButtonIcon(kSearchButton, platform::kIconSearch);
  Item<QPushButton>(kSearchButton)->setDefault(true);
  Item<QPushButton>(kSearchButton)->setEnabled(false);
  AcceptButton()->setEnabled(false);
  connect(NameEdit(), &QLineEdit::textChanged, this, [this](const QString& t) {
    AcceptButton()->setEnabled(false);
    Item<QPushButton>(kSearchButton)->setEnabled(!t.isEmpty());
    if (!t.isEmpty()) Result()->clear();
  });
  connect(NameEdit(), &QLineEdit::returnPressed, this, &CBuscarDeclaracionDlg::OnBuscar);
}

bool CBuscarDeclaracionDlg::OnButton(int id) {
  if (id != kSearchButton) return false;
  OnBuscar();
  return true;
}

QLineEdit* CBuscarDeclaracionDlg::NameEdit() const { return Item<QLineEdit>(kSearchName); }
QPushButton* CBuscarDeclaracionDlg::AcceptButton() const { return Item<QPushButton>(ui::IDOK); }
QLabel* CBuscarDeclaracionDlg::Result() const { return Item<QLabel>(kSearchResult); }
QString CBuscarDeclaracionDlg::Name() const { return NameEdit()->text(); }

void CBuscarDeclaracionDlg::OnBuscar() {
  ::store::SearchResult r = ::store::SearchDeclaration(store_, S(NameEdit()->text()), renta_, patrimonio_);
  Result()->setText(platform::LoadString(r.found ? kStrFound : kStrNotFound));
  AcceptButton()->setEnabled(r.acceptEnabled);
  Item<QPushButton>(kSearchButton)->setEnabled(false);
}

// ---------------------------------------------------------------- index

namespace {
constexpr int kIndexLegend = 24545, kIndexPrompt = 1053;
// Five columns under the key field and the grid (the navigation row), the store's buttons on
// the right.
constexpr ui::ControlDef kIndexControls[] = {
    {.id = kIndexPrompt, .kind = Ctl::Static, .textId = kStrIndexPrompt, .row = 0, .col = 0, .colSpan = 5},
    {.id = sid::kKeyField, .kind = Ctl::Custom, .row = 1, .col = 0, .colSpan = 5},
    {.id = sid::kGrid, .kind = Ctl::Custom, .row = 2, .col = 0, .rowSpan = 9, .colSpan = 5},
    {.id = sid::kBack10, .kind = Ctl::Button, .row = 11, .col = 0},
    {.id = sid::kBack1, .kind = Ctl::Button, .row = 11, .col = 1},
    {.id = sid::kRecordNumber, .kind = Ctl::Custom, .row = 11, .col = 2},
    {.id = sid::kForward1, .kind = Ctl::Button, .row = 11, .col = 3},
    {.id = sid::kForward10, .kind = Ctl::Button, .row = 11, .col = 4},
    {.id = kIndexLegend, .kind = Ctl::Static, .textId = kStrLegend, .row = 12, .col = 0, .colSpan = 6},
    {.id = sid::kAlta, .kind = Ctl::Button, .textId = kStrAlta, .row = 0, .col = 5},
    {.id = sid::kDuplicar, .kind = Ctl::Button, .textId = kStrDuplicar, .row = 1, .col = 5},
    {.id = sid::kRenombrar, .kind = Ctl::Button, .textId = kStrRenombrar, .row = 2, .col = 5},
    {.id = sid::kBaja, .kind = Ctl::Button, .textId = kStrBaja, .row = 3, .col = 5},
    {.id = sid::kBuscar, .kind = Ctl::Button, .textId = kStrBuscarIndex, .row = 4, .col = 5},
    {.id = sid::kSeleccionar, .kind = Ctl::Ok, .textId = kStrSeleccionar, .row = 5, .col = 5},
    {.id = sid::kCancelar, .kind = Ctl::Cancel, .textId = kStrCancelButton, .row = 6, .col = 5},
    {.id = sid::kFormRenta, .kind = Ctl::Radio, .textId = kStrFormRenta, .row = 7, .col = 5},
    {.id = sid::kFormPatrimonio, .kind = Ctl::Radio, .textId = kStrFormPatrimonio, .row = 8, .col = 5},
    {.id = kGroupView, .kind = Ctl::GroupBox, .textId = kStrView, .row = 9, .col = 5},
    {.id = sid::kViewRenta, .kind = Ctl::CheckBox, .textId = kStrViewRenta, .row = 0, .col = 0, .group = kGroupView},
    {.id = sid::kViewPatrimonio, .kind = Ctl::CheckBox, .textId = kStrViewPatrimonio, .row = 1, .col = 0,
     .group = kGroupView},
    {.id = kGroupTotal, .kind = Ctl::GroupBox, .textId = kStrTotal, .row = 10, .col = 5},
    {.id = sid::kTotal, .kind = Ctl::Legend, .row = 0, .col = 0, .group = kGroupTotal},
};
constexpr ui::DialogTemplate kIndexTemplate{91, nullptr, kStrIndexCaption, kIndexControls};

// Icons of the index's buttons; the flat ones are drawn flat unless the display is the
// accessible one.
struct IndexIcon {
  int id, icon;
  bool flat;
};
constexpr IndexIcon kIndexIcons[] = {
    {sid::kAlta, platform::kIconNew, true},          {sid::kRenombrar, platform::kIconRename, true},
    {sid::kDuplicar, platform::kIconDuplicate, true}, {sid::kBaja, platform::kIconCancel, true},
    {sid::kSeleccionar, platform::kIconSelect, false}, {sid::kCancelar, platform::kIconCancelDisc, false},
    {sid::kBuscar, platform::kIconSearch, false},     {sid::kBack10, platform::kIconBack10, true},
    {sid::kForward10, platform::kIconForward10, true}, {sid::kBack1, platform::kIconBack, true},
    {sid::kForward1, platform::kIconForward, true},
};
}  // namespace

bool CIndiceDeclaracionesDlg::localLoaded_ = false;
void CIndiceDeclaracionesDlg::ResetLocalCopiesLoaded() { localLoaded_ = false; }

CIndiceDeclaracionesDlg::CIndiceDeclaracionesDlg(::store::DeclarationStore& store, QWidget* parent,
                                                 std::string localCopies)
    : CTemplateDlg(kIndexTemplate, parent), store_(store), controller_(store, *this) {
  EnsureCreated();
  // Remote mode: the local copies join the store at the first showing of a run.
  if (!localCopies.empty() && !localLoaded_) {
    localLoaded_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    store_.LoadLocalCopies(localCopies);
    QApplication::restoreOverrideCursor();
  }
  controller_.OnInit();
}

QWidget* CIndiceDeclaracionesDlg::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  if (def.id == sid::kGrid) {
    auto* grid = new CRejillaCtrl(parent, ::store::kIndexRows + 1, 4, 1, 1);
    grid->setMinimumSize(720, 260);  // wide enough that w = width / 12 holds the "Modelo" heading
    return grid;
  }
  if (def.id == sid::kRecordNumber) {
    auto* record = new QLineEdit(parent);
    record->setEnabled(false);
    return record;
  }
  return NameEditOr(def, parent, {sid::kKeyField});
}

CRejillaCtrl* CIndiceDeclaracionesDlg::Grid() const { return Item<CRejillaCtrl>(sid::kGrid); }

void CIndiceDeclaracionesDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  NoAutoDefault(this);
  for (const IndexIcon& b : kIndexIcons) SetButtonIcon(b.id, b.icon, b.flat);
  if (auto* prompt = Item<QLabel>(kIndexPrompt)) prompt->setBuddy(GetDlgItem(sid::kKeyField));
  if (auto* g = qobject_cast<QGridLayout*>(layout())) g->setColumnStretch(2, 1);

  CRejillaCtrl* grid = Grid();
  grid->SetEditable(false);
  grid->SetItemText(0, 1, platform::LoadString(kStrDeclarations));
  grid->SetItemText(0, 2, platform::LoadString(kStrForm));
  grid->SetItemText(0, 3, platform::LoadString(kStrCaptureIndividual));
  for (int c = 1; c < 4; ++c)
    grid->SetItemFormat(0, c, qx::grid::kFmtCenter | qx::grid::kFmtVCenter | qx::grid::kFmtWordBreak | qx::grid::kFmtNoPrefix);
  // A name may hold "&": shown as typed, never as a mnemonic.
  for (int r = 1; r <= ::store::kIndexRows; ++r)
    for (int c = 1; c < 4; ++c) grid->SetItemFormat(r, c, grid->GetItemFormat(r, c) | qx::grid::kFmtNoPrefix);
  // The accessible display keeps the system's colours.
  if (ui::CurrentSession().plainColours) {
    grid->SetCellBackground(grid->palette().color(QPalette::Base));
    grid->SetTextColour(grid->palette().color(QPalette::Text));
  } else {
    grid->SetCellBackground(QColor(255, 255, 224));
  }
  SetColumnWidths();
  grid->SetRowHeight(0, grid->GetRowHeight(1) * 2);

  for (int id : {sid::kViewRenta, sid::kViewPatrimonio}) Item<QCheckBox>(id)->setChecked(true);
  Item<QRadioButton>(sid::kFormRenta)->setChecked(true);

  connect(Item<QLineEdit>(sid::kKeyField), &QLineEdit::textChanged, this, [this] {
    if (!settingText_ && isVisible()) controller_.OnKeyChanged();
  });
  connect(grid, &CRejillaCtrl::gridNotify, this, [this](int code, int row, int) {
    if (code == qx::grid::kNotifyFocusSet && !inNotify_) {
      inNotify_ = true;
      controller_.OnGridNotify(row);
      inNotify_ = false;
    }
  });
  connect(grid, &CRejillaCtrl::cellDoubleClicked, this, [this](int row, int col) { controller_.OnCellDoubleClick(row, col); });
  auto* vRenta = Item<QCheckBox>(sid::kViewRenta);
  auto* vPat = Item<QCheckBox>(sid::kViewPatrimonio);
  auto filters = [this, vRenta, vPat] { controller_.OnListFilters(vRenta->isChecked(), vPat->isChecked()); };
  connect(vRenta, &QCheckBox::toggled, this, filters);
  connect(vPat, &QCheckBox::toggled, this, filters);
  connect(Item<QRadioButton>(sid::kFormRenta), &QRadioButton::toggled, this, [this](bool on) {
    if (on) controller_.OnFormChoice(0);
  });
  connect(Item<QRadioButton>(sid::kFormPatrimonio), &QRadioButton::toggled, this, [this](bool on) {
    if (on) controller_.OnFormChoice(1);
  });
}

bool CIndiceDeclaracionesDlg::OnButton(int id) {
  switch (id) {
    case sid::kAlta: controller_.OnAlta(); return true;
    case sid::kDuplicar: controller_.OnDuplicar(); return true;
    case sid::kRenombrar: controller_.OnRenombrar(); return true;
    case sid::kBaja: controller_.OnBaja(); return true;
    case sid::kBuscar: controller_.OnBuscar(); return true;
    case sid::kBack10:
    case sid::kBack1:
    case sid::kForward1:
    case sid::kForward10: controller_.OnNavigate(id); return true;
    default: return false;  // the check boxes and radio buttons report their toggling
  }
}

CIndiceDeclaracionesDlg::~CIndiceDeclaracionesDlg() = default;

void CIndiceDeclaracionesDlg::SetColumnWidths() {
  if (!Grid()) return;
  // The columns share the grid window's client width (without its scroll bar), whatever the
  // layout gave it.
  const int width = Grid()->viewport()->width();
  const int w = width / 12;
  Grid()->SetColumnWidth(0, w);
  Grid()->SetColumnWidth(1, width - 3 * w - 25);
  Grid()->SetColumnWidth(2, w);
  Grid()->SetColumnWidth(3, w + 15);
}

void CIndiceDeclaracionesDlg::resizeEvent(QResizeEvent* e) {
  CTemplateDlg::resizeEvent(e);
  SetColumnWidths();
}

void CIndiceDeclaracionesDlg::showEvent(QShowEvent* e) {
  CTemplateDlg::showEvent(e);
  SetColumnWidths();
  // The focused row was scrolled to before the grid had its size.
  const int row = FocusedRow();
  if (row >= 1) Grid()->EnsureVisible(row, std::max(FocusedColumn(), 1));
}

void CIndiceDeclaracionesDlg::SetCell(int row, int col, const std::string& text) {
  Grid()->SetItemText(row, col, Q(text));
}

std::string CIndiceDeclaracionesDlg::Cell(int row, int col) const { return S(Grid()->GetItemText(row, col)); }

void CIndiceDeclaracionesDlg::Enable(int id, bool on) {
  if (QWidget* w = Control(id)) w->setEnabled(on);
}

bool CIndiceDeclaracionesDlg::IsEnabled(int id) const {
  QWidget* w = Control(id);
  return w && w->isEnabled();
}

void CIndiceDeclaracionesDlg::SetDefaultButton(int id) {
  for (int b : {sid::kAlta, sid::kSeleccionar})
    if (auto* p = qobject_cast<QPushButton*>(Control(b))) p->setDefault(b == id);
}

void CIndiceDeclaracionesDlg::SetText(int id, const std::string& text) {
  QWidget* w = Control(id);
  settingText_ = true;
  if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(Q(text));
  else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(Q(text));
  settingText_ = false;
}

std::string CIndiceDeclaracionesDlg::Text(int id) const {
  QWidget* w = Control(id);
  if (auto* e = qobject_cast<QLineEdit*>(w)) return S(e->text());
  if (auto* l = qobject_cast<QLabel*>(w)) return S(l->text());
  return {};
}

void CIndiceDeclaracionesDlg::SelectCell(int row, int col) {
  inNotify_ = true;
  Grid()->SetSelectedRange(row, col, row, col, true);
  Grid()->SetFocusCell(row, col);
  Grid()->EnsureVisible(row, col);
  inNotify_ = false;
}

int CIndiceDeclaracionesDlg::FocusedRow() const { return Grid()->GetFocusCell().row; }
int CIndiceDeclaracionesDlg::FocusedColumn() const { return Grid()->GetFocusCell().col; }

void CIndiceDeclaracionesDlg::Focus(int id) {
  if (QWidget* w = id == sid::kGrid ? Grid() : Control(id)) w->setFocus();
}

void CIndiceDeclaracionesDlg::ShowFormChoice(int choice) {
  if (auto* r = qobject_cast<QRadioButton*>(Control(choice == 1 ? sid::kFormPatrimonio : sid::kFormRenta)))
    r->setChecked(true);
}

void CIndiceDeclaracionesDlg::EndDialog(bool ok) { done(ok ? QDialog::Accepted : QDialog::Rejected); }

std::optional<std::string> CIndiceDeclaracionesDlg::RunSearch() {
  CBuscarDeclaracionDlg d(store_, controller_.Renta(), controller_.Patrimonio(), this);
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return S(d.Name());
}

// ---------------------------------------------------------------- save as

namespace {
constexpr int kSaveAsName = 453;
constexpr ui::ControlDef kSaveAsControls[] = {
    {.kind = Ctl::Static, .textId = kStrSaveAsLabel, .row = 0, .col = 0},
    {.id = kSaveAsName, .kind = Ctl::Custom, .row = 0, .col = 1, .colSpan = 2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = kStrOkButton, .row = 1, .col = 1},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = kStrCancelButton, .row = 1, .col = 2},
};
constexpr ui::DialogTemplate kSaveAsTemplate{258, nullptr, kStrSaveAsCaption, kSaveAsControls};
}  // namespace

CGuardarComoDlg::CGuardarComoDlg(QWidget* parent) : CTemplateDlg(kSaveAsTemplate, parent) {
  EnsureCreated();
  NoAutoDefault(this);
  Item<QPushButton>(ui::IDOK)->setDefault(true);
}

QWidget* CGuardarComoDlg::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  return NameEditOr(def, parent, {kSaveAsName});
}

QLineEdit* CGuardarComoDlg::NameEdit() const { return Item<QLineEdit>(kSaveAsName); }

void CGuardarComoDlg::SetName(const QString& name) {
  name_ = name;
  NameEdit()->setText(name);
}

void CGuardarComoDlg::OnOK() {
  name_ = NameEdit()->text().toUpper();
  NameEdit()->setText(name_);
  if (name_.trimmed().isEmpty()) return;
  CTemplateDlg::OnOK();
}

// ---------------------------------------------------------------- taken name

namespace {
constexpr int kTakenName = 1057, kNewName = 658;
constexpr int kRadioOverwrite = 628, kRadioOverwriteAll = 654, kRadioRename = 635, kRadioSkip = 642;

constexpr ui::ControlDef kTakenControls[] = {
    {.id = kTakenName, .kind = Ctl::Legend, .row = 0, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = kStrTakenText, .row = 1, .col = 0, .colSpan = 2},
    {.id = kRadioRename, .kind = Ctl::Radio, .textId = kStrRename, .row = 2, .col = 0, .colSpan = 2},
    {.id = kNewName, .kind = Ctl::Custom, .row = 3, .col = 0, .colSpan = 2},
    {.id = kRadioSkip, .kind = Ctl::Radio, .textId = kStrSkip, .row = 4, .col = 0, .colSpan = 2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = kStrOkButton, .row = 5, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = kStrCancelButton, .row = 5, .col = 1},
};
constexpr ui::DialogTemplate kTakenTemplate{256, nullptr, kStrTakenCaption, kTakenControls};

constexpr ui::ControlDef kClashControls[] = {
    {.id = kTakenName, .kind = Ctl::Legend, .row = 0, .col = 0, .colSpan = 2},
    {.kind = Ctl::Static, .textId = kStrTakenText, .row = 1, .col = 0, .colSpan = 2},
    {.id = kRadioOverwrite, .kind = Ctl::Radio, .textId = kStrOverwrite, .row = 2, .col = 0, .colSpan = 2},
    {.id = kRadioOverwriteAll, .kind = Ctl::Radio, .textId = kStrOverwriteAll, .row = 3, .col = 0, .colSpan = 2},
    {.id = kRadioRename, .kind = Ctl::Radio, .textId = kStrRename, .row = 4, .col = 0, .colSpan = 2},
    {.id = kNewName, .kind = Ctl::Custom, .row = 5, .col = 0, .colSpan = 2},
    {.id = kRadioSkip, .kind = Ctl::Radio, .textId = kStrSkip, .row = 6, .col = 0, .colSpan = 2},
    {.id = ui::IDOK, .kind = Ctl::Ok, .textId = kStrOkButton, .row = 7, .col = 0},
    {.id = ui::IDCANCEL, .kind = Ctl::Cancel, .textId = kStrCancelButton, .row = 7, .col = 1},
};
constexpr ui::DialogTemplate kClashTemplate{174, nullptr, kStrTakenCaption, kClashControls};
}  // namespace

CDeclaracionExistenteDlg::CDeclaracionExistenteDlg(::store::DeclarationStore& store, const QString& takenName,
                                                   QWidget* parent)
    : CTemplateDlg(kTakenTemplate, parent), store_(store) {
  EnsureCreated();
  NoAutoDefault(this);
  Item<QPushButton>(ui::IDOK)->setDefault(true);
  Item<QLabel>(kTakenName)->setText(takenName);
  Item<QRadioButton>(kRadioRename)->setChecked(true);
}

QWidget* CDeclaracionExistenteDlg::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  return NameEditOr(def, parent, {kNewName});
}

QLineEdit* CDeclaracionExistenteDlg::NameEdit() const { return Item<QLineEdit>(kNewName); }

bool CDeclaracionExistenteDlg::OnButton(int id) {
  if (id == kRadioRename) SetChoice(0);
  else if (id == kRadioSkip) SetChoice(1);
  else return false;
  return true;
}

void CDeclaracionExistenteDlg::SetChoice(int choice) {
  choice_ = choice;
  NameEdit()->setEnabled(choice == 0);
  if (choice == 1) NameEdit()->clear();
}

void CDeclaracionExistenteDlg::OnOK() {
  if (choice_ == 0) {
    newName_ = Q(::store::TrimKey(S(NameEdit()->text().toUpper())));
    if (newName_.isEmpty()) {
      store_.Messages().Coded(::store::msg::kCannotPrepare);
      return;
    }
    if (!RuledName(store_, newName_)) return;
    if (store_.Exists(S(newName_))) {
      store_.Messages().Coded(::store::msg::kNameTaken);
      return;
    }
  }
  CTemplateDlg::OnOK();
}

// ---------------------------------------------------------------- taken name (transfer files)

CDeclaracionExistenteImportDlg::CDeclaracionExistenteImportDlg(::store::DeclarationStore& store,
                                                               const QString& takenName,
                                                               std::vector<std::string> chosenNames, QWidget* parent)
    : CTemplateDlg(kClashTemplate, parent), store_(store), chosen_(std::move(chosenNames)) {
  EnsureCreated();
  Item<QLabel>(kTakenName)->setText(takenName);
}

void CDeclaracionExistenteImportDlg::OnInitDialog() {
  CTemplateDlg::OnInitDialog();
  NoAutoDefault(this);
  SetButtonIcon(ui::IDCANCEL, platform::kIconCancel);
  NameEdit()->setEnabled(false);
  AcceptButton()->setEnabled(false);
}

QWidget* CDeclaracionExistenteImportDlg::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  return NameEditOr(def, parent, {kNewName});
}

QLineEdit* CDeclaracionExistenteImportDlg::NameEdit() const { return Item<QLineEdit>(kNewName); }
QPushButton* CDeclaracionExistenteImportDlg::AcceptButton() const { return Item<QPushButton>(ui::IDOK); }

bool CDeclaracionExistenteImportDlg::OnButton(int id) {
  const std::pair<int, int> choices[] = {
      {kRadioOverwrite, 0}, {kRadioOverwriteAll, 1}, {kRadioRename, 2}, {kRadioSkip, 3}};
  for (auto [radio, choice] : choices)
    if (id == radio) {
      SetChoice(choice);
      return true;
    }
  return false;
}

void CDeclaracionExistenteImportDlg::SetChoice(int choice) {
  choice_ = choice;
  NameEdit()->setEnabled(choice == 2);
  if (choice != 2) NameEdit()->clear();
  AcceptButton()->setEnabled(true);
}

void CDeclaracionExistenteImportDlg::OnOK() {
  if (choice_ < 0) return;
  if (choice_ == 2) {
    newName_ = NameEdit()->text().toUpper();
    if (::store::TrimKey(S(newName_)).empty()) {
      store_.Messages().Coded(::store::msg::kCannotPrepare);
      return;
    }
    if (!RuledName(store_, newName_)) return;
    if (!::store::IsNewNameUnused(store_, S(newName_), chosen_)) {
      store_.Messages().Coded(::store::msg::kNameMismatch);
      return;
    }
  }
  CTemplateDlg::OnOK();
}

void CDeclaracionExistenteImportDlg::OnCancel() {
  cancelled_ = true;
  CTemplateDlg::OnCancel();
}

::store::ClashAnswer CDeclaracionExistenteImportDlg::Answer() const {
  if (cancelled_ || result() != QDialog::Accepted) return {::store::ClashChoice::Cancel, {}};
  switch (choice_) {
    case 0: return {::store::ClashChoice::Overwrite, {}};
    case 1: return {::store::ClashChoice::OverwriteAll, {}};
    case 2: return {::store::ClashChoice::Rename, S(newName_)};
    case 3: return {::store::ClashChoice::Skip, {}};
  }
  return {::store::ClashChoice::Cancel, {}};
}

}  // namespace ui::store_dlg
