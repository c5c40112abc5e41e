#pragma once

namespace tarvelo {
class PageRegistry;
void registerAdvisersPages(PageRegistry& registry);
} // namespace tarvelo
