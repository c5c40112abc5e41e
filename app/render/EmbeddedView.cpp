#include "app/render/EmbeddedView.h"

#include "app/render/FormView.h"
#include "framework/forms/EmbeddedForm.h"
#include "framework/forms/Form.h"

namespace tarvelo {

EmbeddedView::EmbeddedView(FormView& owner, EmbeddedForm& control, QWidget* parent)
    : ControlView(owner, control),
      embedded_(control),
      box_(new QWidget(parent))
{
    setWidget(box_);
    showInner();
}

EmbeddedView::~EmbeddedView() { dropInner(); }

void EmbeddedView::syncProperty(Property property)
{
    if (property == Property::Contents)
        showInner();
}

void EmbeddedView::showInner()
{
    dropInner();
    Form* form = embedded_.embedded();
    if (!form)
        return;
    inner_ = new FormView(*form, owner().scale(), owner().viewRegistry(), box_);
    inner_->move(0, 0);
    inner_->show();
}

void EmbeddedView::dropInner()
{
    if (!inner_)
        return;
    // The inner form may be destroyed right after this; the user's input that
    // led here may still be running in one of the inner widgets.
    FormView* inner = inner_;
    inner_ = nullptr;
    inner->letGo();
    inner->hide();
    inner->deleteLater();
}

} // namespace tarvelo
