#include "ui/typed_text.h"

#include <QByteArray>

#include <limits>

#include "blocks/numtext.h"

namespace ui::typed {

namespace {
bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }
}  // namespace

double ParseAmountText(const QString& text) {
  if (text.isEmpty()) return 0.0;
  QByteArray a;
  for (QChar c : text) {
    if (c == u'.') continue;
    a += c == u',' ? '.' : static_cast<char>(c.toLatin1());
  }
  return blocks::ParseDecimal(a.toStdString());
}

QString CompleteDateSections(QString t, int width) {
  // Every position read below exists, whatever the caller hands in.
  const qsizetype need = width == 8 ? 10 : 5;
  if (t.size() < need) t = t.leftJustified(need, u' ');
  for (int start : {0, 3}) {
    const QChar a = t[start], b = t[start + 1];
    if (a == u' ' && IsDigit(b)) t[start] = u'0';
    else if (IsDigit(a) && b == u' ') {
      t[start + 1] = a;
      t[start] = u'0';
    }
  }
  if (width == 8) {
    QString digits;
    for (int i = 6; i < 10; ++i)
      if (IsDigit(t[i])) digits += t[i];
    QString year = digits.leftJustified(4, u' ');
    if (digits.size() == 2) year = (digits[0] == u'0' ? QStringLiteral("20") : QStringLiteral("19")) + digits;
    t.replace(6, 4, year);
  }
  return t;
}

QString CompleteStoredDate(const QString& eight) {
  QString t = eight.left(2) + u'/' + eight.mid(2, 2) + u'/' + eight.mid(4);
  t = CompleteDateSections(t.leftJustified(10, u' '), 8);
  return t.remove(u'/');
}

std::int32_t ParseIntegerText(const QString& text) {
  QString t = text;
  t.remove(u'.');
  if (t.isEmpty() || t.startsWith(u' ')) return 0;
  // atoi's reading (blanks, a sign, digits), without its overflow.
  const QByteArray a = t.toLatin1();
  qsizetype i = 0;
  while (i < a.size() && (a[i] == ' ' || a[i] == '\t' || a[i] == '\n' || a[i] == '\r' || a[i] == '\f' || a[i] == '\v')) ++i;
  bool negative = false;
  if (i < a.size() && (a[i] == '+' || a[i] == '-')) negative = a[i++] == '-';
  long long v = 0;
  for (; i < a.size() && a[i] >= '0' && a[i] <= '9'; ++i) {
    v = v * 10 + (a[i] - '0');
    if (v > std::numeric_limits<std::int32_t>::max()) {
      v = std::numeric_limits<std::int32_t>::max() + (negative ? 1LL : 0LL);
      break;
    }
  }
  return static_cast<std::int32_t>(negative ? -v : v);
}

}  // namespace ui::typed
