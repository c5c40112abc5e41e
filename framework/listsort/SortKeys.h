#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

namespace tarvelo {

// Texts that sort as their values when compared as text.
//
// A number becomes fifteen integer digits and ten decimals with the locale's
// decimal separator ("000000000000002,5000000000"); a negative one gets a minus
// sign in front, so negatives come before every other value and among
// themselves follow their digits. A date (with or without a time) becomes
// "yyyyMMdd HHmmss". A text that is no number or date stays as it is.
//
// Made once for a locale and used for every row of a sort.
class SortKeyMaker {
public:
    explicit SortKeyMaker(const QLocale& locale = QLocale());

    QString numberKey(const QString& text) const;
    QString dateKey(const QString& text) const;

private:
    bool plainNumberKey(QStringView text, QString& key) const;
    QString numberKeyOf(double value) const;

    QLocale locale_;
    QString decimalPoint_;
    QString groupSeparator_;
    QString currency_;
    bool dayFirst_ = true;
};

QString NumberSortKey(const QString& text, const QLocale& locale = QLocale());
QString DateSortKey(const QString& text, const QLocale& locale = QLocale());

} // namespace tarvelo
