#pragma once

#include "app/render/ControlView.h"
#include "app/render/FormView.h"

#include <QPointer>

namespace tarvelo {

class EmbeddedForm;

// A hosted page or a user control: a plain box at the control's bounds with a
// form view of the inner form inside, drawn with the outer view's scale and
// views. The box follows the control; the inner view follows the inner form.
class EmbeddedView final : public ControlView {
public:
    EmbeddedView(FormView& owner, EmbeddedForm& control, QWidget* parent);
    ~EmbeddedView() override;

    // The view of the form drawn inside, or null while the control shows none.
    FormView* innerView() const { return inner_; }

private:
    // Read as it is when locked: the model refuses a change, and the view shows the model again.
    bool readOnlyWhenLocked() const override { return true; }
    void syncProperty(Property property) override;
    void released() override { dropInner(); }
    // The inner form paints its own background.
    bool opaque() const override { return false; }
    void showInner();
    void dropInner();

    EmbeddedForm& embedded_;
    QWidget* box_;
    QPointer<FormView> inner_;
};

} // namespace tarvelo
