#include "pages/advisers/AdvisersPages.h"

#include "framework/page/PageRegistry.h"
#include "pages/advisers/Adviseurs.h"
#include "pages/advisers/SetupAutorisatie.h"

namespace tarvelo {

void registerAdvisersPages(PageRegistry& registry)
{
    registry.add<Adviseurs>(PageGroup::Adviseurs);
    registry.add<SetupAutorisatie>(PageGroup::Adviseurs);
}

} // namespace tarvelo
