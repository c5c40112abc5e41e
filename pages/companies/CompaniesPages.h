#pragma once

namespace tarvelo {
class ComponentFactory;
class PageRegistry;
void registerCompaniesPages(PageRegistry& registry);
void registerCompaniesComponents(ComponentFactory& factory);
} // namespace tarvelo
