#pragma once

#include "TarveloExport.h"

#include "framework/forms/Form.h"
#include "framework/forms/UserControl.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

namespace detail {
// Adds a user control of one class to a form. A class of its own rather than
// a lambda: the library keeps its type to itself, where a lambda inside the
// inline add() would carry the exported class's visibility into every host.
template <class T>
struct ControlMaker {
    UserControl& operator()(Form& form, const QString& name, Control* parent, int index) const
    {
        return form.create<T>(name, parent, index);
    }
};
} // namespace detail

// Creates user controls by their class name, the way a page adds a control
// of another component to one of its frames at run time. The host owns one
// and registers every user control it knows; pages reach it through
// Application::components().
class TARVELO_EXPORT ComponentFactory {
public:
    // The classic runtime's number for a component that cannot be created.
    static constexpr long CannotCreateObject = 429;

    // Adds the control to form under name, inside parent (the form when null),
    // as element index of a control array (-1: none).
    using Creator = std::function<UserControl&(Form& form, const QString& name, Control* parent, int index)>;

    // Registers a user control under the class name it gives itself, so the
    // name is written once, in the control.
    template <class T>
    void add()
    {
        Form sample(u"ComponentFactory"_s);
        const QString className = sample.add<T>(sample, u"sample"_s).className();
        add(className, detail::ControlMaker<T>());
    }
    // A class name registered twice is a programming error and throws.
    void add(const QString& className, Creator creator);

    bool contains(const QString& className) const;
    QStringList classNames() const;

    // A new control of the class on form; the class name is matched without
    // regard to case. An unknown class is runtime error 429.
    UserControl& create(const QString& className, Form& form, const QString& name, Control* parent = nullptr,
                        int index = -1) const;

private:
    const Creator* find(const QString& className) const;

    std::vector<std::pair<QString, Creator>> creators_;
};

} // namespace tarvelo
