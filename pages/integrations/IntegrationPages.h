#pragma once

namespace tarvelo {
class ComponentFactory;
class PageRegistry;
void registerIntegrationPages(PageRegistry& registry);
void registerIntegrationComponents(ComponentFactory& factory);
} // namespace tarvelo
