#include "ui/store/transfer_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/edit_host.h"
#include "ui/store/store_dialogs.h"

namespace ui::store_dlg {

namespace {
constexpr int kListPrompt = 1053, kListHeading = 340, kList = 598, kSelectAll = 605;
constexpr int kStrSelectAll = 94031;
constexpr ui::ControlDef kListControls[] = {
    {.id = kListPrompt, .kind = ui::Ctl::Static, .row = 0, .col = 0, .colSpan = 2},
    {.id = kListHeading, .kind = ui::Ctl::Static, .row = 1, .col = 0, .colSpan = 2},
    {.id = kList, .kind = ui::Ctl::Custom, .row = 2, .col = 0, .colSpan = 2},
    {.id = kSelectAll, .kind = ui::Ctl::CheckBox, .textId = kStrSelectAll, .row = 3, .col = 0, .colSpan = 2},
    {.id = ui::IDOK, .kind = ui::Ctl::Ok, .textId = ui::kStrOkButton, .row = 4, .col = 0},
    {.id = ui::IDCANCEL, .kind = ui::Ctl::Cancel, .textId = ui::kStrCancelButton, .row = 4, .col = 1},
};
constexpr ui::DialogTemplate kListTemplate{1749, nullptr, 0, kListControls};

// String ids of the three list dialogs.
enum ListTextId : int {
  kStrExportCaption = 94026,
  kStrExportPrompt = 94027,
  kStrImportCaption = 94028,
  kStrImportPrompt = 94029,
  kStrDeclarations = 94030,
  kStrLastYearCaption = 94032,
  kStrLastYearPrompt = 94033,
  kStrLastYearHeading = 94034,
};
}  // namespace

CDeclarationListDlg::CDeclarationListDlg(int caption, int prompt, int heading, QWidget* parent)
    : CTemplateDlg(kListTemplate, parent) {
  EnsureCreated();
  setWindowTitle(platform::LoadString(caption));
  Item<QLabel>(kListPrompt)->setText(platform::LoadString(prompt));
  Item<QLabel>(kListPrompt)->setWordWrap(true);
  Item<QLabel>(kListHeading)->setText(platform::LoadString(heading));
  all_ = Item<QCheckBox>(kSelectAll);
  accept_ = Item<QPushButton>(ui::IDOK);
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
  accept_->setDefault(true);
  accept_->setEnabled(false);
  connect(list_, &QListWidget::itemSelectionChanged, this, &CDeclarationListDlg::UpdateAccept);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
    if (!list_->selectedItems().isEmpty()) OnOK();
  });
  connect(all_, &QCheckBox::toggled, this, &CDeclarationListDlg::SelectAll);
}

QWidget* CDeclarationListDlg::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  if (def.id != kList) return nullptr;
  list_ = new QListWidget(parent);
  list_->setSelectionMode(QAbstractItemView::MultiSelection);
  return list_;
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
    : CDeclarationListDlg(kStrExportCaption, kStrExportPrompt, kStrDeclarations, parent) {
  // The transfer dialogs end with the plain cross.
  SetButtonIcon(ui::IDCANCEL, platform::kIconCancel);
  for (const auto& r : store.List()) keys_.push_back(r.key);
  SetItems(keys_);
}

void CExportacionDlg::OnOK() {
  chosen_.clear();
  for (int r : SelectedRows()) chosen_.push_back(keys_[static_cast<std::size_t>(r)]);
  if (chosen_.empty()) return;
  CTemplateDlg::OnOK();
}

CImportacionDlg::CImportacionDlg(::store::DeclarationStore& store, std::vector<std::string> fileKeys, QWidget* parent)
    : CDeclarationListDlg(kStrImportCaption, kStrImportPrompt, kStrDeclarations, parent),
      store_(store),
      keys_(std::move(fileKeys)) {
  SetButtonIcon(ui::IDCANCEL, platform::kIconCancel);
  SetItems(keys_);
}

void CImportacionDlg::OnOK() {
  if (store_.Count() >= ::store::kMaxDeclarations) {
    store_.Messages().Plain(::store::StoreFullText());
    CTemplateDlg::OnCancel();
    return;
  }
  std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  plan_ = ::store::PlanImport(store_, keys_, rows, [this](const std::string& key, const std::vector<std::string>& chosen) {
    CDeclaracionExistenteImportDlg d(store_, QString::fromStdString(key), chosen, this);
    d.exec();
    return d.Answer();
  });
  if (plan_.proceed) CTemplateDlg::OnOK();
  else CTemplateDlg::OnCancel();
}

CImportacionPatrimonioDlg::CImportacionPatrimonioDlg(::store::DeclarationStore& store, const std::string& lastYearPath,
                                                     int limit, QWidget* parent)
    : CDeclarationListDlg(kStrLastYearCaption, kStrLastYearPrompt, kStrLastYearHeading, parent),
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

void CImportacionPatrimonioDlg::OnOK() {
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
  if (done) CTemplateDlg::OnOK();
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
