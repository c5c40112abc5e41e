#pragma once

namespace tarvelo {
class PageRegistry;
void registerAdvicePages(PageRegistry& registry);
} // namespace tarvelo
