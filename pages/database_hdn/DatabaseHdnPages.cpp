#include "pages/database_hdn/DatabaseHdnPages.h"

#include "framework/page/PageRegistry.h"
#include "pages/database_hdn/SetupDatabase.h"
#include "pages/database_hdn/SetupHDNOUD.h"
#include "pages/database_hdn/SetupHdnIndir.h"

namespace tarvelo {

void registerDatabaseHdnPages(PageRegistry& registry)
{
    registry.add<SetupDatabase>(PageGroup::DatabaseEnHdn, u"Databases en mappen"_s);
    registry.add<SetupHDNOUD>(PageGroup::DatabaseEnHdn);
    registry.add<SetupHdnIndir>(PageGroup::DatabaseEnHdn, u"Mappen inkomende HDN-berichten"_s);
}

} // namespace tarvelo
