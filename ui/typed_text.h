// What the edit family makes of the text a user typed: an amount or percentage, a date, an
// integer, a NIF. Qt Core only: the edits call these, and so can the fuzz targets, which do not
// build the widget layer.
#pragma once

#include <QString>

#include <cstdint>
#include <string>

namespace ui::typed {

// An amount edit's text: '.' groups thousands, ',' is the decimal separator; empty is 0.
double ParseAmountText(const QString& text);

// A date edit's "DD/MM/YYYY" (or "DD/MM/YY ", width 8) with a lone digit of the day or month
// completed with a leading zero and, for width 8, a two-digit year completed to 19YY or 20YY
// (a first digit 0). A text shorter than the sections read is taken as blank-filled.
QString CompleteDateSections(QString text, int width);

// The eight stored characters of a date (DDMMYYYY, possibly partial) completed as the date
// edit completes its sections.
QString CompleteStoredDate(const QString& eight);

// An integer edit's text: '.' groups thousands; empty or beginning with a blank is 0; the
// leading number otherwise (0 when there is none), saturated to 32 bits.
std::int32_t ParseIntegerText(const QString& text);

}  // namespace ui::typed
