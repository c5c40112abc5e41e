#include "framework/util/NumberText.h"

#include "framework/errors/Conversions.h"
#include "framework/errors/RuntimeError.h"
#include "framework/forms/TextBox.h"

#include <QLocale>

namespace tarvelo {

QString numberText(double value) { return QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(',')); }

QString amountText(double value)
{
    static const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    return dutch.toString(value, 'f', 2);
}

std::optional<double> typedNumber(const TextBox& box)
{
    try {
        return CDbl(box.text());
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

} // namespace tarvelo
