#pragma once

namespace tarvelo {
class ComponentFactory;
class PageRegistry;
void registerBusinessListsPages(PageRegistry& registry);
void registerBusinessListsComponents(ComponentFactory& factory);
} // namespace tarvelo
