#include "pages/general/CompanyCombo.h"

#include "framework/forms/ComboBox.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

void fillCompanyCombo(ComboBox& combo, const CompanyList& companies, const QString& storedCode,
                      const QStringList& excludedCodes)
{
    combo.clear();
    combo.addItemWithData(u"<Maak uw keuze>"_s, 0);
    int selected = 0;
    for (int position = 1;; ++position) {
        const std::optional<HostCompany> company = companies(position);
        if (!company)
            break;
        if (excludedCodes.contains(company->code))
            continue;
        combo.addItemWithData(company->name, position);
        if (company->code == storedCode && !storedCode.isEmpty())
            selected = combo.listCount() - 1;
    }
    combo.setListIndex(selected);
}

QString chosenCompanyCode(const ComboBox& combo, const CompanyList& companies)
{
    const int index = combo.listIndex();
    if (index < 0)
        return QString();
    const std::optional<HostCompany> company = companies(combo.itemData(index));
    return company ? company->code : QString();
}

} // namespace tarvelo
