#pragma once

#include "TarveloExport.h"

#include "framework/forms/Control.h"
#include "framework/forms/Event.h"

namespace tarvelo {

// Value 0 = unticked, 1 = ticked, 2 = grey. Click is raised on every change of
// the value, whether a user or the code made it.
class TARVELO_EXPORT CheckBox : public Control {
public:
    CheckBox(Form& form, const QString& name, int index, Control* parent)
        : Control(form, ControlKind::CheckBox, name, index, parent)
    {
    }

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption)
    {
        if (caption_ != caption) {
            caption_ = caption;
            changed(Property::Caption);
        }
    }

    int value() const { return value_; }
    bool isChecked() const { return value_ == 1; }
    void setValue(int value);
    void setChecked(bool on) { setValue(on ? 1 : 0); }

    Event<> Click;
    // A user's click ticks an unticked or grey box and unticks a ticked one.
    bool click();

private:
    QString caption_;
    int value_ = 0;
};

// Option buttons in one container form a group: choosing one clears the others.
// Click is raised on the button that becomes chosen, and on every user's click,
// also on the button already chosen; code that sets it again raises none.
class TARVELO_EXPORT OptionButton : public Control {
public:
    OptionButton(Form& form, const QString& name, int index, Control* parent)
        : Control(form, ControlKind::OptionButton, name, index, parent)
    {
    }

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption)
    {
        if (caption_ != caption) {
            caption_ = caption;
            changed(Property::Caption);
        }
    }

    bool value() const { return value_; }
    void setValue(bool on);

    Event<> Click;
    bool click();

private:
    QString caption_;
    bool value_ = false;
};

} // namespace tarvelo
