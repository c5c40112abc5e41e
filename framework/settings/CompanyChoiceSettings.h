#pragma once

#include "TarveloExport.h"

#include "framework/host/SettingsObject.h"

namespace tarvelo {

// The companies the office works with by default: a code of the host's lists,
// "" while none is chosen.
struct TARVELO_EXPORT CompanyChoiceSettings final : SettingsBlock {
    using SettingsBlock::SettingsBlock;
    Setting<QString> TaxatieMaatschappij{this, "TaxatieMaatschappij", QString(),
                                         Shown{u"Taxatiebureau"_s, u"SetupTaxatie"_s}};
    Setting<QString> BankgarantieInstelling{this, "BankgarantieInstelling", QString(),
                                            Shown{u"Bankgarantie-instelling"_s, u"SetupBankgarantie"_s}};
};

} // namespace tarvelo
