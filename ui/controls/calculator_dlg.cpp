#include "ui/controls/calculator_dlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <charconv>
#include <cmath>

#include "blocks/numtext.h"
#include "ui/controls/circle_button.h"
#include "ui/controls/profile_store.h"
#include "platform/strings.h"

namespace {
constexpr int kStrCalculatorCaption = 99751, kStrPesetasShort = 99752;

// Numbers are printed and read as the C library does in its "C" locale, whatever the user's
// locale: the display swaps the point for a comma itself.
QString Print(double v, std::chars_format fmt, int precision) {
  return QString::fromStdString(fmt == std::chars_format::fixed ? blocks::FormatFixed(v, precision)
                                                                 : blocks::FormatGeneral(v, precision));
}

QString WithComma(QString s) { return s.replace(QLatin1Char('.'), QLatin1Char(',')); }

// The leading number of the text, 0 when there is none (a text read as atof would).
double Parse(const QString& text) {
  return blocks::ParseDecimal(text.trimmed().toLatin1().toStdString());
}

double ParseCommaNumber(QString text) { return Parse(text.replace(QLatin1Char(','), QLatin1Char('.'))); }

QString G15(double v) { return WithComma(Print(v, std::chars_format::general, 15)); }

int DecimalsShown(const QString& text) {
  const qsizetype comma = text.indexOf(QLatin1Char(','));
  return comma < 0 ? 0 : static_cast<int>(text.size() - comma - 1);
}

enum class Kind { Round, Key };
struct FaceKey {
  int id;
  Kind kind;
  const char* caption;
  int x, y, w, h;
};

using D = CCalculadoraDlg;
// The face, in pixels. Digit and comma keys are round (squared to the smaller side).
constexpr FaceKey kFace[] = {
    {D::IDC_PESETAS, Kind::Key, "PESETAS", 10, 42, 70, 24},
    {D::IDC_EUROS, Kind::Key, "EUROS", 120, 42, 64, 24},
    {D::IDC_C, Kind::Key, "C", 10, 72, 40, 22},
    {D::IDC_CE, Kind::Key, "CE", 54, 72, 40, 22},
    {D::IDC_MR, Kind::Key, "MR", 98, 72, 40, 22},
    {D::IDC_MC, Kind::Key, "MC", 142, 72, 42, 22},
    {D::IDC_MPLUS, Kind::Key, "M+", 10, 98, 40, 22},
    {D::IDC_MMINUS, Kind::Key, "M-", 54, 98, 40, 22},
    {D::IDC_PERCENT, Kind::Key, "%", 98, 98, 40, 22},
    {D::IDC_7, Kind::Round, "7", 14, 126, 34, 34},
    {D::IDC_8, Kind::Round, "8", 58, 126, 34, 34},
    {D::IDC_9, Kind::Round, "9", 102, 126, 34, 34},
    {D::IDC_DIVIDE, Kind::Key, "/", 142, 132, 42, 22},
    {D::IDC_4, Kind::Round, "4", 14, 164, 34, 34},
    {D::IDC_5, Kind::Round, "5", 58, 164, 34, 34},
    {D::IDC_6, Kind::Round, "6", 102, 164, 34, 34},
    {D::IDC_TIMES, Kind::Key, "X", 142, 170, 42, 22},
    {D::IDC_1, Kind::Round, "1", 14, 202, 34, 34},
    {D::IDC_2, Kind::Round, "2", 58, 202, 34, 34},
    {D::IDC_3, Kind::Round, "3", 102, 202, 34, 34},
    {D::IDC_MINUS, Kind::Key, "-", 142, 208, 42, 22},
    {D::IDC_0, Kind::Round, "0", 14, 240, 34, 34},
    {D::IDC_COMMA, Kind::Round, ",", 58, 240, 34, 34},
    {D::IDC_EQUALS, Kind::Key, "=", 98, 246, 40, 22},
    {D::IDC_PLUS, Kind::Key, "+", 142, 246, 42, 22},
    {D::IDC_COPY_RESULT, Kind::Key, "&Copiar resultado", 10, 282, 118, 26},
    {D::IDC_EXIT, Kind::Key, "&Salir", 132, 282, 52, 26},
};

constexpr int kDigitIds[10] = {D::IDC_0, D::IDC_1, D::IDC_2, D::IDC_3, D::IDC_4,
                               D::IDC_5, D::IDC_6, D::IDC_7, D::IDC_8, D::IDC_9};

// The key a typed character stands for, 0 for none. Shared by the dialog and the display.
int KeyOfCharacter(QChar c) {
  if (c.isDigit() && c.unicode() < 128) return kDigitIds[c.digitValue()];
  switch (c.unicode()) {
    case '+': return D::IDC_PLUS;
    case '-': return D::IDC_MINUS;
    case '*': return D::IDC_TIMES;
    case '/': return D::IDC_DIVIDE;
    case '=': return D::IDC_EQUALS;
    case '%': return D::IDC_PERCENT;
    case ',': return D::IDC_COMMA;
    default: return 0;
  }
}

// The picture shown beside the display while it holds euros.
class EuroPicture : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(8, height() - 4));
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0, 51, 153));
    p.drawText(rect(), Qt::AlignCenter, QString(QChar(0x20AC)));
  }
};

}  // namespace

// ---------------------------------------------------------------------------------------------

CCalculatorButton::CCalculatorButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  setAutoDefault(false);
}

bool CCalculatorButton::event(QEvent* e) {
  if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
    QWidget* target = target_ ? target_ : parentWidget();
    if (target) {
      auto* k = static_cast<QKeyEvent*>(e);
      QKeyEvent copy(k->type(), k->key(), k->modifiers(), k->nativeScanCode(), k->nativeVirtualKey(),
                     k->nativeModifiers(), k->text(), k->isAutoRepeat(), static_cast<quint16>(k->count()));
      QCoreApplication::sendEvent(target, &copy);
      return true;
    }
  }
  return QPushButton::event(e);
}

CCalculatorDisplayEdit::CCalculatorDisplayEdit(QWidget* parent) : QLineEdit(parent) {
  // No caret: the display is typed into through the keys only.
  setReadOnly(true);
  setAlignment(Qt::AlignRight);
}

void CCalculatorDisplayEdit::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Backspace: emit keyButton(D::IDC_C); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: emit keyButton(D::IDC_EQUALS); return;
    case Qt::Key_Delete: return;  // on release
    case Qt::Key_Escape: e->ignore(); return;  // the dialog's: it ends the calculator
    default: break;
  }
  const QString text = e->text();
  if (text.size() != 1 || !text[0].isPrint()) {
    QLineEdit::keyPressEvent(e);
    return;
  }
  const QChar c = text[0];
  int id = KeyOfCharacter(c);
  if (c == QLatin1Char('.') || c == QChar(0x00B7)) id = D::IDC_COMMA;
  if (id) {
    emit keyButton(id);
  } else {
    QApplication::beep();
  }
}

void CCalculatorDisplayEdit::keyReleaseEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Delete && !e->isAutoRepeat()) {
    emit keyButton(D::IDC_CE);
    return;
  }
  QLineEdit::keyReleaseEvent(e);
}

// ---------------------------------------------------------------------------------------------

CCalculadoraDlg::CCalculadoraDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(platform::LoadString(kStrCalculatorCaption));
  BuildFace();
}

CCalculadoraDlg::~CCalculadoraDlg() { SaveMemory(); }

void CCalculadoraDlg::BuildFace() {
  setFixedSize(194, 318);
  display_ = new CCalculatorDisplayEdit(this);
  display_->setObjectName(QString::number(IDC_DISPLAY));
  display_->setGeometry(10, 10, 174, 26);
  display_->setText(text_);
  connect(display_, &CCalculatorDisplayEdit::keyButton, this, &CCalculadoraDlg::PressButton);

  ptasLabel_ = new QLabel(platform::LoadString(kStrPesetasShort), this);
  ptasLabel_->setObjectName(QString::number(IDC_PTAS_LABEL));
  ptasLabel_->setGeometry(84, 42, 34, 24);
  ptasLabel_->setAlignment(Qt::AlignCenter);
  euroPicture_ = new EuroPicture(this);
  euroPicture_->setObjectName(QString::number(IDC_EURO_PICTURE));
  euroPicture_->setGeometry(84, 42, 34, 24);
  euroPicture_->hide();

  for (const FaceKey& k : kFace) {
    const QString caption = QString::fromUtf8(k.caption);
    QPushButton* b = nullptr;
    if (k.kind == Kind::Round) {
      auto* round = new CCircleButton(caption, this);
      round->setAutoDefault(false);
      round->setGeometry(k.x, k.y, k.w, k.h);
      round->PreSubclassWindow();
      b = round;
    } else {
      b = new CCalculatorButton(caption, this);
      b->setGeometry(k.x, k.y, k.w, k.h);
    }
    b->setObjectName(QString::number(k.id));
    buttons_.insert(k.id, b);
    const int id = k.id;
    connect(b, &QAbstractButton::clicked, this, [this, id] { OnButton(id); });
  }
}

int CCalculadoraDlg::DoModal() { return exec() == QDialog::Accepted ? kIdOk : kIdCancel; }

QString CCalculadoraDlg::GetDisplayText() const { return display_->text(); }

void CCalculadoraDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!initialised_) OnInitDialog();
}

void CCalculadoraDlg::OnInitDialog() {
  initialised_ = true;
  const QString stored = ui::controls::ActiveProfile().GetString(QLatin1String(kProfileSection),
                                                                 QLatin1String(kProfileKey));
  memory_ = ParseCommaNumber(stored);
  buttons_[IDC_COPY_RESULT]->setEnabled(false);
  PlaceOverMainWindow();
  buttons_[IDC_EUROS]->setFocus();
  PressButton(IDC_EUROS);
}

void CCalculadoraDlg::PlaceOverMainWindow() {
  QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
  if (!main) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (qobject_cast<QMainWindow*>(w) && w->isVisible()) {
        main = w;
        break;
      }
    }
  }
  QSize area;
  if (main) {
    area = main->size();
  } else if (QScreen* s = QGuiApplication::primaryScreen()) {
    area = s->size();
  }
  // Half the difference of the sizes, measured from the screen's origin.
  if (area.isValid()) move((area.width() - width()) / 2, (area.height() - height()) / 2);
}

void CCalculadoraDlg::SaveMemory() {
  // A calculator that never opened read nothing: it must not overwrite the stored memory.
  if (!initialised_) return;
  ui::controls::ActiveProfile().SetString(QLatin1String(kProfileSection), QLatin1String(kProfileKey),
                                          WithComma(Print(memory_, std::chars_format::fixed, 6)));
}

void CCalculadoraDlg::done(int r) {
  SaveMemory();
  QDialog::done(r);
}

void CCalculadoraDlg::keyPressEvent(QKeyEvent* e) {
  int id = 0;
  const bool keypad = e->modifiers() & Qt::KeypadModifier;
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: id = IDC_EQUALS; break;
    case Qt::Key_Delete: id = IDC_CE; break;
    case Qt::Key_Period:
    case Qt::Key_Comma:
      if (keypad) id = IDC_COMMA;
      break;
    default: break;
  }
  if (!id && e->text().size() == 1) id = KeyOfCharacter(e->text()[0]);
  if (id) {
    PressButton(id);
    return;
  }
  QDialog::keyPressEvent(e);
}

void CCalculadoraDlg::PressButton(int id) {
  QAbstractButton* b = buttons_.value(id);
  if (!b) return;
  b->setFocus();
  b->click();
}

void CCalculadoraDlg::OnButton(int id) {
  const QString caption = buttons_[id]->text();
  switch (id) {
    case IDC_COMMA: OnComma(); break;
    case IDC_PLUS:
    case IDC_MINUS:
    case IDC_TIMES:
    case IDC_DIVIDE:
    case IDC_EQUALS: OnOperator(caption); break;
    case IDC_PERCENT: OnPercent(); break;
    case IDC_C: OnClear(); break;
    case IDC_CE: OnClearEntry(); break;
    case IDC_MPLUS:
    case IDC_MMINUS:
    case IDC_MR:
    case IDC_MC: OnMemory(id); break;
    case IDC_EUROS: OnEuros(); break;
    case IDC_PESETAS: OnPesetas(); break;
    case IDC_COPY_RESULT: accept(); return;
    case IDC_EXIT: reject(); return;
    default: OnDigit(caption); break;
  }
  AfterKey();
}

double CCalculadoraDlg::DisplayedValue() const { return ParseCommaNumber(display_->text()); }

void CCalculadoraDlg::Show(const QString& text) {
  text_ = text;
  display_->setText(text_);
}

void CCalculadoraDlg::OnDigit(const QString& digit) {
  text_ = display_->text();
  if (digit == QLatin1String("0") && text_ == QLatin1String("0.") && !comma_) return;
  if (last_ != Input::Digito) {
    text_.clear();
    comma_ = false;
  } else if (text_.size() >= 14) {
    return;
  }
  Show(text_ + digit);
  last_ = Input::Digito;
}

void CCalculadoraDlg::OnComma() {
  text_ = display_->text();
  if (last_ != Input::Digito) {
    Show(QStringLiteral("0,"));
  } else if (!comma_) {
    Show(text_ + QLatin1Char(','));
  }
  comma_ = true;
  last_ = Input::Digito;
}

void CCalculadoraDlg::OnOperator(const QString& op) {
  const double v = DisplayedValue();
  // A leading minus takes the display as the first operand.
  if (op == QLatin1String("-") && count_ == 0) last_ = Input::Digito;
  if (last_ == Input::Digito) ++count_;
  if (count_ == 1) {
    acc_ = v;
  } else if (count_ >= 2) {
    if (pending_ == QLatin1String("+")) {
      acc_ = v + acc_;
    } else if (pending_ == QLatin1String("-")) {
      acc_ = acc_ - v;
    } else if (pending_ == QLatin1String("X")) {
      acc_ = v * acc_;
    } else if (pending_ == QLatin1String("/")) {
      acc_ = v == 0 ? 0 : acc_ / v;
    } else {
      acc_ = v;
    }
    Show(G15(acc_));
    count_ = 1;
  }
  lastOperand_ = v;
  pending_ = op;
  last_ = Input::Operador;
}

void CCalculadoraDlg::OnPercent() {
  if (last_ != Input::Digito) return;
  acc_ = DisplayedValue() * acc_ * 0.01;
  Show(G15(acc_));
  buttons_[IDC_EQUALS]->setFocus();
  last_ = Input::Operador;
}

void CCalculadoraDlg::OnClear() {
  Show(QStringLiteral("0."));
  last_ = Input::Ninguna;
  comma_ = false;
  acc_ = 0;
  lastOperand_ = 0;
  count_ = 0;
  pending_.clear();
}

void CCalculadoraDlg::OnClearEntry() {
  Show(QStringLiteral("0."));
  last_ = Input::Ce;
  comma_ = false;
}

void CCalculadoraDlg::OnMemory(int id) {
  switch (id) {
    case IDC_MPLUS:
      memory_ += DisplayedValue();
      last_ = Input::Operador;
      break;
    case IDC_MMINUS:
      memory_ -= DisplayedValue();
      last_ = Input::Operador;
      break;
    case IDC_MR: Show(G15(memory_)); break;
    case IDC_MC: memory_ = 0; break;
    default: break;
  }
}

void CCalculadoraDlg::OnEuros() {
  const double euros = RoundDecimals(DisplayedValue() * kEurosPerPeseta, 2);
  Show(WithComma(Print(euros, std::chars_format::fixed, 2)));
  showsEuros_ = true;
  ptasLabel_->hide();
  euroPicture_->show();
  euroPicture_->update();
  buttons_[IDC_EUROS]->setEnabled(false);
  buttons_[IDC_PESETAS]->setEnabled(true);
  buttons_[IDC_COPY_RESULT]->setEnabled(resultUsable_ != 0);
}

void CCalculadoraDlg::OnPesetas() {
  const double pesetas = RoundDecimals(DisplayedValue() * kPesetasPerEuro, 0);
  Show(G15(pesetas));
  showsEuros_ = false;
  euroPicture_->hide();
  ptasLabel_->show();
  buttons_[IDC_PESETAS]->setEnabled(false);
  buttons_[IDC_EUROS]->setEnabled(true);
  if (resultUsable_) buttons_[IDC_COPY_RESULT]->setEnabled(false);
}

void CCalculadoraDlg::AfterKey() {
  if (showsEuros_) {
    buttons_[IDC_PESETAS]->setEnabled(DecimalsShown(display_->text()) <= 2);
  } else {
    display_->setEnabled(true);
  }
  display_->setFocus();
}

double CCalculadoraDlg::RoundDecimals(double value, int n) {
  if (value == 0) return 0;
  QString printed = Print(value, std::chars_format::general, 18);
  if (printed.contains(QLatin1Char('e'))) {
    // Beyond 18 digits there are no decimals to cut; tiny values are cut from their fixed print
    // (cutting the mantissa of "9.99e-08" would turn it into 10).
    if (std::fabs(value) >= 1) return value;
    printed = Print(value, std::chars_format::fixed, 40);
  }
  const qsizetype point = printed.indexOf(QLatin1Char('.'));
  if (point < 0) return value;
  const qsizetype keep = n > 0 ? point + 1 + n : point;
  const qsizetype dropped = n > 0 ? keep : point + 1;
  double result = Parse(printed.left(keep));
  if (dropped < printed.size() && printed[dropped] >= QLatin1Char('5')) {
    const double unit = std::pow(10.0, -n);
    result += value > 0 ? unit : -unit;
  }
  return result;
}
