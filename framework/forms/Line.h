#pragma once

#include "TarveloExport.h"

#include "framework/forms/Control.h"

namespace tarvelo {

// A drawn line between two points (twips, relative to its container).
class TARVELO_EXPORT Line : public Control {
public:
    Line(Form& form, const QString& name, int index, Control* parent)
        : Control(form, ControlKind::Line, name, index, parent)
    {
        noBackColor();
    }

    int x1() const { return x1_; }
    int y1() const { return y1_; }
    int x2() const { return x2_; }
    int y2() const { return y2_; }
    void setPoints(int x1, int y1, int x2, int y2)
    {
        x1_ = x1;
        y1_ = y1;
        x2_ = x2;
        y2_ = y2;
        setBounds(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
        changed(Property::Other);
    }
    Colour borderColor() const { return borderColor_; }
    void setBorderColor(Colour c)
    {
        borderColor_ = c;
        changed(Property::ForeColor);
    }

private:
    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    Colour borderColor_ = SystemColour::WindowText;
};

} // namespace tarvelo
