#include "framework/forms/CheckBox.h"

#include "framework/errors/RuntimeError.h"
#include "framework/forms/Form.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

void CheckBox::setValue(int value)
{
    if (value < 0 || value > 2)
        throw RuntimeError(380, u"Ongeldige waarde voor eigenschap"_s);
    if (value_ == value)
        return;
    value_ = value;
    changed(Property::Value);
    Click();
}

void OptionButton::setValue(bool on)
{
    if (value_ == on)
        return;
    value_ = on;
    changed(Property::Value);
    if (!on)
        return;
    for (Control* sibling : form().childrenOf(*parent())) {
        if (sibling != this && sibling->kind() == ControlKind::OptionButton) {
            auto* option = static_cast<OptionButton*>(sibling);
            if (option->value_) {
                option->value_ = false;
                option->changed(Property::Value);
            }
        }
    }
    Click();
}

bool CheckBox::click()
{
    return userAction([this] { setValue(value_ == 1 ? 0 : 1); });
}

bool OptionButton::click()
{
    return userAction([this] {
        if (value_)
            Click();
        else
            setValue(true);
    });
}

} // namespace tarvelo
