#include "pages/database_hdn/DatabaseHdnPages.h"

#include "framework/page/PageRegistry.h"
#include "pages/database_hdn/SetupDatabase.h"

namespace tarvelo {

void registerDatabaseHdnPages(PageRegistry& registry)
{
    registry.add<SetupDatabase>(PageGroup::DatabaseEnHdn);
}

} // namespace tarvelo
