#include "ui/avisos_errores_dlg.h"

#include "ui/grid/rejilla_ctrl.h"
#include "ui/grid/grid_types.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QEvent>

#include "platform/icons.h"
#include "ui/dialog_template.h"
#include "ui/edit_host.h"
#include "ui/owner_draw_button.h"
#include "ui/session.h"

namespace checks {

namespace {
constexpr int kWidthType = 80;
constexpr int kWidthMember = 110;
constexpr unsigned kFormatDescription = qx::grid::kFmtWordBreak | qx::grid::kFmtNoPrefix;
constexpr unsigned kFormatHeading =
    qx::grid::kFmtCenter | qx::grid::kFmtVCenter | qx::grid::kFmtSingleLine | qx::grid::kFmtNoPrefix;
const QColor kCellBackground(255, 255, 224);

QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
QString T(int id) { return q(avisos_text::Get(id)); }
}  // namespace

GridAvisosView::GridAvisosView(QWidget* parent)
    : grid_(new CRejillaCtrl(parent, 1, 3, 1, 0)), icons_(std::make_unique<GridImageList>()) {
  grid_->setObjectName(QString::number(CAvisosErroresDlg::kIdGrid));
  grid_->SetEditable(false);
  grid_->SetRowMode(true);
  const int side = 16;
  for (const QIcon& image : platform::ProgramImages(platform::kBitmapFindings))
    icons_->images.push_back(image.pixmap(side, side));
  grid_->SetImages(icons_.get());
  // The description takes the width the other two columns leave, and its rows grow to their text.
  grid_->viewport()->installEventFilter(this);
  QObject::connect(grid_, &CRejillaCtrl::cellDoubleClicked, grid_, [this](int r, int c) {
    if (onActivate) onActivate(r, c);
  });
}

GridAvisosView::~GridAvisosView() = default;

QWidget* GridAvisosView::Widget() { return grid_; }

bool GridAvisosView::eventFilter(QObject* watched, QEvent* e) {
  if (watched == grid_->viewport() && e->type() == QEvent::Resize) FitDescription();
  return false;
}

void GridAvisosView::FitDescription() {
  const int width = std::max(kWidthType, grid_->viewport()->width() - grid_->GetColumnWidth(0) - kWidthMember);
  grid_->SetColumnWidth(1, width);
  const int base = grid_->GetDefaultRowHeight();
  const int margin = grid_->GetMargin();
  const QFontMetrics fm(grid_->GetGridFont());
  for (int r = 1; r < grid_->GetRowCount(); ++r) {
    const QRect text = fm.boundingRect(QRect(0, 0, std::max(1, width - 4 * margin), 1 << 20),
                                       Qt::TextWordWrap, grid_->GetItemText(r, 1));
    grid_->SetRowHeight(r, std::max(base, text.height() + 2 * margin + 2));
  }
  grid_->viewport()->update();
}

void GridAvisosView::SetRows(const std::vector<AvisosListRow>& rows) {
  grid_->SetRowCount(static_cast<int>(rows.size()) + 1);
  const int headings[] = {avisos_text::kColumnType, avisos_text::kColumnDescription, avisos_text::kColumnMember};
  for (int c = 0; c < 3; ++c) {
    grid_->SetItemText(0, c, T(headings[c]));
    grid_->SetItemFormat(0, c, kFormatHeading);
    QFont f = grid_->font();
    f.setItalic(true);
    grid_->SetItemFont(0, c, f);
  }
  const int base = grid_->GetDefaultRowHeight();
  grid_->SetRowHeight(0, base * 3 / 2);
  grid_->SetColumnWidth(2, kWidthMember);
  // Accessible display: the grid keeps the system's colours.
  const bool plain = ui::CurrentSession().plainColours;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    const AvisosListRow& row = rows[i];
    grid_->SetItemText(r, 0, q(row.code));
    grid_->SetItemImage(r, 0, row.severity > 0 ? 1 : 0);
    // The column wraps the text to its width: the breaks made for a fixed width go.
    grid_->SetItemText(r, 1, q(row.description).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    grid_->SetItemText(r, 2, q(row.memberWord));
    grid_->SetItemFormat(r, 1, kFormatDescription);
    if (!plain)
      for (int c = 0; c < 3; ++c) grid_->SetItemBkColour(r, c, kCellBackground);
  }
  // The codes and their heading are never cut.
  int typeWidth = kWidthType;
  for (int r = 0; r < grid_->GetRowCount(); ++r) typeWidth = std::max(typeWidth, grid_->MeasureCell(r, 0).width());
  grid_->SetColumnWidth(0, typeWidth);
  FitDescription();
}

int GridAvisosView::FocusRow() const {
  const int r = grid_->GetFocusCell().row;
  return r >= 1 ? r : -1;
}

void GridAvisosView::Print() { grid_->Print(); }

CAvisosErroresDlg::CAvisosErroresDlg(ICorrectionsStore& store, IMessageTexts& texts, IMessageService& messages,
                                     IAvisosHost& host, std::unique_ptr<IAvisosListView> view)
    : QDialog(nullptr), model_(store, texts, messages), messages_(messages), host_(host), view_(std::move(view)) {
  setWindowTitle(T(avisos_text::kCaption));
  setWindowIcon(platform::ProgramIcon(platform::kIconProgram));
  resize(600, 425);  // 400 x 261 dialog units
  if (!view_) view_ = std::make_unique<GridAvisosView>(this);
  view_->onActivate = [this](int r, int c) { OnActivate(r, c); };

  const bool plain = ui::CurrentSession().plainColours;
  auto button = [this, plain](int id, int textId, int iconId) {
    auto* b = new COwnerDrawButton(T(textId), this);
    ui::SetControlId(b, id);
    b->SetIcon(static_cast<unsigned>(iconId), 0, 32, 32);
    b->SetFlat(!plain);
    return b;
  };
  auto label = [this](int id, const QString& text) {
    auto* l = new QLabel(text, this);
    ui::SetControlId(l, id);
    l->setWordWrap(true);
    return l;
  };
  auto icon = [this](int id, int iconId) {
    auto* l = new QLabel(this);
    ui::SetControlId(l, id);
    l->setPixmap(platform::ProgramIcon(iconId).pixmap(16, 16));
    return l;
  };
  auto* grid = new QGridLayout(this);
  grid->addWidget(view_->Widget(), 0, 0, 1, 6);
  grid->setRowStretch(0, 1);
  // A static's "&" marks a mnemonic; a label without a buddy would show it.
  grid->addWidget(label(kIdInstruction, T(avisos_text::kInstruction).remove(QLatin1Char('&'))), 1, 0, 1, 6);
  auto* legends = new QHBoxLayout;
  legends->addWidget(icon(kIdWarningIcon, platform::kIconWarning));
  legends->addWidget(label(kIdWarningLegend, T(avisos_text::kWarnings)));
  legends->addWidget(icon(kIdErrorIcon, platform::kIconError));
  legends->addWidget(label(kIdErrorLegend, T(avisos_text::kErrors)));
  legends->addStretch();
  grid->addLayout(legends, 2, 0, 1, 6);
  grid->addWidget(label(kIdVerdict, T(avisos_text::kCannotPrint)), 3, 0, 1, 6);
  grid->addWidget(label(kIdSecondVerdict, QString()), 4, 0, 1, 6);
  QPushButton* review = button(kIdReview, avisos_text::kReview, platform::kIconReview);
  QPushButton* print = button(kIdPrint, avisos_text::kPrint, platform::kIconPrint);
  QPushButton* printList = button(kIdPrintList, avisos_text::kPrintList, platform::kIconPrintList);
  QPushButton* detailed = button(kIdDetailed, avisos_text::kDetailed, platform::kIconValidate);
  QPushButton* cancel = button(kIdCancel, ui::kStrCancelButton, platform::kIconCancel);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {review, print, printList, detailed, cancel}) buttons->addWidget(b);
  grid->addLayout(buttons, 5, 0, 1, 6);
  detailed->setEnabled(false);
  connect(review, &QPushButton::clicked, this, &CAvisosErroresDlg::OnReview);
  connect(print, &QPushButton::clicked, this, &CAvisosErroresDlg::OnPrintOrWrite);
  connect(printList, &QPushButton::clicked, this, &CAvisosErroresDlg::OnPrintList);
  connect(cancel, &QPushButton::clicked, this, [this] { done(kAvisosClosed); });
}

CAvisosErroresDlg::~CAvisosErroresDlg() = default;

QWidget* CAvisosErroresDlg::Control(int id) const {
  if (id == kIdGrid) return view_->Widget();
  return ui::FindControl(this, id);
}

bool CAvisosErroresDlg::Initialize() {
  initialized_ = true;
  if (!model_.Load()) return false;
  view_->SetRows(model_.Rows());
  Control(kIdPrint)->setEnabled(model_.WriteEnabled());
  auto* print = static_cast<COwnerDrawButton*>(Control(kIdPrint));
  print->setText(q(model_.WriteButtonText()));
  if (model_.FilingMode()) print->SetIcon(platform::kIconRename, 0, 32, 32);
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
    messages_.Notice(avisos_text::Get(avisos_text::kSelectFirst));
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
