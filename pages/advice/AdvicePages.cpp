#include "pages/advice/AdvicePages.h"

#include "framework/page/PageRegistry.h"
#include "pages/advice/SetupAdvisering.h"
#include "pages/advice/SetupDocumenten.h"
#include "pages/advice/SetupOverzicht.h"

namespace tarvelo {

void registerAdvicePages(PageRegistry& registry)
{
    registry.add<SetupOverzicht>(PageGroup::Advisering);
    registry.add<SetupDocumenten>(PageGroup::Advisering);
    registry.add<SetupAdvisering>(PageGroup::Advisering);
}

} // namespace tarvelo
