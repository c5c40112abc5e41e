#include "framework/host/ComponentFactory.h"

#include "framework/errors/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

void ComponentFactory::add(const QString& className, Creator creator)
{
    if (find(className))
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, u"Het onderdeel %1 is al geregistreerd"_s.arg(className));
    creators_.emplace_back(className, std::move(creator));
}

const ComponentFactory::Creator* ComponentFactory::find(const QString& className) const
{
    for (const auto& [name, creator] : creators_) {
        if (name.compare(className, Qt::CaseInsensitive) == 0)
            return &creator;
    }
    return nullptr;
}

bool ComponentFactory::contains(const QString& className) const { return find(className) != nullptr; }

QStringList ComponentFactory::classNames() const
{
    QStringList names;
    for (const auto& entry : creators_)
        names << entry.first;
    return names;
}

UserControl& ComponentFactory::create(const QString& className, Form& form, const QString& name, Control* parent,
                                      int index) const
{
    const Creator* creator = find(className);
    if (!creator)
        throw RuntimeError(CannotCreateObject, u"ActiveX-component kan geen object maken: %1"_s.arg(className));
    return (*creator)(form, name, parent, index);
}

} // namespace tarvelo
