#include "framework/forms/Control.h"

#include "framework/forms/Event.h"
#include "framework/forms/Form.h"

namespace tarvelo {

Control::Control(Form& form, ControlKind kind, QString name, int index, Control* parent)
    : form_(form),
      kind_(kind),
      name_(std::move(name)),
      index_(index),
      parent_(parent)
{
}

void Control::setBounds(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    left_ = left;
    top_ = top;
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    changed(Property::Bounds);
}

void Control::setVisible(bool on)
{
    if (visible_ == on)
        return;
    visible_ = on;
    changed(Property::Visible);
}

void Control::setEnabled(bool on)
{
    if (enabled_ == on)
        return;
    enabled_ = on;
    changed(Property::Enabled);
}

void Control::setSettingMarker(SettingMarker marker, const QString& note)
{
    if (settingMarker_ == marker && settingMarkerNote_ == note)
        return;
    settingMarker_ = marker;
    settingMarkerNote_ = note;
    changed(Property::Marker);
}

bool Control::isUsable() const
{
    // A locked setting's control stays out of reach, whatever the page enables.
    if (settingMarker_ == SettingMarker::Locked)
        return false;
    const Control* c = this;
    while (c) {
        if (!c->enabled_ || (!c->visible_ && c->kind_ != ControlKind::Form))
            return false;
        // A form drawn inside another form's control is reachable only through that control.
        c = c->parent_ ? c->parent_
                       : (c->kind_ == ControlKind::Form ? static_cast<const Form*>(c)->embeddedIn() : nullptr);
    }
    return true;
}

void Control::setBackColor(Colour colour)
{
    if (!backColor_ || *backColor_ == colour)
        return;
    backColor_ = colour;
    changed(Property::BackColor);
}

void Control::setForeColor(Colour colour)
{
    if (foreColor_ == colour)
        return;
    foreColor_ = colour;
    changed(Property::ForeColor);
}

void Control::setFont(const Font& font)
{
    if (font_ == font)
        return;
    font_ = font;
    changed(Property::Font);
}

void Control::setFontSize(double points)
{
    Font f = font_;
    f.size = points;
    setFont(f);
}

void Control::setFontBold(bool bold)
{
    Font f = font_;
    f.bold = bold;
    setFont(f);
}

void Control::setToolTipText(const QString& text)
{
    if (toolTipText_ == text)
        return;
    toolTipText_ = text;
    changed(Property::ToolTip);
}

void Control::setFocus() { form_.setFocusedControl(this); }

bool Control::hasFocus() const { return form_.focusedControl() == this; }

void Control::changed(Property property) { form_.notifyChanged(*this, property); }

bool Control::userAction(const std::function<void()>& action)
{
    if (!isUsable())
        return false;
    return form_.runUserAction(action);
}

bool Control::userAction(const Event<>& event)
{
    return userAction([&event] { event(); });
}

} // namespace tarvelo
