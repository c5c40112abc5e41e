#include "framework/forms/YesNo.h"

#include "framework/errors/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

void YesNo::setValue(int value)
{
    if (value < 0 || value > 2)
        throw RuntimeError(380, u"Ongeldige waarde voor eigenschap"_s);
    if (value_ == value)
        return;
    value_ = value;
    changed(Property::Value);
    Change();
}

QString YesNo::captionOf(int value)
{
    switch (value) {
    case Ja: return u"Ja"_s;
    case Nee: return u"Nee"_s;
    default: return {};
    }
}

bool YesNo::choose(int value)
{
    return userAction([&] { setValue(value); });
}

} // namespace tarvelo
