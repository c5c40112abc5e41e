#include "app/render/ControlView.h"

#include "app/render/FormView.h"
#include "framework/forms/Form.h"

#include <QEvent>
#include <QFocusEvent>
#include <utility>

namespace tarvelo {

ControlView::ControlView(FormView& owner, Control& control) : owner_(owner), control_(control) {}

ControlView::~ControlView() = default;

const TwipsScale& ControlView::scale() const { return owner_.scale(); }

void ControlView::setWidget(QWidget* widget)
{
    widget_ = widget;
    widget->setObjectName(control_.index() >= 0 ? QStringLiteral("%1(%2)").arg(control_.name()).arg(control_.index())
                                                : control_.name());
    basePalette_ = widget->palette();
    // Set, not inherited: a widget placed in a scroll area or a button would
    // otherwise paint with its container's role instead of its own colour.
    widget->setBackgroundRole(backgroundRole());
    widget->setForegroundRole(foregroundRole());
    watch(widget);
}

void ControlView::watch(QWidget* part) { part->installEventFilter(this); }

void ControlView::update(Property property)
{
    if (!widget_)
        return;
    silently([&] {
        switch (property) {
        case Property::Bounds: syncBounds(); break;
        case Property::Visible: widget_->setVisible(control_.visible()); break;
        case Property::Enabled: widget_->setEnabled(control_.enabled()); break;
        case Property::BackColor:
        case Property::ForeColor: syncColours(); break;
        case Property::Font: widget_->setFont(toQFont(control_.font())); break;
        case Property::ToolTip: widget_->setToolTip(control_.toolTipText()); break;
        case Property::Focus:
            if (control_.hasFocus())
                owner_.giveFocus(*this);
            break;
        default: break;
        }
        syncProperty(property);
    });
}

void ControlView::syncAll()
{
    silently([&] {
        widget_->setFont(toQFont(control_.font()));
        widget_->setToolTip(control_.toolTipText());
        widget_->setEnabled(control_.enabled());
        syncColours();
        for (Property p : {Property::Caption, Property::Text, Property::Value, Property::Picture, Property::Other})
            syncProperty(p);
        syncBounds();
        widget_->setVisible(control_.visible());
    });
    scheduleLists();
}

void ControlView::syncBounds()
{
    widget_->setGeometry(scale().rect(control_));
    syncProperty(Property::Bounds);
}

void ControlView::syncColours()
{
    QPalette palette = basePalette_;
    const QColor back = toQColor(control_.backColor(), basePalette_);
    const QColor fore = toQColor(control_.foreColor(), basePalette_);
    // The disabled group keeps the theme's colours, so a disabled control
    // still looks disabled whatever colours the page gave it.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        if (control_.hasBackColor())
            palette.setColor(group, backgroundRole(), back);
        palette.setColor(group, foregroundRole(), fore);
    }
    if (control_.hasBackColor())
        palette.setColor(QPalette::Disabled, backgroundRole(), back);
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(opaque());
    syncProperty(Property::BackColor);
}

void ControlView::scheduleLists() { owner_.schedule(*this); }

void ControlView::silently(const std::function<void()>& update)
{
    ++syncing_;
    const QSignalBlocker blocker(widget_);
    try {
        update();
    } catch (...) {
        --syncing_;
        throw;
    }
    --syncing_;
}

void ControlView::retire()
{
    if (!widget_)
        return;
    released();
    QWidget* widget = std::exchange(widget_, nullptr);
    widget->hide();
    widget->deleteLater();
}

void ControlView::forward(const std::function<void()>& action)
{
    if (syncing() || !widget_)
        return;
    action();
    if (widget_)
        silently([this] { showModelState(); });
}

bool ControlView::eventFilter(QObject*, QEvent* event)
{
    if (syncing() || !widget_)
        return false;
    if (event->type() == QEvent::FocusIn) {
        focusedByUser();
    } else if (event->type() == QEvent::FocusOut) {
        // A menu or another window taking the focus is not leaving the control.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            owner_.runLeaving([this] { leftByUser(); });
    }
    return false;
}

void ControlView::focusedByUser()
{
    if (!control_.hasFocus())
        owner_.noteFocus(control_);
}

} // namespace tarvelo
