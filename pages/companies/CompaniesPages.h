#pragma once

namespace tarvelo {
class PageRegistry;
void registerCompaniesPages(PageRegistry& registry);
} // namespace tarvelo
