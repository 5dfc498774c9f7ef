#include "ui/template_dlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>

#include "platform/help.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/edit_ex.h"
#include "ui/session.h"

namespace ui {

int HolderLegendId(int mode, bool hasOtherMembers) {
  const bool spouse = hasOtherMembers && HouseholdHas(kSpouse);
  const bool child1 = HouseholdHas(kChild1), child2 = HouseholdHas(kChild2);
  auto byChildren = [&](int both, int none, int first) { return child2 ? both : !child1 ? none : first; };
  switch (mode) {
    case 0:
    case 5: return spouse ? byChildren(34, 36, 35) : byChildren(40, 42, 41);
    case 1: return 42;
    case 2: return spouse ? 43 : 42;
    case 3: return spouse ? 36 : 42;
    case 4: return spouse ? byChildren(46, 43, 47) : byChildren(44, 42, 41);
    case 6: return byChildren(40, 42, 41);
    default: return 0;
  }
}

QString HolderLegend(int mode, bool hasOtherMembers) {
  const int id = HolderLegendId(mode, hasOtherMembers);
  return id ? platform::LoadString(id) : QString();
}

}  // namespace ui

namespace {

QFont DataEntryFont() {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(13);
  return f;
}

// Moves a window that reaches past the screen's usable area back inside it (its top-left corner
// first, when it is larger than the area).
void KeepOnScreen(QWidget* w) {
  QScreen* s = w->screen() ? w->screen() : QApplication::primaryScreen();
  if (!s) return;
  const QRect area = s->availableGeometry();
  const QRect f = w->frameGeometry();
  if (area.contains(f)) return;
  QPoint tl = f.topLeft();
  tl.setX(std::max(area.left(), std::min(tl.x(), area.right() + 1 - f.width())));
  tl.setY(std::max(area.top(), std::min(tl.y(), area.bottom() + 1 - f.height())));
  w->move(w->pos() + (tl - f.topLeft()));
}

// Centred on the main window when the whole dialog then lies on the screen, else on the screen.
void PlaceOverMainWindow(QWidget* w) {
  const QRect screen = QApplication::primaryScreen() ? QApplication::primaryScreen()->geometry() : QRect();
  QWidget* main = ui::CurrentSession().mainWindow;
  const QSize sz = w->frameGeometry().size();
  if (main) {
    const QRect m = main->frameGeometry();
    const QPoint tl(m.left() + m.width() / 2 - sz.width() / 2, m.top() + m.height() / 2 - sz.height() / 2);
    if (screen.isNull() || (screen.contains(tl) && screen.contains(tl + QPoint(sz.width(), sz.height())))) {
      w->move(tl);
      return;
    }
  }
  if (!screen.isNull()) w->move(screen.center() - QPoint(sz.width() / 2, sz.height() / 2));
  KeepOnScreen(w);
}

void SetUpButton(QWidget* host, int id, int icon, bool flat = true) {
  auto* b = dynamic_cast<COwnerDrawButton*>(ui::FindControl(host, id));
  if (!b) return;
  b->SetIcon(static_cast<unsigned>(icon), 0, 32, 32);
  b->SetFlat(flat && !ui::CurrentSession().plainColours);
  b->SetDrawFocusRect(true, true);
}

bool FocusOnCancel() {
  QWidget* f = QApplication::focusWidget();
  return f && ui::ControlId(f) == ui::IDCANCEL;
}

}  // namespace

void ApplyEditLook(QWidget* window, const QFont& font) {
  const bool plain = ui::CurrentSession().plainColours;
  for (CEditEx* e : window->findChildren<CEditEx*>()) {
    e->setFont(font);
    if (plain) continue;
    QPalette pal = e->palette();
    pal.setColor(QPalette::Disabled, QPalette::Base, QColor(255, 255, 192));
    pal.setColor(QPalette::Disabled, QPalette::Window, QColor(255, 255, 192));
    pal.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    e->setPalette(pal);
  }
}

// ---------------------------------------------------------------- CTemplateHost

CTemplateHost::CTemplateHost(QWidget* window, const ui::DialogTemplate& tmpl)
    : window_(window), tmpl_(tmpl), font_(DataEntryFont()) {}

CEditEx* CTemplateHost::Edit(int id) const { return dynamic_cast<CEditEx*>(GetDlgItem(id)); }

bool CTemplateHost::BuildOnce() {
  if (created_) return false;
  created_ = true;
  ui::BuildTemplate(window_, tmpl_, [this](const ui::ControlDef& d, QWidget* p) { return CreateCustomControl(d, p); });
  return true;
}

bool CTemplateHost::DispatchEditNotification(int id, int code, int& answer) {
  switch (code) {
    case ui::kEnSetFocus: answer = OnEditSetFocus(id); return true;
    case ui::kEnKillFocus: answer = OnEditKillFocus(id); return true;
    case ui::kEnChange: answer = OnEditChange(id); return true;
    case ui::kNotifyValueCleared: answer = OnEditValueCleared(id); return true;
    case ui::kNotifySubDialogValue: answer = OnSubDialogValue(id); return true;
    case ui::kNotifyValueStored: answer = OnEditValueChanged(id); return true;
    default: return false;
  }
}

// ---------------------------------------------------------------- CTemplateDlg

int CTemplateDlg::liveCount_ = 0;
bool CTemplateDlg::brushExists_ = false;

CTemplateDlg::CTemplateDlg(const ui::DialogTemplate& tmpl, QWidget* parent)
    : QDialog(parent), CTemplateHost(this, tmpl) {
  ++liveCount_;
}

CTemplateDlg::~CTemplateDlg() {
  if (--liveCount_ == 0) brushExists_ = false;
}

void CTemplateDlg::EnsureCreated() {
  if (!BuildOnce()) return;
  for (QAbstractButton* b : findChildren<QAbstractButton*>()) {
    const int id = ui::ControlId(b);
    connect(b, &QAbstractButton::clicked, this, [this, id] { OnCommand(id, ui::kBnClicked); });
  }
  OnInitDialog();
}

void CTemplateDlg::OnInitDialog() {
  if (lookFlags_ & ui::kLookOk) SetUpButton(this, ui::IDOK, platform::kIconOk);
  if (lookFlags_ & ui::kLookCancel) SetUpButton(this, ui::IDCANCEL, platform::kIconCancelDisc);
  if (lookFlags_ & ui::kLookHelp) SetUpButton(this, ui::kHelpButtonId, platform::kIconHelp);
  if (!caption.isEmpty()) setWindowTitle(caption);
  ApplyEditLook(this, DialogFont());
  adjustSize();
  PlaceOverMainWindow(this);
  if (liveCount_ == 1) brushExists_ = true;
  if (shownMember != ui::kFamilyUnit && doc::HouseholdHasSeveralHolders()) CTemplatePropPg::SetChildEditsEnabled(this, 0);
}

void CTemplateDlg::SetButtonIcon(int id, int iconId, bool flat) { SetUpButton(this, id, iconId, flat); }

int CTemplateDlg::DoModal() {
  EnsureCreated();
  return exec();
}

void CTemplateDlg::showEvent(QShowEvent* e) {
  EnsureCreated();
  // What was filled in after the placement may have grown the dialog past the screen's edge.
  KeepOnScreen(this);
  QDialog::showEvent(e);
}

void CTemplateDlg::OnOK() {
  if (shownMember == ui::kFamilyUnit || !doc::HouseholdHasSeveralHolders()) done(ui::IDOK);
  else done(ui::IDCANCEL);
}

void CTemplateDlg::OnCancel() { done(ui::IDCANCEL); }

int CTemplateDlg::OnCommand(int id, int code) {
  if (int answer = 0; DispatchEditNotification(id, code, answer)) return answer;
  if (code == ui::kNotifyEnterTab) return OnEditEnter(id);
  if (code == ui::kBnClicked && FocusOnCancel()) {
    OnCancel();
    return 0;
  }
  if (code != ui::kBnClicked) return 0;
  if (id == ui::IDOK) OnOK();
  else if (id == ui::IDCANCEL) OnCancel();
  else if (id == ui::kHelpButtonId) platform::ShowHelp(Template().helpTopic ? Template().helpTopic : 1);
  else return OnButton(id) ? 1 : 0;
  return 1;
}

void CTemplateDlg::OnHostKeyDown(int key, Qt::KeyboardModifiers) {
  if (key == Qt::Key_Up) focusNextPrevChild(false);
  else if (key == Qt::Key_Down) focusNextPrevChild(true);
  // Tab is swallowed; other keys have no effect on the dialog.
}

void CTemplateDlg::OnHostChar(int ch, Qt::KeyboardModifiers) {
  if (ch == 0x0D) focusNextPrevChild(true);
  else if (ch == 0x1B) OnCancel();
}

void CTemplateDlg::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Escape: OnCancel(); return;
    case Qt::Key_Up: focusNextPrevChild(false); return;
    case Qt::Key_Down: focusNextPrevChild(true); return;
    default: QDialog::keyPressEvent(e);
  }
}

// ---------------------------------------------------------------- CTemplatePropPg

int CTemplatePropPg::liveCount_ = 0;
bool CTemplatePropPg::brushExists_ = false;

CTemplatePropPg::CTemplatePropPg(const ui::DialogTemplate& tmpl, QWidget* parent)
    : QWidget(parent), CTemplateHost(this, tmpl) {
  ++liveCount_;
}

CTemplatePropPg::~CTemplatePropPg() {
  if (--liveCount_ == 0) brushExists_ = false;
}

void CTemplatePropPg::EnsureCreated() {
  if (BuildOnce()) OnInitDialog();
}

void CTemplatePropPg::OnInitDialog() {
  ApplyEditLook(this, DialogFont());
  if (QWidget* main = ui::CurrentSession().mainWindow; main && !parentWidget())
    move((main->width() - width()) / 2, (main->height() - height()) / 2);
  brushExists_ = true;
}

void CTemplatePropPg::showEvent(QShowEvent* e) {
  EnsureCreated();
  QWidget::showEvent(e);
  OnSetActive();
}

bool CTemplatePropPg::OnSetActive() {
  QMetaObject::invokeMethod(this, [this] { emit activated(); }, Qt::QueuedConnection);
  return true;
}

void CTemplatePropPg::ShowHelp() { platform::ShowHelp(1); }

int CTemplatePropPg::OnCommand(int id, int code) {
  if (int answer = 0; DispatchEditNotification(id, code, answer)) return answer;
  // Everything else (Enter and Tab included) belongs to the sheet that holds the page.
  if (ui::IEditHost* sheet = ui::FindEditHost(this)) return sheet->OnCommand(id, code);
  return 0;
}

void CTemplatePropPg::OnHostKeyDown(int key, Qt::KeyboardModifiers) {
  if (key == Qt::Key_Up) focusNextPrevChild(false);
  else if (key == Qt::Key_Down) focusNextPrevChild(true);
}

void CTemplatePropPg::OnHostChar(int ch, Qt::KeyboardModifiers mods) {
  if (ui::IEditHost* sheet = ui::FindEditHost(this)) sheet->OnHostChar(ch, mods);
}

void CTemplatePropPg::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_F1: ShowHelp(); return;
    case Qt::Key_Up: focusNextPrevChild(false); return;
    case Qt::Key_Down: focusNextPrevChild(true); return;
    case Qt::Key_Tab: return;
    default: QWidget::keyPressEvent(e);
  }
}

void CTemplatePropPg::UpdateChildControls(QWidget* window, bool save) {
  if (!window) return;
  for (CEditEx* e : window->findChildren<CEditEx*>()) e->DataExchange(save);
}

void CTemplatePropPg::SetChildEditsEnabled(QWidget* window, int enable) {
  if (!window) return;
  for (CEditEx* e : window->findChildren<CEditEx*>()) {
    const int id = e->GetDlgCtrlID();
    if (id <= 0 || id == ui::IDCANCEL) continue;
    e->setEnabled(enable == 1);
    e->setReadOnly(enable != 1);
  }
}
