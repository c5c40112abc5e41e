#include "pages/general/SetupTaxatie.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

SetupTaxatie::SetupTaxatie()
    : CompanyChoicePage(u"SetupTaxatie"_s, {.frame = u"fraTaxatie"_s,
                                            .caption = u"Taxatiebureau"_s,
                                            .label = u"lblTaxatieMaatschappij"_s,
                                            .question = u"Selecteer een taxatiebureau"_s,
                                            .combo = u"cboTaxatieMaatschappij"_s,
                                            .companies = &Application::Taxatiebureau,
                                            .setting = &CompanyChoiceSettings::TaxatieMaatschappij,
                                            // "ML" is no valuation office the office can choose.
                                            .excludedCodes = {u"ML"_s}})
{
}

} // namespace tarvelo
