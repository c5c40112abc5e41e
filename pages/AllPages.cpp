#include "pages/AllPages.h"

#include "pages/database_hdn/DatabaseHdnPages.h"
#include "pages/general/GeneralPages.h"

namespace tarvelo {

void registerAllPages(PageRegistry& registry)
{
    registerGeneralPages(registry);
    registerDatabaseHdnPages(registry);
}

} // namespace tarvelo
