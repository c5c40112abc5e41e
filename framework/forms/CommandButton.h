#pragma once

#include "TarveloExport.h"

#include "framework/forms/Control.h"
#include "framework/forms/Event.h"

namespace tarvelo {

class TARVELO_EXPORT CommandButton : public Control {
public:
    CommandButton(Form& form, const QString& name, int index, Control* parent)
        : Control(form, ControlKind::CommandButton, name, index, parent)
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
    // The button that Enter (default) or Escape (cancel) presses in a dialog.
    bool isDefault() const { return default_; }
    void setDefault(bool on)
    {
        default_ = on;
        changed(Property::Other);
    }
    bool isCancel() const { return cancel_; }
    void setCancel(bool on)
    {
        cancel_ = on;
        changed(Property::Other);
    }

    Event<> Click;
    bool click() { return userAction(Click); }

private:
    QString caption_;
    bool default_ = false;
    bool cancel_ = false;
};

} // namespace tarvelo
