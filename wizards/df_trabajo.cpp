#include "wizards/df_trabajo.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "blocks/numtext.h"
#include "blocks/rounding.h"
#include "platform/cp1252.h"
#include "platform/help.h"
#include "platform/strings.h"
#include "ui/edit_host.h"
#include "ui/session.h"
#include "wizards/asistente_datos_fiscales.h"
#include "wizards/df_subdialogs.h"
#include "wizards/fiscal_format.h"
#include "wizards/fiscal_helpers.h"
#include "wizards/fiscal_transfer_dialogs.h"

namespace {

using ui::Ctl;

constexpr int kStrCaption = 98102;       // "Traslado de datos fiscales"
constexpr int kStrCheckColumn = 98103;   // "Trasladar"
constexpr int kStrTransferable = 98104, kStrNotTransferable = 98105, kStrWithInformation = 98106;
constexpr int kStrFundLimit = 98110;
constexpr int kStrAboveImputed = 98111;  // "El importe reflejado no puede exceder del total imputado"
constexpr int kStrFourNifs = 98112;      // "Maximo 4 NIF por Minusválido"
constexpr int kStrRegimes[] = {98113, 98114, 98115, 98116, 98117};
constexpr int kStrSurname1 = 98118, kStrSurname2 = 98119;
constexpr int kMaxFunds = 16;
constexpr int kHelpTopic = 778;

constexpr ui::ControlDef kControls[] = {
    {.id = CDFTrabajo::kIdTitle, .kind = Ctl::Legend, .row = 0, .col = 0, .colSpan = 3},
    {.id = CDFListCtrl::kId, .kind = Ctl::Custom, .row = 1, .col = 0, .colSpan = 3},
    {.id = CDFTrabajo::kIdMarkAll, .kind = Ctl::CheckBox, .textId = 98107, .row = 2, .col = 0},
    {.id = CDFTrabajo::kIdUnmarkAll, .kind = Ctl::CheckBox, .textId = 98108, .row = 2, .col = 1},
};
constexpr ui::DialogTemplate kTemplate{.id = CDFTrabajo::IDD, .captionId = kStrCaption, .controls = kControls,
                                       .helpTopic = kHelpTopic};

const QColor kBackground(255, 255, 192);
const QColor kBlack(0, 0, 0), kBlue(0, 0, 255), kRed(255, 0, 0);

std::string ToFile(const QString& s) { return platform::Utf8ToCp1252(s.toStdString()); }
QString FromFile(std::string_view s) { return QString::fromStdString(platform::Cp1252ToUtf8(s)); }
double Number(const QString& display) { return fiscal::ReadPlainNumber(fiscal::ToPlainNumber(ToFile(display))); }
QString Amount(double v) { return QString::fromStdString(fiscal::FormatWithThousands(blocks::FormatFixed(v, 2))); }

// A slot that holds this member and NIF, or a free one that takes them.
template <class Slot>
bool Accepts(Slot& slot, int member, const std::string& nif) {
  if (slot.member == member && slot.nif == nif) return true;
  if (slot.member != 0 || !slot.nif.empty()) return false;
  slot.member = member;
  slot.nif = nif;
  return true;
}

// "ddmmyyyy" as yyyymmdd, or 0 when it is not a valid date.
int DateValue(const std::string& ddmmyyyy) {
  if (ddmmyyyy.size() != 8 || !std::all_of(ddmmyyyy.begin(), ddmmyyyy.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return 0;
  const int d = std::stoi(ddmmyyyy.substr(0, 2)), m = std::stoi(ddmmyyyy.substr(2, 2)), y = std::stoi(ddmmyyyy.substr(4));
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m < 1 || m > 12 || d < 1 || d > kDays[m - 1] || y < 1) return 0;
  if (m == 2 && d == 29 && !(y % 4 == 0 && (y % 100 != 0 || y % 400 == 0))) return 0;
  return y * 10000 + m * 100 + d;
}

bool IsMarkedChar(std::uint8_t v) { return v == 'X' || v == 'x' || v == 1; }

}  // namespace

// ---------------------------------------------------------------- CDFListCtrl

CDFListCtrl::CDFListCtrl(QWidget* parent) : QTableWidget(parent) {
  ui::SetControlId(this, kId);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  verticalHeader()->hide();
  horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  setWordWrap(false);
  setMinimumSize(560, 220);
}

void CDFListCtrl::AddUnique(std::vector<int>& set, int value) {
  if (!Holds(set, value)) set.push_back(value);
}
bool CDFListCtrl::Holds(const std::vector<int>& set, int value) {
  return std::find(set.begin(), set.end(), value) != set.end();
}
void CDFListCtrl::Remove(std::vector<int>& set, int value) { set.erase(std::remove(set.begin(), set.end(), value), set.end()); }

QString CDFListCtrl::Text(int row, int column) const {
  const QTableWidgetItem* i = item(row, column);
  return i ? i->text() : QString();
}

void CDFListCtrl::SetText(int row, int column, const QString& text) {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return;
  if (QTableWidgetItem* i = item(row, column)) i->setText(text);
  else setItem(row, column, new QTableWidgetItem(text));
}

// ---------------------------------------------------------------- CDFTrabajo

CDFTrabajo::CDFTrabajo(const QString& key) : CTemplatePropPg(kTemplate), key_(key) {}

QWidget* CDFTrabajo::CreateCustomControl(const ui::ControlDef& def, QWidget* parent) {
  if (def.id != CDFListCtrl::kId) return nullptr;
  list_ = new CDFListCtrl(parent);
  return list_;
}

bool CDFTrabajo::Checked(int id) const {
  const auto* b = Item<QCheckBox>(id);
  return b && b->isChecked();
}
void CDFTrabajo::SetChecked(int id, bool on) {
  if (auto* b = Item<QCheckBox>(id)) b->setChecked(on);
}
void CDFTrabajo::ClearBoth() {
  SetChecked(kIdMarkAll, false);
  SetChecked(kIdUnmarkAll, false);
}

QString CDFTrabajo::HeadingText() const {
  const auto* l = Item<QLabel>(kIdTitle);
  return l ? l->text() : QString();
}

void CDFTrabajo::OnInitDialog() {
  CTemplatePropPg::OnInitDialog();
  const fiscal::ListLayout* row = owner ? owner->Layout().List(key_.toStdString()) : nullptr;
  transferable_ = row && row->transferable;
  SetChecked(kIdMarkAll, true);
  SetChecked(kIdUnmarkAll, false);
  subDialog_ = row ? QString::fromStdString(row->window).toLower() : QString();
  title_ = row ? QString::fromStdString(row->title) : key_;

  QColor text = kRed;
  if (transferable_) {
    if (subDialog_.isEmpty()) {
      status_ = platform::LoadString(kStrTransferable);
      text = kBlack;
    } else {
      status_ = platform::LoadString(kStrWithInformation);
      text = kBlue;
      GetDlgItem(kIdMarkAll)->hide();
      GetDlgItem(kIdUnmarkAll)->hide();
    }
  } else {
    list_->setShowGrid(true);
    status_ = platform::LoadString(kStrNotTransferable);
    GetDlgItem(kIdMarkAll)->hide();
    GetDlgItem(kIdUnmarkAll)->hide();
  }
  if (auto* l = Item<QLabel>(kIdTitle)) l->setText(title_ + QStringLiteral(": ") + status_);
  if (!ui::CurrentSession().plainColours) {
    QPalette p = list_->palette();
    p.setColor(QPalette::Base, kBackground);
    p.setColor(QPalette::Text, text);
    list_->setPalette(p);
  }

  static const std::vector<fiscal::FieldLayout> kNoFields;
  const std::vector<fiscal::FieldLayout>* fields = owner ? owner->Layout().Fields(key_.toStdString()) : nullptr;
  if (!fields) fields = &kNoFields;
  const int first = FirstFieldColumn();
  list_->setColumnCount(first + static_cast<int>(fields->size()));
  QStringList headings;
  if (transferable_) headings << platform::LoadString(kStrCheckColumn);
  for (const fiscal::FieldLayout& f : *fields) headings << QString::fromStdString(f.name);
  list_->setHorizontalHeaderLabels(headings);
  FillList(*fields);
  FitColumns();
  list_->clearSelection();

  for (int id : {kIdMarkAll, kIdUnmarkAll})
    if (auto* b = Item<QCheckBox>(id)) connect(b, &QCheckBox::clicked, this, [this, id] { OnCommand(id, ui::kBnClicked); });
  connect(list_, &QTableWidget::cellClicked, this, &CDFTrabajo::OnClickList);
  connect(list_, &QTableWidget::cellDoubleClicked, this, &CDFTrabajo::OnClickList);
}

void CDFTrabajo::FillList(const std::vector<fiscal::FieldLayout>& fields) {
  const int first = FirstFieldColumn();
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const int r = static_cast<int>(i) - 1;
    const std::string_view line = std::string_view(lines[i]).substr(std::min<std::size_t>(1, lines[i].size()));
    list_->insertRow(r);
    for (int c = 0; c < list_->columnCount(); ++c) list_->setItem(r, c, new QTableWidgetItem);
    std::size_t pos = 0;
    int column = first;
    for (const fiscal::FieldLayout& f : fields) {
      if (f.accumulable) {
        hasAccumulable_ = true;
        CDFListCtrl::AddUnique(list_->accumulableColumns, column);
      }
      if (f.transferable) CDFListCtrl::AddUnique(list_->transferableColumns, column);
      if (f.inFile) {
        const auto len = static_cast<std::size_t>(std::max(f.length, 0));
        const auto dec = static_cast<std::size_t>(std::max(f.decimals, 0));
        if (pos + dec + len > line.size()) {
          fiscal::ShowStringMessage(fiscal::kMsgDamaged, this);
          return;
        }
        std::string cell;
        if (f.type == 'N') {
          cell = fiscal::FormatFileNumber(line.substr(pos, len + dec), f.length, f.decimals);
          pos += len + dec;
          std::string digits = cell;
          digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
          if (fiscal::ReadPlainNumber(digits) > 99999999.99) CDFListCtrl::AddUnique(list_->excluded, r);
        } else if (f.type == 'D') {
          cell = fiscal::FormatFileDate(line.substr(pos, len));
          pos += len;
        } else {
          cell = std::string(line.substr(pos, len + dec));
          pos += len;
        }
        list_->SetText(r, column, FromFile(cell));
      }
      ++column;
    }
  }
}

// Columns start 75 pixels wide and grow to show their heading and cells whole.
void CDFTrabajo::FitColumns() {
  list_->resizeColumnsToContents();
  for (int c = 0; c < list_->columnCount(); ++c)
    list_->setColumnWidth(c, std::max(list_->columnWidth(c), CDFListCtrl::kColumnWidth));
}

bool CDFTrabajo::MarkFund(int row, bool showLimit) {
  if (list_->IsMarked(row)) return true;
  if (markedFunds_ + owner->Session().fundCount + 1 < kMaxFunds) {
    list_->Mark(row);
    ++markedFunds_;
    return true;
  }
  if (showLimit) fiscal::ShowStringMessage(kStrFundLimit, this);
  return false;
}

bool CDFTrabajo::OnSetActive() {
  EnsureCreated();
  const int rows = list_->rowCount();
  const int member = owner ? owner->Member() : 1;
  if (transferable_ && owner) {
    bool limitShown = false;
    for (int i = 0; i < rows; ++i) {
      if (list_->IsExcluded(i)) continue;
      if (subDialog_.isEmpty()) {
        const bool all = Checked(kIdMarkAll), none = Checked(kIdUnmarkAll);
        if (all && !none) {
          if (key_ == QLatin1String("FI")) {
            if (!MarkFund(i, !limitShown)) limitShown = true;
          } else {
            list_->Mark(i);
          }
        } else if (none && !all) {
          list_->Unmark(i);
          if (key_ == QLatin1String("FI")) markedFunds_ = std::max(0, markedFunds_ - 1);
        }
        if (key_ == QLatin1String("RE")) {
          const QString code = list_->Text(i, 6);
          if (code == QLatin1String("C08") || code == QLatin1String("C09") || code == QLatin1String("C10")) {
            list_->Unmark(i);
            CDFListCtrl::AddUnique(list_->excluded, i);
          }
        }
      } else {
        const bool child = member > 2;
        bool exclude = false;
        if (key_ == QLatin1String("PP")) exclude = child || list_->Text(i, 4) == QLatin1String("E");
        else if (key_ == QLatin1String("PH") || key_ == QLatin1String("DN")) exclude = child;
        if (exclude) {
          list_->Unmark(i);
          CDFListCtrl::AddUnique(list_->excluded, i);
        }
      }
    }
  }
  if (owner && key_ == QLatin1String("PH") && !mortgageDatesPrepared_) {
    mortgageDatesPrepared_ = true;
    owner->Transfer().mortgageDates.insert(owner->Transfer().mortgageDates.end(), static_cast<std::size_t>(rows),
                                           std::string(8, ' '));
  }
  if (key_ == QLatin1String("PP") && !nifSlotsPrepared_) {
    nifSlotsPrepared_ = true;
    nifSlots_.insert(nifSlots_.end(), static_cast<std::size_t>(rows), std::string());
  }
  if (owner && key_ == QLatin1String("DI") && !identificationDone_ && rows > 0) {
    identificationDone_ = true;
    wizards::CDatosFiscalesDlg33 notice(this);
    notice.notice = wizards::FiscalFileNotice(list_->Text(0, 13));
    owner->Environment().RunModal(notice);
    wizards::CNombreApellidosDlg names(this);
    names.fullName = list_->Text(0, 2);
    owner->Environment().RunModal(names);
    list_->insertColumn(2);
    list_->setHorizontalHeaderItem(2, new QTableWidgetItem(platform::LoadString(kStrSurname2)));
    list_->insertColumn(2);
    list_->setHorizontalHeaderItem(2, new QTableWidgetItem(platform::LoadString(kStrSurname1)));
    list_->SetText(0, 2, names.firstSurname);
    list_->SetText(0, 3, names.secondSurname);
    list_->SetText(0, 4, names.name);
    FitColumns();
  }
  RedrawRows();
  return CTemplatePropPg::OnSetActive();
}

bool CDFTrabajo::DeclarationInMurcia() const {
  if (!owner) return false;
  return owner->Environment().RegionText(0) == "13" || owner->Environment().RegionText(1) == "13";
}

void CDFTrabajo::RedrawRows() {
  if (!transferable_) return;
  const bool plain = ui::CurrentSession().plainColours;
  const bool murcia = DeclarationInMurcia();
  for (int r = 0; r < list_->rowCount(); ++r) {
    QColor colour = subDialog_.isEmpty() ? kBlack : kBlue;
    bool checked = list_->IsMarked(r);
    if (list_->IsExcluded(r)) {
      colour = kRed;
      checked = false;
    } else if (key_ == QLatin1String("DN") && !(list_->Text(r, 7) == QLatin1String("13") && murcia)) {
      colour = kBlack;
    }
    for (int c = 0; c < list_->columnCount(); ++c) {
      QTableWidgetItem* item = list_->item(r, c);
      if (!item) list_->setItem(r, c, item = new QTableWidgetItem);
      if (!plain) item->setForeground(colour);
      if (c == 0) {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
      }
    }
  }
}

int CDFTrabajo::OnCommand(int id, int code) {
  if (code == ui::kBnClicked && id == kIdMarkAll) {
    OnMarcarTodos();
    return 1;
  }
  if (code == ui::kBnClicked && id == kIdUnmarkAll) {
    OnDesmarcarTodos();
    return 1;
  }
  return CTemplatePropPg::OnCommand(id, code);
}

void CDFTrabajo::OnMarcarTodos() {
  if (!transferable_) return;
  SetChecked(kIdUnmarkAll, false);
  OnSetActive();
}

void CDFTrabajo::OnDesmarcarTodos() {
  if (!transferable_) return;
  SetChecked(kIdMarkAll, false);
  OnSetActive();
}

void CDFTrabajo::ShowHelp() { platform::ShowHelp(kHelpTopic); }

void CDFTrabajo::OnClickList(int row, int column) {
  if (row < 0 || row >= list_->rowCount()) return;
  if (transferable_ && owner && column == 0 && !list_->IsExcluded(row)) {
    if (subDialog_ == QLatin1String("cgastos")) ClickExpenses(row);
    else if (subDialog_ == QLatin1String("cplpen")) ClickPension(row);
    else if (subDialog_ == QLatin1String("cpresthipo")) ClickMortgage(row);
    else if (subDialog_ == QLatin1String("cdfmurcia")) ClickDonation(row);
    else if (list_->IsMarked(row)) {
      if (key_ == QLatin1String("FI")) markedFunds_ = std::max(0, markedFunds_ - 1);
      list_->Unmark(row);
      ClearBoth();
    } else if (key_ != QLatin1String("FI") || MarkFund(row, true)) {
      list_->Mark(row);
      ClearBoth();
    }
  }
  OnSetActive();
}

void CDFTrabajo::ClickExpenses(int row) {
  if (list_->IsMarked(row)) {
    list_->SetText(row, 10, {});
    list_->Unmark(row);
    return;
  }
  CGastosAdqEnajDlg dlg(nullptr);
  if (owner->Environment().RunModal(dlg) == ui::IDOK) {
    const QString amount = dlg.AmountText();
    list_->SetText(row, 10, amount.isEmpty() ? QStringLiteral("0,00") : amount);
    list_->Mark(row);
  } else {
    list_->SetText(row, 10, {});
  }
}

void CDFTrabajo::ClickPension(int row) {
  fiscal::FiscalTransfer& t = owner->Transfer();
  const QString nif = list_->Text(row, 8);
  if (list_->IsMarked(row)) {
    list_->SetText(row, 7, {});
    t.spouseRegimeMark = false;
    list_->Unmark(row);
    bool otherWithNif = false;
    for (int r = 0; r < list_->rowCount(); ++r)
      if (r != row && list_->IsMarked(r) && list_->Text(r, 8) == nif) otherWithNif = true;
    if (!otherWithNif)
      for (std::size_t j = 0; j < nifSlots_.size() && j < 4; ++j)
        if (nifSlots_[j] == ToFile(nif)) nifSlots_[j].clear();
    return;
  }
  CTrasladoPlanesPensionesDlg dlg(&owner->Environment(), owner->Session().spouseRegimeUsed, nullptr);
  dlg.importedMember = owner->Member();
  const QString type = list_->Text(row, 4);
  dlg.disableD = type == QLatin1String("A") || type == QLatin1String("C") || type == QLatin1String("H");
  dlg.disableB2 = type == QLatin1String("C") || type == QLatin1String("G");
  if (nif != QString(9, QLatin1Char(' '))) dlg.disableA = dlg.disableC = dlg.disableD = true;
  if (owner->Environment().RunModal(dlg) != ui::IDOK || dlg.regime < 0 || dlg.regime > 4) {
    list_->SetText(row, 7, {});
    t.spouseRegimeMark = false;
    return;
  }
  const int regime = dlg.regime + 1;
  if (regime == 3) {
    const int available = 4 - owner->Session().disabledNifCount;
    const std::string wanted = ToFile(nif);
    int found = -1;
    for (int j = 0; j < available && j < static_cast<int>(nifSlots_.size()) && found < 0; ++j)
      if (nifSlots_[static_cast<std::size_t>(j)].empty() || nifSlots_[static_cast<std::size_t>(j)] == wanted) found = j;
    if (found < 0) {
      disabledNifCount_ = 4;
      list_->SetText(row, 7, {});
      fiscal::ShowStringMessage(kStrFourNifs, this);
      return;
    }
    nifSlots_[static_cast<std::size_t>(found)] = wanted;
    // The slots used, this one included, after those of earlier imports.
    disabledNifCount_ = std::max(disabledNifCount_, found + 1 + owner->Session().disabledNifCount);
  }
  list_->SetText(row, 7, platform::LoadString(kStrRegimes[regime - 1]));
  if (regime == 4) t.spouseRegimeMark = true;
  list_->Mark(row);
}

void CDFTrabajo::ClickMortgage(int row) {
  if (list_->IsMarked(row)) {
    for (int c : {8, 9, 10}) list_->SetText(row, c, {});
    list_->Unmark(row);
    return;
  }
  wizards::CPrestamosHipotecariosDlg dlg(nullptr);
  if (owner->Environment().RunModal(dlg) != QDialog::Accepted) return;
  QString type;
  if (IsMarkedChar(dlg.acquisition)) type = QStringLiteral("ADQ");
  if (IsMarkedChar(dlg.construction)) type = QStringLiteral("CONST");
  QString financing;
  if (IsMarkedChar(dlg.externalFinancing)) financing = QStringLiteral("SI");
  else if (IsMarkedChar(dlg.acquisition)) financing = QStringLiteral("NO");
  const double imputed = Number(list_->Text(row, 5)) + Number(list_->Text(row, 6)) + Number(list_->Text(row, 7));
  if (blocks::RoundToDecimals(dlg.amount, 2) > blocks::RoundToDecimals(imputed, 2)) {
    fiscal::ShowStringMessage(kStrAboveImputed, this);
    return;
  }
  QString date = QString::fromStdString(dlg.date).trimmed();
  if (date.size() == 8 && !date.contains(QLatin1Char('/')))
    date = date.left(2) + QLatin1Char('/') + date.mid(2, 2) + QLatin1Char('/') + date.mid(4);
  list_->SetText(row, 8, type);
  list_->SetText(row, 9, financing);
  list_->SetText(row, 10, date);
  list_->SetText(row, 11, Amount(dlg.amount));
  list_->Mark(row);
  std::vector<std::string>& dates = owner->Transfer().mortgageDates;
  if (type == QLatin1String("ADQ") && static_cast<std::size_t>(row) < dates.size())
    dates[static_cast<std::size_t>(row)] = ToFile(date);
}

void CDFTrabajo::ClickDonation(int row) {
  if (list_->IsMarked(row)) {
    list_->SetText(row, 10, {});
    list_->Unmark(row);
    return;
  }
  if (list_->Text(row, 7) == QLatin1String("13") && DeclarationInMurcia()) {
    CDonacionesMurciaDlg dlg(nullptr);
    if (owner->Environment().RunModal(dlg) == ui::IDOK) {
      list_->SetText(row, 10, dlg.choice == 1 ? QStringLiteral("EST") : QStringLiteral("AUT"));
      murciaChoice_ = dlg.choice;
      list_->Mark(row);
    } else {
      list_->SetText(row, 10, {});
    }
    return;
  }
  list_->Mark(row);
  ClearBoth();
}

// ---------------------------------------------------------------- collect

void CDFTrabajo::FreeListings() {
  incorporated_.clear();
  notIncorporated_.clear();
}

std::string CDFTrabajo::TitleLine() const { return "0\t" + ToFile(HeadingText()) + "\t\n"; }

std::string CDFTrabajo::HeadingsLine() const {
  std::string line = "1\t";
  for (int c = FirstFieldColumn(); c < list_->columnCount(); ++c) {
    const QTableWidgetItem* h = list_->horizontalHeaderItem(c);
    line += ToFile((h ? h->text() : QString()).left(50)) + "\t";
  }
  return line + "\n";
}

std::string CDFTrabajo::TotalsLine() const {
  std::string line = "3\tTotales\t";
  for (int c = 2; c < list_->columnCount(); ++c) {
    if (CDFListCtrl::Holds(list_->accumulableColumns, c)) {
      double sum = 0;
      for (int r = 0; r < list_->rowCount(); ++r)
        if (list_->IsMarked(r) && !list_->Text(r, c).isEmpty()) sum += Number(list_->Text(r, c));
      std::string fixed = blocks::FormatFixed(sum, 2);
      fixed.erase(0, fixed.find_first_not_of(' '));
      line += fiscal::FormatWithThousands(fixed);
    }
    line += "\t";
  }
  return line + "\n";
}

bool CDFTrabajo::OnKillActive() {
  if (!owner || !list_) return CTemplatePropPg::OnKillActive();
  if (owner->busy) return CTemplatePropPg::OnKillActive();
  owner->busy = true;
  Collect();
  owner->busy = false;
  if (owner->LastPage() == this && owner->finishing) {
    owner->SaveFiscalData();
    owner->ApplyFiscalData();
    owner->FreeListings();
    owner->ShowReview();
  }
  return CTemplatePropPg::OnKillActive();
}

void CDFTrabajo::Collect() {
  fiscal::FiscalTransfer& t = owner->Transfer();
  fiscal::ImportSession& s = owner->Session();
  const int rows = list_->rowCount();
  bool anyMarked = false, anyUnmarked = false;
  if (transferable_)
    for (int r = 0; r < rows; ++r) (list_->IsMarked(r) ? anyMarked : anyUnmarked) = true;

  FreeListings();
  fiscal::PageAmounts& amounts = t.pages[static_cast<std::size_t>(std::clamp(pageNumber, 0, fiscal::kPageSlots - 1))];
  amounts.Clear();
  if (key_ == QLatin1String("DI")) {
    t.identification = {};
  } else if (key_ == QLatin1String("RE")) {
    for (std::size_t k = 0; k < 16; ++k) amounts.Add(k, 0.0);
    // The sixteen zeros only lay out the indexes: a page without marked rows brings no data.
    amounts.hasData = false;
  } else if (key_ == QLatin1String("PP")) {
    t.pensions = {};
    t.pensionDataPresent = false;
    t.disabled = {};
  } else if (key_ == QLatin1String("FI")) {
    for (fiscal::FundEntry& e : s.funds)
      if (e.member == t.member) e = {};
  } else if (key_ == QLatin1String("DN")) {
    const bool any = t.donations.any;
    t.donations = {};
    t.donations.any = any;
  } else if (key_ == QLatin1String("PH")) {
    t.mortgage = {};
  }

  if (anyMarked) {
    incorporated_.push_back(TitleLine());
    incorporated_.push_back(HeadingsLine());
  }
  if (!anyMarked || anyUnmarked) {
    notIncorporated_.push_back(TitleLine());
    notIncorporated_.push_back(HeadingsLine());
  }
  if (key_ == QLatin1String("PP")) t.disabledCount = 0;
  if (key_ == QLatin1String("FI")) t.fundCount = markedFunds_ + s.fundCount;

  for (int r = 0; r < rows; ++r) {
    std::string line = "2\t";
    CollectRow(r, line);
    line += "\n";
    (transferable_ && list_->IsMarked(r) ? incorporated_ : notIncorporated_).push_back(line);
  }
  if (hasAccumulable_ && anyMarked) incorporated_.push_back(TotalsLine());
}

void CDFTrabajo::CollectRow(int row, std::string& line) {
  fiscal::FiscalTransfer& t = owner->Transfer();
  fiscal::ImportSession& s = owner->Session();
  fiscal::PageAmounts& amounts = t.pages[static_cast<std::size_t>(std::clamp(pageNumber, 0, fiscal::kPageSlots - 1))];
  auto cell = [this, row](int c) { return list_->Text(row, c); };
  auto number = [&cell](int c) { return Number(cell(c)); };
  const bool apply = transferable_ && list_->IsMarked(row);
  bool handled = false;
  std::size_t k = 0;
  for (int c = FirstFieldColumn(); c < list_->columnCount(); ++c) {
    const bool accumulable = CDFListCtrl::Holds(list_->accumulableColumns, c);
    if (apply && !handled) {
      if (key_ == QLatin1String("RE")) {
        if (accumulable) {
          const std::string code = ToFile(cell(6));
          double value = number(c);
          static const std::vector<std::string> kA = {"A01", "A02", "A03", "A04", "A05", "GAS"};
          static const std::vector<std::string> kB = {"B01", "B02", "B03", "B04", "B05", "B06"};
          static const std::vector<std::string> kC = {"C01", "C02", "C03", "C04", "C05", "C06", "C12"};
          auto in = [&code](const std::vector<std::string>& set) { return std::find(set.begin(), set.end(), code) != set.end(); };
          if (in(kA)) {
            amounts.Add(k, value);
          } else if (in(kB)) {
            if (code == "B04" && c == 10) value = blocks::RoundToDecimals(number(8) * 0.24, 2);
            amounts.Add(k + 5, value);
          } else if (in(kC)) {
            amounts.Add(k + 10, value);
          }
          ++k;
        }
      } else if (key_ == QLatin1String("PP")) {
        handled = true;
        const QString type = cell(4);
        const double p = number(5), company = number(6);
        const QString regime = cell(7);
        const int d = regime.isEmpty() ? 0 : regime.at(0).digitValue();
        if (d >= 1 && d <= 5) {
          std::array<double, 13>& m = t.pensions[static_cast<std::size_t>(d - 1)];
          const bool own = type == QLatin1String("A") || type == QLatin1String("H");
          const bool promoter = type == QLatin1String("C") || type == QLatin1String("G");
          static constexpr int kOwnCell[] = {2, 4, -1, 7, -1};
          static constexpr int kPromoterCell[] = {11, 6, -1, 12, -1};
          if ((own || type == QLatin1String("F")) && kOwnCell[d - 1] >= 0) m[static_cast<std::size_t>(kOwnCell[d - 1])] += p;
          if (type == QLatin1String("F") && d == 5) {
            if (m[9] == 0) m[9] = p;
            else m[10] += p;
          }
          if (promoter && kPromoterCell[d - 1] >= 0) {
            m[0] += company;
            m[static_cast<std::size_t>(kPromoterCell[d - 1])] += company;
          }
          if (type == QLatin1String("G") && d == 5) m[0] += company;
          t.pensionDataPresent = true;
        }
        if ((type == QLatin1String("A") || type == QLatin1String("F") || type == QLatin1String("H")) && d == 3) {
          const std::string nif = ToFile(cell(8));
          for (fiscal::DisabledContribution& slot : t.disabled) {
            if (!Accepts(slot, t.member, nif)) continue;
            slot.amount += p;
            break;
          }
        }
        t.disabledCount = disabledNifCount_;
      } else if (key_ == QLatin1String("FI")) {
        handled = true;
        const std::string nif = ToFile(cell(2));
        for (int e = std::max(s.fundCount, 0); e < kMaxFunds; ++e) {
          fiscal::FundEntry& entry = s.funds[static_cast<std::size_t>(e)];
          if (!Accepts(entry, t.member, nif)) continue;
          for (std::size_t a = 0; a < 5; ++a) entry.amounts[a] += number(7 + static_cast<int>(a));
          break;
        }
      } else if (key_ == QLatin1String("DI")) {
        handled = true;
        static constexpr std::pair<int, int> kIdentification[] = {{2, 2}, {3, 3},  {1, 4},   {4, 5},   {5, 6},   {6, 7},
                                                                  {8, 9}, {9, 10}, {10, 11}, {11, 12}, {12, 13}, {13, 14}};
        for (const auto& [index, column] : kIdentification) t.identification[static_cast<std::size_t>(index)] = ToFile(cell(column));
      } else if (key_ == QLatin1String("DN")) {
        handled = true;
        fiscal::DonationTotals& d = t.donations;
        const QString letter = cell(5), community = cell(7), regional = cell(6), state = cell(9);
        const double v = number(8);
        const int m = t.memberRegion, u = t.householdRegion;
        if (community == QLatin1String("13") && (m == 13 || u == 13)) {
          if (murciaChoice_ == 1) {
            if (letter == QLatin1String("A")) d.stateA += v;
            else if (letter == QLatin1String("B")) d.stateB += v;
          } else {
            d.community13Regional += v;
            d.community13Flag = true;
          }
        } else {
          if (letter == QLatin1String("A")) d.stateA += v;
          else if (letter == QLatin1String("B")) d.stateB += v;
          else if (state == QLatin1String("0,10")) d.state10 += v;
          bool isNumber = false;
          const int k2 = community.toInt(&isNumber);
          if (isNumber && k2 == m) {
            auto rate = [&regional](const char* r) { return regional == QLatin1String(r); };
            switch (k2) {
              case 3: d.community3 += v; d.community3Flag = true; break;
              case 5:
                if (rate("0,10")) d.community5At10 += v;
                else if (rate("0,20")) d.community5At20 += v;
                d.community5Flag = true;
                break;
              case 7:
                if (rate("0,10")) d.community7At10 += v;
                else if (rate("0,15")) d.community7At15 += v;
                d.community7Flag = true;
                break;
              case 8: d.community8 += v; d.community8Flag = true; break;
              case 9: d.community9 += v; d.community9Flag = true; break;
              case 10: d.community10 += v; d.community10Flag = true; break;
              case 12: d.community12 += v; d.community12Flag = true; break;
              case 17:
                if (rate("0,20")) d.community17At20 += v;
                else if (rate("0,05")) d.community17At5 += v;
                else if (rate("0,10")) d.community17At10 += v;
                d.community17Flag = true;
                break;
              default: break;
            }
          }
        }
        d.any = true;
      } else if (key_ == QLatin1String("PH")) {
        handled = true;
        fiscal::MortgageTotals& mt = t.mortgage;
        const double total = number(5) + number(6) + number(7);
        const QString type = cell(8), financing = cell(9);
        const double twoYears = number(11);
        std::string date;
        if (static_cast<std::size_t>(row) < t.mortgageDates.size())
          for (char ch : t.mortgageDates[static_cast<std::size_t>(row)])
            if (ch != '/') date.push_back(ch);
        const int when = DateValue(date);
        const bool from2002 = when >= 20011231;
        const bool in2001 = when > 20001231 && when < 20011231;
        const bool before2001 = when != 0 && when < 20010101;
        if (type == QLatin1String("ADQ") && financing == QLatin1String("SI")) {
          if (from2002) {
            mt.withinTwoYears += total;
          } else if (in2001) {
            mt.later += total - twoYears;
            mt.withinTwoYears += twoYears;
          } else if (before2001) {
            mt.later += total;
          }
        } else if (type == QLatin1String("ADQ") && financing == QLatin1String("NO")) {
          mt.withoutRequirements += total;
        } else if (type == QLatin1String("CONST")) {
          mt.construction += total;
        }
        mt.hasData = true;
      } else if (accumulable) {
        amounts.Add(k, number(c));
        ++k;
      }
    }
    const QString text = cell(c);
    line += text.isEmpty() ? std::string(" ") : ToFile(text);
    line += "\t";
  }
}
