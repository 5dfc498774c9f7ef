#include "forms/print/trial_preview.h"

#include <QAbstractSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "forms/print/trial_copy.h"
#include "forms/view/page_view.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/mapped_bitmap_button.h"

namespace forms {

namespace {

enum Text : int {
  kStrCommandFailed = 99302,  // "Falló el comando."
  kStrPrint = 99303,
  kStrNextPage = 99304,
  kStrPreviousPage = 99305,
  kStrOnePage = 99306,
  kStrTwoPages = 99307,
  kStrZoomIn = 99308,
  kStrZoomOut = 99309,
  kStrClose = 99310,
  kStrPageOf = 99315,         // "Página %1 de %2"
  kStrPrintFailed = 96209,    // "No se ha podido imprimir la declaración."
};

struct ToolbarButton {
  int command;
  int bitmap;
  int tooltip;
};
// Toolbar 310 in its order; the pages button's picture and tip follow the pages shown.
constexpr ToolbarButton kToolbar[] = {
    {CMyPreviewView::kPrint, platform::kBitmapPrint, kStrPrint},
    {CMyPreviewView::kNext, platform::kBitmapNextPage, kStrNextPage},
    {CMyPreviewView::kPrevious, platform::kBitmapPreviousPage, kStrPreviousPage},
    {CMyPreviewView::kPages, platform::kBitmapOnePage, kStrTwoPages},
    {CMyPreviewView::kZoomIn, platform::kBitmapZoomIn, kStrZoomIn},
    {CMyPreviewView::kZoomOut, platform::kBitmapZoomOut, kStrZoomOut},
};

void SetUpPrinter(QPrinter& printer) {
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setFullPage(true);
}

}  // namespace

CMyPreviewView::CMyPreviewView(QPrinter& printer, std::function<void(QPrinter&)> paint, QWidget* parent)
    : QWidget(parent) {
  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(4, 2, 4, 2);
  for (const ToolbarButton& b : kToolbar) {
    auto* button = new CMappedBitmapButton(this);
    button->LoadMappedBitmap(b.bitmap);
    button->setToolTip(platform::LoadString(b.tooltip));
    connect(button, &QAbstractButton::clicked, this, [this, id = b.command] { RunCommand(id); });
    buttons_[b.command] = button;
    bar->addWidget(button);
  }
  close_ = new QPushButton(platform::LoadString(kStrClose), this);
  connect(close_, &QPushButton::clicked, this, [this] { RunCommand(kClose); });
  bar->addWidget(close_);
  pageLabel_ = new QLabel(this);
  bar->addSpacing(12);
  bar->addWidget(pageLabel_);
  bar->addStretch();
  preview_ = new QPrintPreviewWidget(&printer, this);
  connect(preview_, &QPrintPreviewWidget::paintRequested, this, [paint](QPrinter* p) { paint(*p); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(bar);
  layout->addWidget(preview_, 1);
  ApplyView();
}

int CMyPreviewView::Refresh() {
  preview_->updatePreview();
  current_ = std::clamp(current_, 1, std::max(1, PageCount()));
  ApplyView();
  return PageCount();
}

int CMyPreviewView::PageCount() const { return preview_->pageCount(); }
int CMyPreviewView::CurrentPage() const { return current_; }
int CMyPreviewView::PagesShown() const { return zoom_ == kZoomedOut ? pages_ : 1; }

bool CMyPreviewView::CommandEnabled(int id) const {
  switch (id) {
    case kNext: return current_ + PagesShown() - 1 < PageCount();
    case kPrevious: return current_ > 1;
    // One or two pages only while zoomed out, and when there is a second page or two are shown.
    case kPages: return zoom_ == kZoomedOut && (PageCount() > 1 || pages_ > 1);
    case kZoomIn: return zoom_ != kZoomedIn;
    case kZoomOut: return zoom_ != kZoomedOut;
    case kPrint: case kClose: return true;
    default: return false;
  }
}

void CMyPreviewView::RunCommand(int id) {
  if (!CommandEnabled(id)) return;
  switch (id) {
    case kNext: ++current_; break;
    case kPrevious: --current_; break;
    case kPages: pages_ = pages_ == 1 ? 2 : 1; break;
    case kZoomIn: ++zoom_; break;
    case kZoomOut: --zoom_; break;
    case kPrint: emit printRequested(); return;
    case kClose: emit closeRequested(); return;
    default: return;
  }
  ApplyView();
}

CMappedBitmapButton* CMyPreviewView::Button(int id) const {
  auto it = buttons_.find(id);
  return it == buttons_.end() ? nullptr : it->second;
}

QString CMyPreviewView::PageText() const {
  return platform::LoadString(kStrPageOf).arg(current_).arg(PageCount());
}

void CMyPreviewView::ApplyView() {
  const bool two = PagesShown() == 2;
  preview_->setViewMode(two ? QPrintPreviewWidget::FacingPagesView : QPrintPreviewWidget::SinglePageView);
  if (zoom_ == kZoomedOut) preview_->fitInView();
  else preview_->setZoomFactor(zoom_ == kZoomMiddle ? 1.0 : 2.0);
  preview_->setCurrentPage(current_);
  UpdateToolbar();
}

void CMyPreviewView::UpdateToolbar() {
  // The pages button shows the picture of one page while one is shown, of two while two are.
  CMappedBitmapButton* pages = buttons_[kPages];
  const int shown = PagesShown();
  if (twoPagePicture_ && shown == 1) {
    pages->LoadMappedBitmap(platform::kBitmapOnePage);
    pages->setToolTip(platform::LoadString(kStrTwoPages));
    twoPagePicture_ = false;
  } else if (!twoPagePicture_ && shown != 1) {
    pages->LoadMappedBitmap(platform::kBitmapTwoPages);
    pages->setToolTip(platform::LoadString(kStrOnePage));
    twoPagePicture_ = true;
  }
  for (auto& [id, button] : buttons_) button->setEnabled(CommandEnabled(id));
  pageLabel_->setText(PageText());
}

CPrevista::CPrevista(IPageHost& host, Options options, QWidget* parent)
    : QWidget(parent), host_(host), options_(std::move(options)), printer_(QPrinter::ScreenResolution) {
  SetUpPrinter(printer_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
}

CPrevista::~CPrevista() = default;

bool CPrevista::OnFilePrintPreview() {
  auto* preview = new CMyPreviewView(
      printer_, [this](QPrinter& p) { forms::PrintTrialCopy(host_, options_.kind, p); }, this);
  if (preview->Refresh() < 1) {
    delete preview;
    host_.ShowStringMessage(kStrCommandFailed, false);
    return false;
  }
  delete preview_;
  preview_ = preview;
  layout()->addWidget(preview);
  connect(preview, &CMyPreviewView::printRequested, this, [this] { PrintTrialCopy(); });
  connect(preview, &CMyPreviewView::closeRequested, this, &CPrevista::closed);
  return true;
}

void CPrevista::PrepareTrialPrinting(QPrintDialog& dialog) const {
  if (!options_.specialMode) return;
  // Remote installations: no printer properties, no copies, no file.
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  for (const char* name : {"properties", "copies"})
    if (QWidget* w = dialog.findChild<QWidget*>(QLatin1String(name))) w->setEnabled(false);
}

bool CPrevista::PrintTrialCopy() {
  QPrinter printer(QPrinter::HighResolution);
  SetUpPrinter(printer);
  printer.setFromTo(1, preview_ ? preview_->PageCount() : 1);
  QPrintDialog dialog(&printer, this);
  PrepareTrialPrinting(dialog);
  const int answer = options_.runModal ? options_.runModal(dialog) : dialog.exec();
  if (answer != QDialog::Accepted) return false;
  if (forms::PrintTrialCopy(host_, options_.kind, printer)) return true;
  host_.ShowStringMessage(kStrPrintFailed, false);
  return false;
}

}  // namespace forms
