#include "pages/companies/CompaniesPages.h"

#include "framework/page/PageRegistry.h"
#include "pages/companies/SetupInkoopCombis.h"

namespace tarvelo {

void registerCompaniesPages(PageRegistry& registry)
{
    registry.add<SetupInkoopCombis>(PageGroup::Maatschappijen);
}

} // namespace tarvelo
