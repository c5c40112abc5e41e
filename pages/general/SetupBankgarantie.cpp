#include "pages/general/SetupBankgarantie.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

SetupBankgarantie::SetupBankgarantie()
    : CompanyChoicePage(u"SetupBankgarantie"_s, {.frame = u"fraBankgarantie"_s,
                                                 .caption = u"Bankgarantieinstelling"_s,
                                                 .label = u"lblBankgarantieMij"_s,
                                                 .question = u"Selecteer een bankgarantieinstelling"_s,
                                                 .combo = u"cboBankgarantieMij"_s,
                                                 .companies = &Application::Bankgarantieinstelling,
                                                 .setting = &CompanyChoiceSettings::BankgarantieInstelling})
{
}

} // namespace tarvelo
