#include "ui/avisos_errores_dlg.h"

#include "ui/grid/rejilla_ctrl.h"
#include "ui/grid/grid_types.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

namespace checks {

namespace {
constexpr int kWidthType = 80;
constexpr int kWidthMember = 110;
constexpr int kFormatWrapped = 0x8020;  // word-wrapped cell
constexpr int kFormatSingle = 0x8024;   // single-line, vertically centred
const QColor kCellBackground(255, 255, 224);

QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
}  // namespace

GridAvisosView::GridAvisosView(QWidget* parent)
    : grid_(new CRejillaCtrl(parent, 1, 3, 1, 0)), icons_(std::make_unique<GridImageList>()) {
  grid_->setObjectName(QString::number(CAvisosErroresDlg::kIdGrid));
  grid_->SetEditable(false);
  grid_->SetRowMode(true);
  const int side = 16;
  for (QStyle::StandardPixmap icon : {QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxCritical})
    icons_->images.push_back(grid_->style()->standardIcon(icon).pixmap(side, side));
  grid_->SetImages(icons_.get());
  QObject::connect(grid_, &CRejillaCtrl::cellDoubleClicked, grid_, [this](int r, int c) {
    if (onActivate) onActivate(r, c);
  });
}

GridAvisosView::~GridAvisosView() = default;

QWidget* GridAvisosView::Widget() { return grid_; }

void GridAvisosView::SetRows(const std::vector<AvisosListRow>& rows) {
  grid_->SetRowCount(static_cast<int>(rows.size()) + 1);
  const char* headings[] = {avisos_text::kColumnType, avisos_text::kColumnDescription, avisos_text::kColumnMember};
  for (int c = 0; c < 3; ++c) {
    grid_->SetItemText(0, c, QString::fromUtf8(headings[c]));
    grid_->SetItemFormat(0, c, qx::grid::kFmtCenter | qx::grid::kFmtVCenter | qx::grid::kFmtSingleLine | qx::grid::kFmtNoPrefix);
    QFont f = grid_->font();
    f.setItalic(true);
    grid_->SetItemFont(0, c, f);
  }
  const int base = grid_->GetDefaultRowHeight();
  grid_->SetRowHeight(0, base * 3 / 2);
  grid_->SetColumnWidth(0, kWidthType);
  grid_->SetColumnWidth(2, kWidthMember);
  grid_->SetColumnWidth(1, std::max(100, grid_->viewport()->width() - kWidthType - kWidthMember));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    const AvisosListRow& row = rows[i];
    grid_->SetItemText(r, 0, q(row.code));
    grid_->SetItemImage(r, 0, row.severity > 0 ? 1 : 0);
    grid_->SetItemText(r, 1, q(row.description));
    grid_->SetItemText(r, 2, q(row.memberWord));
    grid_->SetItemFormat(r, 1, static_cast<unsigned>(row.addedLines ? kFormatWrapped : kFormatSingle));
    for (int c = 0; c < 3; ++c) grid_->SetItemBkColour(r, c, kCellBackground);
    grid_->SetRowHeight(r, row.Height(base));
  }
  grid_->viewport()->update();
}

int GridAvisosView::FocusRow() const {
  const int r = grid_->GetFocusCell().row;
  return r >= 1 ? r : -1;
}

void GridAvisosView::Print() { grid_->Print(); }

CAvisosErroresDlg::CAvisosErroresDlg(ICorrectionsStore& store, IMessageTexts& texts, IMessageService& messages,
                                     IAvisosHost& host, std::unique_ptr<IAvisosListView> view)
    : QDialog(nullptr), model_(store, texts, messages), messages_(messages), host_(host), view_(std::move(view)) {
  setWindowTitle(QString::fromUtf8(avisos_text::kCaption));
  resize(600, 425);  // 400 x 261 dialog units
  if (!view_) view_ = std::make_unique<GridAvisosView>(this);
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
