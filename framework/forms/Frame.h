#pragma once

#include "TarveloExport.h"

#include "framework/forms/Control.h"

namespace tarvelo {

// A captioned group box that holds other controls.
class TARVELO_EXPORT Frame : public Control {
public:
    Frame(Form& form, const QString& name, int index, Control* parent)
        : Control(form, ControlKind::Frame, name, index, parent)
    {
        setBounds(0, 0, 4815, 1215);
    }

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption)
    {
        if (caption_ != caption) {
            caption_ = caption;
            changed(Property::Caption);
        }
    }

private:
    QString caption_;
};

} // namespace tarvelo
