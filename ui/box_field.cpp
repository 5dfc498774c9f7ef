#include "ui/box_field.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "blocks/numtext.h"
#include <QPainter>

#include "platform/cp1252.h"
#include "platform/icons.h"
#include "platform/strings.h"
#include "ui/box_definition.h"
#include "ui/drawing_target.h"
#include "ui/messages.h"
#include "ui/session.h"

namespace {
// The printing language letter while a page is printed; 0 while the screen is painted.
char printingLetter = 0;
}  // namespace

namespace ui {

PrintingLanguageScope::PrintingLanguageScope(char letter) : previous_(printingLetter) { printingLetter = letter; }
PrintingLanguageScope::~PrintingLanguageScope() { printingLetter = previous_; }

QString GroupThousands(const QString& plainFixed) {
  QString s = plainFixed;
  QString out;
  if (s.startsWith(u'-')) {
    out += u'-';
    s.remove(0, 1);
  }
  const qsizetype dot = s.indexOf(u'.');
  const QString intPart = dot < 0 ? s : s.left(dot);
  for (qsizetype i = 0; i < intPart.size(); ++i) {
    if (i > 0 && (intPart.size() - i) % 3 == 0) out += u'.';
    out += intPart[i];
  }
  if (dot >= 0) out += u',' + s.mid(dot + 1);
  return out;
}

}  // namespace ui

namespace {

bool IsTextType(char t) {
  switch (t) {
    case '>': case 'A': case 'E': case 'G': case 'L': case 'P': case 'Q': case 'S': case 'Z': return true;
    default: return false;
  }
}

double Pow10(int n) {
  double p = 1.0;
  for (int i = 0; i < n; ++i) p *= 10.0;
  return p;
}

// Holder words of type 'T' by language letter and code 1..5.
int HolderWordId(char lang, int code) {
  static const int ids[4][5] = {{94, 77, 86, 100, 111}, {95, 80, 88, 101, 113},
                                {97, 83, 90, 103, 114}, {99, 84, 93, 106, 117}};
  const char* langs = "ecgv";
  for (int l = 0; l < 4; ++l)
    if (langs[l] == lang) return ids[l][code - 1];
  return 0;
}

void ShowOverflowOnce() {
  if (!doc::overflow_warning::TakeArmed()) return;
  ui::ShowMessage(nullptr, QStringLiteral("WIN022"), platform::kIconExclamation, QString());
}

}  // namespace

int CBoxField::NumberSlot() const {
  const int h = doc::ShownMember();
  if (occurrences > 1 && h != 0) return h - 1 < occurrences ? h - 1 : -1;
  return 0;
}

std::size_t CBoxField::TextOffset() const {
  const int h = doc::ShownMember();
  if (occurrences >= 2 && occurrences >= h && h > 0)
    return static_cast<std::size_t>(h - 1) * static_cast<std::size_t>(width);
  return 0;
}

double CBoxField::MemberDouble() const {
  const int slot = NumberSlot();
  if (!data || slot < 0) return 0.0;
  return blocks::F64{0}(static_cast<std::size_t>(slot)).get(data);
}

std::int32_t CBoxField::MemberInt() const {
  const int slot = NumberSlot();
  if (!data || slot < 0) return 0;
  return blocks::I32{0}(static_cast<std::size_t>(slot)).get(data);
}

void CBoxField::ParseFormatSpec() {
  if (specParsed) return;
  specParsed = 1;
  StrValidac = ui::NormalizedAmountSpec(StrValidac);
  shownDecimals = 2;
}

void CBoxField::ApplyFormatSpec() {
  if (TypeLetter() == 'R') ParseFormatSpec();
  if (StrValidac.empty() || StrValidac[0] == '-') return;
  const ui::BoxFormat f = ui::ReadFormatSpec(StrValidac);
  width = f.width;
  occurrences = f.occurrences;
  decimals = f.decimals;
}

void CBoxField::FormatText() {
  const std::size_t off = TextOffset();
  const blocks::Text t{off, static_cast<std::size_t>(std::max(width, 0))};
  std::string run(t.str(data));
  if (run.size() >= 2) {
    const auto n = run.find_last_not_of(' ');
    run = n == std::string::npos ? std::string() : run.substr(0, n + 1);
  }
  displayText = QString::fromStdString(platform::Cp1252ToUtf8(run));
}

void CBoxField::FormatNumber() {
  displayText.clear();
  const int slot = NumberSlot();
  double v = 0.0;
  if (slot >= 0 && data) {
    const blocks::F64 f = blocks::F64{0}(static_cast<std::size_t>(slot));
    v = ui::RoundToDecimals(f.get(data), decimals);
    f.set(data, v);
  }
  if (v == 0.0 && !Pintacero) return;
  const double limit = Pow10(width);
  if (std::fabs(v) + 0.01 > limit) {
    errorFlag = 1;
    if (slot >= 0 && data) blocks::F64{0}(static_cast<std::size_t>(slot)).set(data, limit);
    ShowOverflowOnce();
    displayText = QStringLiteral("ERROR");
    return;
  }
  QString text = ui::GroupThousands(QString::fromStdString(blocks::FormatFixed(v, decimals)));
  if (decimals == 0) {
    const qsizetype comma = text.indexOf(u',');
    if (comma >= 0) text.truncate(comma);
  }
  if (shownDecimals >= 2) {
    qsizetype comma = text.indexOf(u',');
    if (comma < 0) {
      text += u',';
      comma = text.size() - 1;
    }
    QString frac = text.mid(comma + 1);
    if (frac.size() > shownDecimals) frac.truncate(shownDecimals);
    while (frac.size() < shownDecimals) frac += u'0';
    text = text.left(comma + 1) + frac;
  } else if (text.contains(u',')) {
    while (text.endsWith(u'0')) text.chop(1);
    if (text.endsWith(u',')) text.chop(1);
  }
  displayText = text;
}

void CBoxField::FormatIntegerWith(const char* fmt) {
  displayText.clear();
  const std::int32_t v = MemberInt();
  if (v == 0) return;
  if (std::fabs(static_cast<double>(v)) >= Pow10(width) || (v < 0 && !AdmitNega)) {
    errorFlag = 1;
    ShowOverflowOnce();
  }
  char buf[32];
  std::snprintf(buf, sizeof buf, fmt, static_cast<long>(v));
  displayText = ui::GroupThousands(QString::fromLatin1(buf));
}

void CBoxField::FormatInteger() { FormatIntegerWith("%ld"); }
void CBoxField::FormatLong() { FormatIntegerWith("%ld"); }

void CBoxField::UpdateText() {
  errorFlag = 0;
  if (!data) {
    displayText.clear();
    return;
  }
  const char t = TypeLetter();
  if (IsTextType(t)) {
    FormatText();
    return;
  }
  switch (t) {
    case 'B': {
      const int slot = NumberSlot();
      displayText = slot >= 0 && blocks::U8{static_cast<std::size_t>(slot)}.get(data) != 0
                        ? QStringLiteral("X") : QStringLiteral(" ");
      break;
    }
    case 'C': FormatInteger(); break;
    case 'I': FormatLong(); break;
    case 'D': {
      const std::size_t off = TextOffset();
      const int w = std::max(width, 0);
      for (int i = 0; i < w; ++i)
        if (blocks::U8{off + i}.get(data) == 0) blocks::U8{off + i}.set(data, ' ');
      QString out;
      for (int i = 0; i < w; ++i) {
        if (i == 2 || i == 4) out += u'/';
        out += QChar(static_cast<char16_t>(blocks::U8{off + i}.get(data)));
      }
      displayText = out;
      break;
    }
    case 'F': case 'M': FormatNumber(); break;
    case 'R': ParseFormatSpec(); FormatNumber(); break;
    case 'T': {
      const int code = blocks::U8{0}.get(data);
      if (code == 0) displayText.clear();
      else if (code <= 5) {
        const char letter = printingLetter ? printingLetter : platform::Language();
        if (const int id = HolderWordId(letter, code)) displayText = platform::Strings(letter).Get(id);
      }
      if (code <= 5) secondText = QString::number(code);
      break;
    }
    default: break;
  }
}

bool CBoxField::HasValue() const {
  if (!data) return false;
  switch (TypeLetter()) {
    case '>': case 'G': case 'L': case 'P': case 'S': {
      const blocks::Text t{TextOffset(), static_cast<std::size_t>(std::max(width, 0))};
      return !t.trimmed(data).empty();
    }
    case 'B': { const int s = NumberSlot(); return s >= 0 && blocks::U8{static_cast<std::size_t>(s)}.get(data) != 0; }
    case 'C': case 'I': return NumberSlot() >= 0 && MemberInt() != 0;
    case 'D': {
      const blocks::Text t{TextOffset(), static_cast<std::size_t>(std::max(width, 0))};
      const auto s = t.str(data);
      return !s.empty() && s[0] != ' ';
    }
    case 'F': case 'M': case 'R': return NumberSlot() >= 0 && MemberDouble() != 0.0;
    case 'T': return blocks::U8{0}.get(data) != 0;
    default: return true;
  }
}

namespace {

// Text placement of a box by its type letter.
int TextFlags(char t, int decimals) {
  switch (t) {
    case '>':
      return Qt::AlignRight | Qt::AlignVCenter | (decimals == 1 ? Qt::TextWrapAnywhere : 0);
    case 'C': case 'F': case 'I': case 'M': case 'R':
      return Qt::AlignRight | Qt::AlignVCenter;
    case 'E': case 'G': case 'L': case 'P': case 'S': case 'T':
      return Qt::AlignLeft | Qt::AlignVCenter | (decimals == 1 ? Qt::TextWrapAnywhere : 0);
    default:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

}  // namespace

void CBoxField::Draw(QPainter& painter, int x, int y, int mode, bool accessible) const {
  const QRect r = Area().translated(-x, -y);
  if (mode == 0) {
    if (PintarEn == 2) return;
    QColor background = accessible ? painter.background().color()
                                   : (SoloLectur ? QColor(255, 255, 192) : QColor(Qt::white));
    // Inside the frame: the frame's right and bottom lines stay.
    painter.fillRect(QRect(r.left() + 1, r.top() + 1, r.width() - 2, r.height() - 2), background);
  } else {
    if (PintarEn == 1) return;
    if (TypeLetter() == 'D' && displayText == QStringLiteral("  /  /    ")) return;
  }
  const QRect textRect(r.left() + 4, r.top() + 2, r.width() - 8, r.height() - 4);
  painter.save();
  painter.setPen(Qt::black);
  painter.drawText(textRect, TextFlags(TypeLetter(), decimals) | Qt::TextDontClip, displayText);
  painter.restore();
}

void CBoxField::DrawFrame(int state, QPainter& painter, int x, int y) const {
  if (PintarEn == 2) return;
  const QRect outer = Area().translated(-x, -y).adjusted(0, 0, -1, -1);
  const QRect inner = outer.adjusted(1, 1, -1, -1);
  painter.save();
  painter.setBrush(Qt::NoBrush);
  if (state == 0 && !SoloLectur) {
    // Removes a previous highlight: the inner ring is repainted in the box's background.
    painter.setPen(QColor(Qt::white));
    painter.drawRect(inner);
  }
  painter.setPen(Qt::black);
  if (state == 2 && !SoloLectur) painter.drawRect(inner);
  painter.drawRect(outer);
  painter.restore();
}
