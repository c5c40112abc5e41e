#pragma once

#include "TarveloExport.h"

#include "framework/forms/Control.h"
#include "framework/forms/Event.h"

namespace tarvelo {

// The two-choice selector: 2 = "Ja", 1 = "Nee", 0 = nothing chosen yet.
// Change is raised on every change of the value.
class TARVELO_EXPORT YesNo : public Control {
public:
    static constexpr int Ja = 2;
    static constexpr int Nee = 1;

    YesNo(Form& form, const QString& name, int index, Control* parent)
        : Control(form, ControlKind::YesNo, name, index, parent)
    {
        setBounds(0, 0, 1455, 285);
    }

    int value() const { return value_; }
    void setValue(int value);
    bool isJa() const { return value_ == Ja; }
    void setJa(bool ja) { setValue(ja ? Ja : Nee); }

    static QString captionOf(int value);

    Event<> Change;
    bool choose(int value);

private:
    int value_ = 0;
};

} // namespace tarvelo
