#include "pages/business_lists/BusinessListsPages.h"

#include "framework/host/ComponentFactory.h"
#include "framework/page/PageRegistry.h"
#include "pages/business_lists/AdviesInhoud.h"
#include "pages/business_lists/SetupAbonnement.h"
#include "pages/business_lists/SetupHerinneringen.h"
#include "pages/business_lists/SetupNotaris.h"
#include "pages/business_lists/SetupOnderwerpen.h"
#include "pages/business_lists/SetupTarief.h"

namespace tarvelo {

void registerBusinessListsPages(PageRegistry& registry)
{
    registry.add<SetupNotaris>(PageGroup::Kantoor);
    registry.add<SetupTarief>(PageGroup::Kantoor);
    registry.add<SetupHerinneringen>(PageGroup::Kantoor);
    registry.add<SetupAbonnement>(PageGroup::Kantoor);
    registry.add<SetupOnderwerpen>(PageGroup::Advisering);
}

void registerBusinessListsComponents(ComponentFactory& factory) { factory.add<AdviesInhoud>(); }

} // namespace tarvelo
