#pragma once

#include "TarveloExport.h"

#include "framework/forms/Control.h"

namespace tarvelo {

class TARVELO_EXPORT ProgressBar : public Control {
public:
    ProgressBar(Form& form, const QString& name, int index, Control* parent)
        : Control(form, ControlKind::ProgressBar, name, index, parent)
    {
        noBackColor();
    }

    int min() const { return min_; }
    int max() const { return max_; }
    int value() const { return value_; }
    void setMin(int v)
    {
        min_ = v;
        changed(Property::Value);
    }
    void setMax(int v)
    {
        max_ = v;
        changed(Property::Value);
    }
    void setValue(int v)
    {
        if (value_ != v) {
            value_ = v;
            changed(Property::Value);
        }
    }

private:
    int min_ = 0, max_ = 100, value_ = 0;
};

} // namespace tarvelo
