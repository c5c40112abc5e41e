#include "framework/forms/AddressControl.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

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
    static const QRegularExpression dutch(u"^\\s*([1-9][0-9]{3})\\s*([A-Za-z]{2})\\s*$"_s);
    const auto match = dutch.match(text);
    if (!match.hasMatch())
        return text.trimmed();
    return match.captured(1) + QLatin1Char(' ') + match.captured(2).toUpper();
}

QString AddressControl::Check() const
{
    if (address_.straat.trimmed().isEmpty())
        return u"Vul de straat in."_s;
    static const QRegularExpression number(u"^\\s*[1-9][0-9]{0,4}\\s*$"_s);
    if (!number.match(address_.huisnummer).hasMatch())
        return u"Vul een geldig huisnummer in."_s;
    const QString postcode = address_.postcode.trimmed();
    if (postcode.isEmpty())
        return u"Vul de postcode in."_s;
    static const QRegularExpression dutch(u"^[1-9][0-9]{3} [A-Z]{2}$"_s);
    if (!dutch.match(normalisedPostcode(postcode)).hasMatch())
        return u"Vul een geldige postcode in (bijvoorbeeld 1234 AB)."_s;
    if (address_.plaats.trimmed().isEmpty())
        return u"Vul de plaats in."_s;
    return {};
}

bool AddressControl::type(const Address& address)
{
    return userAction([&] { setAddress(address); });
}

} // namespace tarvelo
