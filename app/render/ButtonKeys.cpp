#include "app/render/ButtonKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>

namespace tarvelo {

namespace {
class ReturnPresses final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        auto* button = static_cast<QAbstractButton*>(watched);
        // A dialog's push button answers Enter itself.
        const auto* push = qobject_cast<QPushButton*>(button);
        if (!enter || !plain || (push && push->autoDefault()) || !button->isEnabled())
            return false;
        button->click();
        return true;
    }
};
} // namespace

void pressOnReturn(QAbstractButton& button)
{
    static auto* const filter = new ReturnPresses;
    button.installEventFilter(filter);
}

} // namespace tarvelo
