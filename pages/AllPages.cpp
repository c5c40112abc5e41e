#include "pages/AllPages.h"

#include "framework/host/ComponentFactory.h"
#include "framework/page/PageRegistry.h"
#include "pages/advice/AdvicePages.h"
#include "pages/advisers/AdvisersPages.h"
#include "pages/business_lists/BusinessListsPages.h"
#include "pages/companies/CompaniesPages.h"
#include "pages/database_hdn/DatabaseHdnPages.h"
#include "pages/general/GeneralPages.h"
#include "pages/integrations/IntegrationPages.h"

namespace tarvelo {

void registerAllPages(PageRegistry& registry)
{
    registerGeneralPages(registry);
    registerDatabaseHdnPages(registry);
    registerIntegrationPages(registry);
    registerCompaniesPages(registry);
    registerBusinessListsPages(registry);
    registerAdvicePages(registry);
    registerAdvisersPages(registry);
}

QStringList registerPages(PageRegistry& registry, const QStringList& classNames)
{
    PageRegistry all;
    registerAllPages(all);
    QStringList unknown;
    for (const QString& name : classNames) {
        if (const PageInfo* page = all.find(name))
            registry.add(*page);
        else
            unknown << name;
    }
    return unknown;
}

// Each user control is registered together with the first page that uses it.
void registerAllComponents(ComponentFactory& factory)
{
    registerIntegrationComponents(factory);
    registerBusinessListsComponents(factory);
    registerCompaniesComponents(factory);
}

} // namespace tarvelo
