#include "framework/forms/UserControl.h"

#include "framework/errors/RuntimeError.h"
#include "framework/page/DpiScaling.h"

namespace tarvelo {

UserControl::UserControl(Form& form, const QString& className, const QString& name, int index, Control* parent)
    : EmbeddedForm(form, name, index, parent), className_(className), inner_(className)
{
    inner_.setBounds(0, 0, width(), height());
    inner_.setUnhandledErrorHandler([this](Form&, std::exception_ptr error) { this->form().reportUnhandled(error); });
    embedSilently(&inner_);
}

UserControl::~UserControl()
{
    // The inner form is a member: it goes before the base class would let go of it.
    embedSilently(nullptr);
}

void UserControl::setBounds(int left, int top, int width, int height)
{
    EmbeddedForm::setBounds(left, top, width, height);
    inner_.setBounds(0, 0, this->width(), this->height());
}

void UserControl::setBackColor(Colour colour)
{
    EmbeddedForm::setBackColor(colour);
    inner_.setBackColor(colour);
    SetControlsBackColor(inner_.controls(), colour, {}, SystemColour::ButtonFace);
}

void UserControl::setApplication(Application& application)
{
    application_ = &application;
    Fill_Control();
}

Application& UserControl::app() const
{
    if (!application_)
        throw RuntimeError::objectRequired();
    return *application_;
}

} // namespace tarvelo
