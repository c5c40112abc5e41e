#include "framework/errors/Conversions.h"

#include "framework/errors/RuntimeError.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace tarvelo {

namespace {

double parseNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        throw RuntimeError::typeMismatch();

    if (trimmed.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        bool ok = false;
        const qlonglong value = trimmed.mid(2).toLongLong(&ok, 16);
        if (!ok)
            throw RuntimeError::typeMismatch();
        return double(value);
    }

    bool ok = false;
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    double value = dutch.toDouble(trimmed, &ok);
    if (!ok) {
        // Scientific notation and the like, as the classic runtime also accepts.
        QString plain = trimmed;
        plain.replace(QLatin1Char(','), QLatin1Char('.'));
        value = QLocale::c().toDouble(plain, &ok);
    }
    if (!ok || !std::isfinite(value))
        throw RuntimeError::typeMismatch();
    return value;
}

template <class Int>
Int narrow(double value)
{
    const double rounded = std::nearbyint(value); // default rounding mode: halves to even
    if (rounded < double(std::numeric_limits<Int>::min()) || rounded > double(std::numeric_limits<Int>::max()))
        throw RuntimeError::overflow();
    return Int(rounded);
}

} // namespace

qint16 CInt(const QString& text) { return narrow<qint16>(parseNumber(text)); }
qint32 CLng(const QString& text) { return narrow<qint32>(parseNumber(text)); }
double CDbl(const QString& text) { return parseNumber(text); }
qint16 CInt(double value) { return narrow<qint16>(value); }
qint32 CLng(double value) { return narrow<qint32>(value); }

QDate CDate(const QString& text)
{
    const QString trimmed = text.trimmed();
    for (const char* format : {"d-M-yyyy", "d/M/yyyy", "d.M.yyyy", "yyyy-MM-dd", "d-M-yy"}) {
        const QDate date = QDate::fromString(trimmed, QLatin1String(format));
        if (date.isValid())
            return date;
    }
    throw RuntimeError::typeMismatch();
}

} // namespace tarvelo
