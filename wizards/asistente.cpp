#include "wizards/asistente.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/strings.h"
#include "ui/owner_draw_button.h"
#include "ui/session.h"
#include "ui/template_dlg.h"

namespace {

// String ids of the frame's texts.
constexpr int kStrAccept = 61, kStrCancel = 65, kStrSheetHelp = 68;
constexpr int kStrNext = 98001, kStrBack = 98002, kStrFinish = 98003, kStrWizardHelp = 98004;
constexpr int kStrStepTitle = 98005;  // "%1 - Paso %2 de %3"

}  // namespace

// One button of the frame: its id, caption, icon and place in the row (left to right).
struct CAsistente::ButtonDef {
  int id;
  int captionId;
  unsigned icon;
  int place;
};

CAsistente::CAsistente(const QString& caption, QWidget* parent, int startPage)
    : QDialog(parent), caption_(caption), startPage_(startPage) {
  setWindowTitle(caption);
}

CAsistente::~CAsistente() {
  // The pages still held go with the window, after this object: they no longer report to it.
  for (CTemplatePropPg* page : pages_) disconnect(page, nullptr, this, nullptr);
}

void CAsistente::AddPage(CTemplatePropPg* page) {
  if (!page) return;
  pages_.push_back(page);
  connect(page, &CTemplatePropPg::activated, this, [this] { OnPageActivated(0, 0); });
  connect(page, &QObject::destroyed, this, &CAsistente::PageDestroyed);
  if (created_) {
    stack_->addWidget(page);
    tabs_->addTab(page->windowTitle());
  }
}

// A subclass deletes its pages before the frame goes; a page deleted while the sheet runs leaves it.
void CAsistente::PageDestroyed(QObject* page) {
  const auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  const int index = static_cast<int>(it - pages_.begin());
  pages_.erase(it);
  if (!created_) return;
  {
    const QSignalBlocker block(tabs_);
    tabs_->removeTab(index);
  }
  if (active_ > index || active_ >= GetPageCount()) --active_;
  if (active_ >= 0 && isVisible()) ShowPage(active_);
}

CTemplatePropPg* CAsistente::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

COwnerDrawButton* CAsistente::FrameButton(int id) const {
  const auto it = buttons_.find(id);
  return it == buttons_.end() ? nullptr : it->second;
}

void CAsistente::RemoveSystemMenu() {
  setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) &
                 ~(Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint));
}

void CAsistente::EnsureCreated() {
  if (created_) return;
  created_ = true;
  auto* column = new QVBoxLayout(this);
  tabs_ = new QTabBar(this);
  tabs_->setExpanding(false);
  stack_ = new QStackedWidget(this);
  column->addWidget(tabs_);
  column->addWidget(stack_, 1);
  buttonRow_ = new QHBoxLayout;
  buttonRow_->addStretch(1);
  column->addLayout(buttonRow_);
  for (CTemplatePropPg* page : pages_) {
    page->EnsureCreated();
    stack_->addWidget(page);
    tabs_->addTab(page->windowTitle());
  }
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (index == active_) return;
    if (!SetActivePage(index)) {
      const QSignalBlocker block(tabs_);
      tabs_->setCurrentIndex(active_);
    }
  });
  OnInitDialog();
}

void CAsistente::OnInitDialog() {
  RemoveSystemMenu();
  tabs_->setVisible(!IsWizardMode());
  if (!pages_.empty()) ShowPage(std::clamp(startPage_, 0, GetPageCount() - 1));
}

// The pages are built before the window first shows, so that the start page shows with it.
void CAsistente::setVisible(bool visible) {
  if (visible) EnsureCreated();
  QDialog::setVisible(visible);
}

int CAsistente::DoModal() {
  EnsureCreated();
  return exec();
}

void CAsistente::ShowPage(int index) {
  active_ = index;
  {
    const QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(index);
  }
  stack_->setCurrentIndex(index);
}

bool CAsistente::SetActivePage(int index) {
  if (index < 0 || index >= GetPageCount()) return false;
  if (index == active_) return true;
  if (CTemplatePropPg* leaving = GetActivePage(); leaving && !leaving->OnKillActive()) return false;
  ShowPage(index);
  return true;
}

void CAsistente::CreateButtons(const ButtonDef* defs, int count) {
  // The row lists the buttons by place; a button created later goes before those placed after it.
  std::map<int, int> placeOf;
  for (int i = 0; i < count; ++i) {
    const ButtonDef& d = defs[i];
    auto* b = new COwnerDrawButton(platform::LoadString(d.captionId), this);
    ui::SetControlId(b, d.id);
    b->SetGuiFont();
    b->SetIcon(d.icon, 0, 32, 32);
    b->SetFlat(false);
    b->setAutoDefault(false);
    // Wider and taller than the platform's button: the icon stands beside the caption.
    b->setMinimumSize(b->fontMetrics().horizontalAdvance(b->text()) + 32 + 28, 40);
    int at = 1;  // after the stretch
    for (const auto& [id, place] : placeOf)
      if (place < d.place) ++at;
    buttonRow_->insertWidget(at, b);
    b->show();
    placeOf[d.id] = d.place;
    buttons_[d.id] = b;
    const int id = d.id;
    connect(b, &QPushButton::clicked, this, [this, id] { OnCommand(id, ui::kBnClicked); });
  }
}

void CAsistente::CreateWizardButtons() {
  static constexpr ButtonDef kButtons[] = {
      {kIdWizNext, kStrNext, 151, 1},       {kIdWizBack, kStrBack, 157, 0},
      {kIdCancel, kStrCancel, 141, 3},      {kIdHelp, kStrWizardHelp, 161, 4},
      {kIdWizFinish, kStrFinish, 287, 2},
  };
  CreateButtons(kButtons, static_cast<int>(std::size(kButtons)));
  FrameButton(kIdWizNext)->setDefault(true);
}

void CAsistente::CreateSheetButtons() {
  RemoveSystemMenu();
  static constexpr ButtonDef kButtons[] = {
      {kIdOk, kStrAccept, 124, 0}, {kIdCancel, kStrCancel, 141, 1}, {kIdHelp, kStrSheetHelp, 161, 2}};
  CreateButtons(kButtons, static_cast<int>(std::size(kButtons)));
  FrameButton(kIdOk)->setDefault(true);
  FrameButton(kIdOk)->setFocusPolicy(Qt::ClickFocus);
  FrameButton(kIdCancel)->setFocusPolicy(Qt::ClickFocus);
}

void CAsistente::ShowButton(int id, bool shown) {
  if (COwnerDrawButton* b = FrameButton(id)) {
    b->setEnabled(shown);
    b->setVisible(shown);
  }
}

int CAsistente::OnPageActivated(int, int) {
  if (!IsWizardMode()) {
    if (!buttonsCreated_) {
      CreateSheetButtons();
      buttonsCreated_ = true;
    }
    return 1;
  }
  if (!buttonsCreated_) {
    buttonsCreated_ = true;
    CreateWizardButtons();
  }
  const int n = GetPageCount();
  const int i = active_ + 1;
  const QString pageCaption = GetActivePage() ? GetActivePage()->windowTitle() : QString();
  setWindowTitle(platform::LoadString(kStrStepTitle).arg(pageCaption).arg(i).arg(n));
  ShowButton(kIdWizBack, i != 1);
  ShowButton(kIdWizNext, i != n);
  ShowButton(kIdWizFinish, i == n);
  return 1;
}

int CAsistente::OnCommand(int id, int code) {
  if (code != ui::kBnClicked) return 0;
  CTemplatePropPg* page = GetActivePage();
  switch (id) {
    case kIdWizNext:
      if (page && page->OnWizardNext() == -1) return 1;
      SetActivePage(active_ + 1);
      return 1;
    case kIdWizBack:
      if (page && page->OnWizardBack() == -1) return 1;
      SetActivePage(active_ - 1);
      return 1;
    case kIdWizFinish:
      if (page && !page->OnWizardFinish()) return 1;
      done(kIdWizFinish);
      return 1;
    case kIdOk:
      if (page && !page->OnKillActive()) return 1;
      done(kIdOk);
      return 1;
    case kIdCancel:
      done(kIdCancel);
      return 1;
    case kIdHelp:
      if (page) page->ShowHelp();
      return 1;
    default: return 0;
  }
}

void CAsistente::OnHostKeyDown(int key, Qt::KeyboardModifiers) {
  if (key == Qt::Key_Up) focusNextPrevChild(false);
  else if (key == Qt::Key_Down) focusNextPrevChild(true);
}

void CAsistente::OnHostChar(int ch, Qt::KeyboardModifiers) {
  if (ch == 0x0D) focusNextPrevChild(true);
  else if (ch == 0x1B) reject();
}
