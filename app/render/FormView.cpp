#include "app/render/FormView.h"

#include "app/render/ControlView.h"
#include "app/render/EmbeddedView.h"
#include "app/render/StandardViews.h"
#include "app/render/ToolTipView.h"
#include "app/render/ViewRegistry.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Form.h"
#include "framework/forms/TextBox.h"
#include "framework/tooltip/CToolTip.h"

#include <QMouseEvent>

#include <algorithm>

namespace tarvelo {

FormView::FormView(Form& form, TwipsScale scale, QWidget* parent) : FormView(form, scale, standardViews(), parent) {}

FormView::FormView(Form& form, TwipsScale scale, const ViewRegistry& views, QWidget* parent)
    : QWidget(parent), form_(form), scale_(scale), viewRegistry_(views)
{
    setObjectName(form.name());
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(0);
    QObject::connect(&flushTimer_, &QTimer::timeout, this, [this] { flushOwn(); });

    for (Control* control : form.controls()) {
        if (control != &form)
            addView(*control);
    }
    // Tips created before the form was drawn.
    for (Control* control : form.controls())
        syncToolTip(*control);
    syncFormProperty(Property::Bounds);
    syncFormProperty(Property::BackColor);
    syncFormProperty(Property::Caption);
    syncFormProperty(Property::Font);
    form.setObserver([this](Control& control, Property property) { observe(control, property); });
}

FormView::~FormView()
{
    if (!detached_)
        form_.setObserver(nullptr);
    flushTimer_.stop();
    toolTips_.clear();
    // The views go before their widgets, so no widget signal reaches a view
    // that is being taken down.
    pending_.clear();
    viewOf_.clear();
    views_.clear();
}

void FormView::mousePressEvent(QMouseEvent* event)
{
    // Only presses on the form itself reach here; a control's widget takes its own.
    if (!detached_) {
        const QPoint at = event->position().toPoint();
        form_.MouseDown(at.x() * scale_.twipsPerPixelX, at.y() * scale_.twipsPerPixelY);
    }
    QWidget::mousePressEvent(event);
}

QWidget* FormView::widgetOf(const Control& control) const
{
    if (&control == &form_)
        return const_cast<FormView*>(this);
    ControlView* view = viewOf_.value(&control);
    return view ? view->widget() : nullptr;
}

QWidget* FormView::containerWidget(const Control& control) const
{
    const Control* parent = control.parent();
    if (!parent || parent == &form_)
        return const_cast<FormView*>(this);
    ControlView* view = viewOf_.value(parent);
    return view && view->containerWidget() ? view->containerWidget() : const_cast<FormView*>(this);
}

ControlView* FormView::addView(Control& control)
{
    std::unique_ptr<ControlView> view = viewRegistry_.create(*this, control, containerWidget(control));
    if (!view)
        return nullptr;
    ControlView* added = view.get();
    views_.push_back(std::move(view));
    viewOf_.insert(&control, added);
    added->syncAll();
    return added;
}

void FormView::dropView(const Control& control)
{
    toolTips_.erase(&control);
    ControlView* view = viewOf_.take(&control);
    if (!view)
        return;
    pending_.remove(view);
    view->retire();
    const auto it = std::find_if(views_.begin(), views_.end(), [view](const auto& v) { return v.get() == view; });
    std::unique_ptr<ControlView> owned = std::move(*it);
    views_.erase(it);
    // The user's input that removed the control may still be running in this
    // view; it goes once control is back in the event loop, with this form
    // view at the latest.
    owned->setParent(this);
    owned.release()->deleteLater();
}

void FormView::letGo()
{
    if (detached_)
        return;
    detached_ = true;
    form_.setObserver(nullptr);
    flushTimer_.stop();
    pending_.clear();
    toolTips_.clear();
    viewOf_.clear();
    for (const auto& view : views_)
        view->retire();
}

void FormView::observe(Control& control, Property property)
{
    if (&control == &form_) {
        syncFormProperty(property);
    } else if (property == Property::Removed) {
        dropView(control);
        return;
    } else if (ControlView* view = viewOf_.value(&control)) {
        view->update(property);
    } else if (property != Property::Other || !form_.contains(control)) {
        // A control being built or destroyed: the form announces it once it is on the form.
    } else if (ControlView* added = addView(control); added && isVisible()) {
        // A control added while the form is shown (a loaded control array element).
        added->widget()->show();
    }
    if (property == Property::ToolTip)
        syncToolTip(control);
    if (property == Property::Marker && onMarkerChanged)
        onMarkerChanged();
}

void FormView::syncToolTip(const Control& control)
{
    const CToolTip* tip = CToolTip::on(control);
    QWidget* tool = tip ? widgetOf(control) : nullptr;
    if (!tool) {
        toolTips_.erase(&control);
        return;
    }
    // Another tip on the control is another window: the one shown goes.
    ShownToolTip& shown = toolTips_[&control];
    if (shown.tip != tip || !shown.view) {
        shown.view = std::make_unique<ToolTipView>(*tool);
        shown.tip = tip;
    }
    shown.view->follow(*tip->window());
}

bool FormView::pressCancelButton()
{
    for (Control* c : form_.controls()) {
        if (c->kind() == ControlKind::CommandButton && static_cast<CommandButton*>(c)->isCancel() && c->isUsable()) {
            static_cast<CommandButton*>(c)->click();
            return true;
        }
    }
    return false;
}

void FormView::syncFormProperty(Property property)
{
    switch (property) {
    case Property::Bounds: {
        // A dialog's height counts its title bar, which the window system draws.
        const QSize size(scale_.x(form_.width()), scale_.y(form_.innerHeight()));
        if (this->size() != size) {
            setFixedSize(size);
            if (onResized)
                onResized();
        }
        break;
    }
    case Property::BackColor: {
        QPalette p = palette();
        p.setColor(QPalette::Window, toQColor(form_.backColor(), QPalette()));
        setPalette(p);
        setAutoFillBackground(true);
        break;
    }
    case Property::Caption: setWindowTitle(form_.caption()); break;
    case Property::Font: setFont(toQFont(form_.font())); break;
    case Property::Visible:
        if (!form_.visible() && onHidden)
            onHidden();
        break;
    default: break;
    }
}

void FormView::schedule(ControlView& view)
{
    pending_.insert(&view);
    if (!flushTimer_.isActive())
        flushTimer_.start();
}

void FormView::flushPending()
{
    flushOwn();
    // The forms of embedded pages and user controls keep lists of their own.
    // (FormView has no meta-object of its own, so qobject_cast cannot tell it.)
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (auto* inner = dynamic_cast<FormView*>(widget))
            inner->flushOwn();
    }
}

void FormView::flushOwn()
{
    flushTimer_.stop();
    // Redrawing a list may run no page code, but take the set first anyway.
    const QSet<ControlView*> pending = std::exchange(pending_, {});
    for (ControlView* view : pending)
        view->syncLists();
}

void FormView::giveFocus(ControlView& view)
{
    if (noting_)
        return;
    if (leaving_) {
        // Qt is moving the focus right now; the control takes it back after.
        QTimer::singleShot(0, this, [this, control = &view.control()] {
            if (ControlView* v = viewOf_.value(control); v && control->hasFocus())
                focusNow(*v);
        });
        return;
    }
    focusNow(view);
}

void FormView::focusNow(ControlView& view)
{
    QWidget* w = view.widget();
    if (!w)
        return;
    if (w->isEnabled() && w->focusPolicy() != Qt::NoFocus && !w->hasFocus())
        w->setFocus(Qt::OtherFocusReason);
    if (onControlFocused)
        onControlFocused(w);
}

void FormView::noteFocus(Control& control)
{
    noting_ = true;
    control.setFocus();
    noting_ = false;
}

void FormView::runLeaving(const std::function<void()>& leave)
{
    leaving_ = true;
    leave();
    leaving_ = false;
}

void FormView::refuseLeaving(ControlView& view)
{
    // The user may already be on the way to another control, or out of the
    // form: the focus goes back once Qt has finished moving it.
    refused_ = true;
    QTimer::singleShot(0, this, [this, control = &view.control()] {
        refused_ = false;
        if (ControlView* v = viewOf_.value(control))
            focusNow(*v);
    });
}

bool FormView::leaveFocusedControl()
{
    if (refused_)
        return false;
    Control* focused = form_.focusedControl();
    if (focused && focused->kind() == ControlKind::TextBox && !static_cast<TextBox*>(focused)->leave()) {
        if (ControlView* view = viewOf_.value(focused))
            refuseLeaving(*view);
        return false;
    }
    for (const auto& view : views_) {
        const auto* embedded = dynamic_cast<const EmbeddedView*>(view.get());
        if (embedded && embedded->innerView() && !embedded->innerView()->leaveFocusedControl())
            return false;
    }
    return true;
}

} // namespace tarvelo
