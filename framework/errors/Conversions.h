#pragma once

#include <QDate>
#include <QString>

namespace tarvelo {

// Conversions from text with the classic rules, in the Dutch locale: leading and
// trailing spaces are ignored, "," is the decimal separator and "." groups
// thousands, halves round to even. Text that is no number is a type mismatch
// (error 13); a number outside the type's range is an overflow (error 6).
qint16 CInt(const QString& text);
qint32 CLng(const QString& text);
double CDbl(const QString& text);
// Dates as "d-M-yyyy" (also with "/" or "."), or ISO "yyyy-MM-dd".
QDate CDate(const QString& text);

// Narrowing of a number already in hand, with the same overflow rule.
qint16 CInt(double value);
qint32 CLng(double value);

} // namespace tarvelo
