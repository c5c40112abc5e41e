#include "pages/general/GeneralPages.h"

#include "framework/page/PageRegistry.h"
#include "pages/general/SetupProxy.h"
#include "pages/general/SetupUpdates.h"

namespace tarvelo {

void registerGeneralPages(PageRegistry& registry)
{
    registry.add<SetupProxy>(PageGroup::Algemeen);
    registry.add<SetupUpdates>(PageGroup::Algemeen);
}

} // namespace tarvelo
