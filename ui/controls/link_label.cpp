#include "ui/controls/link_label.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

namespace {

bool DesktopOpen(const QUrl& url) { return QDesktopServices::openUrl(url); }

void WarningBox(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, QApplication::applicationDisplayName(), text);
}

CLinkLabel::Opener& ActiveOpener() {
  static CLinkLabel::Opener opener = DesktopOpen;
  return opener;
}

CLinkLabel::ErrorReporter& ActiveReporter() {
  static CLinkLabel::ErrorReporter reporter = WarningBox;
  return reporter;
}

struct ReasonText {
  int result;
  int stringId;
  const char* text;
};

// Reasons of a failed open, by result code (string ids of the program's string table).
constexpr ReasonText kReasons[] = {
    {0, 202, "No tiene suficiente memoria o recursos."},
    {2, 205, "Archivo no encontrado."},
    {3, 204, "Camino no encontrado."},
    {5, 102, "El sistema oprativo no permite\nel acceso a este archivo."},
    {8, 115, "No hay suficiente memoria para completar la operación."},
    {11, 98, "El archivo .EXE no es válido\n(No es Win32 .EXE o hay un error en la imagen del .EXE )."},
    {26, 120, "Ha ocurrido un error al compartir ficheros."},
    {27, 104, "La asociación de archivos es incompleta\no inválida."},
    {28, 108, "No se puede completar la transacción DDE\npor exceso de tiempo."},
    {29, 107, "La transacción DDE ha fallado."},
    {30, 105, "La transacción DDE no se puede completar\ndebido a que otra transacción DDE\nse está procesando."},
    {31, 112, "No hay ninguna aplicación asociada\ncon la extensión del nombre de archivo proporcionado."},
    {32, 109, "No se ha encontrado la DLL especificada."},
};
constexpr const char* kCannotOpen = "Imposible abrir el enlace:\n\n";  // string 124
constexpr const char* kUnknownError = "Error desconocido (%1).";    // string 123

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
    ActiveReporter()(this, OpenErrorText(result));
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
  QString reason = QString::fromUtf8(kUnknownError).arg(result);
  for (const ReasonText& r : kReasons) {
    if (r.result == result) reason = QString::fromUtf8(r.text);
  }
  return QString::fromUtf8(kCannotOpen) + reason;
}

void CLinkLabel::SetOpener(Opener opener) {
  ActiveOpener() = opener ? std::move(opener) : Opener(DesktopOpen);
}

void CLinkLabel::SetErrorReporter(ErrorReporter reporter) {
  ActiveReporter() = reporter ? std::move(reporter) : ErrorReporter(WarningBox);
}
