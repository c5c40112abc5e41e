#include "pages/companies/CompaniesPages.h"

#include "framework/page/PageRegistry.h"
#include "pages/companies/AgentNummers.h"
#include "pages/companies/MijOverzicht.h"
#include "pages/companies/SetupInkoopCombis.h"

namespace tarvelo {

void registerCompaniesPages(PageRegistry& registry)
{
    registry.add<MijOverzicht>(PageGroup::Maatschappijen);
    registry.add<AgentNummers>(PageGroup::Maatschappijen);
    registry.add<SetupInkoopCombis>(PageGroup::Maatschappijen);
}

} // namespace tarvelo
