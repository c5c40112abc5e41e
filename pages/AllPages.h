#pragma once

namespace tarvelo {
class PageRegistry;
// Registers every page of the library, group by group.
void registerAllPages(PageRegistry& registry);
} // namespace tarvelo
