#include "pages/general/GeneralPages.h"

#include "framework/page/PageRegistry.h"
#include "pages/general/KantoorGegevens.h"
#include "pages/general/SetupAlgemeen.h"
#include "pages/general/SetupBankgarantie.h"
#include "pages/general/SetupExport.h"
#include "pages/general/SetupFDNOUD.h"
#include "pages/general/SetupKlantprofiel.h"
#include "pages/general/SetupOverig.h"
#include "pages/general/SetupProxy.h"
#include "pages/general/SetupTaxatie.h"
#include "pages/general/SetupUpdates.h"
#include "pages/general/SetupZivavivoz.h"
#include "pages/general/SetupZoekscherm.h"

namespace tarvelo {

void registerGeneralPages(PageRegistry& registry)
{
    registry.add<SetupProxy>(PageGroup::Algemeen, u"Updates, opslaan en proxy"_s);
    registry.add<SetupUpdates>(PageGroup::Algemeen);
    registry.add<SetupAlgemeen>(PageGroup::Algemeen, u"Huisstijl en startscherm"_s);
    registry.add<SetupOverig>(PageGroup::Algemeen);
    registry.add<SetupExport>(PageGroup::Algemeen);
    registry.add<SetupZivavivoz>(PageGroup::Algemeen);
    registry.add<KantoorGegevens>(PageGroup::Kantoor);
    registry.add<SetupZoekscherm>(PageGroup::Advisering);
    registry.add<SetupTaxatie>(PageGroup::Maatschappijen);
    registry.add<SetupBankgarantie>(PageGroup::Maatschappijen);
    registry.add<SetupKlantprofiel>(PageGroup::Advisering);
    registry.add<SetupFDNOUD>(PageGroup::Koppelingen);
}

} // namespace tarvelo
