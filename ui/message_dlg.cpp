#include "ui/message_dlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/message_source.h"
#include "ui/session.h"

bool CMessageDlg::onScreen_ = false;

namespace {
constexpr int kStrDeleteButton = 99754, kStrMessageCaption = 99755;

struct ButtonRow {
  int flag, plainId, captionId, controlId, iconId;
};
constexpr ButtonRow kButtons[5] = {
    {kBtnAceptar, 59, 61, 1, platform::kIconOk},     {kBtnCancelar, 62, 65, 2, platform::kIconCancel},
    {kBtnContinuar, 66, 210, 3, platform::kIconOk},  {kBtnCorregir, 72, 208, 8, platform::kIconOk},
    {kBtnConfirmar, 75, 207, 10, platform::kIconOk},
};
constexpr int kBorrarId = 11;

// Template 120 in dialog units.
constexpr int kDlgW = 306, kDlgH = 143;
constexpr int kIconX = 11, kIconY = 10, kIconW = 21, kIconH = 20;
constexpr int kTextX = 39, kTextY = 13, kTextW = 260, kTextH = 96;
constexpr int kButtonW = 75, kButtonH = 20, kButtonY = 116;

}  // namespace

CMessageDlg::CMessageDlg(QWidget* parent) : QDialog(parent), parent_(parent) { Build(); }

CMessageDlg::CMessageDlg(const QString& code, int icon, const QString& extra, QWidget* parent)
    : CMessageDlg(parent) {
  Show(code, icon, extra);
}

void CMessageDlg::Build() {
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  setWindowTitle(platform::LoadString(kStrMessageCaption));
  iconLabel_ = new QLabel(this);
  iconLabel_->setAlignment(Qt::AlignCenter);
  iconLabel_->setProperty("qx_id", kIconControl);
  textLabel_ = new QLabel(this);
  textLabel_->setTextFormat(Qt::PlainText);
  textLabel_->setWordWrap(true);
  textLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  textLabel_->setProperty("qx_id", kTextControl);
  for (int i = 0; i < 6; ++i) {
    const int id = i < 5 ? kButtons[i].controlId : kBorrarId;
    auto* b = new COwnerDrawButton(i < 5 ? QString() : platform::LoadString(kStrDeleteButton), this);
    b->setProperty("qx_id", id);
    b->setFocusPolicy(Qt::StrongFocus);
    b->hide();
    connect(b, &QPushButton::clicked, this, [this, id] { Command(id); });
    buttonsW_[i] = b;
  }
}

QWidget* CMessageDlg::GetDlgItem(int id) const {
  for (QWidget* w : findChildren<QWidget*>())
    if (w->property("qx_id").toInt() == id) return w;
  return nullptr;
}

QString CMessageDlg::CutAtDoubleBlank(const QString& s) {
  for (qsizetype i = 0; i + 1 < s.size(); ++i)
    if (s[i] == u' ' && s[i + 1] == u' ') return s.left(i);
  return s;
}

QString CMessageDlg::InsertExtra(const QString& text, const QString& extra) {
  const qsizetype at = text.indexOf(QStringLiteral("%s"));
  if (at < 0) return text + u' ' + extra;
  return text.left(at) + extra + text.mid(at + 2);
}

QString CMessageDlg::RemoveEscapes(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'\\') {
      ++i;  // the backslash and the character after it
      continue;
    }
    out += text[i];
  }
  return out;
}

bool CMessageDlg::Lookup(const QString& codeIn, QString& title, QString& text, int& buttons) {
  if (codeIn.isEmpty()) return false;
  const QString code = codeIn.left(7);
  ui::IMessageSource* src = ui::GetMessageSource();
  if (!src) return false;
  const auto row = src->Find(ui::MessageTableName(platform::Language()), code);
  if (!row) return false;
  title = CutAtDoubleBlank(row->titu);
  text = row->text;
  while (text.endsWith(u' ')) text.chop(1);
  const QString words = CutAtDoubleBlank(row->botones);
  QStringList list;
  if (row->numbotones == 2.0) {
    const qsizetype at = words.indexOf(u'@');
    if (at < 0) list << words << QString();
    else list << words.left(at) << words.mid(at + 1);
  } else {
    list << words.left(std::max<qsizetype>(0, words.size() - 1));
  }
  buttons = 0;
  for (QString w : list) {
    for (const ButtonRow& b : kButtons)
      if (w == platform::LoadString(b.plainId).toUpper()) {
        w = platform::LoadString(b.captionId);
        break;
      }
    for (const ButtonRow& b : kButtons)
      if (w.toUpper() == platform::LoadString(b.captionId).toUpper()) {
        buttons |= b.flag;
        break;
      }
  }
  return true;
}

bool CMessageDlg::LookUpMessage(const QString& code) {
  QString title, text;
  int buttons = 0;
  if (!Lookup(code, title, text, buttons)) return false;
  title_ = title;
  if (!text.isEmpty()) text_ = text;
  buttons_ |= buttons;
  return true;
}

ShownMessage CMessageDlg::Compose(const QString& code, int icon, const QString& extra) {
  ShownMessage m;
  m.code = code;
  m.icon = icon;
  m.extra = extra;
  if (!code.isEmpty()) {
    if (!Lookup(code, m.title, m.text, m.buttons)) {
      m.title.clear();
      m.text = extra.isEmpty() ? code : extra;
      m.buttons = kBtnAceptar;
    } else if (!extra.isEmpty()) {
      m.text = InsertExtra(m.text, extra);
    }
  } else if (!extra.isEmpty()) {
    m.text = extra;
    m.buttons = kBtnAceptar;
  }
  m.text = RemoveEscapes(m.text);
  return m;
}

int CMessageDlg::Show(const QString& code, int icon, const QString& extra) {
  if (onScreen_) return result_;
  const ShownMessage m = Compose(code, icon, extra);
  iconId_ = icon;
  icon_ = platform::StandardIcon(icon);
  code_ = code;
  title_ = m.title;
  text_ = m.text;
  buttons_ = m.buttons;

  onScreen_ = true;
  InitDialog();
  const int answer = exec();
  onScreen_ = false;
  if (result_ == kAnsNone) result_ = answer;
  if (parent_) parent_->update();
  icon_ = QIcon();
  buttons_ = 0;
  return result_;
}

void CMessageDlg::InitDialog() {
  const QFontMetrics fm(font());
  const int bx = std::max(1, fm.averageCharWidth()), by = std::max(1, fm.height());
  auto px = [bx](int x) { return x * bx / 4; };
  auto py = [by](int y) { return y * by / 8; };
  setFixedSize(px(kDlgW), py(kDlgH));
  iconLabel_->setGeometry(px(kIconX), py(kIconY), px(kIconW), py(kIconH));
  textLabel_->setGeometry(px(kTextX), py(kTextY), px(kTextW), py(kTextH));
  for (COwnerDrawButton* b : buttonsW_) {
    b->setGeometry(0, py(kButtonY), px(kButtonW), py(kButtonH));
    b->hide();
  }
  iconLabel_->setPixmap(icon_.pixmap(32, 32));
  const int reduction = FitToText();
  LayoutButtons(reduction);
  textLabel_->setText(text_);
  setWindowTitle(title_);

  const QRect screen = QApplication::primaryScreen() ? QApplication::primaryScreen()->geometry() : QRect(0, 0, 1024, 768);
  QWidget* main = ui::CurrentSession().mainWindow;
  const int w = width(), h = height();
  if (main && h / 2 < main->height() / 2 && w / 2 < main->width() / 2)
    move(main->width() / 2 - w / 2, main->height() / 2 - h / 2);
  else
    move(screen.width() / 2 - w / 2, screen.height() / 2 - h / 2);
  inited_ = true;
}

int CMessageDlg::FitToText() {
  const QFontMetrics fm(font());
  const int lineHeight = fm.height() + fm.leading();
  const QString& longer = text_.size() > title_.size() ? text_ : title_;
  const int W = std::max(250, fm.horizontalAdvance(longer));
  const int S = textLabel_->width();
  const int n = W <= S ? 1 : W / S + 1;
  const int newW = W / n;
  const int dw = newW - S;
  const int R = textLabel_->height() - (n + 1) * lineHeight;
  textLabel_->resize(newW, textLabel_->height() - R);
  setFixedSize(width() + dw, height() - R);
  return R;
}

void CMessageDlg::LayoutButtons(int reduction) {
  std::vector<COwnerDrawButton*> shown;
  for (int i = 0; i < 5; ++i) {
    if (!(buttons_ & kButtons[i].flag)) continue;
    COwnerDrawButton* b = buttonsW_[i];
    b->SetIcon(kButtons[i].iconId, 0, 32, 32);
    b->SetFlat(!ui::CurrentSession().plainColours);
    b->SetDrawFocusRect(true, true);
    b->setText(platform::LoadString(kButtons[i].captionId));
    b->show();
    shown.push_back(b);
  }
  if (shown.empty()) return;
  const int w = shown.front()->width();
  const int count = static_cast<int>(shown.size());
  int x = (width() - (count * (w + 10) - 10)) / 2;
  for (COwnerDrawButton* b : shown) {
    b->move(x, b->y() - reduction);
    b->resize(w, b->height());
    x += w + 10;
  }
}

void CMessageDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  for (COwnerDrawButton* b : buttonsW_)
    if (b->isVisible()) {
      b->setFocus(Qt::OtherFocusReason);
      return;
    }
  setFocus(Qt::OtherFocusReason);
}

void CMessageDlg::PostClose() {
  QMetaObject::invokeMethod(this, [this] { Command(kAnsCancelar); }, Qt::QueuedConnection);
}

void CMessageDlg::Command(int id) {
  if (!isVisible()) return;
  QWidget* f = QApplication::focusWidget();
  const int fid = f && f != this && isAncestorOf(f) ? f->property("qx_id").toInt() : 0;
  switch (fid) {
    case kAnsContinuar:
      if (result_ == kAnsContinuar) done(kAnsAceptar);
      else {
        result_ = kAnsContinuar;
        PostClose();
      }
      return;
    case kAnsCorregir:
      if (result_ == kAnsCorregir) done(kAnsCancelar);
      else {
        result_ = kAnsCorregir;
        PostClose();
      }
      return;
    case kAnsCancelar: done(kAnsCancelar); return;
    case kAnsAceptar: done(kAnsAceptar); return;
    default: break;
  }
  switch (id) {
    case kAnsContinuar:
    case kAnsCorregir:
    case kAnsConfirmar:
      result_ = id;
      PostClose();
      return;
    case kAnsAceptar: done(kAnsAceptar); return;
    case kAnsCancelar: done(kAnsCancelar); return;
    default: return;
  }
}

void CMessageDlg::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      // Enter presses the focused push button, else the default one.
      QWidget* f = QApplication::focusWidget();
      const int fid = f && f != this && isAncestorOf(f) ? f->property("qx_id").toInt() : 0;
      Command(fid > 0 && qobject_cast<QPushButton*>(f) ? fid : kAnsAceptar);
      return;
    }
    case Qt::Key_Escape: Command(kAnsCancelar); return;
    default: QDialog::keyPressEvent(e);
  }
}

void CMessageDlg::closeEvent(QCloseEvent* e) {
  e->ignore();
  Command(kAnsCancelar);
}

void CMessageDlg::reject() { Command(kAnsCancelar); }
