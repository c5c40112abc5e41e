#include "pages/general/CompanyChoicePage.h"

#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/page/RowLayout.h"
#include "pages/general/CompanyCombo.h"

namespace tarvelo {

CompanyChoicePage::CompanyChoicePage(const QString& className, Choice choice)
    : SettingsPage(className),
      choice_(std::move(choice))
{
    auto& fra = add<Frame>(form(), choice_.frame, choice_.caption);
    auto& lbl = add<Label>(fra, choice_.label, choice_.question);
    combo_ = &add<ComboBox>(fra, choice_.combo);
    combo_->Click.connect([this] { combo_Click(); });
    RowLayout(fra, 7200).field(lbl, *combo_, 3600, 3480).finish();
    stackFrames({&fra});
}

std::optional<HostCompany> CompanyChoicePage::company(int position) const
{
    return (app().*choice_.companies)(position);
}

void CompanyChoicePage::Fill()
{
    fillCompanyCombo(
        *combo_, [this](int i) { return company(i); }, Setup<CompanyChoiceSettings>().*choice_.setting,
        choice_.excludedCodes);
}

void CompanyChoicePage::combo_Click()
{
    if (IsLoading)
        return;
    guarded([&] {
        Setup<CompanyChoiceSettings>().*choice_.setting =
            chosenCompanyCode(*combo_, [this](int i) { return company(i); });
    });
}

} // namespace tarvelo
