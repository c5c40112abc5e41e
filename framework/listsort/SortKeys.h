#pragma once

#include "framework/forms/RowKeys.h"

#include <QLocale>
#include <QString>
#include <QStringView>

#include <variant>

namespace tarvelo {

// A row's sort key: a number or date as a DigitKey (its text is the key), a
// text that is no number or date as itself (a view of the text given), or a
// text made for a value that does not fit the digits.
using SortKey = std::variant<DigitKey, QStringView, QString>;

// Keys that sort as their values when compared as text.
//
// A number becomes fifteen integer digits and ten decimals with the locale's
// decimal separator ("000000000000002,5000000000", numberLayout()); a negative
// one gets a minus sign in front, so negatives come before every other value
// and among themselves follow their digits. A date (with or without a time)
// becomes "yyyyMMdd HHmmss" (dateLayout()). A text that is no number or date
// stays as it is.
//
// Made once for a locale and used for every row of a sort.
class SortKeyMaker {
public:
    explicit SortKeyMaker(const QLocale& locale = QLocale());

    DigitKeyLayout numberLayout() const;
    static DigitKeyLayout dateLayout();

    SortKey numberSortKey(QStringView text) const;
    SortKey dateSortKey(QStringView text) const;

private:
    bool plainNumber(QStringView text, DigitKey& key) const;
    SortKey numberKeyOf(double value) const;

    QLocale locale_;
    QString decimalPoint_;
    QString groupSeparator_;
    QString currency_;
    bool dayFirst_ = true;
};

// The keys as text.
QString NumberSortKey(const QString& text, const QLocale& locale = QLocale());
QString DateSortKey(const QString& text, const QLocale& locale = QLocale());

} // namespace tarvelo
