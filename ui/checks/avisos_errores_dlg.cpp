#include "ui/checks/avisos_errores_dlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QTextDocument>

namespace checks {

namespace {
constexpr int kWidthType = 80;
constexpr int kWidthMember = 110;
constexpr int kFormatWrapped = 0x8020;  // word-wrapped cell
constexpr int kFormatSingle = 0x8024;   // single-line, vertically centred
const QColor kCellBackground(255, 255, 224);

QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
}  // namespace

TableAvisosView::TableAvisosView(QWidget* parent) : table_(new QTableWidget(parent)) {
  table_->setObjectName(QString::number(CAvisosErroresDlg::kIdGrid));
  table_->setColumnCount(3);
  table_->setRowCount(1);
  table_->horizontalHeader()->hide();
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setWordWrap(true);
  QObject::connect(table_, &QTableWidget::cellDoubleClicked, table_, [this](int r, int c) {
    if (onActivate) onActivate(r, c);
  });
}

QWidget* TableAvisosView::Widget() { return table_; }

void TableAvisosView::SetRows(const std::vector<AvisosListRow>& rows) {
  table_->clearContents();
  table_->setRowCount(static_cast<int>(rows.size()) + 1);
  const char* headings[] = {avisos_text::kColumnType, avisos_text::kColumnDescription, avisos_text::kColumnMember};
  for (int c = 0; c < 3; ++c) {
    auto* item = new QTableWidgetItem(QString::fromUtf8(headings[c]));
    item->setTextAlignment(Qt::AlignCenter);
    QFont f = item->font();
    f.setItalic(true);
    item->setFont(f);
    table_->setItem(0, c, item);
  }
  int base = table_->verticalHeader()->defaultSectionSize();
  table_->setRowHeight(0, base * 3 / 2);
  table_->setColumnWidth(0, kWidthType);
  table_->setColumnWidth(2, kWidthMember);
  table_->setColumnWidth(1, std::max(100, table_->viewport()->width() - kWidthType - kWidthMember));
  QIcon icons[] = {table_->style()->standardIcon(QStyle::SP_MessageBoxWarning),
                   table_->style()->standardIcon(QStyle::SP_MessageBoxCritical)};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    int r = static_cast<int>(i) + 1;
    const AvisosListRow& row = rows[i];
    auto* code = new QTableWidgetItem(icons[row.severity > 0 ? 1 : 0], q(row.code));
    code->setData(Qt::UserRole, row.severity);
    auto* text = new QTableWidgetItem(q(row.description));
    text->setData(Qt::UserRole, row.addedLines ? kFormatWrapped : kFormatSingle);
    auto* member = new QTableWidgetItem(q(row.memberWord));
    for (auto* it : {code, text, member}) it->setBackground(kCellBackground);
    table_->setItem(r, 0, code);
    table_->setItem(r, 1, text);
    table_->setItem(r, 2, member);
    table_->setRowHeight(r, row.Height(base));
  }
}

int TableAvisosView::FocusRow() const {
  int r = table_->currentRow();
  return r >= 1 ? r : -1;
}

void TableAvisosView::Print() {
  QPrinter printer;
  QPrintDialog dialog(&printer, table_);
  if (dialog.exec() != QDialog::Accepted) return;
  QString html = "<table border=1 cellspacing=0 cellpadding=3>";
  for (int r = 0; r < table_->rowCount(); ++r) {
    html += "<tr>";
    for (int c = 0; c < 3; ++c) {
      QTableWidgetItem* it = table_->item(r, c);
      html += "<td>" + (it ? it->text().toHtmlEscaped().replace('\n', "<br>") : QString()) + "</td>";
    }
    html += "</tr>";
  }
  QTextDocument doc;
  doc.setHtml(html + "</table>");
  doc.print(&printer);
}

CAvisosErroresDlg::CAvisosErroresDlg(ICorrectionsStore& store, IMessageTexts& texts, IMessageService& messages,
                                     IAvisosHost& host, std::unique_ptr<IAvisosListView> view)
    : QDialog(nullptr), model_(store, texts, messages), messages_(messages), host_(host), view_(std::move(view)) {
  setWindowTitle(QString::fromUtf8(avisos_text::kCaption));
  resize(600, 425);  // 400 x 261 dialog units
  if (!view_) view_ = std::make_unique<TableAvisosView>(this);
  view_->onActivate = [this](int r, int c) { OnActivate(r, c); };

  auto button = [this](int id, const char* text) {
    auto* b = new QPushButton(QString::fromUtf8(text), this);
    b->setObjectName(QString::number(id));
    return b;
  };
  auto label = [this](int id, const char* text) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    l->setObjectName(QString::number(id));
    l->setWordWrap(true);
    return l;
  };
  auto icon = [this](int id, QStyle::StandardPixmap pixmap) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::number(id));
    l->setPixmap(style()->standardIcon(pixmap).pixmap(16, 16));
    return l;
  };
  auto* grid = new QGridLayout(this);
  grid->addWidget(view_->Widget(), 0, 0, 1, 6);
  grid->addWidget(label(kIdInstruction, avisos_text::kInstruction), 1, 0, 1, 6);
  auto* legends = new QHBoxLayout;
  legends->addWidget(icon(kIdWarningIcon, QStyle::SP_MessageBoxWarning));
  legends->addWidget(label(kIdWarningLegend, "Avisos"));
  legends->addWidget(icon(kIdErrorIcon, QStyle::SP_MessageBoxCritical));
  legends->addWidget(label(kIdErrorLegend, "Errores"));
  legends->addStretch();
  grid->addLayout(legends, 2, 0, 1, 6);
  grid->addWidget(label(kIdVerdict, avisos_text::kCannotPrint), 3, 0, 1, 6);
  grid->addWidget(label(kIdSecondVerdict, ""), 4, 0, 1, 6);
  QPushButton* review = button(kIdReview, "&Revisar");
  QPushButton* print = button(kIdPrint, avisos_text::kPrint);
  QPushButton* printList = button(kIdPrintList, "Imprimir &Errores");
  QPushButton* detailed = button(kIdDetailed, "&Validación detallada");
  QPushButton* cancel = button(kIdCancel, "&Cancelar");
  int col = 0;
  for (QPushButton* b : {review, print, printList, detailed, cancel}) grid->addWidget(b, 5, col++);
  detailed->setEnabled(false);
  connect(review, &QPushButton::clicked, this, &CAvisosErroresDlg::OnReview);
  connect(print, &QPushButton::clicked, this, &CAvisosErroresDlg::OnPrintOrWrite);
  connect(printList, &QPushButton::clicked, this, &CAvisosErroresDlg::OnPrintList);
  connect(cancel, &QPushButton::clicked, this, [this] { done(kAvisosClosed); });
}

CAvisosErroresDlg::~CAvisosErroresDlg() = default;

QWidget* CAvisosErroresDlg::Control(int id) const {
  if (id == kIdGrid) return view_->Widget();
  return findChild<QWidget*>(QString::number(id));
}

bool CAvisosErroresDlg::Initialize() {
  initialized_ = true;
  if (!model_.Load()) return false;
  view_->SetRows(model_.Rows());
  Control(kIdPrint)->setEnabled(model_.WriteEnabled());
  static_cast<QPushButton*>(Control(kIdPrint))->setText(q(model_.WriteButtonText()));
  static_cast<QLabel*>(Control(kIdVerdict))->setText(q(model_.Verdict()));
  static_cast<QLabel*>(Control(kIdSecondVerdict))->setText(q(model_.SecondVerdict()));
  for (int id : {kIdInstruction, kIdWarningLegend, kIdWarningIcon}) Control(id)->setVisible(model_.InstructionVisible());
  for (int id : {kIdErrorLegend, kIdErrorIcon}) Control(id)->setVisible(model_.ErrorsLegendVisible());
  Control(kIdReview)->setEnabled(model_.ReviewEnabled());
  Control(kIdPrintList)->setEnabled(model_.PrintListEnabled());
  return true;
}

int CAvisosErroresDlg::exec() {
  if (!initialized_ && !Initialize()) return kAvisosClosed;
  return QDialog::exec();
}

void CAvisosErroresDlg::OnReview() {
  int row = view_->FocusRow();
  if (row < 1) {
    messages_.Notice(avisos_text::kSelectFirst);
    return;
  }
  OnActivate(row, 0);
}

void CAvisosErroresDlg::OnActivate(int row, int) {
  int code = model_.GoTo(row, host_);
  if (code) done(code);
}

void CAvisosErroresDlg::OnPrintOrWrite() {
  Control(kIdPrint)->setEnabled(false);
  int code = model_.PrintOrWrite(host_);
  if (code) done(code);
  else Control(kIdPrint)->setEnabled(model_.WriteEnabled());
}

void CAvisosErroresDlg::OnPrintList() { view_->Print(); }

}  // namespace checks
