#include "framework/listsort/SortKeys.h"

#include <QDateTime>

#include <array>
#include <optional>

namespace tarvelo {

namespace {

constexpr int IntegerDigits = 15;
constexpr int Decimals = 10;

std::optional<double> parseNumber(const QString& text, const QLocale& locale)
{
    QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = locale.toDouble(trimmed, &ok);
    if (ok)
        return value;
    // Amounts are often shown with the currency sign ("€ 1.250,00").
    const QString currency = locale.currencySymbol();
    if (!currency.isEmpty() && trimmed.contains(currency)) {
        trimmed.remove(currency);
        value = locale.toDouble(trimmed.trimmed(), &ok);
        if (ok)
            return value;
    }
    return std::nullopt;
}

std::optional<QDateTime> parseDate(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    for (QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
        QDateTime dateTime = locale.toDateTime(trimmed, type);
        if (dateTime.isValid())
            return dateTime;
        const QDate date = locale.toDate(trimmed, type);
        if (date.isValid())
            return QDateTime(date, QTime(0, 0));
    }
    // Day first, as the office's dates are written, then the ISO forms.
    static const std::array<QString, 10> dateTimeFormats{
        QStringLiteral("d-M-yyyy H:mm:ss"), QStringLiteral("d-M-yyyy H:mm"), QStringLiteral("d-M-yyyy"),
        QStringLiteral("d/M/yyyy H:mm:ss"), QStringLiteral("d/M/yyyy H:mm"), QStringLiteral("d/M/yyyy"),
        QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-MM-ddTHH:mm:ss"), QStringLiteral("yyyy-MM-dd HH:mm"),
        QStringLiteral("yyyy-MM-dd"),
    };
    for (const QString& format : dateTimeFormats) {
        const QDateTime dateTime = QDateTime::fromString(trimmed, format);
        if (dateTime.isValid())
            return dateTime;
    }
    // Two-digit years fall in 1930 to 2029.
    for (const QString& format : {QStringLiteral("d-M-yy"), QStringLiteral("d/M/yy")}) {
        QDate date = QDate::fromString(trimmed, format);
        if (date.isValid()) {
            if (date.year() < 1930)
                date = date.addYears(100);
            return QDateTime(date, QTime(0, 0));
        }
    }
    // A time alone lies on the day the calendar of dates as numbers starts.
    for (const QString& format : {QStringLiteral("H:mm:ss"), QStringLiteral("H:mm")}) {
        const QTime time = QTime::fromString(trimmed, format);
        if (time.isValid())
            return QDateTime(QDate(1899, 12, 30), time);
    }
    return std::nullopt;
}

} // namespace

QString NumberSortKey(const QString& text, const QLocale& locale)
{
    const std::optional<double> value = parseNumber(text, locale);
    if (!value)
        return text;
    const bool negative = *value < 0;
    const QString digits = QString::number(negative ? -*value : *value, 'f', Decimals);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    QString key;
    key.reserve(IntegerDigits + Decimals + 2);
    if (negative)
        key += QLatin1Char('-');
    key += digits.left(point).rightJustified(IntegerDigits, QLatin1Char('0'));
    key += locale.decimalPoint();
    key += digits.mid(point + 1);
    return key;
}

QString DateSortKey(const QString& text, const QLocale& locale)
{
    const std::optional<QDateTime> dateTime = parseDate(text, locale);
    if (!dateTime)
        return text;
    return dateTime->toString(QStringLiteral("yyyyMMdd HHmmss"));
}

} // namespace tarvelo
