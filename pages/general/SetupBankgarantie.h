#pragma once

#include "pages/general/CompanyChoicePage.h"

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Bankgarantieinstelling": the bank-guarantee institution the office works with by default.
class SetupBankgarantie final : public CompanyChoicePage {
public:
    SetupBankgarantie();
    QString Titel() const override { return u"Bankgarantieinstelling"_s; }
};

} // namespace tarvelo
