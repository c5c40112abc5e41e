#include "framework/forms/AddressControl.h"

#include <QRegularExpression>

namespace tarvelo {

void AddressControl::setAddress(const Address& address)
{
    if (address_ == address)
        return;
    address_ = address;
    changed(Property::Value);
    Change();
}

QString AddressControl::normalisedPostcode(const QString& text)
{
    static const QRegularExpression dutch(QStringLiteral("^\\s*([1-9][0-9]{3})\\s*([A-Za-z]{2})\\s*$"));
    const auto match = dutch.match(text);
    if (!match.hasMatch())
        return text.trimmed();
    return match.captured(1) + QLatin1Char(' ') + match.captured(2).toUpper();
}

QString AddressControl::Check() const
{
    if (address_.straat.trimmed().isEmpty())
        return QStringLiteral("Vul de straat in.");
    static const QRegularExpression number(QStringLiteral("^\\s*[1-9][0-9]{0,4}\\s*$"));
    if (!number.match(address_.huisnummer).hasMatch())
        return QStringLiteral("Vul een geldig huisnummer in.");
    const QString postcode = address_.postcode.trimmed();
    if (postcode.isEmpty())
        return QStringLiteral("Vul de postcode in.");
    static const QRegularExpression dutch(QStringLiteral("^[1-9][0-9]{3} [A-Z]{2}$"));
    if (!dutch.match(normalisedPostcode(postcode)).hasMatch())
        return QStringLiteral("Vul een geldige postcode in (bijvoorbeeld 1234 AB).");
    if (address_.plaats.trimmed().isEmpty())
        return QStringLiteral("Vul de plaats in.");
    return {};
}

} // namespace tarvelo
