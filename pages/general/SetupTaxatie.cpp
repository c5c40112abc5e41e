#include "pages/general/SetupTaxatie.h"

#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/CompanyChoiceSettings.h"
#include "pages/general/CompanyCombo.h"

namespace tarvelo {

SetupTaxatie::SetupTaxatie() : SettingsPage(QStringLiteral("SetupTaxatie"))
{
    auto& fra = add<Frame>(form(), QStringLiteral("fraTaxatie"), QStringLiteral("Taxatiebureau"));
    auto& lbl = add<Label>(fra, QStringLiteral("lblTaxatieMaatschappij"), QStringLiteral("Selecteer een taxatiebureau"));
    cboTaxatieMaatschappij = &add<ComboBox>(fra, QStringLiteral("cboTaxatieMaatschappij"));
    cboTaxatieMaatschappij->Click.connect([this] { cboTaxatieMaatschappij_Click(); });
    RowLayout(fra, 7200).field(lbl, *cboTaxatieMaatschappij, 3600, 3480).finish();
    stackFrames({&fra});
}

std::optional<HostCompany> SetupTaxatie::company(int position) const { return app().Taxatiebureau(position); }

// "ML" is no valuation office the office can choose.
void SetupTaxatie::Fill()
{
    fillCompanyCombo(*cboTaxatieMaatschappij, [this](int i) { return company(i); },
                     Setup<CompanyChoiceSettings>().TaxatieMaatschappij, {QStringLiteral("ML")});
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
