#include "pages/AllPages.h"

#include "framework/host/ComponentFactory.h"
#include "pages/business_lists/BusinessListsPages.h"
#include "pages/companies/CompaniesPages.h"
#include "pages/database_hdn/DatabaseHdnPages.h"
#include "pages/general/GeneralPages.h"

namespace tarvelo {

void registerAllPages(PageRegistry& registry)
{
    registerGeneralPages(registry);
    registerDatabaseHdnPages(registry);
    registerCompaniesPages(registry);
    registerBusinessListsPages(registry);
}

void registerAllComponents(ComponentFactory&)
{
    // No page of the library creates a user control yet; each one is
    // registered here together with the first page that uses it.
}

} // namespace tarvelo
