#include "ui/store/store_dialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/edit_host.h"
#include "ui/grid/rejilla_ctrl.h"

namespace ui::store_dlg {

namespace sid = ::store::index_id;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QPushButton* Button(QWidget* parent, int id, const QString& text) {
  auto* b = new QPushButton(text, parent);
  SetControlId(b, id);
  b->setAutoDefault(false);
  return b;
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

CBuscarDeclaracionDlg::CBuscarDeclaracionDlg(::store::DeclarationStore& store, bool renta, bool patrimonio,
                                             QWidget* parent)
    : QDialog(parent), store_(store), renta_(renta), patrimonio_(patrimonio) {
  setWindowTitle(QStringLiteral("Buscar Declaración"));
  auto* group = new QGroupBox(QStringLiteral("&Declaración a buscar: "), this);
  SetControlId(group, 1031);
  name_ = MakeNameEdit(group, 1028);
  result_ = new QLabel(group);
  SetControlId(result_, 1296);
  auto* gl = new QVBoxLayout(group);
  gl->addWidget(name_);
  gl->addWidget(result_);
  search_ = Button(this, 4, QStringLiteral("&Buscar"));
  search_->setDefault(true);
  accept_ = Button(this, 1, QStringLiteral("&Aceptar"));
  auto* cancel = Button(this, 2, QStringLiteral("&Cancelar"));
  auto* buttons = new QHBoxLayout;
  for (auto* b : {search_, accept_, cancel}) buttons->addWidget(b);
  auto* l = new QVBoxLayout(this);
  l->addWidget(group);
  l->addLayout(buttons);
  search_->setEnabled(false);
  accept_->setEnabled(false);
  connect(name_, &QLineEdit::textChanged, this, [this](const QString& t) {
    accept_->setEnabled(false);
    search_->setEnabled(!t.isEmpty());
    if (!t.isEmpty()) result_->clear();
  });
  connect(name_, &QLineEdit::returnPressed, this, &CBuscarDeclaracionDlg::OnBuscar);
  connect(search_, &QPushButton::clicked, this, &CBuscarDeclaracionDlg::OnBuscar);
  connect(accept_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString CBuscarDeclaracionDlg::Name() const { return name_->text(); }

void CBuscarDeclaracionDlg::OnBuscar() {
  ::store::SearchResult r = ::store::SearchDeclaration(store_, S(name_->text()), renta_, patrimonio_);
  result_->setText(r.found ? QStringLiteral("Declaración encontrada") : QStringLiteral("Declaración no encontrada"));
  accept_->setEnabled(r.acceptEnabled);
  search_->setEnabled(false);
}

// ---------------------------------------------------------------- index

bool CIndiceDeclaracionesDlg::localLoaded_ = false;
void CIndiceDeclaracionesDlg::ResetLocalCopiesLoaded() { localLoaded_ = false; }

CIndiceDeclaracionesDlg::CIndiceDeclaracionesDlg(::store::DeclarationStore& store, QWidget* parent,
                                                 std::string localCopies)
    : QDialog(parent), store_(store), controller_(store, *this) {
  setWindowTitle(QStringLiteral("Índice de Declaraciones "));
  auto* prompt = new QLabel(QStringLiteral("S&eleccione una declaración de la lista\no asigne nombre a una nueva:"), this);
  auto* key = MakeNameEdit(this, sid::kKeyField);
  prompt->setBuddy(key);
  controls_[sid::kKeyField] = key;

  grid_ = new CRejillaCtrl(this, ::store::kIndexRows + 1, 4, 1, 1);
  SetControlId(grid_, sid::kGrid);
  grid_->SetEditable(false);
  grid_->SetItemText(0, 1, QStringLiteral("Declaraciones"));
  grid_->SetItemText(0, 2, QStringLiteral("Modelo"));
  grid_->SetItemText(0, 3, QStringLiteral("Captura individual"));
  for (int c = 1; c < 4; ++c)
    grid_->SetItemFormat(0, c, qx::grid::kFmtCenter | qx::grid::kFmtVCenter | qx::grid::kFmtWordBreak | qx::grid::kFmtNoPrefix);
  grid_->SetCellBackground(QColor(255, 255, 224));
  grid_->setMinimumSize(620, 260);
  SetColumnWidths();
  grid_->SetRowHeight(0, grid_->GetRowHeight(1) * 2);

  auto addButton = [this](int id, const QString& text) {
    QPushButton* b = Button(this, id, text);
    controls_[id] = b;
    return b;
  };
  auto* alta = addButton(sid::kAlta, QStringLiteral("&Alta"));
  auto* dup = addButton(sid::kDuplicar, QStringLiteral("Duplicar"));
  auto* ren = addButton(sid::kRenombrar, QStringLiteral("Renombrar"));
  auto* baja = addButton(sid::kBaja, QStringLiteral("&Baja"));
  auto* buscar = addButton(sid::kBuscar, QStringLiteral("B&uscar..."));
  auto* sel = addButton(sid::kSeleccionar, QStringLiteral("&Seleccionar"));
  auto* cancel = addButton(sid::kCancelar, QStringLiteral("&Cancelar"));
  auto* b10 = addButton(sid::kBack10, QStringLiteral("<<"));
  auto* b1 = addButton(sid::kBack1, QStringLiteral("<"));
  auto* f1 = addButton(sid::kForward1, QStringLiteral(">"));
  auto* f10 = addButton(sid::kForward10, QStringLiteral(">>"));
  auto* record = new QLineEdit(this);
  SetControlId(record, sid::kRecordNumber);
  record->setEnabled(false);
  controls_[sid::kRecordNumber] = record;
  auto* totalBox = new QGroupBox(QStringLiteral("Total declaraciones"), this);
  auto* total = new QLabel(totalBox);
  SetControlId(total, sid::kTotal);
  controls_[sid::kTotal] = total;
  (new QVBoxLayout(totalBox))->addWidget(total);
  auto* viewBox = new QGroupBox(QStringLiteral("Ver "), this);
  auto* vRenta = new QCheckBox(QStringLiteral("Renta"), viewBox);
  auto* vPat = new QCheckBox(QStringLiteral("Patrimonio"), viewBox);
  SetControlId(vRenta, sid::kViewRenta);
  SetControlId(vPat, sid::kViewPatrimonio);
  vRenta->setChecked(true);
  vPat->setChecked(true);
  auto* vl = new QVBoxLayout(viewBox);
  vl->addWidget(vRenta);
  vl->addWidget(vPat);
  auto* fRenta = new QRadioButton(QStringLiteral("&Renta"), this);
  auto* fPat = new QRadioButton(QStringLiteral("&Patrimonio"), this);
  SetControlId(fRenta, sid::kFormRenta);
  SetControlId(fPat, sid::kFormPatrimonio);
  controls_[sid::kFormRenta] = fRenta;
  controls_[sid::kFormPatrimonio] = fPat;
  fRenta->setChecked(true);
  auto* legend = new QLabel(
      QStringLiteral("Declaraciones (I) Impresas, (F) Fichero Internet, (P) Presentación Inmediata"), this);
  SetControlId(legend, 24545);

  auto* g = new QGridLayout(this);
  g->addWidget(prompt, 0, 0, 1, 3);
  g->addWidget(key, 1, 0, 1, 3);
  g->addWidget(grid_, 2, 0, 6, 3);
  auto* nav = new QHBoxLayout;
  for (auto* b : {b10, b1}) nav->addWidget(b);
  nav->addWidget(record);
  for (auto* b : {f1, f10}) nav->addWidget(b);
  g->addLayout(nav, 8, 0, 1, 3);
  g->addWidget(legend, 9, 0, 1, 3);
  int r = 0;
  for (QWidget* wdg : std::initializer_list<QWidget*>{alta, dup, ren, baja, buscar, sel, cancel}) g->addWidget(wdg, r++, 3);
  g->addWidget(fRenta, r++, 3);
  g->addWidget(fPat, r++, 3);
  g->addWidget(viewBox, r++, 3);
  g->addWidget(totalBox, r++, 3);

  connect(key, &QLineEdit::textChanged, this, [this] {
    if (!settingText_ && isVisible()) controller_.OnKeyChanged();
  });
  connect(grid_, &CRejillaCtrl::gridNotify, this, [this](int code, int row, int) {
    if (code == qx::grid::kNotifyFocusSet && !inNotify_) {
      inNotify_ = true;
      controller_.OnGridNotify(row);
      inNotify_ = false;
    }
  });
  connect(grid_, &CRejillaCtrl::cellDoubleClicked, this, [this](int row, int col) { controller_.OnCellDoubleClick(row, col); });
  connect(alta, &QPushButton::clicked, this, [this] { controller_.OnAlta(); });
  connect(dup, &QPushButton::clicked, this, [this] { controller_.OnDuplicar(); });
  connect(ren, &QPushButton::clicked, this, [this] { controller_.OnRenombrar(); });
  connect(baja, &QPushButton::clicked, this, [this] { controller_.OnBaja(); });
  connect(buscar, &QPushButton::clicked, this, [this] { controller_.OnBuscar(); });
  connect(sel, &QPushButton::clicked, this, [this] { controller_.OnSeleccionar(); });
  connect(cancel, &QPushButton::clicked, this, [this] { controller_.OnCancelar(); });
  for (auto* b : {b10, b1, f1, f10}) {
    int bid = ControlId(b);
    connect(b, &QPushButton::clicked, this, [this, bid] { controller_.OnNavigate(bid); });
  }
  auto filters = [this, vRenta, vPat] { controller_.OnListFilters(vRenta->isChecked(), vPat->isChecked()); };
  connect(vRenta, &QCheckBox::toggled, this, filters);
  connect(vPat, &QCheckBox::toggled, this, filters);
  connect(fRenta, &QRadioButton::toggled, this, [this](bool on) {
    if (on) controller_.OnFormChoice(0);
  });
  connect(fPat, &QRadioButton::toggled, this, [this](bool on) {
    if (on) controller_.OnFormChoice(1);
  });

  // Remote mode: the local copies join the store at the first showing of a run.
  if (!localCopies.empty() && !localLoaded_) {
    localLoaded_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    store_.LoadLocalCopies(localCopies);
    QApplication::restoreOverrideCursor();
  }
  controller_.OnInit();
}

CIndiceDeclaracionesDlg::~CIndiceDeclaracionesDlg() = default;

void CIndiceDeclaracionesDlg::SetColumnWidths() {
  // The columns share the grid window's client width (without its scroll bar), whatever the
  // layout gave it.
  const int width = grid_->viewport()->width();
  const int w = width / 12;
  grid_->SetColumnWidth(0, w);
  grid_->SetColumnWidth(1, width - 3 * w - 25);
  grid_->SetColumnWidth(2, w);
  grid_->SetColumnWidth(3, w + 15);
}

void CIndiceDeclaracionesDlg::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  SetColumnWidths();
}

void CIndiceDeclaracionesDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  SetColumnWidths();
  // The focused row was scrolled to before the grid had its size.
  const int row = FocusedRow();
  if (row >= 1) grid_->EnsureVisible(row, std::max(FocusedColumn(), 1));
}

QWidget* CIndiceDeclaracionesDlg::Control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? FindControl(this, id) : it->second;
}

void CIndiceDeclaracionesDlg::SetCell(int row, int col, const std::string& text) {
  grid_->SetItemText(row, col, Q(text));
}

std::string CIndiceDeclaracionesDlg::Cell(int row, int col) const { return S(grid_->GetItemText(row, col)); }

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
  grid_->SetSelectedRange(row, col, row, col, true);
  grid_->SetFocusCell(row, col);
  grid_->EnsureVisible(row, col);
  inNotify_ = false;
}

int CIndiceDeclaracionesDlg::FocusedRow() const { return grid_->GetFocusCell().row; }
int CIndiceDeclaracionesDlg::FocusedColumn() const { return grid_->GetFocusCell().col; }

void CIndiceDeclaracionesDlg::Focus(int id) {
  if (QWidget* w = id == sid::kGrid ? grid_ : Control(id)) w->setFocus();
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

CGuardarComoDlg::CGuardarComoDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Guardar como ..."));
  edit_ = MakeNameEdit(this, 453);
  auto* ok = Button(this, 1, QStringLiteral("&Aceptar"));
  ok->setDefault(true);
  auto* cancel = Button(this, 2, QStringLiteral("&Cancelar"));
  auto* l = new QGridLayout(this);
  l->addWidget(new QLabel(QStringLiteral("Declaración:"), this), 0, 0);
  l->addWidget(edit_, 0, 1, 1, 2);
  l->addWidget(ok, 1, 1);
  l->addWidget(cancel, 1, 2);
  connect(ok, &QPushButton::clicked, this, &CGuardarComoDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CGuardarComoDlg::SetName(const QString& name) {
  name_ = name;
  edit_->setText(name);
}

void CGuardarComoDlg::accept() {
  name_ = edit_->text().toUpper();
  edit_->setText(name_);
  if (name_.trimmed().isEmpty()) return;
  QDialog::accept();
}

// ---------------------------------------------------------------- taken name (last year's import)

CDeclaracionExistenteDlg::CDeclaracionExistenteDlg(::store::DeclarationStore& store, const QString& takenName,
                                                   QWidget* parent)
    : QDialog(parent), store_(store) {
  setWindowTitle(QStringLiteral("Declaración ya existente"));
  auto* taken = new QLabel(takenName, this);
  SetControlId(taken, 1057);
  auto* rename = new QRadioButton(QStringLiteral("&Renombrar declaración"), this);
  auto* skip = new QRadioButton(QStringLiteral("&No importar dicha declaración"), this);
  SetControlId(rename, 635);
  SetControlId(skip, 642);
  rename->setChecked(true);
  edit_ = MakeNameEdit(this, 658);
  auto* ok = Button(this, 1, QStringLiteral("&Aceptar"));
  ok->setDefault(true);
  auto* cancel = Button(this, 2, QStringLiteral("&Cancelar"));
  auto* l = new QVBoxLayout(this);
  l->addWidget(taken);
  l->addWidget(new QLabel(QStringLiteral("Existe una declaración con el mismo nombre en la base de datos."), this));
  for (QWidget* w : std::initializer_list<QWidget*>{rename, edit_, skip, ok, cancel}) l->addWidget(w);
  connect(rename, &QRadioButton::toggled, this, [this](bool on) {
    if (on) SetChoice(0);
  });
  connect(skip, &QRadioButton::toggled, this, [this](bool on) {
    if (on) SetChoice(1);
  });
  connect(ok, &QPushButton::clicked, this, &CDeclaracionExistenteDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CDeclaracionExistenteDlg::SetChoice(int choice) {
  choice_ = choice;
  edit_->setEnabled(choice == 0);
  if (choice == 1) edit_->clear();
}

void CDeclaracionExistenteDlg::accept() {
  if (choice_ == 0) {
    newName_ = Q(::store::TrimKey(S(edit_->text().toUpper())));
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
  QDialog::accept();
}

// ---------------------------------------------------------------- taken name (transfer files)

CDeclaracionExistenteImportDlg::CDeclaracionExistenteImportDlg(::store::DeclarationStore& store,
                                                               const QString& takenName,
                                                               std::vector<std::string> chosenNames, QWidget* parent)
    : QDialog(parent), store_(store), chosen_(std::move(chosenNames)) {
  setWindowTitle(QStringLiteral("Declaración ya existente"));
  auto* taken = new QLabel(takenName, this);
  SetControlId(taken, 1057);
  const std::pair<int, const char*> radios[] = {{628, "&Sobreescribir la declaración"},
                                                {654, "S&obreescribir todas las declaraciones"},
                                                {635, "&Renombrar declaración"},
                                                {642, "&No importar dicha declaración"}};
  auto* l = new QVBoxLayout(this);
  l->addWidget(taken);
  l->addWidget(new QLabel(QStringLiteral("Existe una declaración con el mismo nombre en la base de datos."), this));
  edit_ = MakeNameEdit(this, 658);
  edit_->setEnabled(false);
  const int choices[] = {0, 1, 2, 3};
  int k = 0;
  for (auto [rid, text] : radios) {
    auto* r = new QRadioButton(QString::fromUtf8(text), this);
    SetControlId(r, rid);
    l->addWidget(r);
    if (rid == 635) l->addWidget(edit_);
    const int choice = choices[k++];
    connect(r, &QRadioButton::toggled, this, [this, choice](bool on) {
      if (on) SetChoice(choice);
    });
  }
  accept_ = Button(this, 1, QStringLiteral("&Aceptar"));
  accept_->setEnabled(false);
  auto* cancel = Button(this, 2, QStringLiteral("&Cancelar"));
  l->addWidget(accept_);
  l->addWidget(cancel);
  connect(accept_, &QPushButton::clicked, this, &CDeclaracionExistenteImportDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &CDeclaracionExistenteImportDlg::reject);
}

void CDeclaracionExistenteImportDlg::SetChoice(int choice) {
  choice_ = choice;
  edit_->setEnabled(choice == 2);
  if (choice != 2) edit_->clear();
  accept_->setEnabled(true);
}

void CDeclaracionExistenteImportDlg::accept() {
  if (choice_ < 0) return;
  if (choice_ == 2) {
    newName_ = edit_->text().toUpper();
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
  QDialog::accept();
}

void CDeclaracionExistenteImportDlg::reject() {
  cancelled_ = true;
  QDialog::reject();
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
