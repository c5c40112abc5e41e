#include "app/render/FormView.h"

#include "app/render/AccessKeys.h"
#include "app/render/ControlView.h"
#include "app/render/EmbeddedView.h"
#include "app/render/SimpleViews.h"
#include "app/render/StandardViews.h"
#include "app/render/ToolTipView.h"
#include "app/render/ViewRegistry.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/tooltip/CToolTip.h"

#include <QMouseEvent>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

FormView::FormView(Form& form, TwipsScale scale, QWidget* parent) : FormView(form, scale, standardViews(), parent) {}

FormView::FormView(Form& form, TwipsScale scale, const ViewRegistry& views, QWidget* parent)
    : QWidget(parent),
      form_(form),
      scale_(scale),
      viewRegistry_(views)
{
    setObjectName(form.name());
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(0);
    QObject::connect(&flushTimer_, &QTimer::timeout, this, [this] { flushOwn(); });
    accessTimer_.setSingleShot(true);
    accessTimer_.setInterval(0);
    QObject::connect(&accessTimer_, &QTimer::timeout, this, [this] { refreshAccess(); });

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
    refreshAccess();
}

FormView::~FormView()
{
    if (!detached_)
        form_.setObserver(nullptr);
    flushTimer_.stop();
    accessTimer_.stop();
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
    alignLabelsOf(control);
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
    accessTimer_.stop();
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
        scheduleAccess();
        return;
    } else if (ControlView* view = viewOf_.value(&control)) {
        view->update(property);
        if (property == Property::Bounds || property == Property::Font)
            alignLabelsOf(control);
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
    // What decides the tab order and who names which field.
    // (the chosen option button is its group's stop).
    if (property == Property::Bounds || property == Property::Visible || property == Property::Caption ||
        property == Property::Other || property == Property::Contents ||
        (property == Property::Value && control.kind() == ControlKind::OptionButton))
        scheduleAccess();
}

void FormView::alignLabelsOf(const Control& field)
{
    if (field.kind() != ControlKind::TextBox && field.kind() != ControlKind::ComboBox)
        return;
    if (!field.parent())
        return;
    for (const Control* sibling : form_.childrenOf(*field.parent())) {
        if (sibling->kind() != ControlKind::Label || static_cast<const Label*>(sibling)->buddy() != &field)
            continue;
        if (auto* label = dynamic_cast<LabelView*>(viewOf_.value(sibling)))
            label->alignWithField();
    }
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

bool FormView::pressDefaultButton()
{
    for (Control* c : form_.controls()) {
        if (c->kind() == ControlKind::CommandButton && static_cast<CommandButton*>(c)->isDefault() && c->isUsable()) {
            if (leaveFocusedControl())
                static_cast<CommandButton*>(c)->click();
            return true;
        }
    }
    return false;
}

namespace {

// Reading order: rows from top to bottom, each from left to right. A control
// joins the row of the topmost control when it starts above that control's
// middle, so a field and the button beside it, a little taller, share a row.
std::vector<Control*> readingOrder(std::vector<Control*> controls)
{
    std::stable_sort(controls.begin(), controls.end(), [](const Control* a, const Control* b) {
        return a->top() != b->top() ? a->top() < b->top() : a->left() < b->left();
    });
    for (auto row = controls.begin(); row != controls.end();) {
        const int middle = std::max((*row)->top() + (*row)->height() / 2, (*row)->top() + 1);
        const auto end = std::find_if(row, controls.end(), [middle](const Control* c) { return c->top() >= middle; });
        std::stable_sort(row, end, [](const Control* a, const Control* b) { return a->left() < b->left(); });
        row = end;
    }
    return controls;
}

// Fields that a label beside them names: they have no caption of their own.
bool namedByLabel(const Control& c)
{
    switch (c.kind()) {
    case ControlKind::TextBox:
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
    case ControlKind::ListView:
    case ControlKind::YesNo:
    case ControlKind::Address: return true;
    case ControlKind::CheckBox: return static_cast<const CheckBox&>(c).caption().isEmpty();
    case ControlKind::OptionButton: return static_cast<const OptionButton&>(c).caption().isEmpty();
    default: return false;
    }
}

bool hasOwnCaption(const Control& c)
{
    return c.kind() == ControlKind::CheckBox || c.kind() == ControlKind::OptionButton ||
           c.kind() == ControlKind::CommandButton;
}

QString ownCaption(const Control& c)
{
    switch (c.kind()) {
    case ControlKind::CheckBox: return static_cast<const CheckBox&>(c).caption();
    case ControlKind::OptionButton: return static_cast<const OptionButton&>(c).caption();
    case ControlKind::CommandButton: return static_cast<const CommandButton&>(c).caption();
    default: return QString();
    }
}

// A caption of one character or without a letter or digit ("...", "X"): it shows what a button does, but says
// nothing to a screen reader.
bool isSign(const QString& caption)
{
    const QString text = withoutAccessKey(caption).trimmed();
    return text.size() == 1 ||
           (!text.isEmpty() && std::none_of(text.begin(), text.end(), [](QChar ch) { return ch.isLetterOrNumber(); }));
}

// The caption of the nearest captioned frame around a control.
QString frameCaption(const Control& c)
{
    for (const Control* p = c.parent(); p; p = p->parent()) {
        if (p->kind() == ControlKind::Frame && !static_cast<const Frame*>(p)->caption().isEmpty())
            return withoutAccessKey(static_cast<const Frame*>(p)->caption());
    }
    return QString();
}

// A label a little wider than its text may reach under its field.
constexpr int LabelOverlap = 120;
// How close after a field a text continues its sentence.
constexpr int LabelAfter = 240;
// How far above a list its label may stand: about one row.
constexpr int LabelAbove = 360;

} // namespace

void FormView::scheduleAccess()
{
    if (!detached_ && !accessTimer_.isActive())
        accessTimer_.start();
}

FormView* FormView::outerView() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* outer = dynamic_cast<FormView*>(w))
            return outer;
    }
    return nullptr;
}

void FormView::refreshAccess()
{
    accessTimer_.stop();
    if (detached_)
        return;
    nameFields();
    FormView* outermost = this;
    while (FormView* outer = outermost->outerView())
        outermost = outer;
    if (outermost == this)
        orderTabs();
    else
        outermost->scheduleAccess();
}

void FormView::nameFields()
{
    std::vector<LabelView*> labels;
    std::vector<ControlView*> fields;
    for (const auto& view : views_) {
        if (view->retired())
            continue;
        const Control& c = view->control();
        // A registry may draw labels with a view of its own; a hint names nothing.
        auto* label = c.kind() == ControlKind::Label ? dynamic_cast<LabelView*>(view.get()) : nullptr;
        if (label)
            labels.push_back(label);
        else if (namedByLabel(c) || hasOwnCaption(c))
            fields.push_back(view.get());
    }
    const auto sameRow = [](const Control& a, const Control& b) {
        return a.top() < b.bottom() && b.top() < a.bottom();
    };
    const auto labelled = [](const Control& c) { return c.visible() && namedByLabel(c); };

    // The field each label names: the one the page gave it, else the nearest
    // field after it in its row.
    QHash<LabelView*, ControlView*> fieldOf;
    QHash<ControlView*, LabelView*> labelOf;
    QSet<ControlView*> paired;
    const auto pair = [&](LabelView* label, ControlView* field) {
        fieldOf.insert(label, field);
        labelOf.insert(field, label);
    };
    for (LabelView* label : labels) {
        if (Control* buddy = label->label().buddy()) {
            if (ControlView* field = viewOf_.value(buddy); field && !field->retired()) {
                pair(label, field);
                paired.insert(field);
            }
        }
    }
    const auto free = [&](const LabelView* label) {
        const Label& l = label->label();
        return !fieldOf.contains(const_cast<LabelView*>(label)) && !l.buddy() && l.visible() && !l.caption().isEmpty();
    };
    // A text in lower case right after a field goes on that field's sentence
    // ("Contractduur [3] jaar [0] maanden"): it names nothing after it.
    const auto continuesField = [&](const Label& l) {
        const QString text = withoutAccessKey(l.caption());
        if (text.isEmpty() || text.front().isUpper())
            return false;
        return std::any_of(fields.begin(), fields.end(), [&](const ControlView* field) {
            const Control& f = field->control();
            return labelled(f) && f.parent() == l.parent() && sameRow(l, f) && f.right() <= l.left() + LabelOverlap &&
                   l.left() - f.right() <= LabelAfter;
        });
    };
    QHash<ControlView*, int> gapOf;
    for (LabelView* label : labels) {
        if (!free(label) || continuesField(label->label()))
            continue;
        const Label& l = label->label();
        ControlView* nearest = nullptr;
        int nearestGap = 0;
        for (ControlView* field : fields) {
            const Control& f = field->control();
            if (!labelled(f) || f.parent() != l.parent() || paired.contains(field) || !sameRow(l, f))
                continue;
            if (l.left() >= f.left() || l.right() > f.left() + LabelOverlap)
                continue;
            const int gap = f.left() - l.right();
            if (!nearest || gap < nearestGap) {
                nearest = field;
                nearestGap = gap;
            }
        }
        if (!nearest)
            continue;
        // Two labels before one field: the nearer names it.
        if (LabelView* other = labelOf.value(nearest)) {
            if (gapOf.value(nearest) <= nearestGap)
                continue;
            fieldOf.remove(other);
        }
        pair(label, nearest);
        gapOf.insert(nearest, nearestGap);
    }
    // A list or a box of several lines often has its label on the row above.
    for (ControlView* field : fields) {
        const Control& f = field->control();
        if (labelOf.contains(field) || !labelled(f))
            continue;
        LabelView* nearest = nullptr;
        for (LabelView* label : labels) {
            const Label& l = label->label();
            if (!free(label) || l.parent() != f.parent() || l.bottom() > f.top() + LabelOverlap / 2 ||
                f.top() - l.bottom() > LabelAbove || l.left() < f.left() - LabelOverlap ||
                l.left() >= f.left() + f.width() / 2)
                continue;
            if (!nearest || l.bottom() > nearest->label().bottom())
                nearest = label;
        }
        if (nearest)
            pair(nearest, field);
    }

    for (LabelView* label : labels) {
        ControlView* field = fieldOf.value(label);
        const std::vector<QWidget*> parts = field ? field->tabWidgets() : std::vector<QWidget*>{};
        label->setBuddy(field ? field->widget() : nullptr, parts.empty() ? nullptr : parts.front());
    }
    // Fields without a label of their own: the second field of a row shares
    // the row's label (an amount and its unit), else the frame's caption or
    // the dialog's title tells what they are for.
    // The unit that goes on a field's sentence after it ("maanden").
    const auto unitAfter = [&](const Control& f) {
        for (LabelView* label : labels) {
            const Label& l = label->label();
            const QString text = withoutAccessKey(l.caption());
            if (l.visible() && !text.isEmpty() && text.front().isLower() && l.parent() == f.parent() && sameRow(l, f) &&
                f.right() <= l.left() + LabelOverlap && l.left() - f.right() <= LabelAfter)
                return text;
        }
        return QString();
    };
    const auto rowName = [&](const Control& f) {
        QString best;
        int bestRight = 0;
        const auto consider = [&](const Control& other, const QString& name) {
            if (other.parent() == f.parent() && sameRow(other, f) && other.right() <= f.left() + LabelOverlap &&
                (best.isEmpty() || other.right() > bestRight)) {
                best = name;
                bestRight = other.right();
            }
        };
        for (auto it = labelOf.cbegin(); it != labelOf.cend(); ++it)
            consider(it.key()->control(), withoutAccessKey(it.value()->label().caption()));
        // A check box that switches the field after it on says what it is for.
        for (ControlView* view : fields) {
            const Control& c = view->control();
            if (c.kind() == ControlKind::CheckBox && c.visible() && !ownCaption(c).isEmpty())
                consider(c, withoutAccessKey(ownCaption(c)));
        }
        if (best.isEmpty())
            return best;
        const QString unit = unitAfter(f);
        return unit.isEmpty() ? best : best + u" ("_s + unit + u")"_s;
    };
    // A label the page gave to a group of options is the group's question:
    // each option keeps its own caption as its name and is described by it.
    QHash<QString, QString> questionOf;
    for (ControlView* field : fields) {
        const Control& f = field->control();
        if (LabelView* label = labelOf.value(field); label && f.kind() == ControlKind::OptionButton && !namedByLabel(f))
            questionOf.insert(f.name(), withoutAccessKey(label->label().caption()));
    }
    for (ControlView* field : fields) {
        const Control& f = field->control();
        const bool captionedOption = f.kind() == ControlKind::OptionButton && hasOwnCaption(f) && !namedByLabel(f);
        if (LabelView* label = labelOf.value(field); label && !captionedOption) {
            field->setAccessibleName(withoutAccessKey(label->label().caption()), true);
            continue;
        }
        if (hasOwnCaption(f) && !namedByLabel(f)) {
            // A button whose caption is a sign ("...", "X") is read by what
            // its tooltip says it does.
            field->setAccessibleName(isSign(ownCaption(f)) ? f.toolTipText() : QString(), false);
            if (captionedOption && questionOf.contains(f.name()))
                field->setAccessibleQuestion(questionOf.value(f.name()));
            continue;
        }
        QString name = rowName(f);
        if (name.isEmpty())
            name = frameCaption(f);
        if (name.isEmpty())
            name = f.toolTipText();
        if (name.isEmpty())
            name = withoutAccessKey(form_.caption());
        field->setAccessibleName(name, false);
    }
}

void FormView::appendTabWidgets(std::vector<QWidget*>& chain) const
{
    QHash<const Control*, std::vector<Control*>> childrenOf;
    for (Control* c : form_.controls()) {
        if (c != &form_ && viewOf_.contains(c))
            childrenOf[c->parent() ? c->parent() : &form_].push_back(c);
    }
    const std::function<void(const Control*)> append = [&](const Control* container) {
        for (Control* c : readingOrder(childrenOf.value(container))) {
            ControlView* view = viewOf_.value(c);
            if (const auto* embedded = dynamic_cast<const EmbeddedView*>(view)) {
                if (embedded->innerView())
                    embedded->innerView()->appendTabWidgets(chain);
                continue;
            }
            for (QWidget* w : view->tabWidgets())
                chain.push_back(w);
            append(c);
        }
    };
    append(&form_);
}

std::vector<QWidget*> FormView::tabChain() const
{
    std::vector<QWidget*> chain;
    appendTabWidgets(chain);
    // A widget met twice keeps its last place, where setting the order one
    // pair after the other would leave it anyway.
    QSet<QWidget*> seen;
    std::vector<QWidget*> once;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!seen.contains(*it)) {
            seen.insert(*it);
            once.push_back(*it);
        }
    }
    std::reverse(once.begin(), once.end());
    chain = std::move(once);
    return chain;
}

void FormView::orderTabs()
{
    const std::vector<QWidget*> chain = tabChain();
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    // A host that draws the form among widgets of its own gives the window's
    // access keys itself.
    if (onTabsOrdered)
        onTabsOrdered();
    else
        giveAccessKeys(*window());
}

} // namespace tarvelo
