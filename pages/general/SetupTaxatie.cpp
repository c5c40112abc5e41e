#include "pages/general/SetupTaxatie.h"

#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/CompanyChoiceSettings.h"
#include "pages/general/CompanyCombo.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

SetupTaxatie::SetupTaxatie() : SettingsPage(u"SetupTaxatie"_s)
{
    auto& fra = add<Frame>(form(), u"fraTaxatie"_s, u"Taxatiebureau"_s);
    auto& lbl = add<Label>(fra, u"lblTaxatieMaatschappij"_s, u"Selecteer een taxatiebureau"_s);
    cboTaxatieMaatschappij = &add<ComboBox>(fra, u"cboTaxatieMaatschappij"_s);
    cboTaxatieMaatschappij->Click.connect([this] { cboTaxatieMaatschappij_Click(); });
    RowLayout(fra, 7200).field(lbl, *cboTaxatieMaatschappij, 3600, 3480).finish();
    stackFrames({&fra});
}

std::optional<HostCompany> SetupTaxatie::company(int position) const { return app().Taxatiebureau(position); }

// "ML" is no valuation office the office can choose.
void SetupTaxatie::Fill()
{
    fillCompanyCombo(*cboTaxatieMaatschappij, [this](int i) { return company(i); },
                     Setup<CompanyChoiceSettings>().TaxatieMaatschappij, {u"ML"_s});
}

void SetupTaxatie::cboTaxatieMaatschappij_Click()
{
    if (IsLoading)
        return;
    guarded([&] {
        Setup<CompanyChoiceSettings>().TaxatieMaatschappij =
            chosenCompanyCode(*cboTaxatieMaatschappij, [this](int i) { return company(i); });
    });
}

} // namespace tarvelo
