#include "pages/AllPages.h"

#include "pages/general/GeneralPages.h"

namespace tarvelo {

void registerAllPages(PageRegistry& registry)
{
    registerGeneralPages(registry);
}

} // namespace tarvelo
