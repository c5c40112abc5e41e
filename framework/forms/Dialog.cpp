#include "framework/forms/Dialog.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Application.h"
#include "framework/page/DpiScaling.h"

namespace tarvelo {

Dialog::Dialog(const QString& name, const QString& errorContext, const QString& errorMessage)
    : Form(name), Procedures(name, [errorContext] { return errorContext; }, errorMessage)
{
    setVisible(false);
}

Ui& Dialog::ui() const { return app().ui(); }

void Dialog::setBackColor(Colour colour)
{
    Form::setBackColor(colour);
    SetControlsBackColor(controls(), colour, {}, SystemColour::ButtonFace);
}

void Dialog::close(bool cancelled)
{
    cancelled_ = cancelled;
    hide();
}

} // namespace tarvelo
