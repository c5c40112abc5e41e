#include "framework/forms/EmbeddedForm.h"

#include "framework/forms/Form.h"

namespace tarvelo {

EmbeddedForm::EmbeddedForm(Form& form, const QString& name, int index, Control* parent)
    : Control(form, ControlKind::Embedded, name, index, parent)
{
}

// A subclass that owns its inner form lets go of it in its own destructor,
// while that form still exists.
EmbeddedForm::~EmbeddedForm() = default;

void EmbeddedForm::embed(Form* inner)
{
    if (inner == inner_)
        return;
    embedSilently(inner);
    changed(Property::Contents);
}

void EmbeddedForm::embedSilently(Form* inner)
{
    if (inner_)
        inner_->setEmbeddedIn(nullptr);
    inner_ = inner;
    if (inner_)
        inner_->setEmbeddedIn(this);
}

} // namespace tarvelo
