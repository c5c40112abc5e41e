#pragma once

#include <QLocale>
#include <QString>

namespace tarvelo {

// Texts that sort as their values when compared as text.
//
// A number becomes fifteen integer digits and ten decimals with the locale's
// decimal separator ("000000000000002,5000000000"); a negative one gets a minus
// sign in front, so negatives come before every other value and among
// themselves follow their digits. A text that is not a number stays as it is.
QString NumberSortKey(const QString& text, const QLocale& locale = QLocale());

// A date (with or without a time) becomes "yyyyMMdd HHmmss"; a text that is not
// a date stays as it is.
QString DateSortKey(const QString& text, const QLocale& locale = QLocale());

} // namespace tarvelo
