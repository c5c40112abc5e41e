#include "pages/general/SetupBankgarantie.h"

#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/CompanyChoiceSettings.h"
#include "pages/general/CompanyCombo.h"

namespace tarvelo {

SetupBankgarantie::SetupBankgarantie() : SettingsPage(QStringLiteral("SetupBankgarantie"))
{
    auto& fra = add<Frame>(form(), QStringLiteral("fraBankgarantie"), QStringLiteral("Bankgarantieinstelling"));
    auto& lbl = add<Label>(fra, QStringLiteral("lblBankgarantieMij"), QStringLiteral("Selecteer een bankgarantieinstelling"));
    cboBankgarantieMij = &add<ComboBox>(fra, QStringLiteral("cboBankgarantieMij"));
    cboBankgarantieMij->Click.connect([this] { cboBankgarantieMij_Click(); });
    RowLayout(fra, 7200).field(lbl, *cboBankgarantieMij, 3600, 3480).finish();
    stackFrames({&fra});
}

std::optional<HostCompany> SetupBankgarantie::company(int position) const { return app().Bankgarantieinstelling(position); }

void SetupBankgarantie::Fill()
{
    fillCompanyCombo(*cboBankgarantieMij, [this](int i) { return company(i); },
                     Setup<CompanyChoiceSettings>().BankgarantieInstelling);
}

void SetupBankgarantie::cboBankgarantieMij_Click()
{
    if (IsLoading)
        return;
    guarded([&] {
        Setup<CompanyChoiceSettings>().BankgarantieInstelling =
            chosenCompanyCode(*cboBankgarantieMij, [this](int i) { return company(i); });
    });
}

} // namespace tarvelo
