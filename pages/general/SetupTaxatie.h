#pragma once

#include "pages/general/CompanyChoicePage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Taxatiebureau": the valuation office the office works with by default.
class SetupTaxatie final : public CompanyChoicePage {
public:
    SetupTaxatie();
    QString Titel() const override { return u"Taxatiebureau"_s; }
};

} // namespace tarvelo
