#pragma once

#include "framework/forms/Control.h"

#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <unordered_map>

class QWidget;

namespace tarvelo {

class ControlView;
class FormView;

// Which view draws which control: one factory per control kind, and for user
// controls that want a drawing of their own, one per class name, looked up
// first. A new kind of control or user control joins the renderer by
// registering its view here.
class ViewRegistry {
public:
    // Builds the view of control inside parent, for the form view owner.
    using Factory = std::function<std::unique_ptr<ControlView>(FormView& owner, Control& control, QWidget* parent)>;

    void add(ControlKind kind, Factory factory);
    template <class View, class Model>
    void add(ControlKind kind)
    {
        add(kind, [](FormView& owner, Control& control, QWidget* parent) -> std::unique_ptr<ControlView> {
            return std::make_unique<View>(owner, static_cast<Model&>(control), parent);
        });
    }

    // The class name is matched without regard to case, as the component
    // factory matches it.
    void addUserControl(const QString& className, Factory factory);
    template <class View, class Model>
    void addUserControl(const QString& className)
    {
        addUserControl(className,
                       [](FormView& owner, Control& control, QWidget* parent) -> std::unique_ptr<ControlView> {
                           return std::make_unique<View>(owner, static_cast<Model&>(control), parent);
                       });
    }

    // The view of the control, or null when nothing draws its kind (the form
    // itself, which its form view draws).
    std::unique_ptr<ControlView> create(FormView& owner, Control& control, QWidget* parent) const;

private:
    std::unordered_map<ControlKind, Factory> byKind_;
    QHash<QString, Factory> byClass_;
};

} // namespace tarvelo
