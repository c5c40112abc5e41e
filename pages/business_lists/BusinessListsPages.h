#pragma once

namespace tarvelo {
class PageRegistry;
void registerBusinessListsPages(PageRegistry& registry);
} // namespace tarvelo
