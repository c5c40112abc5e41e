#pragma once

#include "TarveloExport.h"

#include "framework/forms/Control.h"
#include "framework/forms/Event.h"

namespace tarvelo {

// A picture from a file; the renderer draws it, stretched when asked.
class TARVELO_EXPORT Image : public Control {
public:
    Image(Form& form, const QString& name, int index, Control* parent)
        : Control(form, ControlKind::Image, name, index, parent)
    {
        noBackColor();
    }

    const QString& picture() const { return picture_; }
    void setPicture(const QString& path)
    {
        if (picture_ != path) {
            picture_ = path;
            changed(Property::Picture);
        }
    }
    bool stretch() const { return stretch_; }
    void setStretch(bool on)
    {
        stretch_ = on;
        changed(Property::Picture);
    }

    Event<> Click;
    bool click() { return userAction(Click); }

private:
    QString picture_;
    bool stretch_ = false;
};

} // namespace tarvelo
