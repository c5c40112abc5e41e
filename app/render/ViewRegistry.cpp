#include "app/render/ViewRegistry.h"

#include "app/render/ControlView.h"
#include "framework/forms/UserControl.h"

namespace tarvelo {

void ViewRegistry::add(ControlKind kind, Factory factory) { byKind_[kind] = std::move(factory); }

void ViewRegistry::addUserControl(const QString& className, Factory factory)
{
    byClass_.insert(className.toLower(), std::move(factory));
}

std::unique_ptr<ControlView> ViewRegistry::create(FormView& owner, Control& control, QWidget* parent) const
{
    if (const auto* user = dynamic_cast<const UserControl*>(&control)) {
        if (const auto it = byClass_.constFind(user->className().toLower()); it != byClass_.constEnd())
            return it.value()(owner, control, parent);
    }
    if (const auto it = byKind_.find(control.kind()); it != byKind_.end())
        return it->second(owner, control, parent);
    return nullptr;
}

} // namespace tarvelo
