#pragma once

namespace tarvelo {
class ComponentFactory;
class PageRegistry;
// Registers every page of the library, group by group.
void registerAllPages(PageRegistry& registry);
// Registers every user control of the library by its class name, so that the
// host's component factory can create it for a page.
void registerAllComponents(ComponentFactory& factory);
} // namespace tarvelo
