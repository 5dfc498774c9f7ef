#include "modules/activity_select_dlg.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>

#include "modules/activity_data_dlg.h"
#include "modules/module_strings.h"
#include "platform/cp1252.h"
#include "platform/help.h"
#include "platform/strings.h"
#include "ui/edit_host.h"
#include "ui/owner_draw_button.h"
#include "ui/session.h"

namespace sid = modules::string_id;

namespace {

const QColor kLabelBackground(192, 192, 192);
const QColor kFocusedText(0, 0, 0);
const QColor kOtherText(126, 126, 126);

QListWidget* MakeList(QWidget* parent, int id, bool ownScrollBar) {
  auto* l = new QListWidget(parent);
  ui::SetControlId(l, id);
  l->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  l->setUniformItemSizes(true);
  l->setVerticalScrollBarPolicy(ownScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return l;
}

COwnerDrawButton* MakeButton(QWidget* parent, int id, int textId, unsigned icon) {
  auto* b = new COwnerDrawButton(platform::LoadString(textId), parent);
  ui::SetControlId(b, id);
  b->SetIcon(icon, 0, 32, 32);
  b->SetFlat(!ui::CurrentSession().plainColours);
  b->setAutoDefault(false);
  return b;
}

int ItemId(const QListWidgetItem* item) { return item ? item->data(Qt::UserRole).toInt() : 0; }

// The first entry beginning with `text` (case ignored), as a list box selects a string.
int FindPrefix(const QListWidget* list, const QString& text) {
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->text().startsWith(text, Qt::CaseInsensitive)) return i;
  return -1;
}

void SelectRow(QListWidget* list, int row) {
  const QSignalBlocker block(list);
  list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

// The character at `i`, zero past the end.
char At(std::string_view s, std::size_t i) { return i < s.size() ? s[i] : '\0'; }

}  // namespace

CSeleccionarActividadDlg::CSeleccionarActividadDlg(db::CAdoConnection* connection, QWidget* parent)
    : QDialog(parent), connection_(connection) {
  setWindowTitle(platform::LoadString(sid::kSelectCaption));
}

CSeleccionarActividadDlg::~CSeleccionarActividadDlg() = default;

int CSeleccionarActividadDlg::SetRegime(int regime) {
  const int previous = regime_;
  regime_ = regime;
  return previous;
}

QWidget* CSeleccionarActividadDlg::GetDlgItem(int id) const { return ui::FindControl(this, id); }

int CSeleccionarActividadDlg::DoModal() {
  EnsureCreated();
  return exec();
}

void CSeleccionarActividadDlg::showEvent(QShowEvent* e) {
  EnsureCreated();
  QDialog::showEvent(e);
}

void CSeleccionarActividadDlg::EnsureCreated() {
  if (created_) return;
  created_ = true;
  auto* grid = new QGridLayout(this);

  sectorLabel_ = new QLabel(platform::LoadString(sid::kSectorLabel), this);
  activityLabel_ = new QLabel(platform::LoadString(sid::kActivityLabel), this);
  ui::SetControlId(sectorLabel_, kSectorLabelId);
  ui::SetControlId(activityLabel_, kActivityLabelId);
  sectors_ = MakeList(this, kSectorListId, false);
  activities_ = MakeList(this, kActivityListId, false);
  sectorLabel_->setBuddy(sectors_);
  activityLabel_->setBuddy(activities_);
  leftScroll_ = new QScrollBar(Qt::Vertical, this);
  rightScroll_ = new QScrollBar(Qt::Vertical, this);
  ui::SetControlId(leftScroll_, kLeftScrollId);
  ui::SetControlId(rightScroll_, kRightScrollId);
  const int rows = QFontMetrics(font()).height() * 6;
  sectors_->setFixedHeight(rows);
  activities_->setFixedHeight(rows);
  sectors_->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QString(9, 'M')));
  activities_->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QString(48, 'M')));

  grid->addWidget(sectorLabel_, 0, 0, 1, 2);
  grid->addWidget(activityLabel_, 0, 2, 1, 2);
  grid->addWidget(sectors_, 1, 0);
  grid->addWidget(leftScroll_, 1, 1);
  grid->addWidget(activities_, 1, 2);
  grid->addWidget(rightScroll_, 1, 3);

  epigraphLabel_ = new QLabel(platform::LoadString(sid::kEpigraphListLabel), this);
  ui::SetControlId(epigraphLabel_, kEpigraphLabelId);
  epigraphs_ = MakeList(this, kEpigraphListId, true);
  epigraphs_->setFixedHeight(QFontMetrics(font()).height() * 4);
  epigraphLabel_->setBuddy(epigraphs_);
  auto* box = new QGroupBox(platform::LoadString(sid::kDescriptionBox), this);
  description_ = new QLabel(box);
  ui::SetControlId(description_, kDescriptionId);
  description_->setWordWrap(true);
  description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  description_->setTextFormat(Qt::PlainText);
  (new QHBoxLayout(box))->addWidget(description_);
  grid->addWidget(epigraphLabel_, 2, 0, 1, 2);
  grid->addWidget(epigraphs_, 3, 0, 1, 2);
  grid->addWidget(box, 2, 2, 2, 2);

  auto* buttons = new QHBoxLayout;
  auto* ok = MakeButton(this, ui::IDOK, sid::kAccept, 124);
  auto* cancel = MakeButton(this, ui::IDCANCEL, sid::kCancel, 128);
  auto* consult = MakeButton(this, kConsultId, sid::kConsult, 148);
  auto* help = MakeButton(this, kHelpId, sid::kHelp, 161);
  ok->setDefault(true);
  for (auto* b : {ok, cancel, consult, help}) buttons->addWidget(b);
  grid->addLayout(buttons, 4, 0, 1, 4);
  connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
  connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
  connect(consult, &QPushButton::clicked, this, [this] { OnConsultar(); });
  connect(help, &QPushButton::clicked, this, [this] { OnHelp(); });

  // A change of selection is handled once the list has finished with the click or key that made
  // it, as the re-sort it may start rebuilds the list.
  connect(sectors_, &QListWidget::currentRowChanged, this, [this] { OnSelchangeSector(); }, Qt::QueuedConnection);
  connect(activities_, &QListWidget::currentRowChanged, this, [this] { OnSelchangeActivity(); },
          Qt::QueuedConnection);
  for (QListWidget* l : {sectors_, activities_, epigraphs_})
    connect(l, &QListWidget::itemDoubleClicked, this, [this] { OnOK(); });
  sectors_->installEventFilter(this);
  activities_->installEventFilter(this);
  for (QScrollBar* s : {leftScroll_, rightScroll_})
    connect(s, &QScrollBar::actionTriggered, this, [this, s](int action) { OnVScroll(action, s->sliderPosition()); });

  OnInitDialog();
}

void CSeleccionarActividadDlg::OnInitDialog() {
  using namespace modules;
  if (regime_ != kRegimeVat && regime_ != kRegimeIncomeTaxOrVatModules && regime_ != kRegimeIncomeTax)
    GetDlgItem(kConsultId)->setEnabled(false);
  if (regime_ == kRegimeAgrarianIncomeTax) {
    sectorLabel_->setText(platform::LoadString(sid::kKeyLabel));
    epigraphLabel_->clear();
    epigraphs_->hide();
  }

  resortPending_ = focused_ = kSectorListId;
  OnSelchangeSector();

  if (initialActivity > 0) {
    SelectActivity(static_cast<int>(initialActivity));
  } else if (const int id = preselectionCode.empty() || preselectionCode[0] == '\0' ? 0 : FindByCode(); id > 0) {
    SelectActivity(id);
    FillEpigraphs(id);
  } else {
    SelectRow(activities_, 0);
    SelectRow(sectors_, 0);
  }
  if (const int id = SelectedId()) {
    ShowDescription(id);
    FillEpigraphs(id);
  }

  const int rowHeight = sectors_->count() ? sectors_->sizeHintForRow(0) : QFontMetrics(font()).height();
  // The range ends short of the row count by the row height less six (as the lists always did);
  // it never goes below 0.
  maximum_ = std::max(0, sectors_->count() - rowHeight + 6);
  for (QScrollBar* s : {leftScroll_, rightScroll_}) {
    const QSignalBlocker block(s);
    s->setRange(0, maximum_);
    s->setSingleStep(1);
    s->setPageStep(std::max(1, maximum_ / 5));
  }
  SetScrollTop(0);
  SetScrollTop(sectors_->verticalScrollBar()->value());
  PaintLabels();
  adjustSize();
  if (QWidget* owner = parentWidget()) move(owner->geometry().center() - rect().center());
}

// ---------------------------------------------------------------- lists

void CSeleccionarActividadDlg::AddActivityRow(db::CAdoRecordset& rs) {
  std::string code, name;
  rs.GetText("cod_sector", code);
  rs.GetText("descripcio", name);
  double id = 0;
  rs.GetDouble("id_iae", id);
  for (auto [list, text] : {std::pair{sectors_, &code}, std::pair{activities_, &name}}) {
    auto* item = new QListWidgetItem(QString::fromStdString(*text));
    item->setData(Qt::UserRole, static_cast<int>(id));
    list->addItem(item);
  }
}

void CSeleccionarActividadDlg::FillActivityLists(const char* column) {
  const QSignalBlocker b1(sectors_), b2(activities_);
  sectors_->clear();
  activities_->clear();
  db::CAdoRecordset rs;
  if (!rs.Open(tables_[modules::ModuleTableSet::kActivities], connection_, GetRegimeFilter(),
               std::string(column) + " ASC"))
    return;
  for (bool more = true; more; more = rs.MoveNext()) AddActivityRow(rs);
}

int CSeleccionarActividadDlg::FindByCode() {
  const QSignalBlocker b1(sectors_), b2(activities_);
  sectors_->clear();
  activities_->clear();
  db::CAdoRecordset rs;
  if (!rs.Open(tables_[modules::ModuleTableSet::kActivities], connection_, {}, "COD_SECTOR ASC")) return 0;
  const std::string_view want = preselectionCode;
  std::array<int, 5> found{};  // by level 1 to 4
  auto flag = [&rs](const char* c) {
    std::int32_t v = 0;
    rs.GetInt(c, v);
    return v != 0;
  };
  for (bool more = true; more; more = rs.MoveNext()) {
    if (!MatchesRegime(flag("mod_agr"), flag("irpf"), flag("mod_iva"), flag("iva"), flag("iva_agr"),
                       flag("irpf_agr")))
      continue;
    AddActivityRow(rs);
    std::string utf8;
    rs.GetText("cod_sector", utf8);
    const std::string code = platform::Utf8ToCp1252(utf8);
    const int id = ItemId(sectors_->item(sectors_->count() - 1));
    if (At(code, 0) != At(want, 0)) continue;
    if (!found[1]) found[1] = id;
    if (At(code, 1) != At(want, 1)) continue;
    if (!found[2]) found[2] = id;
    if (At(code, 2) != At(want, 2)) continue;
    if (!found[3]) found[3] = id;
    if (At(code, 4) == At(want, 4)) found[4] = id;
  }
  for (int level = 4; level >= 1; --level)
    if (found[static_cast<std::size_t>(level)]) return found[static_cast<std::size_t>(level)];
  return 0;
}

void CSeleccionarActividadDlg::SelectActivity(int id) {
  db::CAdoRecordset rs;
  if (!rs.Open(tables_[modules::ModuleTableSet::kActivities], connection_, db::Filter::Eq("ID_IAE", std::int64_t{id})))
    return;
  std::string name;
  rs.GetText("descripcio", name);
  const int row = FindPrefix(activities_, QString::fromStdString(name));
  SelectRow(activities_, row);
  SelectRow(sectors_, row);
}

int CSeleccionarActividadDlg::SelectedId() const { return ItemId(sectors_->currentItem()); }

void CSeleccionarActividadDlg::ShowDescription(int id) {
  std::string text;
  if (modules::ReadActivityDescription(connection_, tables_, id, text))
    description_->setText(QString::fromStdString(text));
}

void CSeleccionarActividadDlg::FillEpigraphs(int id) {
  const QSignalBlocker block(epigraphs_);
  db::CAdoRecordset rs;
  const bool any = rs.Open(tables_[modules::ModuleTableSet::kEpigraphs], connection_,
                           db::Filter::Eq("ID_IAE", std::int64_t{id}));
  epigraphs_->clear();
  const std::string_view want = preselectionCode;
  const bool matchCode = !want.empty() && want[0] != '\0';
  int remembered = -1;
  for (bool more = any; more; more = rs.MoveNext()) {
    std::string epigraph;
    rs.GetText("epigrafe", epigraph);
    auto* item = new QListWidgetItem(QString::fromStdString(epigraph));
    item->setData(Qt::UserRole, id);
    epigraphs_->addItem(item);
    const std::string e = platform::Utf8ToCp1252(epigraph);
    if (matchCode && At(e, 0) == At(want, 0) && At(e, 1) == At(want, 1) && At(e, 2) == At(want, 2) &&
        At(e, 4) == At(want, 4))
      remembered = epigraphs_->count() - 1;
  }
  if (epigraphs_->count()) epigraphs_->setCurrentRow(remembered > 0 ? remembered : 0);
}

void CSeleccionarActividadDlg::OnSelchange(QListWidget* own, QListWidget* other, int ownId, const char* column) {
  if (resortPending_ == ownId) {
    const int id = ItemId(own->currentItem());
    FillActivityLists(column);
    db::CAdoRecordset rs;
    if (id && rs.Open(tables_[modules::ModuleTableSet::kActivities], connection_,
                      db::Filter::Eq("ID_IAE", std::int64_t{id}))) {
      std::string key;
      rs.GetText(column, key);
      SelectRow(own, FindPrefix(own, QString::fromStdString(key)));
    }
    resortPending_ = 0;
  }
  SelectRow(other, own->currentRow());
  if (const int id = ItemId(own->currentItem())) {
    ShowDescription(id);
    FillEpigraphs(id);
  }
  SetScrollTop(sectors_->verticalScrollBar()->value());
}

void CSeleccionarActividadDlg::OnSelchangeSector() { OnSelchange(sectors_, activities_, kSectorListId, "cod_sector"); }
void CSeleccionarActividadDlg::OnSelchangeActivity() {
  OnSelchange(activities_, sectors_, kActivityListId, "descripcio");
}

void CSeleccionarActividadDlg::OnSetfocus(int list) {
  resortPending_ = focused_ = list;
  PaintLabels();
}

bool CSeleccionarActividadDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    if (watched == sectors_) OnSetfocus(kSectorListId);
    else if (watched == activities_) OnSetfocus(kActivityListId);
  }
  return QDialog::eventFilter(watched, event);
}

void CSeleccionarActividadDlg::PaintLabels() {
  for (auto [label, id] : {std::pair{sectorLabel_, int(kSectorListId)}, std::pair{activityLabel_, int(kActivityListId)}}) {
    QPalette p = label->palette();
    if (!ui::CurrentSession().plainColours) {
      label->setAutoFillBackground(true);
      p.setColor(QPalette::Window, kLabelBackground);
      p.setColor(QPalette::WindowText, focused_ == id ? kFocusedText : kOtherText);
    }
    label->setPalette(p);
    label->update();
  }
}

// ---------------------------------------------------------------- scrolling

void CSeleccionarActividadDlg::OnVScroll(int action, int dragged) {
  const int page = maximum_ / 5;
  int pos = position_;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: pos = std::max(0, pos - 1); break;
    case QAbstractSlider::SliderSingleStepAdd: pos = std::min(maximum_, pos + 1); break;
    case QAbstractSlider::SliderPageStepSub: pos = std::max(0, pos - page); break;
    case QAbstractSlider::SliderPageStepAdd: pos = std::min(maximum_, pos + page); break;
    case QAbstractSlider::SliderMove: pos = dragged; break;
    case QAbstractSlider::SliderToMinimum: pos = 0; break;
    case QAbstractSlider::SliderToMaximum: pos = maximum_; break;
    default: break;  // the thumb released: unchanged
  }
  SetScrollTop(pos);
}

void CSeleccionarActividadDlg::SetScrollTop(int position) {
  position_ = position;
  for (QScrollBar* s : {leftScroll_, rightScroll_}) {
    const QSignalBlocker block(s);
    s->setSliderPosition(position);
    s->setValue(position);
  }
  for (QListWidget* l : {sectors_, activities_}) l->verticalScrollBar()->setValue(position);
}

// ---------------------------------------------------------------- buttons

void CSeleccionarActividadDlg::LoadActivityModules(double id, std::string_view epigraph) {
  modules::LoadActivityModules(connection_, tables_, regime_, id, epigraph, data_);
}

void CSeleccionarActividadDlg::OnOK() {
  if (const QListWidgetItem* row = sectors_->currentItem(); row && row->isSelected()) {
    const QListWidgetItem* e = epigraphs_->currentItem();
    LoadActivityModules(ItemId(row), e ? e->text().toStdString() : std::string());
  }
  done(ui::IDOK);
}

void CSeleccionarActividadDlg::OnConsultar() {
  const QListWidgetItem* row = sectors_->currentItem();
  if (!row || !row->isSelected()) return;
  const QListWidgetItem* e = epigraphs_->currentItem();
  LoadActivityModules(ItemId(row), e ? e->text().toStdString() : std::string());
  switch (regime_) {
    case modules::kRegimeIncomeTax: CDatosActividadDlg67(data_, this).DoModal(); break;
    case modules::kRegimeVat: CDatosActividadDlg69(data_, this).DoModal(); break;
    case modules::kRegimeIncomeTaxOrVatModules: CDatosActividadDlg1742(data_, this).DoModal(); break;
    default: break;
  }
  data_.Clear();
}

void CSeleccionarActividadDlg::OnHelp() {
  platform::ShowHelp(regime_ == modules::kRegimeIncomeTax          ? kHelpBusiness
                     : regime_ == modules::kRegimeAgrarianIncomeTax ? kHelpAgrarian
                                                                    : kHelpOther);
}
