#include "ui/controls/link_label.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>

#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/messages.h"

namespace {

bool DesktopOpen(const QUrl& url) { return QDesktopServices::openUrl(url); }

CLinkLabel::Opener& ActiveOpener() {
  static CLinkLabel::Opener opener = DesktopOpen;
  return opener;
}

struct ReasonText {
  int result;
  int stringId;
};

// Reasons of a failed open, by result code, as string ids of the program's string table.
constexpr ReasonText kReasons[] = {{0, 202},  {2, 205},  {3, 204},  {5, 102},  {8, 115},  {11, 98},  {26, 120},
                                   {27, 104}, {28, 108}, {29, 107}, {30, 105}, {31, 112}, {32, 109}};
constexpr int kCannotOpen = 124;    // "Imposible abrir el enlace:\n\n"
constexpr int kUnknownError = 123;  // "Error desconocido (%d)."

}  // namespace

// Like a plain static text: top left unless the owner aligns it otherwise.
CLinkLabel::CLinkLabel(QWidget* parent) : QLabel(parent) { setAlignment(Qt::AlignLeft | Qt::AlignTop); }

CLinkLabel::CLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void CLinkLabel::PreSubclassWindow() {
  setTextFormat(Qt::PlainText);
  if (url_.isEmpty()) url_ = text();
  if (text().isEmpty()) setText(url_);
  AdjustWindow();
  setCursor(Qt::ArrowCursor);
  setToolTip(url_);
}

void CLinkLabel::SetURL(const QString& url) {
  url_ = url;
  AdjustWindow();
  setToolTip(url_);
}

void CLinkLabel::SetUnderline(bool underline) {
  underline_ = underline;
  update();
}

void CLinkLabel::SetVisited(bool visited) {
  visited_ = visited;
  update();
}

void CLinkLabel::SetLinkCursor(const QCursor& cursor) { setCursor(cursor); }

void CLinkLabel::AdjustWindow() {
  if (!adjustToFit_) return;
  // Measured in the label's own font, as drawn without the underline.
  const QFontMetrics fm(font());
  const int w = fm.horizontalAdvance(text());
  const int h = fm.height();
  QRect r = geometry();
  const Qt::Alignment align = alignment();
  if (align & Qt::AlignVCenter) {
    const int shift = (r.height() - h) / 2;
    r.setTop(r.top() + shift);
    r.setBottom(r.bottom() - shift);
  } else {
    r.setHeight(h);
  }
  if (align & Qt::AlignHCenter) {
    const int shift = (r.width() - w) / 2;
    r.setLeft(r.left() + shift);
    r.setRight(r.right() - shift);
  } else if (align & Qt::AlignRight) {
    r.setLeft(r.right() + 1 - w);
  } else {
    r.setWidth(w);
  }
  setGeometry(r);
}

void CLinkLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QFont f = font();
  f.setUnderline(underline_);
  p.setFont(f);
  p.setPen(TextColour());
  p.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextSingleLine, text());
}

void CLinkLabel::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) pressed_ = true;
  QLabel::mousePressEvent(e);
}

void CLinkLabel::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
  pressed_ = false;
  QLabel::mouseReleaseEvent(e);
  if (click) OnClicked();
}

void CLinkLabel::OnClicked() {
  const int result = OpenURL(url_, kShowCommand, QStringLiteral("open"));
  visited_ = result > kOpenFailedLimit;
  if (visited_) {
    SetVisited(true);
  } else {
    update();
    QApplication::beep();
    ui::ShowPlain(this, QApplication::applicationDisplayName(), OpenErrorText(result), platform::kIconExclamation);
  }
  emit clicked();
}

int CLinkLabel::OpenURL(const QString& url, int, const QString&) {
  const QString trimmed = url.trimmed();
  if (trimmed.isEmpty()) return kFileNotFound;
  const QUrl target = QUrl::fromUserInput(trimmed);
  if (!target.isValid()) return kFileNotFound;
  return ActiveOpener()(target) ? kOpened : kNoAssociation;
}

QString CLinkLabel::OpenErrorText(int result) {
  QString reason = platform::LoadString(kUnknownError).replace(QLatin1String("%d"), QString::number(result));
  for (const ReasonText& r : kReasons) {
    if (r.result == result) reason = platform::LoadString(r.stringId);
  }
  return platform::LoadString(kCannotOpen) + reason;
}

void CLinkLabel::SetOpener(Opener opener) {
  ActiveOpener() = opener ? std::move(opener) : Opener(DesktopOpen);
}

