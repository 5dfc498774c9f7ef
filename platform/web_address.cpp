#include "platform/web_address.h"

namespace platform {

QString TaxAuthorityAddress(const QString& model, const QString& exercise, const QString& version,
                            const QString& page, const QString& extra) {
  QString path = QStringLiteral("/vornes/acceso/servurl.htm?PRG=modelo&EJE=ejercicio&VER=version&URL=PIR&EXT=NADA");
  path.replace(QStringLiteral("version"), version);
  path.replace(QStringLiteral("modelo"), model);
  path.replace(QStringLiteral("ejercicio"), exercise);
  path.replace(QStringLiteral("URL=PIR"), QStringLiteral("URL=") + page);
  path.replace(QStringLiteral("NADA"), extra);
  return QString::fromLatin1(kTaxAuthorityServer) + path;
}

QString FilingWebAddress(const QString& model, const QString& exercise, const QString& version,
                         const QString& fileName) {
  QString name;
  for (const QChar c : fileName) {
    if (c == u'&' || c == u'#' || c == u'%' || c == u'+' || c == u' ')
      name += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
    else
      name += c;
  }
  return TaxAuthorityAddress(model, exercise, version, QStringLiteral("PIR"), QStringLiteral("?FIC=") + name);
}

}  // namespace platform
