#pragma once

#include "TarveloExport.h"

#include "framework/forms/Control.h"

namespace tarvelo {

// A control that draws a whole form inside its bounds: a page hosted in
// another page, or a user control with controls of its own. Whoever draws the
// outer form draws the inner one there; a user reaches the inner controls
// only while this control is usable.
class TARVELO_EXPORT EmbeddedForm : public Control {
public:
    // The form drawn inside, or null while the control shows nothing.
    Form* embedded() const { return inner_; }

protected:
    EmbeddedForm(Form& form, const QString& name, int index, Control* parent);
    ~EmbeddedForm() override;

    // Shows another inner form, or none. Whoever draws this control hears of
    // it at once, so it lets go of the old form before that may be destroyed.
    void embed(Form* inner);
    // The same without telling anyone: while the control is being built or
    // destroyed, nobody draws it.
    void embedSilently(Form* inner);

private:
    Form* inner_ = nullptr;
};

} // namespace tarvelo
