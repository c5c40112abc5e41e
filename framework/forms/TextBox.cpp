#include "framework/forms/TextBox.h"

#include "framework/forms/Form.h"

namespace tarvelo {

TextBox::TextBox(Form& form, const QString& name, int index, Control* parent)
    : Control(form, ControlKind::TextBox, name, index, parent)
{
    initialBackColor(SystemColour::Window);
    setForeColor(SystemColour::WindowText);
}

void TextBox::setText(const QString& text)
{
    if (text_ == text)
        return;
    text_ = text;
    selStart_ = std::min<int>(selStart_, text_.size());
    selLength_ = 0;
    changed(Property::Text);
    Change();
}

void TextBox::setSelection(int start, int length)
{
    selStart_ = std::clamp<int>(start, 0, text_.size());
    selLength_ = std::clamp<int>(length, 0, text_.size() - selStart_);
    changed(Property::Selection);
}

bool TextBox::type(const QString& text)
{
    if (locked_)
        return false;
    return userAction([&] {
        edited_ = true;
        setText(maxLength_ > 0 ? text.left(maxLength_) : text);
    });
}

bool TextBox::leave()
{
    if (!edited_)
        return true;
    bool cancel = false;
    form().runUserAction([&] { Validate(cancel); });
    if (cancel) {
        setFocus();
        return false;
    }
    edited_ = false;
    return true;
}

} // namespace tarvelo
