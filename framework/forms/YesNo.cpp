#include "framework/forms/YesNo.h"

#include "framework/errors/RuntimeError.h"

namespace tarvelo {

void YesNo::setValue(int value)
{
    if (value < 0 || value > 2)
        throw RuntimeError(380, QStringLiteral("Ongeldige waarde voor eigenschap"));
    if (value_ == value)
        return;
    value_ = value;
    changed(Property::Value);
    Change();
}

QString YesNo::captionOf(int value)
{
    switch (value) {
    case Ja: return QStringLiteral("Ja");
    case Nee: return QStringLiteral("Nee");
    default: return {};
    }
}

} // namespace tarvelo
