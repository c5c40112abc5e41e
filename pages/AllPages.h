#pragma once

#include "TarveloExport.h"

#include <QStringList>

namespace tarvelo {
class ComponentFactory;
class PageRegistry;
// Registers every page of the library, group by group.
TARVELO_EXPORT void registerAllPages(PageRegistry& registry);
// Registers the library's pages named (class names, without regard to case),
// in the order given, for a host that shows some of them; gives the names
// that are no page of the library. A page that hosts another page by name
// (MijOverzicht, for one, hosts the company pages) needs those registered too.
TARVELO_EXPORT QStringList registerPages(PageRegistry& registry, const QStringList& classNames);
// Registers every user control of the library by its class name, so that the
// host's component factory can create it for a page.
TARVELO_EXPORT void registerAllComponents(ComponentFactory& factory);
} // namespace tarvelo
