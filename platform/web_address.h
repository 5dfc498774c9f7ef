// The web-address template of the tax authority's site: the filing page, the help pages and the
// fiscal-data download all go through it, with their own values in its keys.
#pragma once

#include <QString>

namespace platform {

// The host of the tax authority's site (a configuration value of this program).
inline constexpr char kTaxAuthorityServer[] = "https://www.velm-tributos.example.org";

// The server, then "/vornes/acceso/servurl.htm?PRG=modelo&EJE=ejercicio&VER=version&URL=PIR&EXT=NADA"
// with, in this order, "version", "modelo" and "ejercicio" replaced by their values, the page key
// "PIR" by `page` and "NADA" by `extra`.
QString TaxAuthorityAddress(const QString& model, const QString& exercise, const QString& version,
                            const QString& page = QStringLiteral("PIR"), const QString& extra = QStringLiteral("NADA"));

// The immediate-filing page for a filing file: the key EXT is "?FIC=" and the file name, with the
// characters that would end the query ("&", "#", "%", "+" and blanks) percent-encoded.
QString FilingWebAddress(const QString& model, const QString& exercise, const QString& version,
                         const QString& fileName);

}  // namespace platform
