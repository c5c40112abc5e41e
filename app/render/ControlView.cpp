#include "app/render/ControlView.h"

#include "app/PlainText.h"
#include "app/render/FormView.h"
#include "framework/forms/Form.h"
#include "framework/forms/Label.h"

#include "framework/host/SettingsObject.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <utility>

using namespace Qt::StringLiterals;

namespace tarvelo {

ControlView::ControlView(FormView& owner, Control& control) : owner_(owner), control_(control) {}

ControlView::~ControlView() = default;

const TwipsScale& ControlView::scale() const { return owner_.scale(); }

void ControlView::setWidget(QWidget* widget)
{
    widget_ = widget;
    widget->setObjectName(control_.index() >= 0 ? u"%1(%2)"_s.arg(control_.name()).arg(control_.index())
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
        case Property::Visible:
            widget_->setVisible(control_.visible());
            syncMarker();
            break;
        case Property::Enabled: widget_->setEnabled(usable()); break;
        case Property::Marker: syncMarker(); break;
        case Property::BackColor:
        case Property::ForeColor: syncColours(); break;
        case Property::Font: widget_->setFont(toQFont(control_.font())); break;
        case Property::Caption: outlineSwatch(); break;
        case Property::ToolTip: syncMarker(); break;
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
        widget_->setToolTip(plainToolTip(control_.toolTipText()));
        widget_->setEnabled(usable());
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
    syncMarker();
}

QPixmap markerPicture(SettingMarker marker, const QPalette& palette, bool onSelection)
{
    const qreal ratio = 2;
    QPixmap picture(QSize(10, 12) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    if (marker == SettingMarker::ChangedFromDefault) {
        p.setPen(Qt::NoPen);
        p.setBrush(palette.color(onSelection ? QPalette::HighlightedText : QPalette::Highlight));
        p.drawEllipse(QRectF(2, 3.5, 5, 5));
    } else {
        const QColor ink = palette.color(QPalette::Disabled, QPalette::WindowText).darker(140);
        p.setPen(QPen(ink, 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.2, 1, 5.6, 7), 0, 180 * 16);
        p.drawLine(QPointF(2.2, 4.5), QPointF(2.2, 6));
        p.drawLine(QPointF(7.8, 4.5), QPointF(7.8, 6));
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRoundedRect(QRectF(1, 5.5, 8, 6), 1, 1);
    }
    return picture;
}

QRect ControlView::markerSpot() const
{
    // Beside what the user reads: after a check box's caption, after a field;
    // inside the field's end where a neighbour or the container's edge leaves
    // no room beside it. Neighbours are taken from the form, not from the
    // widgets, so that one declared later (a folder button after its field)
    // counts before its widget exists.
    const QSize size(10, 12);
    const QRect at = widget_->geometry();
    const int shown =
        qobject_cast<QAbstractButton*>(widget_.data()) ? std::min(at.width(), widget_->sizeHint().width()) : at.width();
    const int top = at.top() + (at.height() - size.height()) / 2;
    const QRect beside(QPoint(at.left() + shown + 3, top), size);
    bool free = beside.right() <= widget_->parentWidget()->width() - 2;
    if (free && control_.parent()) {
        for (const Control* sibling : control_.form().childrenOf(*control_.parent())) {
            if (sibling != &control_ && sibling->visible() && scale().rect(*sibling).intersects(beside)) {
                free = false;
                break;
            }
        }
    }
    if (free)
        return beside;
    return QRect(QPoint(at.left() + shown - markerInset(), top), size);
}

namespace {

constexpr const char* NotReadProperty = "tarveloNotRead";

// A picture a screen reader passes by: no name, no role of its own, not
// shown to it.
class NotRead final : public QAccessibleWidget {
public:
    explicit NotRead(QWidget* w) : QAccessibleWidget(w, QAccessible::NoRole) {}
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        s.focusable = false;
        return s;
    }
    QString text(QAccessible::Text) const override { return QString(); }
};

QAccessibleInterface* notReadFactory(const QString&, QObject* object)
{
    if (object && object->isWidgetType() && object->property(NotReadProperty).toBool())
        return new NotRead(static_cast<QWidget*>(object));
    return nullptr;
}

// Before the widget is first asked for: the interface is made once.
void hideFromScreenReaders(QWidget& widget)
{
    static const bool installed = [] {
        QAccessible::installFactory(notReadFactory);
        return true;
    }();
    (void)installed;
    widget.setProperty(NotReadProperty, true);
}

} // namespace

QString ControlView::markerText() const
{
    switch (control_.settingMarker()) {
    case SettingMarker::Locked: return SettingsObject::lockedMessage();
    case SettingMarker::ChangedFromDefault:
        return !control_.settingMarkerNote().isEmpty()
                   ? plainToolTip(control_.settingMarkerNote())
                   : u"Gewijzigd: deze instelling wijkt af van de standaardwaarde."_s;
    default: return QString();
    }
}

void ControlView::describe()
{
    const QString marker = markerText();
    const auto joined = [&](const QString& own) {
        return own.isEmpty() ? marker : marker.isEmpty() ? own : own + u". "_s + marker;
    };
    if (widget_->accessibleDescription() != joined(ownDescription_))
        widget_->setAccessibleDescription(joined(ownDescription_));
    if (!(widget_->focusPolicy() & Qt::TabFocus)) {
        for (QWidget* part : tabWidgets())
            part->setAccessibleDescription(joined(partsDescription_));
    }
}

void ControlView::syncMarker()
{
    const SettingMarker marker = control_.settingMarker();
    const bool locked = marker == SettingMarker::Locked;
    widget_->setToolTip(locked ? SettingsObject::lockedMessage() : plainToolTip(control_.toolTipText()));
    widget_->setEnabled(usable());
    showMarkerState(marker);
    describe();
    if (marker == SettingMarker::None || !control_.visible() || !widget_->parentWidget()) {
        if (marker_)
            marker_->hide();
        markerInside(false);
        return;
    }
    if (!marker_) {
        auto* label = new QLabel(widget_->parentWidget());
        label->setObjectName(widget_->objectName() + u"_markering"_s);
        // Read with its field (in the field's description), not as a picture of its own.
        hideFromScreenReaders(*label);
        label->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        marker_ = label;
    }
    auto* label = static_cast<QLabel*>(marker_.data());
    label->setPixmap(markerPicture(marker, widget_->palette()));
    label->setToolTip(markerText());
    const QRect spot = markerSpot();
    label->setGeometry(spot);
    markerInside(widget_->geometry().contains(spot));
    label->setVisible(widget_->isVisibleTo(widget_->parentWidget()) || control_.visible());
    label->raise();
}

void ControlView::syncColours()
{
    QPalette palette = basePalette_;
    const QColor back = toQColor(control_.backColor(), basePalette_);
    const QColor fore = toQColor(control_.foreColor(), basePalette_);
    // A field the user may read but not change is drawn on the theme's
    // disabled field colour, unless the page gave it a colour of its own.
    const bool ownColour = control_.hasBackColor() && control_.backColor() != SystemColour::Window;
    const QColor readOnlyBack = basePalette_.color(QPalette::Disabled, backgroundRole());
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        if (readOnly() && !ownColour)
            palette.setColor(group, backgroundRole(), readOnlyBack);
        else if (control_.hasBackColor())
            palette.setColor(group, backgroundRole(), back);
        palette.setColor(group, foregroundRole(), fore);
    }
    // The disabled group keeps the theme's colours, so that a disabled field
    // looks disabled (grey field, grey text) whatever colours the page gave
    // it. A label or frame keeps its container's colour, or it would stand out
    // as a band.
    if (control_.hasBackColor() && !isField())
        palette.setColor(QPalette::Disabled, backgroundRole(), back);
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(opaque());
    outlineSwatch();
    syncProperty(Property::BackColor);
}

void ControlView::outlineSwatch()
{
    // A label without a caption that shows a colour of its own is a colour
    // swatch: a thin border keeps white and near-white visible on a light page.
    auto* frame = qobject_cast<QFrame*>(widget_.data());
    if (!frame || control_.kind() != ControlKind::Label)
        return;
    const bool swatch = opaque() && static_cast<const Label&>(control_).caption().isEmpty();
    frame->setFrameStyle(swatch ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    // Text on a colour of its own (a cell of a sample table) keeps off the
    // colour's edge on the side it is aligned to.
    if (auto* label = qobject_cast<QLabel*>(frame))
        label->setIndent(opaque() && !swatch ? 4 : -1);
    if (swatch) {
        QPalette p = frame->palette();
        const QColor line = basePalette_.color(QPalette::Dark);
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            p.setColor(group, QPalette::WindowText, line);
        frame->setPalette(p);
    }
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
    if (marker_)
        marker_->deleteLater();
}

std::vector<QWidget*> ControlView::tabWidgets() const
{
    if (!widget_)
        return {};
    if (widget_->focusPolicy() & Qt::TabFocus)
        return {widget_.data()};
    std::vector<QWidget*> parts;
    for (QWidget* part : widget_->findChildren<QWidget*>()) {
        // A popup of a part is a window of its own, outside the tab order.
        if ((part->focusPolicy() & Qt::TabFocus) && !part->focusProxy() && part->window() == widget_->window())
            parts.push_back(part);
    }
    return parts;
}

void ControlView::setAccessibleName(const QString& name, bool byLabel)
{
    if (!widget_)
        return;
    if (widget_->accessibleName() != name)
        widget_->setAccessibleName(name);
    // A screen reader on Linux reads a combo as its current value and takes
    // what it is for from its label; without a label the description says it.
    if (qobject_cast<QComboBox*>(widget_.data()))
        ownDescription_ = byLabel ? QString() : name;
    // The parts of a control drawn as several keep their own names (Ja, Nee)
    // and tell what they belong to.
    partsDescription_ = name;
    describe();
}

void ControlView::setAccessibleQuestion(const QString& question)
{
    ownDescription_ = question;
    describe();
}

void ControlView::forward(const std::function<void()>& action)
{
    if (syncing() || !widget_)
        return;
    action();
    if (widget_)
        silently([this] { showModelState(); });
}

namespace {
// Input that would change a choice: presses, the wheel, and keys other than
// those that move on, answer the dialog or reach an access key.
bool changingInput(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel: return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto& key = static_cast<const QKeyEvent&>(event);
        if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        switch (key.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter: return false;
        default: return true;
        }
    }
    default: return false;
    }
}
} // namespace

bool ControlView::eventFilter(QObject*, QEvent* event)
{
    if (syncing() || !widget_)
        return false;
    // A locked choice can be reached and read, not changed; a press only
    // gives it the focus.
    if (lockedSetting() && !readOnlyWhenLocked() && changingInput(*event)) {
        if (event->type() == QEvent::MouseButtonPress && widget_->focusPolicy() != Qt::NoFocus)
            widget_->setFocus(Qt::MouseFocusReason);
        return true;
    }
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
