#include "ui/lista_edit.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

#include <cstring>

#include "data/db/ado.h"
#include "platform/cp1252.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/companion_button.h"

namespace {
constexpr int kClearLineString = 200;  // "<BORRAR>"
constexpr int kDropTipString = 361;    // "Lista desplegable"

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string ReadColumn(db::CAdoRecordset& rs, const std::string& column) {
  std::string v;
  if (!column.empty()) rs.GetText(column, v);
  return ui::TrimRight(v).substr(0, 255);
}
}  // namespace

CListaEdit::CListaEdit(CBoxField* box, db::CAdoConnection* connection, QWidget* parent)
    : CEditEx(box, parent), connection_(connection) {}

CListaEdit::CListaEdit(int width, db::CAdoConnection* connection, QWidget* parent)
    : CEditEx(width, parent), connection_(connection) {}

CListaEdit::~CListaEdit() {
  CloseList();
  delete button_.data();
}

void CListaEdit::SetLookupTable(const std::string& table) {
  if (box_ && !table.empty()) box_->FicheroTab = table;
}

unsigned CListaEdit::SetupControl() {
  catalogueRead_ = false;
  if (!ControlReadOnly() && !button_) {
    button_ = new ui::CCompanionButton(this, ui::CCompanionButton::Look::Drop, kDropTipString);
    connect(button_, &QToolButton::clicked, this, [this] {
      if (toggling_) return;
      toggling_ = true;
      setFocus();
      ToggleList();
      toggling_ = false;
    });
  }
  ReadCatalogue();
  return GetEditStyle();
}

void CListaEdit::ReadCatalogue() {
  if (catalogueRead_ || !box_) return;
  if (auto row = ui::ReadCatalogueRow(connection_, box_->FicheroTab)) {
    catalogue_ = *row;
    catalogueRead_ = true;
  }
}

std::string CListaEdit::TableName() const {
  return box_ ? ui::LanguageTable(box_->FicheroTab, platform::Language()) : std::string();
}

std::string CListaEdit::BoundText() const {
  if (!box_ || !box_->data) return {};
  return ui::FieldText(blocks::at(box_->data, box_->TextOffset()), static_cast<std::size_t>(std::max(box_->width, 0)));
}

void CListaEdit::WriteTarget(const std::string& value, bool padToWidth) {
  ui::LookupLink* link = Link();
  if (!link || !link->target || link->targetWidth == 0) return;
  const std::string bytes = platform::Utf8ToCp1252(value);
  const std::size_t n = std::min(bytes.size(), link->targetWidth);
  std::memcpy(link->target, bytes.data(), n);
  if (padToWidth && n < link->targetWidth) std::memset(static_cast<char*>(link->target) + n, ' ', link->targetWidth - n);
}

QString CListaEdit::ItemText(int line) const {
  return line >= 0 && static_cast<std::size_t>(line) < items_.size() ? items_[static_cast<std::size_t>(line)] : QString();
}

void CListaEdit::LookUpKey(const std::string& key, std::string& description, std::string& filterValue) {
  const std::string col = catalogue_.KeyColumn();
  if (!connection_ || !db::IsIdentifier(col)) return;
  db::CAdoRecordset rs;
  if (!rs.Open(TableName(), connection_, db::Filter::Eq(col, key))) return;
  description = ReadColumn(rs, catalogue_.descr);
  filterValue = ReadColumn(rs, catalogue_.filter);
}

bool CListaEdit::BuildFilter(db::Filter& out) {
  out = db::Filter();
  const std::string& f = catalogue_.filter;
  if (f.empty()) return true;
  if (catalogue_.FixedFilter()) {
    if (auto parsed = ui::ParseFixedFilter(f)) out = *parsed;
    return true;
  }
  if (ui::LookupLink* link = Link()) {
    const std::string prefix = link->FilterPrefix();
    const bool blank = prefix == "  " || (prefix.size() == 1 && prefix[0] == ' ');
    if (blank || (prefix.empty() && catalogue_.key != "EPIGRAFE")) {
      ShowMessage(QStringLiteral("WIN063"), platform::kIconExclamation);
      return false;
    }
    if (!prefix.empty() && db::IsIdentifier(f)) out = db::Filter::Eq(f, prefix);
    return true;
  }
  // A bare column name with nothing to compare it with restricts nothing.
  return true;
}

void CListaEdit::AddLine(const QString& text, const QString& item) {
  list_->addItem(text.isEmpty() ? platform::LoadString(kClearLineString) : text);
  items_.push_back(item);
}

int CListaEdit::LoadTable() {
  if (!list_ || !box_) return 0;
  box_->UpdateText();
  const QString current = box_->displayText;
  const std::string keyCol = catalogue_.KeyColumn();
  std::string sort;
  if (catalogue_.ordered && db::IsIdentifier(catalogue_.order)) sort = catalogue_.order + " ASC";
  db::Filter filter;
  if (!BuildFilter(filter)) return 0;
  if (!connection_) return 1;
  db::CAdoRecordset rs;
  if (!rs.Open(TableName(), connection_, filter, sort)) return 1;
  const bool itemIsDescription = catalogue_.FixedFilter() && !(Link() && Link()->target);
  int selected = -1;
  filling_ = true;
  for (bool more = true; more && !rs.IsEOF(); more = rs.MoveNext()) {
    const QString descr = Q(ReadColumn(rs, catalogue_.descr));
    const QString key = Q(ReadColumn(rs, keyCol));
    QString line, ident;
    if (!catalogue_.descr2.empty()) {
      line = descr + QStringLiteral(" (") + key + u')';
      ident = key;
    } else {
      line = descr;
      ident = catalogue_.cut ? key : descr;
    }
    QString item = key;
    if (itemIsDescription && key.size() > 1 && key[1].isDigit()) item = descr;
    AddLine(line, item);
    if (ident == current) selected = list_->count() - 1;
  }
  rs.Close();
  if (selected >= 0) list_->setCurrentRow(selected);
  filling_ = false;
  return 1;
}

int CListaEdit::ApplySelection() {
  if (!list_ || !box_) return 1;
  const int row = list_->currentRow();
  if (row < 0) return 1;
  const QString lineText = list_->item(row)->text();
  const QString item = ItemText(row);
  QString t = lineText.left(std::max(editWidth_, box_->width));
  if (lineText.contains(platform::LoadString(kClearLineString))) t.clear();
  setText(t);
  if (ui::LookupLink* link = Link(); link && link->target) {
    if (t.isEmpty()) {
      WriteTarget(std::string(static_cast<std::size_t>(item.toStdString().size()), ' '), false);
    } else {
      if (link->filterSource) WriteTarget(std::string(), true);  // blanks over the whole target first
      WriteTarget(item.toStdString(), false);
    }
  } else if (!t.isEmpty()) {
    setText(item);
  }
  StoreToData();
  MarkModified();
  return 1;
}

int CListaEdit::SearchWithFilter(char32_t ch) {
  if (!box_) return 1;
  if (ch == U' ') {
    setText(QString());
    StoreToData();
    MarkModified();
    LoadFromData(1);
    Notify(ui::kNotifyValueCleared);
    return 0;
  }
  if (box_->FicheroTab.empty() || ch == U'\'' || !catalogue_.descr2.empty()) return 1;
  if (!connection_ || !db::IsIdentifier(catalogue_.descr)) return 1;
  const std::string letter = QString::fromUcs4(&ch, 1).toStdString();
  db::Filter filter = db::Filter::StartsWith(catalogue_.descr, letter);
  ui::LookupLink* link = Link();
  if (link && link->filterSource && db::IsIdentifier(catalogue_.filter))
    filter = filter && db::Filter::Eq(catalogue_.filter, link->FilterPrefix());
  db::CAdoRecordset rs;
  if (!rs.Open(TableName(), connection_, filter)) return 1;
  const std::string descr = ReadColumn(rs, catalogue_.descr);
  const std::string ret = ReadColumn(rs, catalogue_.ret);
  rs.Close();
  const std::string ident = catalogue_.cut ? ret : descr;
  const std::string before = BoundText();
  const bool openToo = !ident.empty() && !before.empty() && ident[0] == before[0];
  setText(Q(descr).left(std::max(editWidth_, box_->width)));
  if (link && link->target) {
    WriteTarget(ret, false);
  } else if (catalogue_.cut) {
    setText(Q(ret));
  }
  StoreToData();
  MarkModified();
  LoadFromData(1);
  Notify(ui::kNotifyValueStored);
  if (openToo) ToggleList();
  return 0;
}

int CListaEdit::FilterChar(char32_t ch, int, int, bool) {
  if (ch == kChTab || ch == kChEnter) {
    if (ListOpen()) {
      CloseList();
      return kHandled;
    }
    return kAccept;
  }
  if (ch == kChEscape) {
    if (ListOpen()) {
      RestoreBeforeList();
      CloseList();
    }
    return kHandled;
  }
  if (ch == kChBackspace) return kRefuse;
  if (ch == U'(') {  // also Alt+Down, whose key code is the same
    if (button_ && button_->isVisible()) {
      ToggleList();
      return kHandled;
    }
    return kRefuse;
  }
  char32_t c = QString::fromUcs4(&ch, 1).toUpper().toUcs4().value(0);
  if (c == U'*') c = U'\'';
  if (SearchWithFilter(c) == 1) ToggleList();
  return kHandled;
}

int CListaEdit::FilterKeyDown(int key, int repeat, int flags) {
  if (CEditEx::FilterKeyDown(key, repeat, flags) == kRefuse) return kRefuse;
  if (key == Qt::Key_Tab || key == Qt::Key_Up || key == Qt::Key_Down) return kAccept;
  if (key == Qt::Key_Delete) {
    if (!ControlReadOnly()) SearchWithFilter(U' ');
    return kRefuse;
  }
  return kAccept;
}

bool CListaEdit::HandleKey(int key, Qt::KeyboardModifiers mods) {
  const bool ctrl = mods & Qt::ControlModifier, shift = mods & Qt::ShiftModifier;
  bool refuse = false;
  if (ctrl) {
    refuse = key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X || key == Qt::Key_Z || key == Qt::Key_Insert ||
             key == Qt::Key_Minus;
  } else if (shift) {
    switch (key) {
      case Qt::Key_Delete: case Qt::Key_Insert: case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up:
      case Qt::Key_Down: case Qt::Key_Home: case Qt::Key_End:
        refuse = true;
        break;
      default: break;
    }
  }
  if (refuse) Beep();
  return refuse;
}

void CListaEdit::ToggleList() {
  if (MemberViewRefuses()) {
    if (button_) button_->setDown(false);
    Beep();
    ShowMessage(QStringLiteral("100R025"), platform::kIconExclamation);
    return;
  }
  if (ListOpen()) {
    CloseList();
    return;
  }
  ReadCatalogue();
  popup_ = new QFrame(this, Qt::Popup);
  popup_->setFrameShape(QFrame::Box);
  auto* lay = new QVBoxLayout(popup_);
  lay->setContentsMargins(0, 0, 0, 0);
  list_ = new QListWidget(popup_);
  ui::SetControlId(list_, ui::kLookupListId);
  list_->setFont(font());
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list_->setSortingEnabled(false);
  lay->addWidget(list_);
  const int side = width() + height();
  popup_->setGeometry(QRect(mapToGlobal(QPoint(0, height() + 1)), QSize(side, side)));
  items_.clear();
  KeepBeforeList();
  if (LoadTable() != 1) {
    CloseList();
    return;
  }
  browsing_ = false;
  connect(list_, &QListWidget::currentRowChanged, this, [this] {
    if (!filling_ && browsing_) ApplySelection();
  });
  connect(list_, &QListWidget::itemActivated, this, [this] { EnterChosen(); });
  list_->installEventFilter(this);
  list_->viewport()->installEventFilter(this);
  popup_->installEventFilter(this);
  FitListToContents();
  popup_->show();
  list_->setFocus();
}

void CListaEdit::EnterChosen() {
  const int r = ApplySelection();
  CloseList();
  if (r == 1) {
    MarkModified();
    Notify(ui::kNotifyValueStored);
  }
}

bool CListaEdit::eventFilter(QObject* watched, QEvent* e) {
  if (list_ && watched == list_->viewport() && e->type() == QEvent::MouseButtonPress) browsing_ = true;
  if (list_ && watched == list_ && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    browsing_ = true;
    switch (k->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter: EnterChosen(); return true;
      case Qt::Key_Escape: RestoreBeforeList(); CloseList(); return true;
      case Qt::Key_Tab:
      case Qt::Key_Backtab: CloseList(); return true;
      default: break;
    }
  }
  if (popup_ && watched == popup_ && e->type() == QEvent::Hide) {
    QMetaObject::invokeMethod(this, [this] {
      if (popup_ && !popup_->isVisible()) CloseList();
    }, Qt::QueuedConnection);
  }
  return CEditEx::eventFilter(watched, e);
}

void CListaEdit::KeepBeforeList() {
  fieldBefore_.clear();
  targetBefore_.clear();
  if (box_ && box_->data && box_->width > 0) {
    const auto* f = static_cast<const std::uint8_t*>(blocks::at(box_->data, box_->TextOffset()));
    fieldBefore_.assign(f, f + box_->width);
  }
  if (const ui::LookupLink* link = Link(); link && link->target && link->targetWidth > 0) {
    const auto* t = static_cast<const std::uint8_t*>(link->target);
    targetBefore_.assign(t, t + link->targetWidth);
  }
  textBefore_ = text();
  modifiedBefore_ = modified_;
}

void CListaEdit::RestoreBeforeList() {
  if (box_ && box_->data && box_->width > 0 && fieldBefore_.size() == static_cast<std::size_t>(box_->width))
    std::memcpy(blocks::at(box_->data, box_->TextOffset()), fieldBefore_.data(), fieldBefore_.size());
  if (const ui::LookupLink* link = Link(); link && link->target && targetBefore_.size() == link->targetWidth)
    std::memcpy(link->target, targetBefore_.data(), targetBefore_.size());
  setText(textBefore_);
  modified_ = modifiedBefore_;
  if (box_) box_->UpdateText();
}

void CListaEdit::CloseList() {
  if (!popup_) return;
  QFrame* p = popup_;
  popup_ = nullptr;
  list_ = nullptr;
  items_.clear();
  p->removeEventFilter(this);
  p->hide();
  p->deleteLater();
  setFocus();
}

void CListaEdit::FitListToContents() {
  const QFontMetrics fm(list_->font());
  int w = 0;
  for (int i = 0; i < list_->count(); ++i) w = std::max(w, fm.horizontalAdvance(list_->item(i)->text()));
  const int h = std::max(1, fm.height() + 2);
  constexpr int s = 28;
  const QRect desk = QApplication::primaryScreen() ? QApplication::primaryScreen()->availableGeometry()
                                                  : QRect(0, 0, 1024, 768);
  QRect r = popup_->geometry();
  if (r.width() < w + s) {
    if (r.left() + w < desk.right() - 2 * s) {
      r.setRight(r.left() + w + s);
    } else if (r.left() > w + s) {
      r.setLeft(r.right() - s - w);
    } else if (desk.right() > w + s + 20) {
      r.setLeft((desk.right() - s - w) / 2);
      r.setWidth(w + s);
    } else {
      r.setLeft(10);
      r.setRight(desk.right() - 10);
    }
  }
  int rows = std::max(r.height() / h, 15);
  rows = std::min(rows, std::max(list_->count(), 1));
  r.setHeight(rows * h + 2 * popup_->frameWidth());
  if (r.bottom() > desk.bottom() - 2 * h) r.moveBottom(r.top() - 1 - height());
  popup_->setGeometry(r);
}

// ---------------------------------------------------------------- CListaEpigrafe

CListaEpigrafe::CListaEpigrafe(int width, db::CAdoConnection* connection, QWidget* parent)
    : CListaEdit(width, connection, parent) {}

void CListaEpigrafe::LookUpKey(const std::string& rawKey, std::string& description, std::string& filterValue) {
  const std::string key = ui::TrimRight(rawKey);
  const std::string col = catalogue_.KeyColumn();
  const ui::LookupLink* link = Link();
  const std::string section = link ? link->FilterPrefix().substr(0, 1) : std::string();
  bool found = false;
  if (connection_ && db::IsIdentifier(col) && !section.empty()) {
    db::CAdoRecordset rs;
    if (rs.Open(TableName(), connection_, db::Filter::Eq(col, key))) {
      for (bool more = true; more && !rs.IsEOF(); more = rs.MoveNext()) {
        const std::string f = ReadColumn(rs, catalogue_.filter);
        if (!f.empty() && f[0] == section[0]) {
          description = ReadColumn(rs, catalogue_.descr);
          filterValue = f;
          found = true;
          break;
        }
      }
    }
  }
  if (!found) {
    description.assign(255, ' ');
    filterValue.assign(255, ' ');
  }
}

int CListaEpigrafe::FilterKeyDown(int key, int repeat, int flags) {
  const int r = CListaEdit::FilterKeyDown(key, repeat, flags);
  if (key == Qt::Key_Delete) Notify(ui::kNotifyValueCleared);
  return r;
}
