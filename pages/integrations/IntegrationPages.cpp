#include "pages/integrations/IntegrationPages.h"

#include "framework/host/ComponentFactory.h"
#include "framework/page/PageRegistry.h"
#include "pages/integrations/DocumentAanvraagSnelkeuze.h"
#include "pages/integrations/KoppelingPages.h"
#include "pages/integrations/SetupKopInvice.h"
#include "pages/integrations/SetupKopRolls.h"
#include "pages/integrations/SetupKopUBizz.h"
#include "pages/integrations/SetupQvxOnline.h"

namespace tarvelo {

void registerIntegrationPages(PageRegistry& registry)
{
    registry.add<SetupKopElements>(PageGroup::Koppelingen);
    registry.add<SetupKopANVA>(PageGroup::Koppelingen);
    registry.add<SetupKopInvice>(PageGroup::Koppelingen);
    registry.add<SetupKopAssistent>(PageGroup::Koppelingen);
    registry.add<SetupKopNHBond>(PageGroup::Koppelingen);
    registry.add<SetupKopRolls>(PageGroup::Koppelingen);
    registry.add<SetupKopFinly>(PageGroup::Koppelingen);
    registry.add<SetupKopEDR>(PageGroup::Koppelingen);
    registry.add<SetupKopAdvies>(PageGroup::Koppelingen);
    registry.add<SetupKopJulia>(PageGroup::Koppelingen);
    registry.add<SetupKopVanBruggen>(PageGroup::Koppelingen);
    registry.add<SetupKopBoxD>(PageGroup::Koppelingen);
    registry.add<SetupKopCalcasa>(PageGroup::Koppelingen);
    registry.add<SetupKopPosWon>(PageGroup::Koppelingen);
    registry.add<SetupKopUBizz>(PageGroup::Koppelingen);
    registry.add<SetupQvxOnline>(PageGroup::Koppelingen);
}

void registerIntegrationComponents(ComponentFactory& factory) { factory.add<DocumentAanvraagSnelkeuze>(); }

} // namespace tarvelo
