#include "pages/general/SetupBankgarantie.h"

#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/CompanyChoiceSettings.h"
#include "pages/general/CompanyCombo.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

SetupBankgarantie::SetupBankgarantie() : SettingsPage(u"SetupBankgarantie"_s)
{
    auto& fra = add<Frame>(form(), u"fraBankgarantie"_s, u"Bankgarantieinstelling"_s);
    auto& lbl = add<Label>(fra, u"lblBankgarantieMij"_s, u"Selecteer een bankgarantieinstelling"_s);
    cboBankgarantieMij = &add<ComboBox>(fra, u"cboBankgarantieMij"_s);
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
