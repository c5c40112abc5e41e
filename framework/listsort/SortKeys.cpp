#include "framework/listsort/SortKeys.h"

#include <QDateTime>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

constexpr int IntegerDigits = 15;
constexpr int Decimals = 10;

struct DateAndTime {
    QDate date;
    QTime time;
};

void appendDigits(QString& key, int value, int width)
{
    QChar digits[4];
    for (int i = width - 1; i >= 0; --i, value /= 10)
        digits[i] = QChar(u'0' + value % 10);
    key.append(digits, width);
}

// "yyyyMMdd HHmmss"; a year of more than four digits or before the calendar's start
// keeps the text it has always had.
SortKey dateKeyOf(const DateAndTime& moment)
{
    const QDate& date = moment.date;
    const QTime& time = moment.time;
    if (date.year() >= 0 && date.year() <= 9999)
        return DigitKey{false, std::uint64_t(date.year() * 10000 + date.month() * 100 + date.day()),
                        std::uint64_t(time.hour() * 10000 + time.minute() * 100 + time.second())};
    QString key;
    key.reserve(15);
    appendDigits(key, date.year(), 4);
    appendDigits(key, date.month(), 2);
    appendDigits(key, date.day(), 2);
    key += u' ';
    appendDigits(key, time.hour(), 2);
    appendDigits(key, time.minute(), 2);
    appendDigits(key, time.second(), 2);
    return key;
}

QString keyText(const SortKey& key, const DigitKeyLayout& layout)
{
    if (const DigitKey* digits = std::get_if<DigitKey>(&key))
        return DigitKeyText(*digits, layout);
    if (const QStringView* same = std::get_if<QStringView>(&key))
        return same->toString();
    return std::get<QString>(key);
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Reads 1 to maxDigits digits at pos; false when there are none.
bool readNumber(QStringView text, qsizetype& pos, int maxDigits, int& value, int& digits)
{
    value = 0;
    digits = 0;
    while (pos < text.size() && digits < maxDigits && isDigit(text[pos])) {
        value = value * 10 + (text[pos].unicode() - u'0');
        ++pos;
        ++digits;
    }
    return digits > 0;
}

// "H:mm" or "H:mm:ss" from pos to the end of text.
std::optional<QTime> readTime(QStringView text, qsizetype pos)
{
    int hour, minute, second = 0, digits;
    if (!readNumber(text, pos, 2, hour, digits) || pos >= text.size() || text[pos] != u':')
        return std::nullopt;
    ++pos;
    if (!readNumber(text, pos, 2, minute, digits) || digits != 2)
        return std::nullopt;
    if (pos < text.size() && text[pos] == u':') {
        ++pos;
        if (!readNumber(text, pos, 2, second, digits) || digits != 2)
            return std::nullopt;
    }
    const QTime time(hour, minute, second);
    if (pos != text.size() || !time.isValid())
        return std::nullopt;
    return time;
}

// Dates written in digits: day, month and year (in the locale's order of day and
// month) with "-", "/" or ".", or year-month-day; each optionally with a time.
std::optional<DateAndTime> readNumericDate(QStringView text, bool dayFirst)
{
    qsizetype pos = 0;
    int first, second, third, firstDigits, secondDigits, thirdDigits;
    if (!readNumber(text, pos, 4, first, firstDigits) || pos >= text.size())
        return std::nullopt;
    const QChar separator = text[pos];
    if (separator == u':') {
        // A time alone lies on the day the calendar of dates as numbers starts.
        const std::optional<QTime> time = readTime(text, 0);
        return time ? std::optional(DateAndTime{QDate(1899, 12, 30), *time}) : std::nullopt;
    }
    if (separator != u'-' && separator != u'/' && separator != u'.')
        return std::nullopt;
    ++pos;
    if (!readNumber(text, pos, 2, second, secondDigits) || pos >= text.size() || text[pos] != separator)
        return std::nullopt;
    ++pos;
    if (!readNumber(text, pos, 4, third, thirdDigits))
        return std::nullopt;
    QDate date;
    if (firstDigits == 4) {
        if (thirdDigits > 2)
            return std::nullopt;
        date = QDate(first, second, third);
    } else {
        if (firstDigits > 2 || (thirdDigits != 2 && thirdDigits != 4))
            return std::nullopt;
        int year = third;
        if (thirdDigits == 2) // two-digit years fall in 1930 to 2029
            year += year < 30 ? 2000 : 1900;
        date = dayFirst ? QDate(year, second, first) : QDate(year, first, second);
    }
    if (!date.isValid())
        return std::nullopt;
    if (pos == text.size())
        return DateAndTime{date, QTime(0, 0)};
    if (text[pos] != u' ' && !(firstDigits == 4 && text[pos] == u'T'))
        return std::nullopt;
    const std::optional<QTime> time = readTime(text, pos + 1);
    return time ? std::optional(DateAndTime{date, *time}) : std::nullopt;
}

} // namespace

SortKeyMaker::SortKeyMaker(const QLocale& locale)
    : locale_(locale),
      decimalPoint_(locale.decimalPoint()),
      groupSeparator_(locale.groupSeparator()),
      currency_(locale.currencySymbol())
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype day = format.indexOf(u'd');
    const qsizetype month = format.indexOf(u'M');
    dayFirst_ = day < 0 || month < 0 || day < month;
}

DigitKeyLayout SortKeyMaker::numberLayout() const { return {IntegerDigits, decimalPoint_, Decimals}; }

DigitKeyLayout SortKeyMaker::dateLayout() { return {8, u" "_s, 6}; }

SortKey SortKeyMaker::numberKeyOf(double value) const
{
    const bool negative = value < 0;
    const QString digits = QString::number(negative ? -value : value, 'f', Decimals);
    const qsizetype point = digits.indexOf(u'.');
    if (point > 0 && point <= IntegerDigits && digits.size() == point + 1 + Decimals) {
        DigitKey key{negative, 0, 0};
        for (qsizetype i = 0; i < point; ++i)
            key.leading = key.leading * 10 + (digits[i].unicode() - u'0');
        for (qsizetype i = point + 1; i < digits.size(); ++i)
            key.trailing = key.trailing * 10 + (digits[i].unicode() - u'0');
        return key;
    }
    // Beyond fifteen integer digits (or no finite value) the text is what sorts.
    QString key;
    key.reserve(IntegerDigits + Decimals + 2);
    if (negative)
        key += u'-';
    key += digits.left(point).rightJustified(IntegerDigits, u'0');
    key += decimalPoint_;
    key += digits.mid(point + 1);
    return key;
}

// Digits with the locale's separators, at most fifteen before and ten after the
// decimal separator, are taken as they are; anything else goes through a double.
bool SortKeyMaker::plainNumber(QStringView text, DigitKey& key) const
{
    // No text is made: a sort makes a key for every row.
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+'))
        negative = text[pos++] == u'-';
    // Group separators only between complete groups of three digits.
    std::uint64_t integer = 0;
    int integerDigits = 0;
    int run = 0;
    bool grouped = false;
    const bool oneCharGroup = groupSeparator_.size() == 1;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (isDigit(c)) {
            ++run;
            if (integerDigits > 0 || c != u'0') {
                if (integerDigits == IntegerDigits)
                    return false;
                integer = integer * 10 + (c.unicode() - u'0');
                ++integerDigits;
            }
        } else if (oneCharGroup && c == groupSeparator_[0]) {
            if (grouped ? run != 3 : (run < 1 || run > 3))
                return false;
            grouped = true;
            run = 0;
        } else {
            break;
        }
    }
    if (grouped && run != 3)
        return false;
    const bool anyInteger = run > 0 || grouped;
    QStringView fraction;
    if (pos < text.size()) {
        if (!text.mid(pos).startsWith(decimalPoint_))
            return false;
        pos += decimalPoint_.size();
        fraction = text.mid(pos);
        if (!std::all_of(fraction.begin(), fraction.end(), isDigit))
            return false;
    }
    if ((!anyInteger && fraction.isEmpty()) || fraction.size() > Decimals)
        return false;
    std::uint64_t decimals = 0;
    for (qsizetype i = 0; i < Decimals; ++i)
        decimals = decimals * 10 + (i < fraction.size() ? fraction[i].unicode() - u'0' : 0);
    // Minus zero is zero.
    key = DigitKey{negative && (integer != 0 || decimals != 0), integer, decimals};
    return true;
}

SortKey SortKeyMaker::numberSortKey(QStringView text) const
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return text;
    DigitKey key;
    if (plainNumber(trimmed, key))
        return key;
    bool ok = false;
    double value = locale_.toDouble(trimmed, &ok);
    if (ok)
        return numberKeyOf(value);
    // Amounts are often shown with the currency sign ("€ 1.250,00").
    if (!currency_.isEmpty() && trimmed.contains(currency_)) {
        QString withoutSign = trimmed.toString();
        withoutSign.remove(currency_);
        const QStringView rest = QStringView(withoutSign).trimmed();
        if (plainNumber(rest, key))
            return key;
        value = locale_.toDouble(rest, &ok);
        if (ok)
            return numberKeyOf(value);
    }
    return text;
}

SortKey SortKeyMaker::dateSortKey(QStringView text) const
{
    const QStringView digits = text.trimmed();
    if (digits.isEmpty())
        return text;
    if (const auto moment = readNumericDate(digits, dayFirst_))
        return dateKeyOf(*moment);
    const QString trimmed = digits.toString();
    // Dates written out in the locale's words ("donderdag 15 juni 2023", "15 juni 2023").
    for (QLocale::FormatType type : {QLocale::LongFormat, QLocale::ShortFormat}) {
        const QDateTime dateTime = locale_.toDateTime(trimmed, type);
        if (dateTime.isValid())
            return dateKeyOf({dateTime.date(), dateTime.time()});
        const QDate date = locale_.toDate(trimmed, type);
        if (date.isValid())
            return dateKeyOf({date, QTime(0, 0)});
    }
    const QDate withoutWeekday = locale_.toDate(trimmed, u"d MMMM yyyy"_s);
    if (withoutWeekday.isValid())
        return dateKeyOf({withoutWeekday, QTime(0, 0)});
    return text;
}

QString NumberSortKey(const QString& text, const QLocale& locale)
{
    const SortKeyMaker maker(locale);
    return keyText(maker.numberSortKey(text), maker.numberLayout());
}

QString DateSortKey(const QString& text, const QLocale& locale)
{
    return keyText(SortKeyMaker(locale).dateSortKey(text), SortKeyMaker::dateLayout());
}

} // namespace tarvelo
