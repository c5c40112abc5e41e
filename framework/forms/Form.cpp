#include "framework/forms/Form.h"

#include "framework/errors/RuntimeError.h"

#include <QDebug>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

Form::Form(QString name) : Control(*this, ControlKind::Form, std::move(name), -1, nullptr)
{
    Control::setBounds(0, 0, 4800, 3600);
}

Form::~Form()
{
    observer_ = nullptr;
    // The controls go while the rest of the form still exists: a control that
    // owns a page or a form of its own may still ask its form something.
    while (!controls_.empty())
        controls_.pop_back();
}

void Form::setCaption(const QString& caption)
{
    if (caption_ == caption)
        return;
    caption_ = caption;
    changed(Property::Caption);
}

void Form::setBounds(int left, int top, int width, int height)
{
    const bool resized = width != this->width() || height != this->height();
    Control::setBounds(left, top, width, height);
    if (resized)
        Resize();
}

Control* Form::find(const QString& name, int index) const
{
    if (name.compare(this->name(), Qt::CaseInsensitive) == 0 && index == -1)
        return const_cast<Form*>(this);
    for (const auto& c : controls_) {
        if (c->index() == index && c->name().compare(name, Qt::CaseInsensitive) == 0)
            return c.get();
    }
    return nullptr;
}

Control& Form::control(const QString& name, int index) const
{
    if (Control* c = find(name, index))
        return *c;
    QString what = name;
    if (index >= 0)
        what += u"(%1)"_s.arg(index);
    throw RuntimeError(730, u"Besturingselement '%1' bestaat niet op %2"_s.arg(what, this->name()));
}

void Form::remove(Control& control)
{
    if (&control == this || &control.form() != this)
        throw RuntimeError::invalidProcedureCall();
    // A container comes before its contents, so one pass finds everything inside.
    std::vector<Control*> doomed;
    for (const auto& c : controls_) {
        if (c.get() == &control || std::find(doomed.begin(), doomed.end(), c->parent()) != doomed.end())
            doomed.push_back(c.get());
    }
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        notifyChanged(**it, Property::Removed);

    const auto isDoomed = [&doomed](const Control* c) {
        return std::find(doomed.begin(), doomed.end(), c) != doomed.end();
    };
    if (isDoomed(focused_))
        focused_ = nullptr;
    std::erase_if(toolTips_, [&](const auto& entry) { return isDoomed(entry.first); });
    std::erase_if(layouts_, [&](const auto& layout) { return isDoomed(&layout->container()); });
    for (const Control* c : doomed) {
        laidOut_.erase(c);
        captionSized_.erase(c);
        for (const auto& layout : layouts_)
            layout->forget(*c);
    }
    std::vector<std::unique_ptr<Control>> taken;
    for (auto& c : controls_) {
        if (isDoomed(c.get()))
            taken.push_back(std::move(c));
    }
    std::erase(controls_, nullptr);
    // Off the form before they are destroyed, contents before their container.
    while (!taken.empty())
        taken.pop_back();
}

bool Form::contains(const Control& control) const
{
    return std::any_of(controls_.begin(), controls_.end(), [&control](const auto& c) { return c.get() == &control; });
}

std::vector<Control*> Form::controls() const
{
    std::vector<Control*> all;
    all.reserve(controls_.size());
    for (const auto& c : controls_)
        all.push_back(c.get());
    return all;
}

std::vector<Control*> Form::childrenOf(const Control& container) const
{
    std::vector<Control*> children;
    for (const auto& c : controls_) {
        if (c->parent() == &container)
            children.push_back(c.get());
    }
    return children;
}

std::vector<Control*> Form::array(const QString& name) const
{
    std::vector<Control*> elements;
    for (const auto& c : controls_) {
        if (c->index() >= 0 && c->name().compare(name, Qt::CaseInsensitive) == 0)
            elements.push_back(c.get());
    }
    std::sort(elements.begin(), elements.end(), [](Control* a, Control* b) { return a->index() < b->index(); });
    return elements;
}

void Form::setFocusedControl(Control* control)
{
    if (focused_ == control)
        return;
    focused_ = control;
    if (control)
        notifyChanged(*control, Property::Focus);
}

void Form::show() { setVisible(true); }

void Form::hide()
{
    const bool wasVisible = visible();
    setVisible(false);
    if (wasVisible)
        Closed();
}

void Form::notifyChanged(Control& control, Property property)
{
    if (observer_)
        observer_(control, property);
    if ((property == Property::Visible && laidOut_.contains(&control)) ||
        (property == Property::Caption && captionSized_.contains(&control)))
        relayout();
}

void Form::addLayout(std::unique_ptr<ContainerLayout> layout)
{
    std::erase_if(layouts_, [&](const auto& l) { return &l->container() == &layout->container(); });
    layouts_.push_back(std::move(layout));
}

ContainerLayout* Form::layoutOf(const Control& container) const
{
    for (const auto& layout : layouts_) {
        if (&layout->container() == &container)
            return layout.get();
    }
    return nullptr;
}

void Form::relayout()
{
    if (relayouting_)
        return;
    relayouting_ = true;
    try {
        // Inner containers are declared before the ones that place them, so
        // one pass in declaration order settles every height.
        for (const auto& layout : layouts_)
            layout->apply(layout->container().width());
        if (rootLayout_)
            rootLayout_();
    } catch (...) {
        relayouting_ = false;
        throw;
    }
    relayouting_ = false;
}

int Form::textWidth(const QString& text, const Font& font) const
{
    if (textMeasure_)
        return textMeasure_(text, font);
    // DejaVu Sans, the widest of the fonts the window may use, averages a
    // little over half the point size per character.
    return int(text.size() * font.size * 20 * 0.6 + 0.5);
}

bool Form::runUserAction(const std::function<void()>& action)
{
    try {
        action();
    } catch (...) {
        reportUnhandled(std::current_exception());
    }
    return true;
}

void Form::reportUnhandled(std::exception_ptr error)
{
    if (errorHandler_) {
        errorHandler_(*this, error);
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        qWarning().noquote() << "Onverwerkte fout op" << name() << ":" << e.what();
    } catch (...) {
        qWarning().noquote() << "Onverwerkte fout op" << name();
    }
}

} // namespace tarvelo
