#include "pages/business_lists/BusinessListsPages.h"

#include "framework/page/PageRegistry.h"
#include "pages/business_lists/SetupNotaris.h"

namespace tarvelo {

void registerBusinessListsPages(PageRegistry& registry)
{
    registry.add<SetupNotaris>(PageGroup::Kantoor);
}

} // namespace tarvelo
