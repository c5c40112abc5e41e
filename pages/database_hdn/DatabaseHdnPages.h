#pragma once

namespace tarvelo {
class PageRegistry;
void registerDatabaseHdnPages(PageRegistry& registry);
} // namespace tarvelo
