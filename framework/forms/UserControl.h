#pragma once

#include "TarveloExport.h"

#include "framework/errors/Procedures.h"
#include "framework/forms/EmbeddedForm.h"
#include "framework/forms/Form.h"

namespace tarvelo {

class Application;

// A control made of controls: it owns an inner form with its own controls
// and offers the pages what the product's own controls offer (BackColor,
// setApplication and the events a subclass declares). A subclass names its
// class (e.g. "RenteOpties"), declares its inner controls in its constructor
// and fills them in Fill_Control once the host application is known.
//
// Its procedures run guarded like a page's (reported under its class name);
// errors that escape an inner control's handler go where the outer form's do.
class TARVELO_EXPORT UserControl : public EmbeddedForm, public Procedures {
public:
    ~UserControl() override;

    const QString& className() const { return className_; }

    Form& inner() { return inner_; }
    const Form& inner() const { return inner_; }

    // The inner form fills the control, so its own layout can follow a resize.
    void setBounds(int left, int top, int width, int height) override;

    // Also the inner form and those of its controls still in the system button
    // face colour take the colour, as a page's controls take the page's.
    Colour BackColor() const { return backColor(); }
    void setBackColor(Colour colour) override;

    Application* getApplication() const { return host(); }
    // Stores the host application and fills the control; an error in the fill
    // reaches the caller, which is the page's own guarded procedure.
    void setApplication(Application& application);

protected:
    UserControl(Form& form, const QString& className, const QString& name, int index, Control* parent);

    // Reads what the control shows from the host; called by setApplication.
    virtual void Fill_Control() {}

private:
    QString className_;
    Form inner_;
};

} // namespace tarvelo
