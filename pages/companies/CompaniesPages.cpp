#include "pages/companies/CompaniesPages.h"

#include "framework/host/ComponentFactory.h"
#include "framework/page/PageRegistry.h"
#include "pages/companies/AgentNummers.h"
#include "pages/companies/MijOverzicht.h"
#include "pages/companies/ProvisieInstellingen.h"
#include "pages/companies/RenteOpties.h"
#include "pages/companies/SetupInkoopCombis.h"

namespace tarvelo {

void registerCompaniesPages(PageRegistry& registry)
{
    registry.add<MijOverzicht>(PageGroup::Maatschappijen);
    registry.add<AgentNummers>(PageGroup::Maatschappijen);
    registry.add<SetupInkoopCombis>(PageGroup::Maatschappijen);
}

} // namespace tarvelo

namespace tarvelo {

void registerCompaniesComponents(ComponentFactory& factory)
{
    factory.add<RenteOpties>();
    factory.add<RenteOptiesIN>();
    // The commission objects of the companies whose commission the office sets up here.
    for (const char* object : {"ProvisieAVT", "ProvisieCE", "ProvisieDM", "ProvisieIT", "ProvisieAUC"}) {
        const QString className = QString::fromLatin1(object);
        factory.add(className,
                    [className](Form& form, const QString& name, Control* parent, int index) -> UserControl& {
                        auto& control = form.create<ProvisieInstellingen>(name, parent, index);
                        control.setOm_Object(className);
                        return control;
                    });
    }
}

} // namespace tarvelo
