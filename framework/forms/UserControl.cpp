#include "framework/forms/UserControl.h"

#include "framework/errors/ReportTexts.h"
#include "framework/page/DpiScaling.h"

namespace tarvelo {

UserControl::UserControl(Form& form, const QString& className, const QString& name, int index, Control* parent)
    : EmbeddedForm(form, name, index, parent),
      // Its guarded procedures report under its class name, in the context
      // of the dialogs shared by several pages.
      Procedures(
          className, [] { return ReportTexts::GeneralContext; }, ReportTexts::Message),
      className_(className),
      inner_(className)
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
    setHost(&application);
    Fill_Control();
}

} // namespace tarvelo
