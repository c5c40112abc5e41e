#include "app/render/FormView.h"

#include "app/render/AddressView.h"
#include "app/render/ChoiceViews.h"
#include "app/render/ControlView.h"
#include "app/render/ListViews.h"
#include "app/render/ReportView.h"
#include "app/render/SimpleViews.h"
#include "app/render/TextBoxView.h"
#include "app/render/ToolTipView.h"
#include "framework/forms/AddressControl.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Image.h"
#include "framework/forms/Line.h"
#include "framework/forms/ListBox.h"
#include "framework/forms/ListView.h"
#include "framework/forms/ProgressBar.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "framework/tooltip/CToolTip.h"

namespace tarvelo {

FormView::FormView(Form& form, TwipsScale scale, QWidget* parent) : QWidget(parent), form_(form), scale_(scale)
{
    setObjectName(form.name());
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(0);
    QObject::connect(&flushTimer_, &QTimer::timeout, this, [this] { flushPending(); });

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
    form_.setObserver(nullptr);
    flushTimer_.stop();
    toolTips_.clear();
    // The views go before their widgets, so no widget signal reaches a view
    // that is being taken down.
    pending_.clear();
    viewOf_.clear();
    views_.clear();
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
    QWidget* parent = containerWidget(control);
    std::unique_ptr<ControlView> view;
    switch (control.kind()) {
    case ControlKind::Frame: view = std::make_unique<FrameView>(*this, static_cast<Frame&>(control), parent); break;
    case ControlKind::Label:
    case ControlKind::Hint: view = std::make_unique<LabelView>(*this, static_cast<Label&>(control), parent); break;
    case ControlKind::TextBox: view = std::make_unique<TextBoxView>(*this, static_cast<TextBox&>(control), parent); break;
    case ControlKind::CheckBox: view = std::make_unique<CheckBoxView>(*this, static_cast<CheckBox&>(control), parent); break;
    case ControlKind::OptionButton:
        view = std::make_unique<OptionButtonView>(*this, static_cast<OptionButton&>(control), parent);
        break;
    case ControlKind::ComboBox: view = std::make_unique<ComboBoxView>(*this, static_cast<ComboBox&>(control), parent); break;
    case ControlKind::ListBox: view = std::make_unique<ListBoxView>(*this, static_cast<ListBox&>(control), parent); break;
    case ControlKind::ListView: view = std::make_unique<ReportView>(*this, static_cast<ListView&>(control), parent); break;
    case ControlKind::CommandButton:
        view = std::make_unique<CommandButtonView>(*this, static_cast<CommandButton&>(control), parent);
        break;
    case ControlKind::Image: view = std::make_unique<ImageView>(*this, static_cast<Image&>(control), parent); break;
    case ControlKind::YesNo: view = std::make_unique<YesNoView>(*this, static_cast<YesNo&>(control), parent); break;
    case ControlKind::Address:
        view = std::make_unique<AddressView>(*this, static_cast<AddressControl&>(control), parent);
        break;
    case ControlKind::ProgressBar:
        view = std::make_unique<ProgressBarView>(*this, static_cast<ProgressBar&>(control), parent);
        break;
    case ControlKind::Line: view = std::make_unique<LineView>(*this, static_cast<Line&>(control), parent); break;
    case ControlKind::Form: return nullptr;
    }
    ControlView* added = view.get();
    views_.push_back(std::move(view));
    viewOf_.insert(&control, added);
    added->syncAll();
    return added;
}

void FormView::observe(Control& control, Property property)
{
    if (&control == &form_) {
        syncFormProperty(property);
    } else if (ControlView* view = viewOf_.value(&control)) {
        view->update(property);
    } else if (ControlView* added = addView(control); added && isVisible()) {
        // A control added while the form is shown (a loaded control array element).
        added->widget()->show();
    }
    if (property == Property::ToolTip)
        syncToolTip(control);
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
    if (!focused || focused->kind() != ControlKind::TextBox)
        return true;
    if (static_cast<TextBox*>(focused)->leave())
        return true;
    if (ControlView* view = viewOf_.value(focused))
        refuseLeaving(*view);
    return false;
}

} // namespace tarvelo
