#pragma once

namespace tarvelo {
class PageRegistry;
void registerGeneralPages(PageRegistry& registry);
} // namespace tarvelo
