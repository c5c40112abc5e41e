#include "pages/companies/CompaniesPages.h"

#include "framework/host/ComponentFactory.h"
#include "framework/page/PageRegistry.h"
#include "pages/companies/AgentNummers.h"
#include "pages/companies/MijOverzicht.h"
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
}

} // namespace tarvelo
