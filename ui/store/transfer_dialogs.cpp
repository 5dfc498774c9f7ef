#include "ui/store/transfer_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/edit_host.h"
#include "ui/store/store_dialogs.h"

namespace ui::store_dlg {

CDeclarationListDlg::CDeclarationListDlg(const QString& caption, const QString& prompt, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(caption);
  auto* l = new QVBoxLayout(this);
  l->addWidget(new QLabel(prompt, this));
  l->addWidget(new QLabel(QStringLiteral("DECLARACIONES"), this));
  list_ = new QListWidget(this);
  list_->setSelectionMode(QAbstractItemView::MultiSelection);
  all_ = new QCheckBox(QStringLiteral("Seleccionar todas"), this);
  SetControlId(all_, 605);
  accept_ = new QPushButton(QStringLiteral("&Aceptar"), this);
  SetControlId(accept_, 1);
  accept_->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("&Cancelar"), this);
  SetControlId(cancel, 2);
  for (QWidget* w : std::initializer_list<QWidget*>{list_, all_, accept_, cancel}) l->addWidget(w);
  accept_->setEnabled(false);
  connect(list_, &QListWidget::itemSelectionChanged, this, &CDeclarationListDlg::UpdateAccept);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
    if (!list_->selectedItems().isEmpty()) accept();
  });
  connect(all_, &QCheckBox::toggled, this, &CDeclarationListDlg::SelectAll);
  connect(accept_, &QPushButton::clicked, this, [this] { accept(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CDeclarationListDlg::SetItems(const std::vector<std::string>& items) {
  list_->clear();
  for (const auto& s : items) list_->addItem(QString::fromStdString(s));
  UpdateAccept();
}

void CDeclarationListDlg::SelectAll(bool on) {
  for (int i = 0; i < list_->count(); ++i) list_->item(i)->setSelected(on);
  UpdateAccept();
}

void CDeclarationListDlg::SelectRow(int row, bool on) {
  if (auto* it = list_->item(row)) it->setSelected(on);
}

void CDeclarationListDlg::UpdateAccept() { accept_->setEnabled(!list_->selectedItems().isEmpty()); }

std::vector<int> CDeclarationListDlg::SelectedRows() const {
  std::vector<int> rows;
  for (int i = 0; i < list_->count() && rows.size() < static_cast<std::size_t>(::store::kMaxDeclarations); ++i)
    if (list_->item(i)->isSelected()) rows.push_back(i);
  return rows;
}

CExportacionDlg::CExportacionDlg(::store::DeclarationStore& store, QWidget* parent)
    : CDeclarationListDlg(QStringLiteral("Exportación de declaraciones"),
                          QStringLiteral("Seleccione las declaraciones que desee exportar:"), parent) {
  for (const auto& r : store.List()) keys_.push_back(r.key);
  SetItems(keys_);
}

void CExportacionDlg::accept() {
  chosen_.clear();
  for (int r : SelectedRows()) chosen_.push_back(keys_[static_cast<std::size_t>(r)]);
  if (chosen_.empty()) return;
  QDialog::accept();
}

CImportacionDlg::CImportacionDlg(::store::DeclarationStore& store, std::vector<std::string> fileKeys, QWidget* parent)
    : CDeclarationListDlg(QStringLiteral("Importación de declaraciones"),
                          QStringLiteral("Seleccione las declaraciones que desee importar:"), parent),
      store_(store),
      keys_(std::move(fileKeys)) {
  SetItems(keys_);
}

void CImportacionDlg::accept() {
  if (store_.Count() >= ::store::kMaxDeclarations) {
    store_.Messages().Plain(::store::StoreFullText());
    QDialog::reject();
    return;
  }
  std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  plan_ = ::store::PlanImport(store_, keys_, rows, [this](const std::string& key, const std::vector<std::string>& chosen) {
    CDeclaracionExistenteImportDlg d(store_, QString::fromStdString(key), chosen, this);
    d.exec();
    return d.Answer();
  });
  if (plan_.proceed) QDialog::accept();
  else QDialog::reject();
}

CImportacionPatrimonioDlg::CImportacionPatrimonioDlg(::store::DeclarationStore& store, const std::string& lastYearPath,
                                                     int limit, QWidget* parent)
    : CDeclarationListDlg(QStringLiteral("Seleccionar "),
                          QStringLiteral("Seleccione las declaraciones correspondintes al año 2002 cuyos datos "
                                         "identificativos desee importar"),
                          parent),
      store_(store),
      import_(store),
      limit_(limit) {
  all_->hide();
  opened_ = import_.Open(lastYearPath);
  if (opened_) {
    names_ = import_.Declarations();
    SetItems(names_);
  }
  accept_->setEnabled(true);
  disconnect(list_, &QListWidget::itemSelectionChanged, this, nullptr);
}

void CImportacionPatrimonioDlg::accept() {
  std::vector<std::string> chosen;
  for (int r : SelectedRows()) chosen.push_back(names_[static_cast<std::size_t>(r)]);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool done = import_.Confirm(chosen,
                              [this](std::string_view name) -> std::optional<std::string> {
                                QApplication::restoreOverrideCursor();
                                CDeclaracionExistenteDlg d(store_, QString::fromStdString(std::string(name)), this);
                                const bool ok = d.exec() == QDialog::Accepted && d.Choice() == 0;
                                QApplication::setOverrideCursor(Qt::WaitCursor);
                                if (!ok) return std::nullopt;
                                return d.NewName().toStdString();
                              },
                              limit_);
  QApplication::restoreOverrideCursor();
  if (done) QDialog::accept();
}

bool ExportDeclarations(::store::DeclarationStore& store, const std::string& path, const std::vector<std::string>& keys) {
  return store.Export(path, keys);
}

bool ImportDeclarations(::store::DeclarationStore& store, const std::string& path, QWidget* parent,
                        const std::function<int(QDialog&)>& runModal) {
  // Read once: what is imported is what was listed, whatever happens to the file meanwhile.
  auto entries = store.ReadTransfer(path);
  if (!entries) return false;
  std::vector<std::string> keys;
  for (const auto& e : *entries) keys.push_back(e.key);
  CImportacionDlg d(store, keys, parent);
  const int result = runModal ? runModal(d) : d.exec();
  if (result != QDialog::Accepted || !d.Plan().proceed) return false;
  return store.Import(*entries, d.Plan().choices);
}

}  // namespace ui::store_dlg
